#include "DbTestSupport.h"

namespace varn::test {
namespace {

class ExecuteTest : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        db = makeCustomers(QStringLiteral("varn3.mdb"), QStringLiteral("pw"));
        for (const char* name : {"50% off", "A_B", "AxB", "back\\slash", "plain"})
            db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES (?)"), {QString::fromUtf8(name)});
    }
    int count(const QString& where = QStringLiteral("1"), const QVariantList& params = {})
    {
        return db->openRecordset(QStringLiteral("SELECT count(*) FROM 客戶 WHERE ") + where, params)
            .value(0)
            .toInt();
    }
    std::unique_ptr<Database> db;
};

TEST_F(ExecuteTest, ReturnsTheNumberOfChangedRows)
{
    EXPECT_EQ(db->execute(QStringLiteral("UPDATE 客戶 SET 電話 = ? WHERE 客戶名稱 LIKE 'A%'"),
                          {QStringLiteral("1")}),
              2);
    EXPECT_EQ(db->execute(QStringLiteral("DELETE FROM 客戶 WHERE 客戶名稱 = ?"), {QStringLiteral("none")}), 0);
}

TEST_F(ExecuteTest, ParametersBindByTypeAndQuotesStayData)
{
    db->execute(QStringLiteral("CREATE TABLE t (a, b, c, d, e)"));
    db->execute(QStringLiteral("INSERT INTO t VALUES (?, ?, ?, ?, ?)"),
                {true, QVariant(), 2.5, QStringLiteral("O'Neil\"; DROP TABLE t; --"), qlonglong(1) << 40});
    auto rs = db->openRecordset(QStringLiteral("SELECT typeof(a), typeof(b), typeof(c), d, e FROM t"));
    EXPECT_EQ(rs.text(0), QStringLiteral("integer"));
    EXPECT_EQ(rs.text(1), QStringLiteral("null"));
    EXPECT_EQ(rs.text(2), QStringLiteral("real"));
    EXPECT_EQ(rs.text(3), QStringLiteral("O'Neil\"; DROP TABLE t; --"));
    EXPECT_EQ(rs.value(4).toLongLong(), qlonglong(1) << 40);
}

TEST_F(ExecuteTest, WrongParameterCountOrSecondStatementIsRefused)
{
    EXPECT_EQ(errorNumberOf([&] { db->execute(QStringLiteral("DELETE FROM 客戶 WHERE 客戶名稱 = ?")); }),
              DbErr::General);
    EXPECT_EQ(errorNumberOf([&] {
                  db->execute(QStringLiteral("DELETE FROM 客戶 WHERE 1 = 0; DELETE FROM 客戶"));
              }),
              DbErr::General);
    EXPECT_EQ(count(), 5);
    EXPECT_EQ(db->execute(QStringLiteral("DELETE FROM 客戶 WHERE 1 = 0;  \n")), 0);
}

TEST_F(ExecuteTest, UniqueViolationIs3022EvenInOtherLetterCase)
{
    EXPECT_EQ(errorNumberOf([&] {
                  db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES (?)"), {QStringLiteral("PLAIN")});
              }),
              DbErr::DuplicateKey);
    EXPECT_EQ(errorNumberOf([&] {
                  db->execute(QStringLiteral("INSERT INTO 客戶 (客戶編號, 客戶名稱) VALUES (1, 'new')"));
              }),
              DbErr::DuplicateKey);
    EXPECT_EQ(errorNumberOf([&] { db->execute(QStringLiteral("SELEC nonsense")); }), DbErr::General);
    try {
        db->execute(QStringLiteral("SELECT * FROM no_such_table"));
        FAIL();
    } catch (const DbError& e) {
        EXPECT_TRUE(e.description().contains(QStringLiteral("no_such_table")));
    }
}

TEST_F(ExecuteTest, LikeWithEscapedTextTakesWildcardsLiterally)
{
    const QString like = QStringLiteral("客戶名稱 LIKE ? ESCAPE '\\'");
    EXPECT_EQ(count(like, {EscapeLike(QStringLiteral("A_B"))}), 1);
    EXPECT_EQ(count(like, {QStringLiteral("A_B")}), 2);  // unescaped, _ matches AxB too
    EXPECT_EQ(count(like, {QStringLiteral("%") + EscapeLike(QStringLiteral("%")) + QStringLiteral("%")}), 1);
    EXPECT_EQ(count(like, {EscapeLike(QStringLiteral("back\\slash"))}), 1);
    EXPECT_EQ(count(like, {EscapeLike(QStringLiteral("pla")) + QStringLiteral("%")}), 1);
}

TEST_F(ExecuteTest, QuotedIdentifierNamesAnyColumn)
{
    db->execute(QStringLiteral("CREATE TABLE %1 (%2 TEXT)")
                    .arg(QuoteIdentifier(QStringLiteral("a\"b")), QuoteIdentifier(QStringLiteral("欄 位"))));
    db->execute(QStringLiteral("INSERT INTO \"a\"\"b\" VALUES ('v')"));
    auto rs = db->openRecordset(QStringLiteral("SELECT %1 FROM %2")
                                    .arg(QuoteIdentifier(QStringLiteral("欄 位")),
                                         QuoteIdentifier(QStringLiteral("a\"b"))));
    EXPECT_EQ(rs.text(QStringLiteral("欄 位")), QStringLiteral("v"));
}

TEST_F(ExecuteTest, TransactionRollsBackUnlessCommitted)
{
    EXPECT_EQ(errorNumberOf([&] {
                  Transaction tx(*db);
                  db->execute(QStringLiteral("DELETE FROM 客戶"));
                  db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES ('x')"));
                  db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES ('X')"));  // duplicate
                  tx.commit();
              }),
              DbErr::DuplicateKey);
    EXPECT_EQ(count(), 5);

    {
        Transaction tx(*db);
        db->execute(QStringLiteral("DELETE FROM 客戶"));
        db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱) VALUES ('x')"));
        tx.commit();
    }
    auto other = Database::open(file(QStringLiteral("varn3.mdb")), QStringLiteral("pw"));
    EXPECT_EQ(other->openRecordset(QStringLiteral("客戶")).recordCount(), 1);
}

TEST_F(ExecuteTest, NestedTransactionRollsBackItsOwnPart)
{
    Transaction outer(*db);
    db->execute(QStringLiteral("DELETE FROM 客戶 WHERE 客戶名稱 = 'plain'"));
    {
        Transaction inner(*db);
        db->execute(QStringLiteral("DELETE FROM 客戶"));
    }
    outer.commit();
    EXPECT_EQ(count(), 4);
}

TEST_F(ExecuteTest, WriterLockedByAnotherConnectionIsBusy)
{
    auto other = Database::open(file(QStringLiteral("varn3.mdb")), QStringLiteral("pw"));
    Transaction tx(*other);
    other->execute(QStringLiteral("DELETE FROM 客戶"));
    db->setBusyTimeout(50);
    EXPECT_EQ(errorNumberOf([&] { Transaction mine(*db); }), DbErr::Busy);
}

} // namespace
} // namespace varn::test
