// The widest figures and the longest header texts of a quotation as LibreOffice prints them,
// in every layout: whole, grouped, and large enough to read.

#include "PrintFixture.h"

#include "platform/workbook/XlsxTestSupport.h"

#include <QJsonArray>
#include <QLocale>
#include <QSet>

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

class WholeTextsTest : public PrintFixture {
protected:
    // Every layout printed from the loaded quotation, converted in one run.
    QStringList printEveryLayout(const QStringList& commands)
    {
        QStringList files;
        for (const QString& command : commands)
            files << printed(command.toLatin1().constData());
        const QString problem = ConvertWithOffice(files, dir.filePath(u"pdf"_s));
        EXPECT_EQ(problem, QString());
        return files;
    }
};

QStringList allCommands()
{
    QStringList names;
    for (const PrintCommand& c : PrintCommands())
        names << c.name;
    return names;
}

// A figure as the format "#,##0" shows it.
QString grouped(double value)
{
    return QLocale(QLocale::English).toString(qlonglong(std::llround(value)));
}

// The words of every page, as pdftotext reads them (compatibility forms folded).
QSet<QString> wordsOf(const QString& pdf)
{
    QSet<QString> words;
    for (int page = 1; page <= pdfPages(pdf); ++page)
        for (const PdfWord& w : pdfWords(pdf, page))
            words.insert(w.text.normalized(QString::NormalizationForm_KC));
    return words;
}

// The 數量 of 999,999,999,999 at 1 each, the largest whole amount, under 客廳 with its cost.
TEST_F(WholeTextsTest, TheLargestAmountsAndCostsPrintWholeAndGroupedInEveryLayout)
{
    VrnContent c = TwoAreas();
    c.rows[0] = GridItem(c.leafPaths[0], "電視櫃|240cm|組|999999999999|1|999999999999|1|999999999999|1");
    load(c);
    const QStringList commands = allCommands();
    ASSERT_EQ(commands.size(), 15);
    const QStringList files = printEveryLayout(commands);

    for (int f = 0; f < files.size(); ++f) {
        const std::string where = commands[f].toStdString();
        const QString pdf = pdfOf(files[f]);
        for (int page = 1; page <= pdfPages(pdf); ++page)
            EXPECT_FALSE(pdfText(pdf, page).contains(u'#')) << where << " page " << page;

        // Every grouped figure of the workbook stands in the PDF as one word, whole.
        const QSet<QString> words = wordsOf(pdf);
        const QJsonObject book = ReadWithOpenpyxl(files[f]);
        int figures = 0;
        for (const QJsonValue& sheet : book.value("sheets").toArray()) {
            const QJsonObject cells = sheet.toObject().value("cells").toObject();
            for (auto it = cells.begin(); it != cells.end(); ++it) {
                const QJsonObject cell = it.value().toObject();
                const QJsonValue value = cell.value("value");
                if (!value.isDouble() || std::abs(value.toDouble()) < 1000
                    || !cell.value("format").toString().contains(u"#,##0"_s))
                    continue;
                ++figures;
                EXPECT_TRUE(words.contains(grouped(value.toDouble())))
                    << where << " " << it.key().toStdString() << " " << grouped(value.toDouble()).toStdString();
            }
        }
        // The quantity as typed, and unless prices are blank the amount it makes.
        EXPECT_TRUE(words.contains(u"999999999999"_s)) << where;
        const bool blank = FindPrintCommand(commands[f])->templateFile == u"空白報價單.xlsx"_s || commands[f] == u"mPwsb"_s;
        EXPECT_EQ(words.contains(u"999,999,999,999"_s), !blank) << where;
        EXPECT_EQ(figures > 0, !blank) << where;
    }
}

} // namespace
