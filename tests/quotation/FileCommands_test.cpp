// Opening a quotation over a changed one, and files past the numerals.
#include "QuotationTestSupport.h"

namespace varn::test {
namespace {

using FileCommandsTest = QuotationTest;

TEST_F(FileCommandsTest, OpeningAsksToSaveOnlyAChangedQuotation)
{
    const QString f = file("f.vrn");
    {
        Quotation saved;
        saved.AddChildNodes(Q, {"客廳"}, false);
        saved.setCellText(1, QCol::Name, "from file");
        ASSERT_TRUE(saved.saveTo(f));
    }
    // Without a register to look the customer up in, nothing of the last one stays.
    state().m.gCusTel = state().m.gCusFax = state().m.gCusContact = "舊客戶";
    ASSERT_TRUE(doc->mOpen_Click(f));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(state().m.gCusTel + state().m.gCusFax + state().m.gCusContact, "");

    doc->tv_NodeClick(LeafPath({"客廳"}));
    doc->setCellText(1, QCol::Name, "typed");
    // Cancel: the quotation stays as it was.
    prompts.answerMessage(PromptButton::Cancel);
    EXPECT_FALSE(doc->mOpen_Click(f));
    EXPECT_EQ(prompts.lastMessageText(), "是否存檔?");
    EXPECT_EQ(doc->shownPath(), Q);   // the root was selected before the question
    EXPECT_EQ(shownNames(), QStringList{"typed"});

    // Yes saves under a new name, then opens the chosen file.
    prompts.answerMessage(PromptButton::Yes);
    prompts.answerSaveFile(file("mine.vrn"));
    ASSERT_TRUE(doc->mOpen_Click(f));
    EXPECT_EQ(shownNames(), QStringList{"from file"});
    EXPECT_EQ(doc->recentFiles().paths(), (QStringList{f, file("mine.vrn")}));
    Quotation mine;
    ASSERT_TRUE(mine.mOpen_Click(file("mine.vrn")));
    EXPECT_EQ(mine.hfgQ().textMatrix(1, QCol::Name), "typed");
}

TEST_F(FileCommandsTest, AFileWithNumbersPastTheNumeralsOpensAsItIsWithAMessage)
{
    const QString livingRoom = LeafPath({"客廳"}), bedroom = LeafPath({"臥室"});
    auto row = [](const QString& leaf, const char* name, const char* qty, const char* price, const char* amount) {
        return ItemLine{leaf, name, "", "", qty, price, amount, "", "", "", "", ""};
    };
    struct Case {
        const char* name;
        std::vector<ItemLine> rows;
        QString named;
    };
    const Case cases[] = {
        {"a quantity of twenty digits",
         {row(livingRoom, "a", "1", "1", "1"), row(bedroom, "b", "1", "5", "5"),
          row(bedroom, "c", "99999999999999999999", "1", "1E+20")},
         bedroom + " 第 2 列的金額"},
        {"rows that fit, a total that does not",
         {row(livingRoom, "a", "1", "6000000000000", "6000000000000"),
          row(bedroom, "b", "1", "6000000000000", "6000000000000"), row(bedroom, "c", "1", "1", "1")},
         "總價"},
    };
    for (const Case& c : cases) {
        VrnContent content;
        content.leafPaths = {livingRoom, bedroom};
        content.rows = c.rows;
        content.pageEnd = doc->blankPageEnd();
        Vrn::write(file("big.vrn"), content);
        prompts.clear();
        ASSERT_TRUE(doc->mOpen_Click(file("big.vrn"))) << c.name;
        EXPECT_EQ(prompts.lastMessageText(), Pricing::tooLargeOpenedMessage(c.named)) << c.name;
        EXPECT_EQ(shownNames(), (QStringList{"a", "b", "c"})) << c.name;
        EXPECT_FALSE(doc->isModified()) << c.name;

        // While the total is past the limit, an edit may bring a row down but not up.
        doc->tv_NodeClick(bedroom);
        EXPECT_FALSE(doc->cellEdited(1, QCol::Qty, "2")) << c.name;
        EXPECT_EQ(prompts.lastMessageText(), Pricing::tooLargeMessage()) << c.name;
        EXPECT_TRUE(doc->cellEdited(1, QCol::Qty, "0")) << c.name;
        EXPECT_TRUE(doc->cellEdited(2, QCol::Qty, "3")) << c.name;
        doc->newQuotation();
    }
}

} // namespace
} // namespace varn::test
