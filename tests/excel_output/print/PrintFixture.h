#pragma once

#include "excel_output/PlanTestSupport.h"
#include "excel_output/PrintCommandRunner.h"
#include "platform/db/Database.h"
#include "platform/report/ReportTestSupport.h"
#include "support/OfficeConvert.h"
#include "platform/ui/ScriptedPrompter.h"
#include "platform/workbook/Workbook.h"
#include "platform/workbook/XlsxTestSupport.h"
#include "quotation/Quotation.h"
#include "quotation/VrnFile.h"
#include "shared/ProgramState.h"
#include "shared/setup/Schema.h"
#include "shared/setup/XpDefaults.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QGuiApplication>
#include <QJsonArray>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

namespace varn::test {

using namespace Qt::StringLiterals;

inline const QString kTemplates = QStringLiteral(VARN_BINARY_DIR "/templates");

// "品名|規格|單位|數量|單價|金額|成本|成本複計|比例|備註" of one leaf.
inline ItemLine Item(const QString& leaf, const char* fields)
{
    ItemLine line;
    line[0] = leaf;
    const QStringList f = QString::fromUtf8(fields).split(u'|');
    for (int i = 0; i < f.size(); ++i)
        line[size_t(i) + 1] = f[i];
    return line;
}

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
    c.rows = {Item(a, "電視櫃|240cm|組|1|30000|30000|20000|20000|1.5"),
              Item(a, "書櫃||尺|10|5000|50000|3000|30000|1.67"),
              Item(b, "牆面||坪|20|800|16000|500|10000|1.6"),
              Item(d, "衣櫃||尺|8|6000|48000|4000|32000|1.5|實木")};
    PageEndValues& pe = c.pageEnd;
    pe.remarks = {u"有效期限三十天"_s, QString(), QString(), u"訂金三成"_s, QString()};
    pe.design = {u"設計費"_s, CheckState::Checked, true, u"144000"_s, u"0.1"_s, u"14400"_s};
    pe.supervision = {u"監工費"_s, CheckState::Checked, false, u"30"_s, u"1500"_s, u"45000"_s};
    pe.taxChecked = CheckState::Checked;
    return c;
}

// A quotation to fill; prints go to the program folder, the templates are the built ones.
class PrintFixture : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (!QCoreApplication::instance()) {
            static int argc = 1;
            static char name[] = "excel_print_tests";
            static char* argv[] = {name, nullptr};
            new QGuiApplication(argc, argv);
        }
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
        state().programFolder = dir.path();
        state().m.gPrintPath = kTemplates;
        state().m.gRights = 4095;
        useXp(DefaultXpValues());
        Prompter::install(&prompts);
        qputenv("VARN_SPREADSHEET", "/bin/true");
        sta = Database::create(dir.filePath(u"sta.mdb"_s), {}, StaSchemaSql());
        std::shared_ptr<Database> main = Database::create(dir.filePath(u"varn3.mdb"_s), {}, MainSchemaSql());
        main->execute(u"INSERT INTO company VALUES (?, ?, ?, ?, ?, ?)"_s,
                      {u"瓦恩室內裝修"_s, u"台北市"_s, u"02-1234567"_s, u"02-7654321"_s, u"12345678"_s,
                       u"varn@example.com"_s});
        state().m.gDb = main;
        doc = std::make_unique<Quotation>();
        doc->setRightsWord(4095);
    }
    void TearDown() override
    {
        doc.reset();
        Prompter::install(nullptr);
        ProgramState::reset();
    }
    void useXp(const QStringList& xp)
    {
        for (int i = 0; i < 32; ++i)
            state().m.gXp[size_t(i)] = xp.value(i);
    }
    void load(const VrnContent& c) { doc->load(c, dir.filePath(u"x.vrn"_s)); }

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
    static QByteArray digest(const QString& file)
    {
        QFile f(file);
        return f.open(QIODevice::ReadOnly) ? QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256)
                                           : QByteArray();
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
    // The one dialog a print asks: where to save, in the template's folder.
    void expectOneOutputDialog(const QString& command)
    {
        const auto opened = prompts.asked(PromptKind::OpenFile);
        ASSERT_EQ(opened.size(), 1u) << command.toStdString();
        EXPECT_EQ((QStringList{opened[0].title, opened[0].filter, opened[0].fileName,
                               QDir(opened[0].startFolder).absolutePath()}),
                  (QStringList{u"輸出檔案"_s, u"MS Excel Files (*.xlsx)"_s, FindPrintCommand(command)->templateFile,
                               QFileInfo(templateOf(command)).absolutePath()}))
            << command.toStdString();
    }
    QString pdfOf(const QString& xlsx) const
    {
        return dir.filePath(u"pdf/"_s + QFileInfo(xlsx).completeBaseName() + u".pdf"_s);
    }
    QStringList savedFiles() const
    {
        return QDir(dir.path()).entryList({u"*.xlsx"_s}, QDir::Files);
    }

    QTemporaryDir dir;
    ScriptedPrompter prompts;
    std::unique_ptr<Database> sta;
    std::unique_ptr<Quotation> doc;
    LayoutFlags flags;
};

// Text of a cell as openpyxl reads it ("" when empty; whole numbers without ".0").
inline QString CellText(const QJsonObject& book, int sheet, const QString& ref)
{
    const QJsonValue v = CellOf(book, sheet, ref).value("value");
    if (v.isDouble()) {
        const double d = v.toDouble();
        return d == qint64(d) ? QString::number(qint64(d)) : QString::number(d);
    }
    return v.toString();
}

} // namespace varn::test
