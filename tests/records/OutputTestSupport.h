#pragma once

#include "RecordsTestSupport.h"
#include "platform/report/ReportTestSupport.h"
#include "platform/ui/BusyIndicator.h"
#include "records/ListPrinting.h"
#include "support/OfficeConvert.h"

#include <QDir>
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

    QString templ(const QString& file) const { return dir.filePath(QStringLiteral("Pother/") + file); }
    QString fillList(int kind, const QStringList& columns)
    {
        return FillRegisterList(*db, kind, columns, templ(FindPrintKind(kind)->templateFile), dir.filePath(QStringLiteral("out")));
    }

    // The workbooks saved in the program folder (the superuser's working folder).
    QStringList savedBooks() const
    {
        return QDir(dir.path()).entryList({QStringLiteral("*.xlsx")}, QDir::Files, QDir::Name);
    }
};

} // namespace varn::test
