#pragma once

#include "RecordsTestSupport.h"
#include "platform/report/ReportTestSupport.h"
#include "platform/ui/BusyIndicator.h"
#include "records/ListPrinting.h"

#include <QDir>
#include <QFile>
#include <QRectF>

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

// The words of a PDF's first page as poppler reads them, with their boxes (points).
using PdfWord = std::pair<QString, QRectF>;

inline QList<PdfWord> pdfWords(const QString& pdf)
{
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    const QStringList args{QStringLiteral("-bbox"), QStringLiteral("-l"), QStringLiteral("1"), pdf, QStringLiteral("-")};
    QList<PdfWord> words;
    for (const auto& m : word.globalMatch(runTool(QStringLiteral("pdftotext"), args)))
        words.append({m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))});
    return words;
}

} // namespace varn::test
