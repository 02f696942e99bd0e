#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"
#include "shared/TextRoutines.h"

namespace varn::test {
namespace {

// The code a new customer gets when the name box is left, worked out from the table.
class RecordCodeTest : public RegisterFixture {
protected:
    QString codeFor(const QString& name)
    {
        CustomerRegister reg;
        reg.beginAdd();
        reg.form().setField(QStringLiteral("t2"), name);
        reg.nameLeft();
        return reg.form().field(QStringLiteral("t1"));
    }
};

TEST_F(RecordCodeTest, FirstCodeOfALetterInEitherCase)
{
    EXPECT_EQ(codeFor(QStringLiteral("Acme")), QStringLiteral("A001"));
    EXPECT_EQ(codeFor(QStringLiteral("acme")), QStringLiteral("A001"));
}

TEST_F(RecordCodeTest, NextCodeFollowsTheGreatestOfThePrefix)
{
    addCustomer(QStringLiteral("A009"), QStringLiteral("Alpha"));
    addCustomer(QStringLiteral("A003"), QStringLiteral("Apex"));
    addCustomer(QStringLiteral("B120"), QStringLiteral("Beta"));
    EXPECT_EQ(codeFor(QStringLiteral("and co")), QStringLiteral("A010"));
    addCustomer(QStringLiteral("A099"), QStringLiteral("Arc"));
    EXPECT_EQ(codeFor(QStringLiteral("Avon")), QStringLiteral("A100"));
    EXPECT_EQ(codeFor(QStringLiteral("Bolt")), QStringLiteral("B121"));
}

TEST_F(RecordCodeTest, RunningNumberGoesPast999)
{
    addCustomer(QStringLiteral("A999"), QStringLiteral("Alpha"));
    EXPECT_EQ(codeFor(QStringLiteral("Apex")), QStringLiteral("A1000"));
    addCustomer(QStringLiteral("A1000"), QStringLiteral("Apex"));
    EXPECT_EQ(codeFor(QStringLiteral("Arc")), QStringLiteral("A1001"));
}

TEST_F(RecordCodeTest, CodesWithANonNumberPartAreSkipped)
{
    addCustomer(QStringLiteral("A005"), QStringLiteral("Alpha"));
    addCustomer(QStringLiteral("A9X9"), QStringLiteral("Apex"));
    addCustomer(QStringLiteral("AZZZ"), QStringLiteral("Arc"));
    EXPECT_EQ(codeFor(QStringLiteral("Avon")), QStringLiteral("A006"));
}

TEST_F(RecordCodeTest, StrokeClassPrefixCountsOnlyItsOwnCodes)
{
    const QString cls = StrokePrefix(QStringLiteral("王"));
    ASSERT_EQ(cls.size(), 2);
    EXPECT_EQ(codeFor(QStringLiteral("王大明")), cls + QStringLiteral("001"));

    addCustomer(cls + QStringLiteral("001"), QStringLiteral("王一"));
    addCustomer(cls + QStringLiteral("002"), QStringLiteral("王二"));
    addCustomer(QStringLiteral("A777"), QStringLiteral("Alpha"));
    const QString other = cls == QStringLiteral("33") ? QStringLiteral("01") : QStringLiteral("33");
    addCustomer(other + QStringLiteral("500"), QStringLiteral("其他"));
    EXPECT_EQ(codeFor(QStringLiteral("王三")), cls + QStringLiteral("003"));
}

TEST_F(RecordCodeTest, DigitsSignsAndFullWidthLettersTakeAStrokeClass)
{
    for (const QString& name : {QStringLiteral("1號店"), QStringLiteral("Ａ公司"), QStringLiteral("#1")}) {
        const QString code = codeFor(name);
        EXPECT_EQ(code, StrokePrefix(name) + QStringLiteral("001")) << name.toStdString();
        EXPECT_EQ(code.size(), 5) << name.toStdString();
    }
}

TEST_F(RecordCodeTest, LeavingTheNameAgainRecomputesAndAnEmptyNameKeepsTheCode)
{
    addCustomer(QStringLiteral("B004"), QStringLiteral("Beta"));
    CustomerRegister reg;
    reg.beginAdd();
    reg.form().setField(QStringLiteral("t2"), QStringLiteral("Acme"));
    reg.nameLeft();
    EXPECT_EQ(reg.form().field(QStringLiteral("t1")), QStringLiteral("A001"));
    reg.form().setField(QStringLiteral("t2"), QStringLiteral("Bolt"));
    reg.nameLeft();
    EXPECT_EQ(reg.form().field(QStringLiteral("t1")), QStringLiteral("B005"));
    reg.form().setField(QStringLiteral("t2"), QString());
    reg.nameLeft();
    EXPECT_EQ(reg.form().field(QStringLiteral("t1")), QStringLiteral("B005"));
}

TEST_F(RecordCodeTest, OnlyANewRecordGetsACode)
{
    addCustomer(QStringLiteral("A001"), QStringLiteral("Acme"), {QStringLiteral("Acme")});
    CustomerRegister reg;
    reg.listByCode(QStringLiteral("A"));
    ASSERT_TRUE(reg.selectRow(1));
    ASSERT_TRUE(reg.beginEdit());
    reg.nameLeft();
    EXPECT_EQ(reg.form().field(QStringLiteral("t1")), QStringLiteral("A001"));
}

TEST_F(RecordCodeTest, VendorCodesDoNotCount)
{
    db->execute(QStringLiteral("INSERT INTO 廠商 (廠商編號, 廠商名稱) VALUES ('A050', 'Anvil')"));
    EXPECT_EQ(codeFor(QStringLiteral("Acme")), QStringLiteral("A001"));
}

} // namespace
} // namespace varn::test
