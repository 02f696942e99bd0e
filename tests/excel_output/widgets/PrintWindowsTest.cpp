#include "excel_output/widgets/PrintCommandHooks.h"
#include "excel_output/widgets/frmXlSet.h"
#include "platform/text/Cp950.h"
#include "platform/ui/ScriptedPrompter.h"
#include "quotation/Quotation.h"
#include "quotation/widgets/frmQ.h"
#include "shared/ProgramState.h"
#include "shared/setup/SettingsFiles.h"
#include "shared/setup/XpDefaults.h"

#include <QAction>
#include <QCheckBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>

#include <gtest/gtest.h>

using namespace varn;
using namespace Qt::StringLiterals;

namespace {

class PrintWindowsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ProgramState::reset();
        ASSERT_TRUE(dir.isValid());
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

    QTemporaryDir dir;
    ScriptedPrompter prompts;
};

} // namespace

TEST_F(PrintWindowsTest, ThePrintMenuRunsItsCommandsWithTheWindowsFlags)
{
    auto window = std::make_unique<frmQ>();
    AttachPrintCommands(*window);
    for (const char* name : {"mPs", "mPa", "mAs", "mPwsb", "mPwac", "mPxlset"})
        EXPECT_TRUE(window->hasCommandHandler(QString::fromLatin1(name))) << name;
    EXPECT_EQ(window->layoutFlags(), LayoutFlags{});

    window->action(u"mPac"_s)->trigger();
    EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s);
    EXPECT_TRUE(window->layoutFlags().CostReport);
    EXPECT_TRUE(window->layoutFlags().ShowCost);

    // The pages come later; their flags never carry the cost layout along.
    window->action(u"mAs"_s)->trigger();
    EXPECT_FALSE(window->layoutFlags().CostReport);
    EXPECT_FALSE(window->layoutFlags().ShowCost);
    EXPECT_EQ(window->layoutFlags().TreeMode, 2);
}

TEST_F(PrintWindowsTest, SettingsWindowShowsSavesAndAppliesTheValuesAsTyped)
{
    XpValues xp = XpDefaults();
    xp[0] = u" B"_s;
    WriteXpFile(dir.path(), xp);
    WriteFastPFile(dir.path(), true);

    frmXlSet window;
    EXPECT_EQ(window.windowTitle(), u"列印設定"_s);
    EXPECT_EQ(window.t(1)->text(), u" B"_s);
    EXPECT_EQ(window.t(32)->text(), u"39"_s);
    EXPECT_TRUE(window.ckf()->isChecked());

    window.t(10)->setText(u"9"_s);
    window.t(25)->setText(u"ab"_s);   // saved as typed; printing refuses it later
    window.ckf()->setChecked(false);
    window.command1()->click();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(state().m.gXp[9], u"9"_s);
    EXPECT_EQ(state().m.gXp[24], u"ab"_s);
    EXPECT_FALSE(state().m.gFixedHeader);
    EXPECT_EQ(bytes(u"fastP.ini"_s), QByteArray("0\r\n"));
    const QList<QByteArray> lines = bytes(u"Xp.ini"_s).split('\n');
    EXPECT_EQ(lines.value(0), QByteArray(" B\r"));
    EXPECT_EQ(lines.value(9), QByteArray("9\r"));
    EXPECT_EQ(lines.value(24), QByteArray("ab\r"));
}

TEST_F(PrintWindowsTest, AFileThatCannotBeWrittenIsNamedAndKeepsItsValues)
{
    WriteFastPFile(dir.path(), false);
    frmXlSet window;
    // Xp.ini cannot be replaced when a folder stands in its place.
    ASSERT_TRUE(QDir(dir.path()).mkdir(u"Xp.ini"_s));
    const auto before = state().m.gXp;
    window.t(1)->setText(u"C"_s);
    window.ckf()->setChecked(true);
    window.show();
    window.Command1_Click();
    EXPECT_TRUE(prompts.lastMessageText().contains(u"Xp.ini"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_EQ(state().m.gXp, before);
    EXPECT_TRUE(state().m.gFixedHeader);   // fastP.ini was written, so its value is in force
    EXPECT_TRUE(window.isVisible());
}
