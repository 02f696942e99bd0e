#include "excel_output/widgets/PrintCommandHooks.h"
#include "excel_output/widgets/frmXlSet.h"
#include "platform/ui/ScriptedPrompter.h"
#include "quotation/Quotation.h"
#include "quotation/VrnFile.h"
#include "quotation/widgets/frmQ.h"
#include "shared/ProgramState.h"
#include "shared/setup/SettingsFiles.h"
#include "shared/setup/XpDefaults.h"
#include "support/TreeClicks.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTreeWidget>

#include <gtest/gtest.h>

using namespace varn;
using namespace Qt::StringLiterals;

namespace {

class PrintWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        state().programFolder = dir.path();
        state().m.gRights = 4095;
        Prompter::install(&prompts);
    }
    void TearDown() override
    {
        Prompter::install(nullptr);
        ProgramState::reset();
    }
    QByteArray bytes(const QString& name) const
    {
        QFile f(dir.filePath(name));
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    }

    // The quotation window with `items` rows in one leaf and the print ranges `xp` in Xp.ini.
    std::unique_ptr<frmQ> windowWith(int items, const XpValues& xp)
    {
        WriteXpFile(dir.path(), xp);
        auto window = std::make_unique<frmQ>();
        AttachPrintCommands(*window);
        VrnContent c;
        c.leafPaths = {u"Ｑ‧客廳‧木作"_s};
        c.rows.resize(size_t(items), {c.leafPaths[0], u"櫃"_s, {}, u"組"_s, u"1"_s, u"100"_s, u"100"_s});
        window->quotation().load(c, dir.filePath(u"x.vrn"_s));
        return window;
    }
    // The menu click on a print command, answering the dialog with the layout's template.
    QString print(frmQ& window, const char* command)
    {
        prompts.answerOpenFile(QStringLiteral(VARN_BINARY_DIR "/templates/PrintQ/報價單.xlsx"));
        window.action(QString::fromLatin1(command))->trigger();
        EXPECT_TRUE(QDir(dir.path()).entryList({u"*.xlsx"_s}).isEmpty()) << command;
        return prompts.lastMessageText();
    }

    QTemporaryDir dir;
    ScriptedPrompter prompts;
};

} // namespace

TEST_F(PrintWindowsTest, ThePrintMenuRunsItsCommandsWithTheWindowsFlags)
{
    auto window = std::make_unique<frmQ>();
    AttachPrintCommands(*window);
    window->action(u"mPac"_s)->trigger();
    EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s);
    EXPECT_TRUE(window->layoutFlags().CostReport && window->layoutFlags().ShowCost);
    // The page layouts never carry the cost layout along.
    window->action(u"mAs"_s)->trigger();
    EXPECT_FALSE(window->layoutFlags().CostReport || window->layoutFlags().ShowCost);
    EXPECT_EQ(window->layoutFlags().TreeMode, 2);
    // The cost layout without the cost right shows no cost.
    window->quotation().setRightsWord(4095 & ~2);
    window->action(u"mPac"_s)->trigger();
    EXPECT_FALSE(window->layoutFlags().ShowCost);
}

TEST_F(PrintWindowsTest, APrintRefusedForABlankQuotationLeavesTheShownNodeAndItsGrid)
{
    WriteXpFile(dir.path(), XpDefaults());
    frmQ window;
    AttachPrintCommands(window);
    VrnContent c;
    c.leafPaths = {u"Ｑ‧客廳‧木作"_s, u"Ｑ‧廚房‧油漆"_s};
    window.quotation().load(c, dir.filePath(u"x.vrn"_s));
    window.resize(1200, 800);
    window.show();
    QTreeWidgetItem* paint = window.tv()->topLevelItem(0)->child(1)->child(0);
    test::clickTreeItem(window.tv(), paint);
    const Quotation& q = window.quotation();
    ASSERT_EQ(q.shownPath(), u"Ｑ‧廚房‧油漆"_s);
    ASSERT_TRUE(q.isLeaf());
    const int rows = q.hfgQ().rows();

    // The cover, single-sheet and paged commands all refuse without moving anything.
    for (const char* command : {"mPs", "mPw", "mAs", "mWs", "mPwsb", "mPac"}) {
        prompts.clear();
        window.action(QString::fromLatin1(command))->trigger();
        EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s) << command;
        EXPECT_EQ(window.tv()->currentItem(), paint) << command;
        EXPECT_EQ(q.shownPath(), u"Ｑ‧廚房‧油漆"_s) << command;
        EXPECT_EQ(window.lbPath()->text(), u"Ｑ‧廚房‧油漆"_s) << command;
        EXPECT_TRUE(q.isLeaf()) << command;
        EXPECT_EQ(q.hfgQ().rows(), rows) << command;
    }
}

TEST_F(PrintWindowsTest, SettingsAreSavedAsTypedRangesOutOfOrderAndSheetsTooLongRefusedBeforeAnythingIsWritten)
{
    const struct {
        std::vector<std::pair<int, const char*>> boxes;
        QString named;
    } cases[] = {
        {{{30, "3"}, {32, "5"}}, u"明細設定的頁尾範圍 A3:J5 必須整個在輸出範圍 A8:J37 之下"_s},   // above
        {{{10, "40"}}, u"首頁設定的輸出範圍 A40:G37 的左上角在右下角之後"_s},
        {{{21, "K"}}, u"明細設定的變數範圍 K1:J7 的左上角在右下角之後"_s},
        // A footer from the output range's last row would end the page block on it.
        {{{14, "37"}}, u"首頁設定的頁尾範圍 A37:G39 必須整個在輸出範圍 A8:G37 之下"_s},
        {{{30, "37"}}, u"明細設定的頁尾範圍 A37:J39 必須整個在輸出範圍 A8:J37 之下"_s},
    };
    WriteXpFile(dir.path(), XpDefaults());
    const QByteArray before = bytes(u"Xp.ini"_s);
    for (const auto& c : cases) {
        frmXlSet window;
        for (const auto& [box, value] : c.boxes)
            window.t(box)->setText(QString::fromLatin1(value));
        window.command1()->click();
        EXPECT_TRUE(prompts.lastMessageText().startsWith(c.named) && prompts.lastMessageText().endsWith(u"未儲存"_s))
            << prompts.lastMessageText().toStdString();
        EXPECT_EQ(bytes(u"Xp.ini"_s), before);
        EXPECT_EQ(state().m.gXp, XpDefaults());
    }

    // Ranges that reach Xp.ini otherwise are refused by every print, before anything is written.
    XpValues xp = XpDefaults();
    xp[29] = u"3"_s;
    xp[31] = u"5"_s;
    auto window = windowWith(40, xp);   // more than one page block
    for (const char* command : {"mPa", "mPnw", "mAs", "mWs"})
        EXPECT_TRUE(print(*window, command).contains(cases[0].named)) << command;
    for (int range : {3, 4}) {   // the footers from the output ranges' last row
        state().m.gXp = XpDefaults();
        state().m.gXp[range == 3 ? 13 : 29] = u"37"_s;
        for (const char* command : {"mPa", "mPnw", "mAs", "mWs"})
            EXPECT_TRUE(print(*window, command).contains(cases[range].named))
                << command << ": " << prompts.lastMessageText().toStdString();
    }
    state().m.gXp = XpDefaults();
    state().m.gXp[25] = u" 8"_s;
    EXPECT_TRUE(print(*window, "mPw").contains(u"明細設定的輸出範圍（Xp.ini 第 26 行）：列「 8」"_s))
        << prompts.lastMessageText().toStdString();

    // One output row a page, so that every heading, item and subtotal takes a page of its own:
    // more pages than a sheet holds are refused before anything is written.
    xp = XpDefaults();
    xp[27] = u"8"_s;
    xp[29] = u"9"_s;
    xp[31] = u"9"_s;
    window = windowWith(1030, xp);
    const QRegularExpression refused(u"明細工作表需要 1,0[3-9][0-9] 頁，一個工作表最多只能有 1,024 頁"_s);
    for (const char* command : {"mPa", "mWs"})
        EXPECT_TRUE(print(*window, command).contains(refused)) << command;

    // Ranges in order are saved and applied as typed; printing refuses a bad column later.
    WriteXpFile(dir.path(), XpDefaults());
    WriteFastPFile(dir.path(), true);
    prompts.clear();
    frmXlSet settings;
    settings.t(10)->setText(u"9"_s);
    settings.t(25)->setText(u"ab"_s);
    settings.ckf()->setChecked(false);
    settings.command1()->click();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    XpValues typed = XpDefaults();
    typed[9] = u"9"_s;
    typed[24] = u"ab"_s;
    EXPECT_EQ(state().m.gXp, typed);
    EXPECT_FALSE(state().m.gFixedHeader);
    EXPECT_EQ(bytes(u"fastP.ini"_s) + bytes(u"Xp.ini"_s).split('\n').value(24), QByteArray("0\r\nab\r"));
    // Xp.ini cannot be replaced when a folder stands in its place: named, values kept.
    QFile::remove(dir.filePath(u"Xp.ini"_s));
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Xp.ini"_s));
    settings.t(1)->setText(u"C"_s);
    settings.command1()->click();
    EXPECT_TRUE(prompts.lastMessageText().contains(u"Xp.ini"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(state().m.gXp, typed);
}
