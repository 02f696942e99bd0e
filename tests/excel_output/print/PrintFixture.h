#pragma once

// Prints of a quotation through the print commands into saved workbooks, with the built
// templates, for the tests that read them back or convert them with LibreOffice.

#include "excel_output/PlanTestSupport.h"
#include "excel_output/PrintCommandRunner.h"
#include "excel_output/paged/PagedEngines.h"
#include "platform/workbook/Workbook.h"
#include "shared/setup/XpDefaults.h"
#include "support/QuotationFixture.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <optional>

namespace varn::test {

using namespace Qt::StringLiterals;

inline const QString kTemplates = QStringLiteral(VARN_BINARY_DIR "/templates");

// Two areas sharing the work type 木作, with both fees, tax and two remarks.
inline VrnContent TwoAreas()
{
    VrnContent c;
    c.header.customerName = u"林先生"_s;
    c.header.projectName = u"林宅"_s;
    c.header.quoteNo = u"1130501_1"_s;
    c.header.quoteDate = u"113/05/01"_s;
    const QString a = Q({"客廳", "木作"}), b = Q({"客廳", "油漆"}), d = Q({"主臥", "木作"});
    c.leafPaths = {a, b, d};
    c.rows = {GridItem(a, "電視櫃|240cm|組|1|30000|30000|20000|20000|1.5"),
              GridItem(a, "書櫃||尺|10|5000|50000|3000|30000|1.67"),
              GridItem(b, "牆面||坪|20|800|16000|500|10000|1.6"),
              GridItem(d, "衣櫃||尺|8|6000|48000|4000|32000|1.5|實木")};
    PageEndValues& pe = c.pageEnd;
    pe.remarks = {u"有效期限三十天"_s, QString(), QString(), u"訂金三成"_s, QString()};
    pe.design = {u"設計費"_s, CheckState::Checked, true, u"144000"_s, u"0.1"_s, u"14400"_s};
    pe.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"1500"_s, u"45000"_s};
    pe.taxChecked = CheckState::Checked;
    return c;
}

// A quotation to fill; prints go to the program folder, the templates are the built ones.
class PrintFixture : public QuotationFixture {
protected:
    void SetUp() override
    {
        QuotationFixture::SetUp();
        preparePrints();
        InstallPagedEngines();
    }
    void useXp(const QStringList& xp)
    {
        for (int i = 0; i < 32; ++i)
            state().m.gXp[size_t(i)] = xp.value(i);
    }
    // Runs the command, answering the dialog with `picked` (nullopt: cancel).
    QString print(const QString& command, std::optional<QString> picked)
    {
        prompts.answerOpenFile(picked);
        return RunPrintCommand(*FindPrintCommand(command), *doc, sta.get(), flags);
    }
    static QString templateOf(const QString& command)
    {
        const PrintCommand& c = *FindPrintCommand(command);
        return kTemplates + u'/' + c.folder + u'/' + c.templateFile;
    }
    // A copy of the layout's template with markers in the first footer row of each sheet.
    QString markedTemplate(const QString& command)
    {
        const QString out = dir.filePath(u"tpl/"_s + FindPrintCommand(command)->templateFile);
        if (QFile::exists(out))
            return out;
        QDir().mkpath(dir.filePath(u"tpl"_s));
        Workbook book = Workbook::open(templateOf(command));
        book.worksheet(1).setText(18, 1, u"首頁頁尾"_s);
        book.worksheet(2).setText(13, 1, u"明細頁尾"_s);
        book.saveAs(out);
        return out;
    }
    // Prints with the command's own template; a failure names the message shown.
    QString printed(const char* command)
    {
        const QString saved = print(QString::fromLatin1(command), templateOf(QString::fromLatin1(command)));
        EXPECT_FALSE(saved.isEmpty()) << command << ": " << prompts.lastMessageText().toStdString();
        return saved;
    }
    QString pdfOf(const QString& xlsx) const
    {
        return dir.filePath(u"pdf/"_s + QFileInfo(xlsx).completeBaseName() + u".pdf"_s);
    }

    LayoutFlags flags;
};

} // namespace varn::test
