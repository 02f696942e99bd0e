// 品名加入施工資料庫: what reaches t2w, what frmAddw shows, where the command refuses.
#include "Window2Support.h"

#include "quotation/LexiconAdditions.h"
#include "quotation/widgets/LexiconAdditionCommand.h"
#include "quotation/widgets/frmAddw.h"

#include <QLabel>
#include <QListWidget>
#include <QWidget>

namespace varn::test {
namespace {

class LexiconAdditionTest : public Window2Test {
protected:
    void SetUp() override
    {
        Window2Test::SetUp();
        window = std::make_unique<QWidget>();
        command = new LexiconAdditionCommand(*doc, window.get());
    }
    void TearDown() override
    {
        window.reset();
        Window2Test::TearDown();
    }

    void lexiconRow(const QString& t, const QString& w, int sort)
    {
        db->execute(QStringLiteral("insert into t2w (t, w, sort, u, c, s) values (?, ?, ?, '式', 1, 1)"),
                    {t, w, sort});
    }

    struct Row {
        QString w;
        int sort;
        QString u;
        double c, s;
    };
    // The t2w rows of a work type, in order number order.
    QList<Row> lexicon(const QString& t)
    {
        QList<Row> out;
        Recordset rs = db->openRecordset(
            QStringLiteral("select w, sort, u, c, s from t2w where t = ? order by sort"), {t});
        for (; !rs.eof(); rs.moveNext())
            out << Row{rs.text(0), rs.value(1).toInt(), rs.text(2), rs.value(3).toDouble(),
                       rs.value(4).toDouble()};
        return out;
    }

    void setCells(int row, const QString& name, const QString& unit, const QString& cost,
                  const QString& ratio)
    {
        ensureRow(row);
        if (!name.isEmpty()) {
            ASSERT_TRUE(doc->setCellText(row, QCol::Name, name));
        }
        ASSERT_TRUE(doc->setCellText(row, QCol::Unit, unit));
        doc->hfgQ().setTextMatrix(row, QCol::Cost, cost);
        doc->hfgQ().setTextMatrix(row, QCol::Ratio, ratio);
    }

    std::unique_ptr<QWidget> window;
    LexiconAdditionCommand* command = nullptr;
};

TEST_F(LexiconAdditionTest, NewNamesFollowTheLargestOrderNumberAndKnownOnesAreListed)
{
    lexiconRow("木作", "天花板", 7);
    lexiconRow("木作", "踢腳板", 3);
    lexiconRow("油漆", "隔間", 20);   // another work type's item does not count
    add(Q, {"客廳"});
    add(qpath({"客廳"}), {"木作"}, true);
    doc->tv_NodeClick(qpath({"客廳", "木作"}));
    setCells(1, "天花板", "坪", "1200", "1.3");
    setCells(2, "隔間", "式", "3000元", "1.25倍");
    setCells(3, "", "", "", "");                      // an empty row is neither added nor listed
    setCells(4, "系統櫃", "", "abc", "");
    setCells(5, "隔間", "尺", "1", "1");               // met twice: added once, then listed

    EXPECT_TRUE(command->mAdd2W_Click());

    const QList<Row> rows = lexicon("木作");
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[2].w, "隔間");
    EXPECT_EQ(rows[2].sort, 8);
    EXPECT_EQ(rows[2].u, "式");
    EXPECT_DOUBLE_EQ(rows[2].c, 3000);
    EXPECT_DOUBLE_EQ(rows[2].s, 1.25);
    EXPECT_EQ(rows[3].w, "系統櫃");
    EXPECT_EQ(rows[3].sort, 9);
    EXPECT_DOUBLE_EQ(rows[3].c, 0);
    EXPECT_DOUBLE_EQ(rows[3].s, 0);

    ASSERT_NE(command->dialog(), nullptr);
    EXPECT_EQ(command->dialog()->windowTitle(), "品名加入");
    EXPECT_FALSE(command->dialog()->isModal());
    EXPECT_EQ(command->dialog()->listedNames(), (QStringList{"天花板", "隔間"}));
    EXPECT_EQ(command->dialog()->countText(), "總共加入2筆");
}

TEST_F(LexiconAdditionTest, AWorkTypeWithoutItemsNumbersFromOneAndQuotesAreStoredAsTyped)
{
    add(Q, {"木作"}, true);   // no-area mode: the work type stands under the root
    ASSERT_TRUE(doc->noAreaMode());
    doc->tv_NodeClick(qpath({"木作"}));
    setCells(1, "O'Neil's 櫃", "組", "5", "1");
    setCells(2, "\"雙\"門", "組", "6", "1");

    EXPECT_TRUE(command->mAdd2W_Click());
    const QList<Row> rows = lexicon("木作");
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].w, "O'Neil's 櫃");
    EXPECT_EQ(rows[0].sort, 1);
    EXPECT_EQ(rows[1].w, "\"雙\"門");
    EXPECT_EQ(rows[1].sort, 2);

    // A second run finds both, lists only them, and counts nothing.
    EXPECT_FALSE(command->mAdd2W_Click());
    EXPECT_EQ(lexicon("木作").size(), 2);
    EXPECT_EQ(command->dialog()->listedNames(), (QStringList{"O'Neil's 櫃", "\"雙\"門"}));
    EXPECT_EQ(command->dialog()->countText(), "總共加入0筆");
}

TEST_F(LexiconAdditionTest, ANameDifferingOnlyInCaseIsAnotherItem)
{
    lexiconRow("木作", "PVC 地板", 1);
    add(Q, {"木作"}, true);
    doc->tv_NodeClick(qpath({"木作"}));
    setCells(1, "pvc 地板", "坪", "1", "1");
    setCells(2, "PVC 地板", "坪", "1", "1");
    command->mAdd2W_Click();
    EXPECT_EQ(command->dialog()->listedNames(), QStringList{"PVC 地板"});
    EXPECT_EQ(command->dialog()->countText(), "總共加入1筆");
    EXPECT_TRUE(LexiconAdditions::hasw(*db, "pvc 地板", "木作"));
    EXPECT_FALSE(LexiconAdditions::hasw(*db, "Pvc 地板", "木作"));
}

TEST_F(LexiconAdditionTest, RefusedAnywhereButAtAWorkTypeLeaf)
{
    add(Q, {"客廳", "臥室"});
    add(qpath({"臥室"}), {"木作"}, true);

    // An area without work types: its name is no work type.
    doc->tv_NodeClick(qpath({"客廳"}));
    ASSERT_TRUE(doc->isLeaf());
    setCells(1, "天花板", "坪", "1", "1");
    EXPECT_FALSE(command->mAdd2W_Click());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(lexicon("客廳").isEmpty());
    EXPECT_EQ(command->dialog(), nullptr);

    // An area with work types, and the root.
    doc->tv_NodeClick(qpath({"臥室"}));
    EXPECT_FALSE(command->mAdd2W_Click());
    doc->selectRoot();
    EXPECT_FALSE(command->mAdd2W_Click());
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 3);
    EXPECT_EQ(db->openRecordset(QStringLiteral("select count(*) from t2w")).value(0).toInt(), 0);
}

TEST_F(LexiconAdditionTest, AFailedAppendAddsNothing)
{
    add(Q, {"木作"}, true);
    doc->tv_NodeClick(qpath({"木作"}));
    setCells(1, "甲", "組", "1", "1");
    setCells(2, "乙", "組", "1", "1");
    // The second insert fails: the first must not stay behind.
    db->execute(QStringLiteral(
        "create trigger refuse_b before insert on t2w when new.w = '乙' "
        "begin select raise(abort, 'refused'); end"));
    EXPECT_FALSE(command->mAdd2W_Click());
    EXPECT_TRUE(lexicon("木作").isEmpty());
    EXPECT_EQ(prompts.lastMessageTitle(), "Varn III");
    EXPECT_TRUE(prompts.lastMessageText().startsWith("品名加入失敗"));
}

} // namespace
} // namespace varn::test
