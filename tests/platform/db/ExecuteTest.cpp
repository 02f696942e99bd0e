#include "DbTestSupport.h"

namespace varn::test {
namespace {

class ExecuteTest : public DbFixture {
protected:
    void SetUp() override
    {
        db = makeCustomers(u"varn3.mdb"_s, u"pw"_s);
        for (const char* name : {"50% off", "A_B", "AxB", "back\\slash", "plain"})
            db->execute(u"INSERT INTO 客戶 (客戶名稱) VALUES (?)"_s, {QString::fromUtf8(name)});
    }
    int count(const QString& where = u"1"_s, const QVariantList& params = {})
    {
        return db->openRecordset(u"SELECT count(*) FROM 客戶 WHERE "_s + where, params).value(0).toInt();
    }
    int errorOf(const QString& sql, const QVariantList& params = {})
    {
        return errorNumberOf([&] { db->execute(sql, params); });
    }
    std::unique_ptr<Database> db;
};

TEST_F(ExecuteTest, ParametersBindByTypeAndQuotesStayData)
{
    EXPECT_EQ(db->execute(u"UPDATE 客戶 SET 電話 = ? WHERE 客戶名稱 LIKE 'A%'"_s, {u"1"_s}), 2);   // rows changed
    EXPECT_EQ(db->execute(u"DELETE FROM 客戶 WHERE 客戶名稱 = ?"_s, {u"none"_s}), 0);

    db->execute(u"CREATE TABLE t (a, b, c, d, e)"_s);
    db->execute(u"INSERT INTO t VALUES (?, ?, ?, ?, ?)"_s,
                {true, QVariant(), 2.5, u"O'Neil\"; DROP TABLE t; --"_s, qlonglong(1) << 40});
    auto rs = db->openRecordset(u"SELECT typeof(a), typeof(b), typeof(c), d, e FROM t"_s);
    EXPECT_EQ(QStringList({rs.text(0), rs.text(1), rs.text(2), rs.text(3)}),
              QStringList({u"integer"_s, u"null"_s, u"real"_s, u"O'Neil\"; DROP TABLE t; --"_s}));
    EXPECT_EQ(rs.value(4).toLongLong(), qlonglong(1) << 40);
}

TEST_F(ExecuteTest, RefusalsCarryTheirNumbers)
{
    const std::pair<QString, int> cases[] = {
        {u"DELETE FROM 客戶 WHERE 客戶名稱 = ?"_s, DbErr::General},            // a parameter missing
        {u"DELETE FROM 客戶 WHERE 1 = 0; DELETE FROM 客戶"_s, DbErr::General},  // a second statement
        {u"INSERT INTO 客戶 (客戶名稱) VALUES ('PLAIN')"_s, DbErr::DuplicateKey},  // in other letter case
        {u"INSERT INTO 客戶 (客戶編號, 客戶名稱) VALUES (1, 'new')"_s, DbErr::DuplicateKey},
        {u"SELEC nonsense"_s, DbErr::General},
    };
    for (const auto& [sql, error] : cases)
        EXPECT_EQ(errorOf(sql), error) << sql.toStdString();
    EXPECT_EQ(count(), 5);
    EXPECT_EQ(db->execute(u"DELETE FROM 客戶 WHERE 1 = 0;  \n"_s), 0);   // trailing blanks are no statement
    try {
        db->execute(u"SELECT * FROM no_such_table"_s);
        ADD_FAILURE() << "no error";
    } catch (const DbError& e) {
        EXPECT_TRUE(e.description().contains(u"no_such_table"_s));
    }
}

TEST_F(ExecuteTest, LikeWithEscapedTextTakesWildcardsLiterally)
{
    const QString like = u"客戶名稱 LIKE ? ESCAPE '\\'"_s;
    EXPECT_EQ(count(like, {EscapeLike(u"A_B"_s)}), 1);
    EXPECT_EQ(count(like, {u"A_B"_s}), 2);   // unescaped, _ matches AxB too
    EXPECT_EQ(count(like, {u"%"_s + EscapeLike(u"%"_s) + u"%"_s}), 1);
    EXPECT_EQ(count(like, {EscapeLike(u"back\\slash"_s)}), 1);
    EXPECT_EQ(count(like, {EscapeLike(u"pla"_s) + u"%"_s}), 1);
}

TEST_F(ExecuteTest, QuotedIdentifierNamesAnyColumn)
{
    const QString table = QuoteIdentifier(u"a\"b"_s), column = QuoteIdentifier(u"欄 位"_s);
    db->execute(u"CREATE TABLE %1 (%2 TEXT)"_s.arg(table, column));
    db->execute(u"INSERT INTO \"a\"\"b\" VALUES ('v')"_s);
    EXPECT_EQ(db->openRecordset(u"SELECT %1 FROM %2"_s.arg(column, table)).text(u"欄 位"_s), u"v"_s);
}

TEST_F(ExecuteTest, TransactionRollsBackUnlessCommitted)
{
    EXPECT_EQ(errorNumberOf([&] {
                  Transaction tx(*db);
                  db->execute(u"DELETE FROM 客戶"_s);
                  db->execute(u"INSERT INTO 客戶 (客戶名稱) VALUES ('x')"_s);
                  db->execute(u"INSERT INTO 客戶 (客戶名稱) VALUES ('X')"_s);   // duplicate
                  tx.commit();
              }),
              DbErr::DuplicateKey);
    EXPECT_EQ(count(), 5);

    {
        Transaction outer(*db);
        db->execute(u"DELETE FROM 客戶 WHERE 客戶名稱 = 'plain'"_s);
        {
            Transaction inner(*db);   // a nested one rolls back its own part
            db->execute(u"DELETE FROM 客戶"_s);
        }
        outer.commit();
    }
    auto other = Database::open(file(u"varn3.mdb"_s), u"pw"_s);
    EXPECT_EQ(other->openRecordset(u"客戶"_s).recordCount(), 4);

    // A writer locked by another connection is busy.
    Transaction tx(*other);
    other->execute(u"DELETE FROM 客戶"_s);
    db->setBusyTimeout(50);
    EXPECT_EQ(errorNumberOf([&] { Transaction mine(*db); }), DbErr::Busy);
}

} // namespace
} // namespace varn::test
