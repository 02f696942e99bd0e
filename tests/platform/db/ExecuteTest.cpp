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
    std::unique_ptr<Database> db;
};

TEST_F(ExecuteTest, ParametersBindByTypeAndQuotesStayData)
{
    EXPECT_EQ(db->execute(u"UPDATE 客戶 SET 電話 = ? WHERE 客戶名稱 LIKE 'A%'"_s, {u"1"_s}), 2);   // rows changed

    db->execute(u"CREATE TABLE t (a, b, c, d, e)"_s);
    db->execute(u"INSERT INTO t VALUES (?, ?, ?, ?, ?)"_s,
                {true, QVariant(), 2.5, u"O'Neil\"; DROP TABLE t; --"_s, qlonglong(1) << 40});
    auto rs = db->openRecordset(u"SELECT typeof(a), typeof(b), typeof(c), d, e FROM t"_s);
    EXPECT_EQ(QStringList({rs.text(0), rs.text(1), rs.text(2), rs.text(3)}),
              QStringList({u"integer"_s, u"null"_s, u"real"_s, u"O'Neil\"; DROP TABLE t; --"_s}));
    EXPECT_EQ(rs.value(4).toLongLong(), qlonglong(1) << 40);
}

// The user reads why in Chinese; the engine's English text never reaches a message.
TEST_F(ExecuteTest, RefusalsCarryTheirNumbersAndSayWhyInChinese)
{
    db->execute(u"PRAGMA max_page_count = 1"_s);   // no room beyond the pages the file has
    const struct {
        QString sql;
        int error;
        QString description;
    } cases[] = {
        {u"DELETE FROM 客戶 WHERE 客戶名稱 = ?"_s, DbErr::General, u"參數數目不符：需要 1 個，給了 0 個。"_s},
        {u"DELETE FROM 客戶 WHERE 1 = 0; DELETE FROM 客戶"_s, DbErr::General, u"一次只能執行一個 SQL 指令。"_s},
        {u"INSERT INTO 客戶 (客戶名稱) VALUES ('PLAIN')"_s, DbErr::DuplicateKey, u"資料庫中已有相同的資料。"_s},
        {u"SELEC nonsense"_s, DbErr::General, u"資料庫無法完成這項操作 (錯誤碼 1)。"_s},
        {u"SELECT * FROM no_such_table"_s, DbErr::General, u"資料庫無法完成這項操作 (錯誤碼 1)。"_s},
        {u"INSERT INTO 客戶 (客戶名稱, 備註) VALUES ('big', zeroblob(100000))"_s, DbErr::DiskOrNetwork,
         u"磁碟已滿，資料庫無法寫入。"_s},
    };
    for (const auto& c : cases) {
        const DbError e = errorOf([&] { db->execute(c.sql); });
        EXPECT_EQ(e.number(), c.error) << c.sql.toStdString();
        EXPECT_EQ(e.description(), c.description) << c.sql.toStdString();
    }
    EXPECT_EQ(count(), 5);
    EXPECT_EQ(db->execute(u"DELETE FROM 客戶 WHERE 1 = 0;  \n"_s), 0);   // trailing blanks are no statement
}

TEST_F(ExecuteTest, TextFromDataIsEscapedForLikeAndQuotedAsAnIdentifier)
{
    EXPECT_EQ(count(u"客戶名稱 LIKE ? ESCAPE '\\'"_s, {EscapeLike(u"back\\slash"_s)}), 1);   // % and _: SearchTest
    const QString table = QuoteIdentifier(u"a\"b"_s), column = QuoteIdentifier(u"欄 位"_s);
    db->execute(u"CREATE TABLE %1 (%2 TEXT)"_s.arg(table, column));
    db->execute(u"INSERT INTO \"a\"\"b\" VALUES ('v')"_s);
    EXPECT_EQ(db->openRecordset(u"SELECT %1 FROM %2"_s.arg(column, table)).text(u"欄 位"_s), u"v"_s);
}

TEST_F(ExecuteTest, ANestedTransactionRollsBackItsOwnPartAndALockedWriterIsBusy)
{
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
    const DbError busy = errorOf([&] { Transaction mine(*db); });
    EXPECT_EQ(busy.number(), DbErr::Busy);
    EXPECT_EQ(busy.description(), u"資料庫正由另一台電腦上的使用者鎖定，請稍後再試。"_s);
}

} // namespace
} // namespace varn::test
