#include "DbTestSupport.h"

namespace varn::test {
namespace {

class RecordsetTest : public DbFixture {
protected:
    void SetUp() override
    {
        DbFixture::SetUp();
        db = makeCustomers();
        const QVariantList rows[] = {
            {QStringLiteral("甲公司"), QStringLiteral("02-1"), 1.5},
            {QStringLiteral("乙公司"), QVariant(), 2},
            {QStringLiteral("丙公司"), QStringLiteral("03-3"), QVariant()},
        };
        for (const auto& r : rows)
            db->execute(QStringLiteral("INSERT INTO 客戶 (客戶名稱, 電話, 金額) VALUES (?, ?, ?)"), r);
    }
    std::unique_ptr<Database> db;
};

TEST_F(RecordsetTest, TableByNameReadsAllRowsInDatabaseOrder)
{
    auto rs = db->openRecordset(QStringLiteral("客戶"));
    EXPECT_EQ(rs.recordCount(), 3);
    // rowid is not a field: the table's own columns in definition order.
    ASSERT_EQ(rs.fieldCount(), 5);
    EXPECT_EQ(rs.fieldName(0), QStringLiteral("客戶編號"));
    EXPECT_EQ(rs.fieldName(4), QStringLiteral("備註"));
    EXPECT_FALSE(rs.bof());
    QStringList names;
    for (; !rs.eof(); rs.moveNext())
        names << rs.text(1);
    EXPECT_EQ(names, (QStringList{QStringLiteral("甲公司"), QStringLiteral("乙公司"),
                                  QStringLiteral("丙公司")}));
    EXPECT_EQ(errorNumberOf([&] { rs.value(0); }), DbErr::NoCurrentRecord);
}

TEST_F(RecordsetTest, ValuesKeepTheirTypesAndNullReadsAsEmptyText)
{
    auto rs = db->openRecordset(
        QStringLiteral("SELECT 客戶編號, 電話, 金額, x'00ff' AS b FROM 客戶 WHERE 客戶名稱 = ?"),
        {QStringLiteral("乙公司")});
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0).typeId(), QMetaType::LongLong);
    EXPECT_FALSE(rs.value(1).isValid());
    EXPECT_EQ(rs.text(1), QString());
    EXPECT_EQ(rs.value(2).typeId(), QMetaType::Double);
    EXPECT_EQ(rs.value(3).toByteArray(), QByteArray("\x00\xff", 2));
}

TEST_F(RecordsetTest, FieldNamesMatchInAnyLetterCase)
{
    db->execute(QStringLiteral("CREATE TABLE Users (UserName TEXT, Rights INTEGER)"));
    db->execute(QStringLiteral("INSERT INTO Users VALUES ('Ann', 7)"));
    auto rs = db->openRecordset(QStringLiteral("users"));  // the table name too
    EXPECT_EQ(rs.text(QStringLiteral("USERNAME")), QStringLiteral("Ann"));
    EXPECT_EQ(rs.value(QStringLiteral("rights")).toInt(), 7);
    EXPECT_EQ(rs.fieldIndex(QStringLiteral("uSeRnAmE")), 0);
    EXPECT_EQ(rs.fieldIndex(QStringLiteral("nope")), -1);
    EXPECT_EQ(errorNumberOf([&] { rs.value(QStringLiteral("nope")); }), DbErr::ItemNotFound);
    EXPECT_EQ(errorNumberOf([&] { rs.value(9); }), DbErr::ItemNotFound);
}

TEST_F(RecordsetTest, EmptyResultIsBothBofAndEof)
{
    auto rs = db->openRecordset(QStringLiteral("SELECT * FROM 客戶 WHERE 客戶名稱 = ?"),
                                {QStringLiteral("nobody")});
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_TRUE(rs.bof());
    EXPECT_TRUE(rs.eof());
    EXPECT_EQ(rs.fieldCount(), 5);  // the columns are known even without rows
    EXPECT_EQ(errorNumberOf([&] { rs.text(0); }), DbErr::NoCurrentRecord);
    EXPECT_EQ(errorNumberOf([&] { rs.edit(); }), DbErr::ReadOnly);
}

TEST_F(RecordsetTest, ViewByNameReadsLikeATableButIsNotWritable)
{
    auto rs = db->openRecordset(QStringLiteral("客戶名單"));
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.fieldCount(), 2);
    EXPECT_EQ(errorNumberOf([&] { rs.addNew(); }), DbErr::ReadOnly);
}

TEST_F(RecordsetTest, AddNewAppendsAndStandsOnTheNewRow)
{
    auto rs = db->openRecordset(QStringLiteral("客戶"));
    rs.addNew();
    rs.setValue(QStringLiteral("客戶名稱"), QStringLiteral("丁公司"));
    rs.setValue(QStringLiteral("金額"), 10);
    rs.update();
    EXPECT_EQ(rs.recordCount(), 4);
    EXPECT_EQ(rs.position(), 3);
    EXPECT_EQ(rs.text(QStringLiteral("客戶名稱")), QStringLiteral("丁公司"));
    EXPECT_EQ(rs.value(QStringLiteral("客戶編號")).toLongLong(), 4);   // given by the engine
    EXPECT_EQ(rs.text(QStringLiteral("備註")), QStringLiteral("無"));  // column default
    EXPECT_EQ(db->openRecordset(QStringLiteral("客戶")).recordCount(), 4);
}

TEST_F(RecordsetTest, EditUpdateChangesTheCurrentRowOnly)
{
    auto rs = db->openRecordset(QStringLiteral("客戶"));
    rs.moveNext();
    rs.edit();
    EXPECT_EQ(rs.text(QStringLiteral("客戶名稱")), QStringLiteral("乙公司"));
    rs.setValue(QStringLiteral("電話"), QStringLiteral("04-'4"));
    rs.update();
    EXPECT_EQ(rs.text(QStringLiteral("電話")), QStringLiteral("04-'4"));
    EXPECT_EQ(rs.position(), 1);

    auto check = db->openRecordset(QStringLiteral("SELECT 客戶名稱, 電話 FROM 客戶 ORDER BY 客戶編號"));
    EXPECT_EQ(check.text(1), QStringLiteral("02-1"));
    check.moveNext();
    EXPECT_EQ(check.text(1), QStringLiteral("04-'4"));
    check.moveNext();
    EXPECT_EQ(check.text(1), QStringLiteral("03-3"));
}

TEST_F(RecordsetTest, DuplicateThroughAddNewIs3022AndStoresNothing)
{
    auto rs = db->openRecordset(QStringLiteral("客戶"));
    rs.addNew();
    rs.setValue(1, QStringLiteral("甲公司"));
    EXPECT_EQ(errorNumberOf([&] { rs.update(); }), DbErr::DuplicateKey);
    EXPECT_EQ(rs.recordCount(), 3);
    // The typed values are still there to correct and try again.
    EXPECT_EQ(rs.text(1), QStringLiteral("甲公司"));
    rs.setValue(1, QStringLiteral("戊公司"));
    rs.update();
    EXPECT_EQ(db->openRecordset(QStringLiteral("客戶")).recordCount(), 4);
}

TEST_F(RecordsetTest, DuplicateThroughEditIs3022)
{
    auto rs = db->openRecordset(QStringLiteral("客戶"));
    rs.edit();
    rs.setValue(1, QStringLiteral("乙公司"));
    EXPECT_EQ(errorNumberOf([&] { rs.update(); }), DbErr::DuplicateKey);
    rs.cancelUpdate();
    EXPECT_EQ(rs.text(1), QStringLiteral("甲公司"));
}

TEST_F(RecordsetTest, WritesNeedAddNewOrEditAndATable)
{
    auto rs = db->openRecordset(QStringLiteral("客戶"));
    EXPECT_EQ(errorNumberOf([&] { rs.setValue(1, QStringLiteral("x")); }), DbErr::UpdateWithoutEdit);
    EXPECT_EQ(errorNumberOf([&] { rs.update(); }), DbErr::UpdateWithoutEdit);
    auto sql = db->openRecordset(QStringLiteral("SELECT * FROM 客戶"));
    EXPECT_EQ(errorNumberOf([&] { sql.addNew(); }), DbErr::ReadOnly);
}

} // namespace
} // namespace varn::test
