#include "excel_output/CoverEngine.h"
#include "excel_output/PrintCommandRunner.h"
#include "platform/ui/BusyIndicator.h"
#include "shared/setup/XpDefaults.h"
#include "support/FileFaults.h"
#include "support/QuotationFixture.h"

#include <QDir>
#include <QFile>

#include <gtest/gtest.h>

#include <stdexcept>

using namespace varn;
using namespace varn::test;
using namespace Qt::StringLiterals;

namespace {

const QString kTemplates = QStringLiteral(VARN_BINARY_DIR "/templates");

// One cover print with a layout whose plan step the test supplies, on a copy of the
// template in the program folder; the spreadsheet program is one that does nothing.
class PrintFailuresTest : public QuotationFixture {
protected:
    void SetUp() override
    {
        QuotationFixture::SetUp();
        preparePrints();
        BusyIndicator::install(&busy);

        VrnContent c;
        c.header.customerName = u"林先生"_s;
        const QString leaf = LeafPath({"客廳", "木作"});
        c.leafPaths = {leaf};
        c.rows = {GridItem(leaf, "電視櫃|240cm|組|1|30000|30000|20000|20000|1.5")};
        load(c);

        const PrintCommand& command = *FindPrintCommand(u"mPa"_s);
        ASSERT_TRUE(QFile::copy(kTemplates + u'/' + command.folder + u'/' + command.templateFile, templateCopy()));
    }
    void TearDown() override
    {
        BusyIndicator::install(nullptr);
        QuotationFixture::TearDown();
    }
    QString templateCopy() const { return dir.filePath(u"報價單.xlsx"_s); }

    // Prints with the plan step given; the file saved, or empty.
    QString print(const decltype(TwoSheetLayout::plan)& plan)
    {
        TwoSheetLayout layout;
        layout.plan = plan;
        return print(layout);
    }
    QString print(const TwoSheetLayout& layout)
    {
        prompts.answerOpenFile(templateCopy());
        const PrintJob job{*doc, sta.get(), flags, dir.path(), u"報價單.xlsx"_s};
        return PrintExcelCover(job, layout);
    }
    // The print stopped where it said so: one message, no workbook saved or left
    // half-written, nothing left busy after the steps begun (preparing, printing).
    void expectStoppedAfterOneMessage(const QString& saved, int stepsBegun = 2)
    {
        EXPECT_EQ(saved, QString());
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1) << prompts.lastMessageText().toStdString();
        EXPECT_EQ(busy.begun, stepsBegun);
        EXPECT_EQ(busy.ended, stepsBegun);
        EXPECT_EQ(QDir(dir.path()).entryList({u"*.xlsx"_s}), QStringList{u"報價單.xlsx"_s});
    }

    struct Busy : BusyIndicator {
        int begun = 0, ended = 0;
        void begin(const QString&) override { ++begun; }
        void end() override { ++ended; }
    } busy;
    LayoutFlags flags;
};

} // namespace

// A step before the workbook is written that throws a standard exception ends the print
// there, the exception's own words in the one message.
TEST_F(PrintFailuresTest, AStepThrowingAStandardExceptionEndsThePrintAfterSayingSo)
{
    const QString saved = print([](Database&, const LayoutFlags&, const QStringList&, CoverPlan&, DetailPlan&) {
        throw std::runtime_error("plan exhausted");
    });
    expectStoppedAfterOneMessage(saved);
    EXPECT_TRUE(prompts.lastMessageText().contains(u"未預期的錯誤"_s)) << prompts.lastMessageText().toStdString();
    EXPECT_TRUE(prompts.lastMessageText().contains(u"plan exhausted"_s)) << prompts.lastMessageText().toStdString();
}

// One thrown while the print prepares its data ends it before the dialog for the template:
// nothing asked but the one message.
TEST_F(PrintFailuresTest, APreparingStepThrowingAStandardExceptionEndsThePrintBeforeTheDialog)
{
    TwoSheetLayout layout;
    layout.prepared = [](Database&) { throw std::runtime_error("statistics exhausted"); };
    const QString saved = print(layout);
    expectStoppedAfterOneMessage(saved, 1);
    EXPECT_EQ(prompts.askedCount(PromptKind::OpenFile), 0);
    for (const QString& words : {u"列印資料無法準備"_s, u"未預期的錯誤"_s, u"statistics exhausted"_s})
        EXPECT_TRUE(prompts.lastMessageText().contains(words)) << prompts.lastMessageText().toStdString();
}

// The template emptied by someone else while the print runs: the print tells why in words.
TEST_F(PrintFailuresTest, ATemplateMadeUnreadableWhileThePrintRunsIsToldInWords)
{
    const QString saved = print([this](Database&, const LayoutFlags&, const QStringList&, CoverPlan&, DetailPlan&) {
        ASSERT_TRUE(QFile(templateCopy()).resize(0));
    });
    expectStoppedAfterOneMessage(saved);
    EXPECT_TRUE(SaysInChinese(prompts.lastMessageText(), u"範本檔案不完整"_s));
    EXPECT_TRUE(prompts.lastMessageText().contains(QDir::toNativeSeparators(templateCopy())));
}
