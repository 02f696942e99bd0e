// Several workstations on one database file: 8 processes for a given number of seconds
// (three editing the lexicon, two the vendors and their supply links, one the employees,
// two reading), each through the program's own classes. The vendor and employee stations
// also change the same few shared records at once, each its own field and all of them one
// field in common. Every station notes what it saved and what it removed; at the end the
// file is read once and the figures printed: rows a station saved that are gone (lost),
// fields whose last saved value a station finds replaced (lost) and rows whose owner is
// gone (orphans).
//   workstations_bench [seconds]        (default 60)
#include "lexicon/LexiconEditor.h"
#include "lexicon/OrderedList.h"
#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "records/EmployeeRegister.h"
#include "records/RegisterEngine.h"
#include "records/SupplyLinks.h"
#include "records/VendorRegister.h"
#include "shared/ProgramState.h"
#include "shared/Rights.h"
#include "shared/setup/Schema.h"

#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QFile>
#include <QMap>
#include <QProcess>
#include <QRandomGenerator>
#include <QSet>
#include <QTemporaryDir>
#include <QThread>

#include <cstdio>

using namespace varn;

namespace {

const QStringList kWorkTypes{QStringLiteral("木作"), QStringLiteral("泥作"), QStringLiteral("油漆")};
const QStringList kCategories{QStringLiteral("住宅"), QStringLiteral("店面")};
// Records every register station changes, and the field all of them change.
const QStringList kSharedVendors{QStringLiteral("共用廠商甲"), QStringLiteral("共用廠商乙")};
const QStringList kSharedEmployees{QStringLiteral("共用員工甲"), QStringLiteral("共用員工乙")};
const QString kCommonField = QStringLiteral("T35");   // 備註 of a vendor
const QString kCommonEmployeeField = QStringLiteral("t19");   // 備註 of an employee
const QString kToldPrefix = QStringLiteral("此筆資料已被其他使用者修改");

// What one station noted: "+table\towner\tname" saved, "-table\towner\tname" removed by itself,
// "=table\trecord\tcolumn\tvalue" a field of a shared record saved by itself.
class Notes {
public:
    explicit Notes(const QString& path) : m_file(path) { m_file.open(QIODevice::WriteOnly | QIODevice::Append); }
    void saved(const QString& table, const QString& owner, const QString& name) { line(u'+', table, owner, name); }
    void removed(const QString& table, const QString& owner, const QString& name) { line(u'-', table, owner, name); }
    void fieldSaved(const QString& table, const QString& record, const QString& column, const QString& value)
    {
        line(u'=', table, record, column + u'\t' + value);
    }

private:
    void line(QChar sign, const QString& table, const QString& owner, const QString& name)
    {
        m_file.write((sign + table + u'\t' + owner + u'\t' + name + u'\n').toUtf8());
        m_file.flush();
    }
    QFile m_file;
};

ScriptedPrompter* gPrompts = nullptr;   // the station's prompter: Yes to its deletions

int pick(int n) { return static_cast<int>(QRandomGenerator::global()->bounded(n)); }

// One lexicon workstation: adds, renames and deletes its own work items, adds areas,
// details and lookup entries, and now and then adds a work type of its own and deletes it.
void lexiconStation(const QString& tag, Notes& notes, const QDeadlineTimer& end)
{
    int n = 0;
    QStringList mine;   // work items of this station: "type\tname"
    while (!end.hasExpired()) {
        LexiconEditor editor;
        editor.load();
        const int what = pick(10);
        const QString name = QStringLiteral("%1-%2").arg(tag).arg(++n);
        if (what < 3) {
            const QString type = editor.workTypeList().value(pick(static_cast<int>(editor.workTypeList().size())));
            if (type.isEmpty() || !editor.chooseWorkType(type) || !editor.addWorkItem())
                continue;
            editor.typeText(LexiconGrid::WorkItems, name);
            if (editor.apply(LexiconGrid::WorkItems)) {
                notes.saved(QStringLiteral("t2w"), type, name);
                mine << type + u'\t' + name;
            }
        } else if (what < 5) {
            const QString category = kCategories.value(pick(2));
            if (!editor.chooseCategory(category) || !editor.addArea())
                continue;
            editor.typeText(LexiconGrid::Areas, name);
            if (editor.apply(LexiconGrid::Areas))
                notes.saved(QStringLiteral("k2a"), category, name);
        } else if (what < 7 && !mine.isEmpty()) {
            // A detail, a rename or a deletion of one of its own work items.
            const int i = pick(static_cast<int>(mine.size()));
            const QStringList parts = mine[i].split(u'\t');
            if (!editor.chooseWorkType(parts[0]))
                continue;
            int row = 0;
            for (int r = 1; r <= editor.workItems().lastRow(); ++r)
                if (editor.workItems().text(r, 0) == parts[1])
                    row = r;
            if (row == 0)
                continue;
            editor.clickWorkItem(row, 0);
            if (what == 5) {
                if (!editor.addDetail())
                    continue;
                editor.typeText(LexiconGrid::Details, name);
                if (editor.apply(LexiconGrid::Details))
                    notes.saved(QStringLiteral("w2d"), parts[1], name);
            } else if (pick(2) == 0) {
                editor.editGrid(LexiconGrid::WorkItems);
                editor.CurRow = row;
                editor.CurCol = 0;
                editor.typeText(LexiconGrid::WorkItems, name);
                if (editor.apply(LexiconGrid::WorkItems)) {
                    notes.removed(QStringLiteral("t2w"), parts[0], parts[1]);
                    notes.saved(QStringLiteral("t2w"), parts[0], name);
                    mine[i] = parts[0] + u'\t' + name;
                }
            } else {
                editor.rightClickWorkItem(row);
                gPrompts->answerMessage(PromptButton::Yes);
                editor.deleteRow(LexiconGrid::WorkItems);
                if (editor.apply(LexiconGrid::WorkItems)) {
                    notes.removed(QStringLiteral("t2w"), parts[0], parts[1]);
                    mine.removeAt(i);
                }
            }
        } else if (what < 9) {
            editor.lookups().prepareEdit(0);
            GridModel& units = editor.lookups().grid(0);
            units.setTextMatrix(units.rows() - 1, 0, name);
            if (editor.close())
                notes.saved(QStringLiteral("u"), QString(), name);
        } else {
            // A work type of its own, added now and deleted a little later: the others may
            // be adding under it meanwhile.
            OrderedList types(QStringLiteral("t"));
            types.load(*state().m.gDb);
            // Each one a new name: rows under a deleted work type went with it.
            const QString ownPrefix = tag + QStringLiteral("類");
            int own = -1;
            for (int k = 0; k < types.count(); ++k)
                if (types.names()[k].startsWith(ownPrefix))
                    own = k;
            if (own < 0) {
                types.add(*state().m.gDb, ownPrefix + QString::number(n));
            } else {
                const QString type = types.names()[own];
                gPrompts->answerMessage(PromptButton::Yes);
                if (types.remove(*state().m.gDb, own))
                    for (int k = static_cast<int>(mine.size()) - 1; k >= 0; --k)
                        if (mine[k].startsWith(type + u'\t')) {
                            notes.removed(QStringLiteral("t2w"), type, mine[k].section(u'\t', 1));
                            mine.removeAt(k);
                        }
            }
        }
    }
}

// One station's field of a shared record, by its control and column.
struct OwnField {
    QString control;
    QString column;
};

// 修改 on a shared record, a new value in the station's own field and now and then in the
// field all stations change, then 確定, and 確定 again after being told that another
// station changed that field meanwhile. The own field is noted when it is stored.
void editShared(RegisterEngine& reg, const QString& record, const OwnField& own, const QString& common,
                const QString& value, Notes& notes)
{
    reg.load();
    reg.listByCode(QString());
    for (int r = 1; r < reg.list().rows(); ++r)
        if (reg.list().textMatrix(r, 2) == record)
            reg.selectRow(r);
    if (reg.selectedName() != record || !reg.beginEdit())
        return;
    reg.form().setField(own.control, value);
    if (pick(2) == 0)
        reg.form().setField(common, value);
    QThread::msleep(pick(30));   // the user types
    for (int attempt = 0; attempt < 3; ++attempt) {
        if (reg.save()) {
            notes.fieldSaved(reg.config().table, record, own.column, value);
            return;
        }
        if (reg.editMode() != EditMode::Edit || !gPrompts->lastMessageText().startsWith(kToldPrefix))
            break;
    }
    reg.cancel();
}

// One vendor workstation: adds vendors with supply links, deletes its own vendors, and
// commits links for vendors of either station from a window opened a moment earlier.
void vendorStation(const QString& tag, Notes& notes, const QDeadlineTimer& end)
{
    // Each vendor station has its own field of the shared vendors and employees.
    const bool first = tag == QLatin1String("V1");
    const OwnField vendorField = first ? OwnField{QStringLiteral("t24"), QStringLiteral("連絡人")}
                                       : OwnField{QStringLiteral("t9"), QStringLiteral("電子郵件")};
    const OwnField employeeField = first ? OwnField{QStringLiteral("t16"), QStringLiteral("緊急連絡人")}
                                         : OwnField{QStringLiteral("t9"), QStringLiteral("電子郵件")};
    int n = 0;
    QStringList mine;
    while (!end.hasExpired()) {
        const int what = pick(6);
        if (what == 4) {
            VendorRegister reg;
            editShared(reg, kSharedVendors.value(pick(2)), vendorField, kCommonField,
                       QStringLiteral("%1-%2").arg(tag).arg(++n), notes);
        } else if (what == 5) {
            EmployeeRegister reg;
            editShared(reg, kSharedEmployees.value(pick(2)), employeeField, kCommonEmployeeField,
                       QStringLiteral("%1-%2").arg(tag).arg(++n), notes);
        } else if (what < 2 || mine.isEmpty()) {
            VendorRegister reg;
            reg.load();
            if (!reg.beginAdd())
                continue;
            const QString name = QStringLiteral("%1廠商%2").arg(tag).arg(++n);
            reg.form().setField(QStringLiteral("t2"), name);
            reg.nameLeft();
            if (reg.save()) {
                notes.saved(QStringLiteral("廠商"), QString(), name);
                mine << name;
            } else {
                reg.cancel();
            }
        } else if (what == 2) {
            const int i = pick(static_cast<int>(mine.size()));
            VendorRegister reg;
            reg.load();
            reg.listByCode(QString());
            for (int r = 1; r < reg.list().rows(); ++r)
                if (reg.list().textMatrix(r, 2) == mine[i])
                    reg.selectRow(r);
            if (reg.selectedName() != mine[i])
                continue;
            gPrompts->answerMessage(PromptButton::Yes);
            if (reg.deleteSelected()) {
                notes.removed(QStringLiteral("廠商"), QString(), mine[i]);
                mine.removeAt(i);
            }
        } else {
            // Any vendor, the other station's included.
            Recordset rs = state().m.gDb->openRecordset(QStringLiteral("SELECT 廠商名稱 FROM 廠商"));
            QStringList all;
            for (; !rs.eof(); rs.moveNext())
                all << rs.text(0);
            if (all.isEmpty())
                continue;
            SupplyLinks links(pick(2) ? SupplyKind::Crews : SupplyKind::Materials, all[pick(static_cast<int>(all.size()))]);
            if (!links.load() || links.all().isEmpty())
                continue;
            links.add({0});
            QThread::msleep(20);   // the user picks
            links.commit();
        }
    }
}

void employeeStation(const QString& tag, Notes& notes, const QDeadlineTimer& end)
{
    int n = 0;
    while (!end.hasExpired()) {
        EmployeeRegister reg;
        if (pick(2) == 0) {
            editShared(reg, kSharedEmployees.value(pick(2)), {QStringLiteral("t12"), QStringLiteral("行動電話")},
                       kCommonEmployeeField, QStringLiteral("%1-%2").arg(tag).arg(++n), notes);
            continue;
        }
        reg.load();
        if (!reg.beginAdd())
            continue;
        const QString name = QStringLiteral("%1員工%2").arg(tag).arg(++n);
        reg.form().setField(QStringLiteral("t2"), name);
        reg.nameLeft();
        reg.form().setField(QStringLiteral("t3"), QStringLiteral("user%1%2").arg(tag).arg(n));
        if (reg.save())
            notes.saved(QStringLiteral("員工"), QString(), name);
        else
            reg.cancel();
    }
}

void readerStation(const QDeadlineTimer& end)
{
    while (!end.hasExpired()) {
        LexiconEditor editor;
        editor.load();
        VendorRegister reg;
        reg.load();
    }
}

int station(const QString& role, const QString& tag, const QString& dbPath, const QString& notesPath, int seconds)
{
    state().m.gDb = Database::open(dbPath);
    state().m.gRights = kAllRights;
    ScriptedPrompter prompts;
    ScopedPrompter scope(prompts);
    gPrompts = &prompts;
    Notes notes(notesPath);
    const QDeadlineTimer end(seconds * 1000);
    if (role == QLatin1String("lexicon"))
        lexiconStation(tag, notes, end);
    else if (role == QLatin1String("vendor"))
        vendorStation(tag, notes, end);
    else if (role == QLatin1String("employee"))
        employeeStation(tag, notes, end);
    else
        readerStation(end);
    // What the users were told: failures (locks, owners removed) are said, not silent.
    QMap<QString, int> texts;
    for (const auto& q : prompts.asked())
        ++texts[q.text.left(60).replace(u'\n', u' ').replace(u'\r', u' ')];
    std::printf("%s %s: %d messages\n", qPrintable(role), qPrintable(tag), static_cast<int>(prompts.asked().size()));
    for (auto it = texts.begin(); it != texts.end(); ++it)
        std::printf("    %4d x %s\n", it.value(), qPrintable(it.key()));
    return 0;
}

int count(Database& db, const QString& sql, const QVariantList& params = {})
{
    return db.openRecordset(sql, params).value(0).toInt();
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    const QStringList args = app.arguments();
    if (args.size() >= 7 && args[1] == QLatin1String("--station"))
        return station(args[2], args[3], args[4], args[5], args[6].toInt());

    const int seconds = args.size() > 1 ? std::max(1, args[1].toInt()) : 60;
    QTemporaryDir dir;
    dir.setAutoRemove(qEnvironmentVariableIsEmpty("VARN_KEEP"));   // VARN_KEEP=1: the file stays to look at
    const QString path = dir.filePath(QStringLiteral("varn3.mdb"));
    {
        auto db = Database::create(path, {}, MainSchemaSql());
        for (int i = 0; i < kCategories.size(); ++i)
            db->execute(QStringLiteral("INSERT INTO 別 (k_id, k) VALUES (?, ?)"), {i + 1, kCategories[i]});
        for (int i = 0; i < kWorkTypes.size(); ++i)
            db->execute(QStringLiteral("INSERT INTO 種 (t_id, t) VALUES (?, ?)"), {i + 1, kWorkTypes[i]});
        for (int i = 0; i < 5; ++i) {
            db->execute(QStringLiteral("INSERT INTO 工班 (w_id, 工班) VALUES (?, ?)"), {i + 1, QStringLiteral("工班%1").arg(i)});
            db->execute(QStringLiteral("INSERT INTO 材料 (p_id, 材料) VALUES (?, ?)"), {i + 1, QStringLiteral("材料%1").arg(i)});
        }
        for (int i = 0; i < kSharedVendors.size(); ++i)
            db->execute(QStringLiteral("INSERT INTO 廠商 (廠商編號, 廠商名稱, 廠商代號) VALUES (?, ?, ?)"),
                        {QStringLiteral("06%1").arg(i + 1, 3, 10, QLatin1Char('0')), kSharedVendors[i], kSharedVendors[i]});
        for (int i = 0; i < kSharedEmployees.size(); ++i)
            db->execute(QStringLiteral("INSERT INTO 員工 (員工編號, 中文姓名, 英文姓名) VALUES (?, ?, ?)"),
                        {QStringLiteral("06%1").arg(i + 1, 3, 10, QLatin1Char('0')), kSharedEmployees[i],
                         QStringLiteral("shared%1").arg(i)});
    }
    const std::pair<const char*, const char*> roles[] = {
        {"lexicon", "L1"}, {"lexicon", "L2"}, {"lexicon", "L3"}, {"vendor", "V1"},
        {"vendor", "V2"},  {"employee", "E1"}, {"reader", "R1"}, {"reader", "R2"}};
    std::vector<std::unique_ptr<QProcess>> procs;
    for (const auto& [role, tag] : roles) {
        auto p = std::make_unique<QProcess>();
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(app.applicationFilePath(),
                 {QStringLiteral("--station"), QString::fromLatin1(role), QString::fromLatin1(tag), path,
                  dir.filePath(QString::fromLatin1(tag) + QStringLiteral(".notes")), QString::number(seconds)});
        procs.push_back(std::move(p));
    }
    for (auto& p : procs)
        p->waitForFinished(-1);

    // Saved minus removed, per station, against the file.
    auto db = Database::open(path);
    int saved = 0, lost = 0, fieldsChecked = 0, fieldsLost = 0;
    QMap<QString, std::pair<int, int>> byTable;   // saved, lost
    for (const auto& [role, tag] : roles) {
        QFile f(dir.filePath(QString::fromLatin1(tag) + QStringLiteral(".notes")));
        if (!f.open(QIODevice::ReadOnly))
            continue;
        QSet<QString> kept;
        QMap<QString, QString> lastField;   // "table\trecord\tcolumn": the value saved last
        for (const QString& line : QString::fromUtf8(f.readAll()).split(u'\n', Qt::SkipEmptyParts)) {
            if (line.startsWith(u'='))
                lastField[line.mid(1).section(u'\t', 0, 2)] = line.section(u'\t', 3);
            else if (line.startsWith(u'+'))
                kept.insert(line.mid(1));
            else
                kept.remove(line.mid(1));
        }
        // A station's own field of a shared record holds what it saved there last.
        for (auto it = lastField.begin(); it != lastField.end(); ++it) {
            const QStringList p = it.key().split(u'\t');
            const QString key = p[0] == QStringLiteral("廠商") ? QStringLiteral("廠商名稱") : QStringLiteral("中文姓名");
            Recordset rs = db->openRecordset(
                QStringLiteral("SELECT %1 FROM %2 WHERE %3 = ?").arg(QuoteIdentifier(p[2]), p[0], key), {p[1]});
            ++fieldsChecked;
            if (rs.eof() || rs.text(0) != it.value()) {
                ++fieldsLost;
                std::printf("  field lost: %s %s %s: saved %s, stored %s\n", tag, qPrintable(p[1]), qPrintable(p[2]),
                            qPrintable(it.value()), rs.eof() ? "<none>" : qPrintable(rs.text(0)));
            }
        }
        for (const QString& row : kept) {
            const QStringList p = row.split(u'\t');
            const QString& table = p[0];
            const QString &owner = p[1], &name = p[2];
            QString sql;
            QVariantList params{name};
            if (table == QLatin1String("t2w")) {
                // Rows under a work type that was deleted as a whole went with it.
                if (count(*db, QStringLiteral("SELECT count(*) FROM 種 WHERE t = ?"), {owner}) == 0)
                    continue;
                sql = QStringLiteral("SELECT count(*) FROM t2w WHERE w = ? AND t = ?");
                params << owner;
            } else if (table == QLatin1String("w2d")) {
                if (count(*db, QStringLiteral("SELECT count(*) FROM t2w WHERE w = ?"), {owner}) == 0)
                    continue;   // its work item was deleted or renamed since
                sql = QStringLiteral("SELECT count(*) FROM w2d WHERE d = ?");
            } else if (table == QLatin1String("k2a")) {
                sql = QStringLiteral("SELECT count(*) FROM k2a WHERE a = ? AND k = ?");
                params << owner;
            } else if (table == QLatin1String("u")) {
                sql = QStringLiteral("SELECT count(*) FROM u WHERE u = ?");
            } else if (table == QStringLiteral("廠商")) {
                sql = QStringLiteral("SELECT count(*) FROM 廠商 WHERE 廠商名稱 = ?");
            } else {
                sql = QStringLiteral("SELECT count(*) FROM 員工 WHERE 中文姓名 = ?");
            }
            ++saved;
            ++byTable[table].first;
            if (db->openRecordset(sql, params).value(0).toInt() == 0) {
                ++lost;
                ++byTable[table].second;
                std::printf("  lost: %s\n", qPrintable(row));
            }
        }
    }
    const int orphanDetails = count(*db, QStringLiteral("SELECT count(*) FROM w2d WHERE w NOT IN (SELECT w FROM t2w)"));
    const int orphanItems = count(*db, QStringLiteral("SELECT count(*) FROM t2w WHERE t NOT IN (SELECT t FROM 種)"));
    const int orphanAreas = count(*db, QStringLiteral("SELECT count(*) FROM k2a WHERE k NOT IN (SELECT k FROM 別)"));
    const int orphanLinks =
        count(*db, QStringLiteral("SELECT count(*) FROM 商vs工 WHERE 廠商名稱 NOT IN (SELECT 廠商名稱 FROM 廠商)"))
        + count(*db, QStringLiteral("SELECT count(*) FROM 商vs料 WHERE 廠商名稱 NOT IN (SELECT 廠商名稱 FROM 廠商)"));
    if (!dir.autoRemove())
        std::printf("database and notes kept in %s\n", qPrintable(dir.path()));
    std::printf("%d s, 8 processes: %d rows saved and kept by their stations, %d lost\n", seconds, saved, lost);
    for (auto it = byTable.begin(); it != byTable.end(); ++it)
        std::printf("  %-6s %5d saved, %d lost\n", qPrintable(it.key()), it.value().first, it.value().second);
    std::printf("shared records: %d fields last saved by their stations, %d lost\n", fieldsChecked, fieldsLost);
    std::printf("orphans: %d details, %d work items, %d areas, %d supply links\n", orphanDetails, orphanItems,
                orphanAreas, orphanLinks);
    return lost + fieldsLost + orphanDetails + orphanItems + orphanAreas + orphanLinks == 0 ? 0 : 1;
}
