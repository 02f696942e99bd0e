// Row commands of the item grid, the copy buffer, the one-row undo, the item pick and the
// look-ups of the main database behind it and the customer header.
#include "QuotationTestSupport.h"

#include "quotation/ItemLexicon.h"

#include <functional>

namespace varn::test {
namespace {

class RowCommandsTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        add(Q, {"客廳", "臥室"});
        fill(LeafPath({"客廳"}), {{"r1", "1", "10"}, {"r2", "1", "20"}, {"r3", "1", "30"},
                                {"r4", "1", "40"}, {"r5", "1", "50"}});
        doc->TrimEmptyRows();
    }
};

enum class RowCommand { Insert, Paste, InsertBlank, Delete };
struct RowCommandCase {
    const char* name;
    int from, to;   // the row selection (0 is the header)
    RowCommand command;
    int at;         // the edit row; -1 for the last row
    QStringList names;
};

class RowCommandOnSelection : public RowCommandsTest, public ::testing::WithParamInterface<RowCommandCase> {};

TEST_P(RowCommandOnSelection, LeavesTheRowsInOrder)
{
    const RowCommandCase& c = GetParam();
    if (c.from >= 0)
        doc->setRowSelection(c.from, c.to);
    if (c.command == RowCommand::Insert || c.command == RowCommand::Paste)
        doc->mCpq_Click();
    doc->setEditCell(c.at < 0 ? doc->hfgQ().rows() - 1 : c.at, 0);
    switch (c.command) {
    case RowCommand::Insert: doc->mInsQcp_Click(); break;
    case RowCommand::Paste: doc->mPstQ_Click(); break;
    case RowCommand::InsertBlank: doc->mInsQ_Click(); break;
    case RowCommand::Delete: doc->mDelQ_Click(); break;
    }
    EXPECT_EQ(shownNames(), c.names);
    EXPECT_EQ(doc->GTxM(0, QCol::Name), "   品      名 ");   // the header stays
}

INSTANTIATE_TEST_SUITE_P(
    Rows, RowCommandOnSelection,
    ::testing::Values(
        RowCommandCase{"insertAbove", 3, 5, RowCommand::Insert, 2, {"r1", "r3", "r4", "r5", "r2", "r3", "r4", "r5"}},
        RowCommandCase{"upwardSelection", 5, 3, RowCommand::Paste, 1, {"r3", "r4", "r5", "r4", "r5"}},
        RowCommandCase{"fromTheHeader", 0, 2, RowCommand::Insert, 5, {"r1", "r2", "r3", "r4", "r1", "r2", "r5"}},
        RowCommandCase{"pasteOnTheLastRowGrows", 1, 3, RowCommand::Paste, -1,
                       {"r1", "r2", "r3", "r4", "r1", "r2", "r3", ""}},
        RowCommandCase{"insertBlank", -1, -1, RowCommand::InsertBlank, 2, {"r1", "", "r2", "r3", "r4", "r5"}},
        RowCommandCase{"deleteClosesUp", 3, 2, RowCommand::Delete, 1, {"r1", "r4", "r5"}},
        RowCommandCase{"deleteAllLeavesOneRow", 0, 5, RowCommand::Delete, 1, {""}}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(RowCommandsTest, MenuStateNeedsASelectionAndACopyAndCommandsRefreshTheTotalsAndLeaveNoSelection)
{
    using S = RowMenuState;   // copy remove paste insertCopied undo
    EXPECT_EQ(doc->rowMenuState(), S{});
    doc->setRowSelection(0, 0);
    EXPECT_EQ(doc->rowMenuState(), S{});
    doc->setRowSelection(2, 2);
    EXPECT_EQ(doc->rowMenuState(), (S{true, true, false, false, false}));
    doc->mCpq_Click();
    EXPECT_EQ(doc->rowMenuState(), (S{true, true, true, true, false}));

    doc->setRowSelection(3, 5);
    doc->mCpq_Click();
    doc->setEditCell(2, 0);
    doc->mInsQcp_Click();
    EXPECT_EQ(doc->editRow(), 5);
    EXPECT_EQ(doc->totals().lbSumT, "270");

    doc->setRowSelection(3, 2);
    doc->mDelQ_Click();
    EXPECT_EQ(doc->selRow(), -1);   // nothing left selected for a second 刪除
    const QStringList names = shownNames();
    doc->mDelQ_Click();
    EXPECT_EQ(shownNames(), names);
}

// The lexicon of a main database: items as (work type, work item, unit, cost, ratio), the
// first row of the most preferred work type chosen; a detail of 木門 with its markup.
class ItemPickTest : public RowCommandsTest {
protected:
    void SetUp() override
    {
        RowCommandsTest::SetUp();
        db = Database::create(file(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());
        state().m.gDb = db;
        addItems({{"木作", "木門", "樘", 3000, 1.35}, {"客廳", "木門", "扇", 2500, 1.2}, {"油漆", "乳膠漆", "坪", 0.1, 2}});
        db->execute(QStringLiteral("insert into w2d (w, d, c, sort) values ('木門', '實木', 500, 1)"));
        lexicon = std::make_unique<DatabaseItemLexicon>(*db);
    }
    void addItems(const QList<QVariantList>& rows)
    {
        for (const QVariantList& r : rows)
            db->execute(QStringLiteral("insert into t2w (t, w, u, c, s, sort) values (?, ?, ?, ?, ?, ?)"),
                        r + QVariantList{++sort});
    }
    int sort = 0;
    std::shared_ptr<Database> db;
    std::unique_ptr<DatabaseItemLexicon> lexicon;
};

TEST_F(ItemPickTest, APickFillsTheRowFromTheLexiconOfTheShownWorkType)
{
    doc->setCellText(2, QCol::Standard, "舊規格");
    EXPECT_EQ(doc->pickItem(2, "木門", "r2", *lexicon), "木門");   // 客廳's own 木門 first
    EXPECT_EQ((QStringList{doc->GTxM(2, QCol::Standard), doc->GTxM(2, QCol::Unit), doc->GTxM(2, QCol::Price)}),
              (QStringList{"", "扇", "3000"}));
    // A known detail's markup is driven through the window; an unknown one keeps the cost.
    ASSERT_TRUE(doc->pickDetail(2, "實木", *lexicon));
    EXPECT_FALSE(doc->pickDetail(2, "其他", *lexicon));
    EXPECT_EQ((QStringList{doc->GTxM(2, QCol::Standard), doc->GTxM(2, QCol::Cost), doc->GTxM(2, QCol::Price)}),
              (QStringList{"其他", "3000", "3600"}));

    // An unknown item writes only its name.
    doc->pickItem(1, "不明", "", *lexicon);
    EXPECT_EQ(doc->GTxM(1, QCol::Name), "不明");
    EXPECT_EQ(doc->GTxM(1, QCol::WorkItem), "不明");
    EXPECT_EQ(doc->GTxM(1, QCol::Price), "10");
}

TEST_F(ItemPickTest, NamelessRowsAboveThePickGoToTheEndAndTheUndoFollowsItsRow)
{
    doc->setCellText(2, QCol::Name, "");
    doc->setCellText(3, QCol::Name, "");
    doc->pickItem(5, "乳膠漆", "", *lexicon);
    EXPECT_EQ(shownNames(), (QStringList{"r1", "r4", "乳膠漆", "", ""}));
    ASSERT_TRUE(doc->mUndo_Click());
    EXPECT_EQ(shownNames(), (QStringList{"r1", "r4", "r5", "", ""}));
    EXPECT_EQ(doc->GTxM(3, QCol::Price), "50");
    EXPECT_EQ(doc->GTxM(3, QCol::WorkItem), "");   // details no longer follow the undone pick
    ASSERT_TRUE(doc->mUndo_Click());   // a second undo writes the same texts again
    EXPECT_EQ(shownNames(), (QStringList{"r1", "r4", "r5", "", ""}));
}

TEST_F(ItemPickTest, UndoIsClearedByANodeChangeAStructuralCommandOrAPickIntoAnEmptyRow)
{
    doc->pickItem(1, "木門", "", *lexicon);
    ensureRow(6);
    doc->pickItem(6, "木門", "", *lexicon);
    EXPECT_FALSE(doc->canUndo());
    EXPECT_FALSE(doc->mUndo_Click());

    doc->pickItem(1, "乳膠漆", "", *lexicon);
    doc->tv_NodeClick(LeafPath({"臥室"}));
    doc->tv_NodeClick(LeafPath({"客廳"}));
    EXPECT_FALSE(doc->canUndo());

    doc->pickItem(2, "木門", "", *lexicon);
    ASSERT_TRUE(doc->canUndo());
    doc->setEditCell(1, 0);
    doc->mInsQ_Click();
    EXPECT_FALSE(doc->canUndo());
    EXPECT_FALSE(doc->rowMenuState().undo);
}

TEST_F(ItemPickTest, RowsPutBackByPasteOrUndoKeepTheTotalWithinThirteenDigits)
{
    // Row 1 holds five of the thirteen-digit trillions; a second copy of it would pass them.
    doc->setTaxChecked(CheckState::Unchecked);
    ASSERT_TRUE(doc->cellEdited(1, QCol::Price, "5000000000000"));
    doc->setRowSelection(1, 1);
    doc->mCpq_Click();
    doc->pickItem(3, "乳膠漆", "r3", *lexicon);   // priced 0; the undo keeps r3 at 30
    const QStringList names = shownNames();
    const QStringList amounts = column(doc->hfgQ(), QCol::Amount);

    struct Case {
        const char* name;
        int at;
        std::function<void()> command;
        bool refused;
    };
    const Case cases[] = {
        {"paste onto another row", 2, [&] { doc->mPstQ_Click(); }, true},
        {"insert the copy", 2, [&] { doc->mInsQcp_Click(); }, true},
        {"paste onto the row itself", 1, [&] { doc->mPstQ_Click(); }, false},
    };
    for (const Case& c : cases) {
        prompts.clear();
        doc->setEditCell(c.at, 0);
        c.command();
        EXPECT_EQ(prompts.lastMessageText(), c.refused ? Pricing::tooLargeMessage() : QString()) << c.name;
        EXPECT_EQ(shownNames(), names) << c.name;
        EXPECT_EQ(column(doc->hfgQ(), QCol::Amount), amounts) << c.name;
    }

    // Row 2 takes the total to the limit itself; the undo would bring r3 back past it.
    ASSERT_TRUE(doc->cellEdited(2, QCol::Price, "4999999999909"));
    EXPECT_EQ(doc->totals().lbSumT, "9999999999999");
    EXPECT_FALSE(doc->mUndo_Click());
    EXPECT_EQ(prompts.lastMessageText(), Pricing::tooLargeMessage());
    EXPECT_EQ(doc->GTxM(3, QCol::Name), "乳膠漆");
    EXPECT_EQ(doc->totals().lbSumT, "9999999999999");
}

TEST_F(ItemPickTest, CellsRefuseTheFieldSeparatorAndInnerNodesRefuseEdits)
{
    // A lexicon name the file cannot hold is refused at the pick, not at the next save.
    addItems({{"客廳", "木|門", "樘", 1, 1}, {"客廳", "窗", "才|片", 1, 1}});
    for (const char* item : {"木|門", "窗"}) {
        EXPECT_EQ(doc->pickItem(1, QString::fromUtf8(item), "", *lexicon), QString()) << item;
        EXPECT_EQ(doc->GTxM(1, QCol::Name), "r1");
    }
    EXPECT_EQ(prompts.lastMessageText(), "「單位」不可含有「|」:才|片");

    EXPECT_FALSE(doc->setCellText(1, QCol::Name, "a|b"));
    EXPECT_EQ(prompts.lastMessageText(), "「品名」不可含有「|」:a|b");
    EXPECT_EQ(doc->GTxM(1, QCol::Name), "r1");
    doc->selectRoot();
    EXPECT_FALSE(doc->cellEdited(1, QCol::Qty, "5"));
}

TEST_F(ItemPickTest, TheCustomerOfTheOpenedFileIsLookedUpByName)
{
    db->execute(QStringLiteral("insert into 客戶 (客戶名稱, 電話1, 公司傳真, 連絡人) values (?, ?, ?, ?)"),
                {"林'記", "02;2345678", "02;7654321", "林先生"});
    doc->setHeaderField(HeaderField::CustomerName, "林'記");
    EXPECT_TRUE(doc->lookUpCustomer(*db));
    const auto found = [&] {
        return QStringList{doc->header().telephone, doc->header().contact, state().m.gCusTel,
                           state().m.gCusFax, state().m.gCusContact};
    };
    EXPECT_EQ(found(), (QStringList{"02 2345678", "林先生", "02 2345678", "02 7654321", "林先生"}));

    doc->setHeaderField(HeaderField::CustomerName, "不在名冊");
    EXPECT_FALSE(doc->lookUpCustomer(*db));
    EXPECT_EQ(found(), (QStringList{"", "", "", "", ""}));
}

TEST_F(ItemPickTest, AnItemOfTheCurrentWorkTypeComesBeforeOthersOfTheSameName)
{
    addItems({{"木作", "5\"x7' 門片", "片", 100, 2}});
    DatabaseItemLexicon& lexicon = *this->lexicon;
    EXPECT_EQ(lexicon.itemFacts("木門", {"木作", "客廳", Q}).value().unit, "樘");
    const auto facts = lexicon.itemFacts("木門", {"浴室"});   // none preferred: the first row
    EXPECT_EQ(facts.value().unit, "樘");
    EXPECT_FLOAT_EQ(facts->ratio, 1.35f);
    EXPECT_FALSE(lexicon.itemFacts("不明", {}).has_value());
    EXPECT_EQ(lexicon.itemFacts("5\"x7' 門片", {}).value().unit, "片");   // quotes are data
    EXPECT_EQ(lexicon.detailCost("實木", "木門"), 500.0f);
    EXPECT_FALSE(lexicon.detailCost("實木", "乳膠漆").has_value());

    // Without a database of its own the lexicon reads the program's connection as it is
    // at each look-up: reopened elsewhere, the new one answers.
    DatabaseItemLexicon shared;
    EXPECT_EQ(shared.itemFacts("木門", {"客廳"}).value().unit, "扇");
    std::shared_ptr<Database> moved = Database::create(file("moved.mdb"), {}, MainSchemaSql());
    moved->execute(QStringLiteral("insert into t2w (t, w, sort, u, c, s) values ('客廳', '木門', 1, '組', 1, 1)"));
    state().m.gDb = moved;
    EXPECT_EQ(shared.itemFacts("木門", {"客廳"}).value().unit, "組");
    state().m.gDb.reset();
    EXPECT_THROW(shared.itemFacts("木門", {}), DbError);
}

} // namespace
} // namespace varn::test
