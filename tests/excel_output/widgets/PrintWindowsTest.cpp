#include "excel_output/widgets/PrintCommandHooks.h"
#include "excel_output/widgets/frmXlSet.h"
#include "platform/ui/ScriptedPrompter.h"
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
    window->action(u"mPac"_s)->trigger();
    EXPECT_EQ(prompts.lastMessageText(), u"空白表單無法列印"_s);
    EXPECT_TRUE(window->layoutFlags().CostReport && window->layoutFlags().ShowCost);
    // The page layouts never carry the cost layout along.
    window->action(u"mAs"_s)->trigger();
    EXPECT_FALSE(window->layoutFlags().CostReport || window->layoutFlags().ShowCost);
    EXPECT_EQ(window->layoutFlags().TreeMode, 2);
}

TEST_F(PrintWindowsTest, SettingsWindowShowsSavesAndAppliesTheValuesAsTyped)
{
    XpValues xp = XpDefaults();
    xp[0] = u" B"_s;
    WriteXpFile(dir.path(), xp);
    WriteFastPFile(dir.path(), true);
    frmXlSet window;
    EXPECT_EQ(window.t(1)->text() + u'|' + window.t(32)->text(), u" B|39"_s);
    EXPECT_TRUE(window.ckf()->isChecked());

    window.t(10)->setText(u"9"_s);
    window.t(25)->setText(u"ab"_s);   // saved as typed; printing refuses it later
    window.ckf()->setChecked(false);
    window.command1()->click();
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(state().m.gXp[9] + state().m.gXp[24], u"9ab"_s);
    EXPECT_FALSE(state().m.gFixedHeader);
    EXPECT_EQ(bytes(u"fastP.ini"_s), QByteArray("0\r\n"));
    EXPECT_TRUE(bytes(u"Xp.ini"_s).startsWith(" B\r\n"));
    EXPECT_EQ(bytes(u"Xp.ini"_s).split('\n').value(24), QByteArray("ab\r"));

    // Xp.ini cannot be replaced when a folder stands in its place: named, values kept.
    QFile::remove(dir.filePath(u"Xp.ini"_s));
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
