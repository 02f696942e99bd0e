// 品名加入施工資料庫: what reaches t2w, what frmAddw shows, where the command refuses.
#include "quotation/widgets/WindowFixture.h"

#include "quotation/LexiconAdditions.h"
#include "quotation/widgets/LexiconAdditionCommand.h"
#include "quotation/widgets/frmAddw.h"

namespace varn::test {
namespace {

class LexiconAdditionTest : public QuotationTest {
protected:
    void SetUp() override
    {
        QuotationTest::SetUp();
        openDatabase();
        window = std::make_unique<QWidget>();
        command = new LexiconAdditionCommand(*doc, window.get());
    }
    void TearDown() override
    {
        window.reset();
        QuotationTest::TearDown();
    }

    void lexiconRow(const QString& t, const QString& w, int sort)
    {
        db->execute("insert into t2w (t, w, sort, u, c, s) values (?, ?, ?, '式', 1, 1)", {t, w, sort});
    }
    // The t2w rows of a work type as "w sort u c s", in order number order.
    QStringList lexicon(const QString& t)
    {
        QStringList out;
        Recordset rs = db->openRecordset("select w, sort, u, c, s from t2w where t = ? order by sort", {t});
        for (; !rs.eof(); rs.moveNext())
            out << QStringLiteral("%1 %2 %3 %4 %5").arg(rs.text(0)).arg(rs.value(1).toInt()).arg(rs.text(2))
                       .arg(rs.value(3).toDouble()).arg(rs.value(4).toDouble());
        return out;
    }
    // Rows of 品名, 單位, 成本, 比例 on the shown leaf, from row 1.
    void setRows(const QList<QStringList>& rows)
    {
        for (int r = 1; r <= rows.size(); ++r) {
            ensureRow(r);
            const QStringList& cells = rows[r - 1];
            if (!cells[0].isEmpty()) {
                ASSERT_TRUE(doc->setCellText(r, QCol::Name, cells[0]));
            }
            ASSERT_TRUE(doc->setCellText(r, QCol::Unit, cells[1]));
            doc->hfgQ().setTextMatrix(r, QCol::Cost, cells[2]);
            doc->hfgQ().setTextMatrix(r, QCol::Ratio, cells[3]);
        }
    }
    // The single work type 木作 under the root, shown.
    void onlyWoodwork()
    {
        add(Q, {"木作"}, true);
        doc->tv_NodeClick(path({"木作"}));
    }

    std::unique_ptr<QWidget> window;
    LexiconAdditionCommand* command = nullptr;
};

TEST_F(LexiconAdditionTest, NewNamesFollowTheLargestOrderNumberAndKnownOnesAreListed)
{
    lexiconRow("木作", "天花板", 7);
    lexiconRow("木作", "踢腳板", 3);
    lexiconRow("木作", "PVC 地板", 1);
    lexiconRow("油漆", "隔間", 20);   // another work type's item does not count
    add(Q, {"客廳"});
    add(path({"客廳"}), {"木作"}, true);
    setRows({{"天花板", "坪", "1200", "1.3"},
             {"隔間", "式", "3000元", "1.25倍"},
             {"", "", "", ""},   // an empty row is neither added nor listed
             {"系統櫃", "", "abc", ""},
             {"隔間", "尺", "1", "1"},   // met twice: added once, then listed
             {"pvc 地板", "坪", "1", "1"}});   // differing only in case: another item

    EXPECT_TRUE(command->mAdd2W_Click());
    EXPECT_EQ(lexicon("木作"), (QStringList{"PVC 地板 1 式 1 1", "踢腳板 3 式 1 1", "天花板 7 式 1 1",
                                             "隔間 8 式 3000 1.25", "系統櫃 9  0 0", "pvc 地板 10 坪 1 1"}));
    ASSERT_NE(command->dialog(), nullptr);
    EXPECT_EQ(command->dialog()->listedNames(), (QStringList{"天花板", "隔間"}));
    EXPECT_EQ(command->dialog()->countText(), "總共加入3筆");
}

TEST_F(LexiconAdditionTest, AWorkTypeWithoutItemsNumbersFromOneAndQuotesAreStoredAsTyped)
{
    onlyWoodwork();   // no-area mode: the work type stands under the root
    setRows({{"O'Neil's 櫃", "組", "5", "1"}, {"\"雙\"門", "組", "6", "1"}});
    EXPECT_TRUE(command->mAdd2W_Click());
    EXPECT_EQ(lexicon("木作"), (QStringList{"O'Neil's 櫃 1 組 5 1", "\"雙\"門 2 組 6 1"}));

    // A second run finds both, lists only them, and counts nothing.
    EXPECT_FALSE(command->mAdd2W_Click());
    EXPECT_EQ(lexicon("木作").size(), 2);
    EXPECT_EQ(command->dialog()->listedNames(), (QStringList{"O'Neil's 櫃", "\"雙\"門"}));
    EXPECT_EQ(command->dialog()->countText(), "總共加入0筆");

    // An append that fails half-way adds nothing.
    setRows({{"甲", "組", "1", "1"}, {"乙", "組", "1", "1"}});
    db->execute("create trigger refuse_b before insert on t2w when new.w = '乙' "
                "begin select raise(abort, 'refused'); end");
    EXPECT_FALSE(command->mAdd2W_Click());
    EXPECT_EQ(lexicon("木作").size(), 2);
    EXPECT_TRUE(prompts.lastMessageText().startsWith("品名加入失敗"));
}

TEST_F(LexiconAdditionTest, RefusedAnywhereButAtAWorkTypeLeaf)
{
    add(Q, {"客廳", "臥室"});
    add(path({"臥室"}), {"木作"}, true);
    // An area without work types (its name is no work type), an area with them, the root.
    doc->tv_NodeClick(path({"客廳"}));
    setRows({{"天花板", "坪", "1", "1"}});
    EXPECT_FALSE(command->mAdd2W_Click());
    EXPECT_EQ(command->dialog(), nullptr);
    doc->tv_NodeClick(path({"臥室"}));
    EXPECT_FALSE(command->mAdd2W_Click());
    doc->selectRoot();
    EXPECT_FALSE(command->mAdd2W_Click());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_EQ(db->openRecordset("select count(*) from t2w").value(0).toInt(), 0);

    // A work type added below a work type is a work type too.
    add(path({"臥室", "木作"}), {"門框"}, true);
    EXPECT_EQ(LexiconAdditions::targetWorkType(*doc), "門框");
    setRows({{"門檔", "支", "1", "1"}});
    EXPECT_TRUE(command->mAdd2W_Click());
    EXPECT_EQ(lexicon("門框"), QStringList{"門檔 1 支 1 1"});
}

} // namespace
} // namespace varn::test
