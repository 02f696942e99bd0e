#include "RecordsTestSupport.h"
#include "records/CustomerRecord.h"
#include "records/CustomerRegister.h"
#include "records/EmployeeRegister.h"
#include "records/RegisterEngine.h"
#include "records/VendorRegister.h"

#include <sqlite3.h>

#include <functional>
#include <thread>
#include <vector>

using namespace Qt::StringLiterals;

namespace varn::test {
namespace {

// Several workstations on one database file.
class SharedDatabaseTest : public RegisterFixture {
protected:
    QString path() const { return dir.filePath(u"varn3.mdb"_s); }
};

TEST_F(SharedDatabaseTest, WorkstationsAddingAtOnceAllSaveUnderDistinctCodes)
{
    constexpr int kStations = 4, kAddsEach = 12;
    std::vector<std::thread> stations;
    std::vector<int> saved(kStations, 0);
    for (int s = 0; s < kStations; ++s) {
        stations.emplace_back([this, s, &saved] {
            RegisterEngine reg(CustomerRegisterConfig(), Database::open(path()));
            for (int i = 0; i < kAddsEach; ++i) {
                reg.beginAdd();
                // Every name takes the prefix A, so every station counts on the same codes.
                reg.form().setField(u"t2"_s, u"A station %1 no %2"_s.arg(s).arg(i));
                reg.nameLeft();
                saved[s] += reg.save() ? 1 : 0;
            }
        });
    }
    for (std::thread& t : stations)
        t.join();
    EXPECT_EQ(saved, std::vector<int>(kStations, kAddsEach));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    Recordset codes = db->openRecordset(u"SELECT count(DISTINCT 客戶編號), max(客戶編號) FROM 客戶"_s);
    EXPECT_EQ(codes.value(0).toInt(), kStations * kAddsEach);
    EXPECT_EQ(codes.text(1), u"A%1"_s.arg(kStations * kAddsEach, 3, 10, QLatin1Char('0')));
}

// Calls `onSql` with every statement the database starts while `body` runs: the moment
// another workstation acts.
struct StatementHook {
    std::function<void(const QString&)> onSql;

    static int call(unsigned, void* context, void*, void* sqlText)
    {
        static_cast<StatementHook*>(context)->onSql(QString::fromUtf8(static_cast<const char*>(sqlText)));
        return 0;
    }
    bool run(Database& db, const std::function<bool()>& body)
    {
        sqlite3_trace_v2(db.handle(), SQLITE_TRACE_STMT, &call, this);
        const bool result = body();
        sqlite3_trace_v2(db.handle(), 0, nullptr, nullptr);
        return result;
    }
};

TEST_F(SharedDatabaseTest, NoOtherRecordTakesTheCodeBetweenItsReckoningAndTheInsert)
{
    std::unique_ptr<Database> other = Database::open(path());
    other->setBusyTimeout(50);
    RegisterEngine reg(CustomerRegisterConfig(), db);
    ASSERT_TRUE(reg.beginAdd());
    reg.form().setField(u"t2"_s, u"Acme"_s);

    // Another workstation stores a customer under the same prefix as this one inserts.
    bool tried = false, otherStored = false;
    StatementHook race{[&](const QString& sql) {
        if (tried || !sql.startsWith(u"INSERT"_s))
            return;
        tried = true;
        try {
            other->execute(u"INSERT INTO 客戶 (客戶編號, 客戶名稱) VALUES ('A001', 'Apex')"_s);
            otherStored = true;
        } catch (const DbError&) {
            // It has to wait for this workstation's add to end.
        }
    }};
    const bool saved = race.run(*db, [&] { return reg.save(); });
    ASSERT_TRUE(tried);
    EXPECT_TRUE(saved) << prompts.lastMessageText().toStdString();
    EXPECT_FALSE(otherStored);
    EXPECT_EQ(stored(u"Acme"_s, 0), u"A001"_s);
}

TEST_F(SharedDatabaseTest, ANewDatabaseRefusesASecondRecordWithTheSameCode)
{
    const std::pair<QString, QString> tables[] = {
        {u"客戶"_s, u"INSERT INTO 客戶 (客戶編號, 客戶名稱) VALUES (?, ?)"_s},
        {u"廠商"_s, u"INSERT INTO 廠商 (廠商編號, 廠商名稱) VALUES (?, ?)"_s},
        {u"員工"_s, u"INSERT INTO 員工 (員工編號, 中文姓名) VALUES (?, ?)"_s},
    };
    for (const auto& [table, insert] : tables) {
        db->execute(insert, {u"A001"_s, u"first"_s});
        try {
            db->execute(insert, {u"a001"_s, u"second"_s});
            ADD_FAILURE() << table.toStdString() << " took one code twice";
        } catch (const DbError& e) {
            EXPECT_EQ(e.number(), DbErr::DuplicateKey) << table.toStdString();
        }
        // Rows without a code are no collision.
        db->execute(insert, {QString(), u"third"_s});
        db->execute(insert, {QVariant(), u"fourth"_s});
        db->execute(insert, {QString(), u"fifth"_s});
    }
}

TEST_F(SharedDatabaseTest, ARecordSavedWhileTheListCannotBeReadAgainIsReportedAsSaved)
{
    std::unique_ptr<Database> other = Database::open(path());
    RegisterEngine reg(CustomerRegisterConfig(), db);
    reg.load();
    prompts.clear();
    ASSERT_TRUE(reg.beginAdd());
    reg.form().setField(u"t2"_s, u"Acme"_s);

    // Another workstation takes the database the moment this one, having stored the
    // record, starts to read its list again.
    db->setBusyTimeout(50);
    bool committed = false, locked = false;
    StatementHook lock{[&](const QString& sql) {
        if (sql.startsWith(u"COMMIT"_s)) {
            committed = true;
        } else if (committed && !locked && sql.startsWith(u"SELECT"_s)) {
            other->execute(u"BEGIN EXCLUSIVE"_s);
            locked = true;
        }
    }};
    const bool saved = lock.run(*db, [&] { return reg.save(); });
    ASSERT_TRUE(locked);
    other->execute(u"ROLLBACK"_s);

    EXPECT_TRUE(saved);
    EXPECT_EQ(reg.editMode(), EditMode::Browse);
    EXPECT_EQ(stored(u"Acme"_s, 0), u"A001"_s);
    ASSERT_EQ(prompts.askedCount(PromptKind::Message), 1);
    EXPECT_TRUE(prompts.lastMessageText().startsWith(u"資料已儲存，但清單無法更新"_s))
        << prompts.lastMessageText().toStdString();

    // The next refresh works and says nothing more.
    EXPECT_TRUE(reg.listByCode(u"A"_s));
    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 1);
}

// One register as two workstations change the same record of it: the record and two of
// its fields, each a control and its column.
struct SharedRecord {
    const char* label;
    std::function<std::unique_ptr<RegisterEngine>(std::shared_ptr<Database>)> make;
    QString table, nameColumn, insert;   // insert: code, name, third column
    QString third;                       // the third column's value (short or sign-in name)
    QString first, firstColumn;          // a plain field
    QString second, secondColumn;        // another field, both boxes of a compound column
    QString secondBox;
};

template <typename Register> std::unique_ptr<RegisterEngine> makeRegister(std::shared_ptr<Database> db)
{
    return std::make_unique<Register>(std::move(db));
}

const SharedRecord kSharedRecords[] = {
    {"customer", &makeRegister<CustomerRegister>, u"客戶"_s, u"客戶名稱"_s,
     u"INSERT INTO 客戶 (客戶編號, 客戶名稱, 客戶代號, 連絡人, 公司地址) VALUES (?, ?, ?, '林', '台中市;一路')"_s,
     u"張家"_s, u"t24"_s, u"連絡人"_s, u"cb1"_s, u"公司地址"_s, u"t5"_s},
    {"vendor", &makeRegister<VendorRegister>, u"廠商"_s, u"廠商名稱"_s,
     u"INSERT INTO 廠商 (廠商編號, 廠商名稱, 廠商代號, 連絡人, 公司地址) VALUES (?, ?, ?, '林', '台中市;一路')"_s,
     u"張家"_s, u"t24"_s, u"連絡人"_s, u"cb1"_s, u"公司地址"_s, u"t5"_s},
    {"employee", &makeRegister<EmployeeRegister>, u"員工"_s, u"中文姓名"_s,
     u"INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名, 行動電話, 地址) VALUES (?, ?, ?, '林', '台中市;一路')"_s,
     u"chang"_s, u"t12"_s, u"行動電話"_s, u"cb1"_s, u"地址"_s, u"t5"_s},
};

// Two workstations, each with 修改 open on 張家豪 of every register.
class SameRecordTest : public SharedDatabaseTest {
protected:
    struct Stations {
        std::unique_ptr<RegisterEngine> first, second;
    };

    Stations open(const SharedRecord& r)
    {
        db->execute(r.insert, {u"12001"_s, u"張家豪"_s, r.third});
        Stations s{r.make(db), r.make(Database::open(path()))};
        for (RegisterEngine* reg : {s.first.get(), s.second.get()}) {
            reg->load();
            reg->listByCode(QString());
            EXPECT_TRUE(reg->selectRow(1));
            EXPECT_TRUE(reg->beginEdit());
        }
        prompts.clear();
        return s;
    }

    QString value(const SharedRecord& r, const QString& column, const QString& name = u"張家豪"_s)
    {
        Recordset rs = db->openRecordset(u"SELECT %1 FROM %2 WHERE %3 = ?"_s.arg(column, r.table, r.nameColumn), {name});
        return rs.recordCount() ? rs.text(0) : u"<none>"_s;
    }
};

TEST_F(SameRecordTest, ChangesToDifferentFieldsAreBothStoredAndShown)
{
    for (const SharedRecord& r : kSharedRecords) {
        SCOPED_TRACE(r.label);
        Stations s = open(r);
        s.first->form().setField(r.first, u"王"_s);
        ASSERT_TRUE(s.first->save());
        s.second->form().setField(r.secondBox, u"二路"_s);
        ASSERT_TRUE(s.second->save()) << prompts.lastMessageText().toStdString();

        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
        EXPECT_EQ(value(r, r.firstColumn), u"王"_s);
        EXPECT_EQ(value(r, r.secondColumn), u"台中市;二路"_s);
        EXPECT_EQ(value(r, u"rowid"_s), u"1"_s);
        EXPECT_EQ(s.second->form().field(r.first), u"王"_s);
        EXPECT_EQ(s.second->editMode(), EditMode::Browse);
        db->execute(u"DELETE FROM %1"_s.arg(r.table));
    }
}

TEST_F(SameRecordTest, ASecondChangeOfTheSameFieldIsToldAndSavedOnlyByTheNextConfirm)
{
    for (const SharedRecord& r : kSharedRecords) {
        SCOPED_TRACE(r.label);
        Stations s = open(r);
        s.first->form().setField(r.first, u"王"_s);
        s.first->form().setField(r.secondBox, u"二路"_s);
        ASSERT_TRUE(s.first->save());
        s.second->form().setField(r.first, u"陳"_s);

        EXPECT_FALSE(s.second->save());
        EXPECT_EQ(prompts.lastMessageText(), u"此筆資料已被其他使用者修改：\n%1：「王」\n請確認後再按確定儲存。"_s.arg(r.firstColumn));
        EXPECT_EQ(value(r, r.firstColumn), u"王"_s);
        EXPECT_EQ(s.second->editMode(), EditMode::Edit);
        EXPECT_EQ(s.second->form().field(r.first), u"陳"_s);
        // The other's change to a field this user left alone shows, and stays.
        EXPECT_EQ(s.second->form().field(r.secondBox), u"二路"_s);

        // A third change meanwhile is told again.
        s.first->beginEdit();
        s.first->form().setField(r.first, u"李"_s);
        ASSERT_TRUE(s.first->save());
        EXPECT_FALSE(s.second->save());
        EXPECT_TRUE(prompts.lastMessageText().contains(u"：「李」"_s)) << prompts.lastMessageText().toStdString();

        ASSERT_TRUE(s.second->save());
        EXPECT_EQ(value(r, r.firstColumn), u"陳"_s);
        EXPECT_EQ(value(r, r.secondColumn), u"台中市;二路"_s);
        EXPECT_EQ(prompts.askedCount(PromptKind::Message), 2);
        db->execute(u"DELETE FROM %1"_s.arg(r.table));
    }
}

TEST_F(SameRecordTest, OneFieldSetToTheSameTextByBothIsNoConflictAndTheOtherFieldsMerge)
{
    const SharedRecord& r = kSharedRecords[0];   // customers
    Stations s = open(r);
    s.first->form().setField(r.first, u"王"_s);
    s.first->form().setField(r.secondBox, u"二路"_s);
    ASSERT_TRUE(s.first->save());
    s.second->form().setField(r.first, u"王"_s);
    s.second->form().setField(u"t9"_s, u"chang@example.com"_s);
    ASSERT_TRUE(s.second->save()) << prompts.lastMessageText().toStdString();

    EXPECT_EQ(prompts.askedCount(PromptKind::Message), 0);
    EXPECT_EQ(value(r, r.firstColumn), u"王"_s);
    EXPECT_EQ(value(r, r.secondColumn), u"台中市;二路"_s);
    EXPECT_EQ(value(r, u"電子郵件"_s), u"chang@example.com"_s);
    EXPECT_EQ(s.second->form().field(r.secondBox), u"二路"_s);
    EXPECT_EQ(s.second->editMode(), EditMode::Browse);
}

TEST_F(SameRecordTest, ARecordDeletedOrRenamedElsewhere)
{
    for (const SharedRecord& r : kSharedRecords) {
        SCOPED_TRACE(r.label);
        Stations s = open(r);
        // Renamed: no record of the name is left, and the one of the new name keeps its
        // fields (by the code alone it could be another record that took it again).
        db->execute(u"UPDATE %1 SET %2 = '張家豪二' "_s.arg(r.table, r.nameColumn));
        s.second->form().setField(r.first, u"陳"_s);
        EXPECT_FALSE(s.second->save());
        EXPECT_TRUE(prompts.lastMessageText().contains(u"已不在資料庫中"_s));
        EXPECT_EQ(value(r, r.firstColumn, u"張家豪二"_s), u"林"_s);
        EXPECT_EQ(s.second->editMode(), EditMode::Edit);

        // Deleted: refused, nothing comes back.
        db->execute(u"DELETE FROM %1"_s.arg(r.table));
        s.first->form().setField(r.first, u"王"_s);
        EXPECT_FALSE(s.first->save());
        EXPECT_TRUE(prompts.lastMessageText().contains(u"已不在資料庫中"_s));
        EXPECT_EQ(s.first->editMode(), EditMode::Edit);
        EXPECT_EQ(db->openRecordset(u"SELECT count(*) FROM %1"_s.arg(r.table)).value(0).toInt(), 0);
    }
}

} // namespace
} // namespace varn::test
