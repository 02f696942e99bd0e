// Opening and saving through the dialogs, new quotation, recent files, the
// customer re-look-up and the lexicon look-ups of the main database.
#include "QuotationTestSupport.h"

#include "platform/text/Cp950.h"
#include "quotation/ItemLexicon.h"

namespace varn::test {
namespace {

class FileCommandsTest : public QuotationTest {
protected:
    // A saved quotation with one row under Ｑ‧客廳.
    QString savedFile(const QString& name, const QString& item = QStringLiteral("a"))
    {
        Quotation q;
        q.AddChildNodes(Q, {"客廳"}, false);
        q.setCellText(1, QCol::Name, item);
        EXPECT_TRUE(q.saveTo(file(name)));
        return file(name);
    }
};

TEST_F(FileCommandsTest, OpeningAsksToSaveOnlyAChangedQuotation)
{
    const QString f = savedFile("f.vrn", "from file");
    // Without a register to look the customer up in, nothing of the last one stays.
    state().m.gCusTel = state().m.gCusFax = state().m.gCusContact = "舊客戶";
    ASSERT_TRUE(doc->mOpen_Click(f));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(state().m.gCusTel + state().m.gCusFax + state().m.gCusContact, "");

    doc->tv_NodeClick(path({"客廳"}));
    doc->setCellText(1, QCol::Name, "typed");
    // Cancel, or Yes with the save dialog cancelled: the quotation stays as it was.
    prompts.answerMessage(PromptButton::Cancel);
    EXPECT_FALSE(doc->mOpen_Click(f));
    EXPECT_EQ(prompts.lastMessageText(), "是否存檔?");
    prompts.answerMessage(PromptButton::Yes);
    prompts.answerSaveFile(std::nullopt);
    EXPECT_FALSE(doc->mOpen_Click(f));
    EXPECT_EQ(prompts.lastMessageText(), "取消另存檔案");
    EXPECT_TRUE(doc->isModified());
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

TEST_F(FileCommandsTest, ModifiedFollowsEditsSavesAndOpens)
{
    QList<bool> signals_;
    QObject::connect(doc.get(), &Quotation::modifiedChanged, [&](bool m) { signals_ << m; });
    doc->AddChildNodes(Q, {"客廳"}, false);
    ASSERT_TRUE(doc->saveTo(file("m.vrn")));
    EXPECT_FALSE(doc->isModified());
    doc->tv_NodeClick(path({"客廳"}));
    EXPECT_FALSE(doc->isModified());   // selecting nodes changes nothing
    doc->cellEdited(1, QCol::Qty, "2");
    ASSERT_TRUE(doc->saveTo(file("m.vrn")));
    ASSERT_TRUE(doc->mOpen_Click(file("m.vrn")));
    EXPECT_FALSE(doc->isModified());
    EXPECT_EQ(signals_, (QList<bool>{true, false, true, false}));
}

TEST_F(FileCommandsTest, AFileWithNumbersPastTheNumeralsOpensAsItIsWithAMessage)
{
    const QString livingRoom = path({"客廳"}), bedroom = path({"臥室"});
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

// ---- recent files -----------------------------------------------------------------------------

TEST_F(FileCommandsTest, OfIniKeepsFiveDistinctFiles)
{
    const QString ini = file("Of.ini");
    Cp950LineWriter w;
    for (const char* f : {"a", "a", "", "b", "c", "d", "e", "f"})
        w.addLine(f);
    w.commit(ini);
    RecentFiles r;
    r.load(ini);
    EXPECT_EQ(r.paths(), (QStringList{"a", "b", "c", "d", "e"}));
    r.AddRecentFile("z");
    r.AddRecentFile("c");
    EXPECT_EQ(r.paths(), (QStringList{"c", "z", "a", "b", "d"}));
    ASSERT_TRUE(r.save(ini));
    EXPECT_EQ(ReadCp950Lines(ini), (QStringList{"c", "z", "a", "b", "d"}));

    RecentFiles other;
    other.load(file("none.ini"));
    EXPECT_TRUE(other.paths().isEmpty());
    other.AddRecentFile("a");
    other.AddRecentFile("A");   // paths compare as text, case and all
    EXPECT_EQ(other.paths(), (QStringList{"A", "a"}));
}

// ---- the main database ----------------------------------------------------------------------

class DatabaseLookUpTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        openDatabase();
        db->execute(QStringLiteral("insert into 客戶 (客戶名稱, 電話1, 公司傳真, 連絡人) values (?, ?, ?, ?)"),
                    {"林'記", "02;2345678", "02;7654321", "林先生"});
        const QVariantList items[] = {{"木作", "木門", 1, "樘", 3000, 1.35}, {"客廳", "木門", 1, "扇", 2500, 1.2},
                                      {"油漆", "乳膠漆", 1, "坪", 80, 1.25}, {"木作", "5\"x7' 門片", 2, "片", 100, 2}};
        for (const QVariantList& row : items)
            db->execute(QStringLiteral("insert into t2w (t, w, sort, u, c, s) values (?, ?, ?, ?, ?, ?)"), row);
        db->execute(QStringLiteral("insert into w2d (w, d, c, sort) values (?, ?, ?, ?)"), {"木門", "實木", 500, 1});
    }
};

TEST_F(DatabaseLookUpTest, TheCustomerOfTheOpenedFileIsLookedUpByName)
{
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

TEST_F(DatabaseLookUpTest, AnItemOfTheCurrentWorkTypeComesBeforeOthersOfTheSameName)
{
    DatabaseItemLexicon lexicon(*db);
    EXPECT_EQ(lexicon.itemFacts("木門", {"木作", "客廳", Q}).value().unit, "樘");
    EXPECT_EQ(lexicon.itemFacts("木門", {"客廳", Q}).value().unit, "扇");
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
