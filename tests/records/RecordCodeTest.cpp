#include "RecordsTestSupport.h"
#include "records/CustomerRegister.h"
#include "shared/TextRoutines.h"

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

// The code a new customer gets when the name box is left, worked out from the table.
class RecordCodeTest : public RegisterFixture {
protected:
    QString codeFor(const QString& name)
    {
        CustomerRegister reg;
        reg.beginAdd();
        reg.form().setField(u"t2"_s, name);
        reg.nameLeft();
        return reg.form().field(u"t1"_s);
    }
};

TEST_F(RecordCodeTest, NextCodeFollowsTheGreatestNumberOfTheNamesLetterOrStrokeClass)
{
    struct Case {
        QStringList codes;
        QString name, expected;
    };
    // A stroke class or letter counts only its own codes, and only in its own register.
    const QString cls = StrokePrefix(u"王"_s), other = cls == u"33"_s ? u"01"_s : u"33"_s;
    const Case cases[] = {
        {{}, u"王大明"_s, cls + u"001"_s},
        {{cls + u"001"_s, cls + u"002"_s, u"A777"_s, other + u"500"_s}, u"王三"_s, cls + u"003"_s},
        {{u"A009"_s, u"A003"_s, u"B120"_s}, u"and co"_s, u"A010"_s},
    };
    for (const Case& c : cases) {
        db->execute(u"DELETE FROM 客戶"_s);
        for (const QString& code : c.codes)
            addCustomer(code, u"客戶 "_s + code);
        EXPECT_EQ(codeFor(c.name), c.expected)
            << c.name.toStdString() << " after " << c.codes.join(u' ').toStdString();
    }
    // Vendor codes do not count.
    db->execute(u"DELETE FROM 客戶"_s);
    db->execute(u"INSERT INTO 廠商 (廠商編號, 廠商名稱) VALUES ('A050', 'Anvil')"_s);
    EXPECT_EQ(codeFor(u"Acme"_s), u"A001"_s);
}

TEST_F(RecordCodeTest, LeavingTheNameAgainRecomputesAndOnlyANewRecordGetsACode)
{
    addCustomer(u"B004"_s, u"Beta"_s, {{2, u"Beta"_s}});
    CustomerRegister reg;
    reg.beginAdd();
    // (name typed, code after leaving the box): an empty name keeps the code.
    const std::pair<QString, QString> steps[]
        = {{u"Acme"_s, u"A001"_s}, {u"Bolt"_s, u"B005"_s}, {QString(), u"B005"_s}};
    for (const auto& [name, code] : steps) {
        reg.form().setField(u"t2"_s, name);
        reg.nameLeft();
        EXPECT_EQ(reg.form().field(u"t1"_s), code) << name.toStdString();
    }
    reg.cancel();
    reg.listByCode(u"B"_s);
    ASSERT_TRUE(reg.selectRow(1));
    ASSERT_TRUE(reg.beginEdit());
    reg.nameLeft();
    EXPECT_EQ(reg.form().field(u"t1"_s), u"B004"_s);
}

} // namespace
} // namespace varn::test
