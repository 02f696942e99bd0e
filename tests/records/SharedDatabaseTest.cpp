#include "RecordsTestSupport.h"
#include "records/CustomerRecord.h"
#include "records/RegisterEngine.h"

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

} // namespace
} // namespace varn::test
