#include "DbTestSupport.h"

namespace varn::test {
namespace {

class RecordsetTest : public DbFixture {
protected:
    void SetUp() override
    {
        db = makeCustomers();
        const QVariantList rows[] = {
            {u"甲公司"_s, u"02-1"_s, 1.5}, {u"乙公司"_s, QVariant(), 2}, {u"丙公司"_s, u"03-3"_s, QVariant()}};
        for (const auto& r : rows)
            db->execute(u"INSERT INTO 客戶 (客戶名稱, 電話, 金額) VALUES (?, ?, ?)"_s, r);
    }
    // Column 1 (or another) of every row, in the order read.
    static QStringList texts(Recordset rs, int field = 1)
    {
        QStringList out;
        for (rs.moveFirst(); !rs.eof(); rs.moveNext())
            out << rs.text(field);
        return out;
    }
    std::unique_ptr<Database> db;
};

TEST_F(RecordsetTest, ReadsAllRowsInDatabaseOrderWithTheirTypes)
{
    auto rs = db->openRecordset(u"客戶"_s);
    // rowid is not a field: the table's own columns in definition order.
    ASSERT_EQ(rs.fieldCount(), 5);
    EXPECT_EQ(rs.fieldName(0), u"客戶編號"_s);
    EXPECT_EQ(rs.fieldName(4), u"備註"_s);
    EXPECT_FALSE(rs.bof());
    EXPECT_EQ(texts(rs), (QStringList{u"甲公司"_s, u"乙公司"_s, u"丙公司"_s}));
    // A view by name reads like a table.
    EXPECT_EQ(texts(db->openRecordset(u"客戶名單"_s), 0), texts(rs));

    // Values keep their types; null reads as empty text.
    rs = db->openRecordset(u"SELECT 客戶編號, 電話, 金額, x'00ff' AS b FROM 客戶 WHERE 客戶名稱 = ?"_s,
                                {u"乙公司"_s});
    ASSERT_EQ(rs.recordCount(), 1);
    EXPECT_EQ(rs.value(0).typeId(), QMetaType::LongLong);
    EXPECT_FALSE(rs.value(1).isValid());
    EXPECT_EQ(rs.text(1), QString());
    EXPECT_EQ(rs.value(2).typeId(), QMetaType::Double);
    EXPECT_EQ(rs.value(3).toByteArray(), QByteArray("\x00\xff", 2));

    // No rows: both BOF and EOF, the columns known all the same.
    rs = db->openRecordset(u"SELECT * FROM 客戶 WHERE 客戶名稱 = ?"_s, {u"nobody"_s});
    EXPECT_EQ(rs.recordCount(), 0);
    EXPECT_TRUE(rs.bof() && rs.eof());
    EXPECT_EQ(errorNumberOf([&] { rs.text(0); }), DbErr::NoCurrentRecord);

    // Field names (and table names) match in any letter case.
    db->executeScript(u"CREATE TABLE Users (UserName TEXT, Rights INTEGER); INSERT INTO Users VALUES ('Ann', 7);"_s);
    rs = db->openRecordset(u"users"_s);
    EXPECT_EQ(rs.text(u"USERNAME"_s), u"Ann"_s);
    EXPECT_EQ(rs.fieldIndex(u"uSeRnAmE"_s), 0);
    EXPECT_EQ(errorNumberOf([&] { rs.value(u"nope"_s); }), DbErr::ItemNotFound);
}

TEST_F(RecordsetTest, AddNewAndEditWriteTheCurrentRowOfATableAndADuplicateKeepsTheTypedValues)
{
    auto rs = db->openRecordset(u"客戶"_s);
    EXPECT_EQ(errorNumberOf([&] { rs.setValue(1, u"x"_s); }), DbErr::UpdateWithoutEdit);
    EXPECT_EQ(errorNumberOf([&] { rs.update(); }), DbErr::UpdateWithoutEdit);
    auto readOnly = db->openRecordset(u"SELECT * FROM 客戶"_s);   // not a table by name
    EXPECT_EQ(errorNumberOf([&] { readOnly.addNew(); }), DbErr::ReadOnly);
    EXPECT_EQ(errorNumberOf([&] { readOnly.edit(); }), DbErr::ReadOnly);
    rs.addNew();
    rs.setValue(1, u"甲公司"_s);
    EXPECT_EQ(errorNumberOf([&] { rs.update(); }), DbErr::DuplicateKey);
    EXPECT_EQ(rs.recordCount(), 3);
    EXPECT_EQ(rs.text(1), u"甲公司"_s);   // still there to correct and try again
    rs.setValue(u"客戶名稱"_s, u"丁公司"_s);
    rs.update();
    EXPECT_EQ(rs.position(), 3);
    EXPECT_EQ(rs.value(u"客戶編號"_s).toLongLong(), 4);   // given by the engine
    EXPECT_EQ(rs.text(u"備註"_s), u"無"_s);                // column default

    rs.moveFirst();
    rs.moveNext();
    rs.edit();
    rs.setValue(u"電話"_s, u"04-'4"_s);
    rs.update();
    EXPECT_EQ(rs.position(), 1);
    rs.edit();
    rs.setValue(1, u"甲公司"_s);
    EXPECT_EQ(errorNumberOf([&] { rs.update(); }), DbErr::DuplicateKey);
    rs.cancelUpdate();
    EXPECT_EQ(rs.text(1), u"乙公司"_s);
    EXPECT_EQ(texts(db->openRecordset(u"SELECT 客戶名稱, 電話 FROM 客戶 ORDER BY 客戶編號"_s)),
              (QStringList{u"02-1"_s, u"04-'4"_s, u"03-3"_s, QString()}));
}

} // namespace
} // namespace varn::test
