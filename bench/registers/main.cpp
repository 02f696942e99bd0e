// The registers on a large shared database: 20,000 vendors with 40,000 links and 20,000
// customers. Prints how long listing every record, listing the vendors of one work crew,
// the search over every column and opening the links window with 500 crews take.
#include "platform/db/Database.h"
#include "platform/ui/ScriptedPrompter.h"
#include "records/CustomerRegister.h"
#include "records/SupplyLinks.h"
#include "records/VendorRegister.h"
#include "records/widgets/frmPrv.h"
#include "records/widgets/frmWP.h"
#include "shared/ProgramState.h"
#include "shared/Rights.h"
#include "shared/setup/Schema.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <cstdio>
#include <functional>

using namespace varn;

namespace {

constexpr int Vendors = 20000;
constexpr int LinksPerVendor = 2;
constexpr int Customers = 20000;
constexpr int Crews = 500;

void fill(Database& db)
{
    Transaction t(db);
    for (int i = 0; i < Crews; ++i)
        db.execute(QStringLiteral("INSERT INTO 工班 (w_id, 工班) VALUES (?, ?)"), {i, QStringLiteral("工班%1").arg(i)});
    QVariantList vendor(38);
    for (int i = 0; i < Vendors; ++i) {
        // Codes spread over the 59 prefixes, unique within each.
        const QString prefix = i % 2 ? QString(QChar(u'A' + (i / 1000) % 26)) : QStringLiteral("%1").arg(i / 1000 % 33 + 1, 2, 10, QLatin1Char('0'));
        const QString name = QStringLiteral("廠商 %1").arg(i);
        for (int c = 0; c < 38; ++c)
            vendor[c] = QStringLiteral("欄%1 值%2").arg(c).arg(i);
        vendor[0] = prefix + QStringLiteral("%1").arg(i, 5, 10, QLatin1Char('0'));
        vendor[1] = name;
        vendor[4] = QStringLiteral("臺北市;中山路 %1 號").arg(i);
        vendor[8] = QStringLiteral("02;2%1").arg(i, 7, 10, QLatin1Char('0'));
        vendor[35] = 1;
        QStringList marks(38, QStringLiteral("?"));
        db.execute(QStringLiteral("INSERT INTO 廠商 VALUES (%1)").arg(marks.join(u',')), vendor);
        for (int k = 0; k < LinksPerVendor; ++k)
            db.execute(QStringLiteral("INSERT INTO 商vs工 VALUES (?, ?)"),
                       {name, QStringLiteral("工班%1").arg((i + k * 7) % Crews)});
    }
    QVariantList customer(35);
    for (int i = 0; i < Customers; ++i) {
        for (int c = 0; c < 35; ++c)
            customer[c] = QStringLiteral("欄%1 值%2").arg(c).arg(i);
        customer[0] = QStringLiteral("A%1").arg(i, 5, 10, QLatin1Char('0'));
        customer[1] = QStringLiteral("客戶 %1").arg(i);
        QStringList marks(35, QStringLiteral("?"));
        db.execute(QStringLiteral("INSERT INTO 客戶 VALUES (%1)").arg(marks.join(u',')), customer);
    }
    t.commit();
}

double ms(const std::function<void()>& f)
{
    QElapsedTimer timer;
    timer.start();
    f();
    return timer.nsecsElapsed() / 1e6;
}

void report(const char* what, double took, double target)
{
    std::printf("%-44s %8.1f ms   (target < %.0f ms)%s\n", what, took, target, took < target ? "" : "   OVER");
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    std::shared_ptr<Database> db = Database::create(dir.filePath(QStringLiteral("varn3.mdb")), {}, MainSchemaSql());
    std::printf("filling %d vendors, %d links, %d customers ...\n", Vendors, Vendors * LinksPerVendor, Customers);
    fill(*db);
    state().m.gDb = db;
    state().m.gRights = kAllRights;
    ScriptedPrompter prompts;
    ScopedPrompter scope(prompts);

    VendorRegister vendors;
    CustomerRegister customers;
    vendors.load();
    customers.load();
    report("list every vendor (全部廠商)", ms([&] { vendors.showAll(); }), 300);
    report("list every customer (全部客戶)", ms([&] { customers.showAll(); }), 300);
    report("vendors of one work crew (ListBySupply)",
           ms([&] { vendors.listBySupply(SupplyKind::Crews, QStringLiteral("工班7")); }), 100);
    prompts.answerInput(QStringLiteral("值19999"));
    report("search over the 38 vendor columns", ms([&] { vendors.search(); }), 1000);
    std::printf("    (%d lines found)\n", vendors.list().rows() - 1);

    {
        frmPrv window;
        window.show();
        app.processEvents();
        report("全部廠商 in the window, drawn", ms([&] {
                   window.Command3_Click();
                   window.repaint();
                   app.processEvents();
               }),
               300);
        window.engine().cancel();
    }

    state().pro.gVendorName = QStringLiteral("廠商 7");
    state().pro.gSupplyMode = QStringLiteral("w");
    report("links window with 500 crews (frmWP load)", ms([&] { frmWP window; }), 50);
    return 0;
}
