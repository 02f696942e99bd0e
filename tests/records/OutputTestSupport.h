#pragma once

#include "RecordsTestSupport.h"
#include "platform/ui/BusyIndicator.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>

namespace varn::test {

// A register fixture whose program folder holds the built templates of Pother, with a
// spreadsheet program that opens nothing (/bin/true), so a delivery says nothing.
class OutputFixture : public RegisterFixture {
protected:
    void SetUp() override
    {
        RegisterFixture::SetUp();
        qputenv("VARN_SPREADSHEET", "/bin/true");
        state().programFolder = dir.path();
        QDir(dir.path()).mkdir(QStringLiteral("Pother"));
        for (const char* name : {"客戶資料.xlsx", "廠商資料.xlsx", "員工資料.xlsx", "Label.xlsx"}) {
            const QString file = QString::fromUtf8(name);
            ASSERT_TRUE(QFile::copy(QStringLiteral(VARN_BINARY_DIR "/templates/Pother/") + file,
                                    dir.filePath(QStringLiteral("Pother/") + file)))
                << "the build writes the templates: " << name;
        }
    }

    // The workbooks saved in the program folder (the superuser's working folder).
    QStringList savedBooks() const
    {
        return QDir(dir.path()).entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
    }

    void addVendor(const QString& code, const QString& name, const std::map<int, QString>& more = {})
    {
        QVariantList values{code, name};
        const int columns = db->openRecordset(QStringLiteral("SELECT * FROM 廠商 LIMIT 0")).fieldCount();
        while (values.size() < columns)
            values << (more.count(values.size()) ? more.at(values.size()) : QString());
        const QStringList marks(values.size(), QStringLiteral("?"));
        db->execute(QStringLiteral("INSERT INTO 廠商 VALUES (%1)").arg(marks.join(u',')), values);
    }
};

} // namespace varn::test
