// Times the quotation document on a large quotation: 10,000 item rows over 200 leaves,
// four levels deep. Prints figures; asserts nothing.
#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"
#include "quotation/VrnFile.h"
#include "shared/ProgramState.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace varn;

namespace {

const QString Dot = QStringLiteral("\u2027");

VrnContent generate(QStringList& leaves)
{
    VrnContent c;
    c.header.customerName = QStringLiteral("效能測試客戶");
    c.header.quoteDate = QStringLiteral("113/05/01");
    for (int a = 1; a <= 5; ++a)
        for (int b = 1; b <= 5; ++b)
            for (int d = 1; d <= 2; ++d)
                for (int e = 1; e <= 4; ++e)
                    leaves << QStringLiteral("Ｑ%1區域%2%1樓層%3%1空間%4%1工種%5")
                                  .arg(Dot).arg(a).arg(b).arg(d).arg(e);
    c.leafPaths = leaves;
    int n = 0;
    for (const QString& leaf : leaves) {
        for (int r = 0; r < 50; ++r, ++n) {
            ItemLine line;
            line[0] = leaf;
            line[1] = QStringLiteral("品名%1").arg(n);
            line[2] = QStringLiteral("規格%1").arg(r);
            line[3] = QStringLiteral("式");
            line[4] = QString::number(1 + r % 7);
            line[5] = QString::number(100 + r * 10);
            line[6] = QString::number((1 + r % 7) * (100 + r * 10));
            line[7] = QString::number(80 + r * 8);
            line[8] = QString::number((1 + r % 7) * (80 + r * 8));
            line[9] = QStringLiteral("1.25");
            line[10] = QStringLiteral("備註");
            line[11] = QStringLiteral("品名%1").arg(n);
            c.rows.push_back(line);
        }
    }
    return c;
}

// Median of several runs, in milliseconds.
double time(const std::function<void()>& before, const std::function<void()>& run, int runs = 9)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        before();
        QElapsedTimer t;
        t.start();
        run();
        ms.push_back(t.nsecsElapsed() / 1e6);
    }
    std::sort(ms.begin(), ms.end());
    return ms[ms.size() / 2];
}

void report(const char* what, double ms, double target)
{
    std::printf("%-44s %9.3f ms   (target %g ms)\n", what, ms, target);
}

} // namespace

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    state().programFolder = dir.path();
    state().m.gRights = 4095;

    QStringList leaves;
    const VrnContent content = generate(leaves);
    const QString source = dir.filePath(QStringLiteral("large.vrn"));
    Vrn::write(source, content);
    std::printf("quotation: %zu item rows over %lld leaves, 4 levels deep\n", content.rows.size(),
                static_cast<long long>(leaves.size()));

    Quotation doc;
    const double open = time([] {}, [&] { doc.mOpen_Click(source); });
    report("open (parse, rebuild, gather at the root)", open, 100);

    const QString target = dir.filePath(QStringLiteral("saved.vrn"));
    const double save = time([] {}, [&] { doc.saveTo(target); });
    report("save (atomic write of the whole file)", save, 100);

    const QString leaf = leaves[leaves.size() / 2];
    const double toLeaf = time([&] { doc.selectRoot(); }, [&] { doc.tv_NodeClick(leaf); });
    report("switch root -> leaf", toLeaf, 20);
    const double toRoot = time([&] { doc.tv_NodeClick(leaf); }, [&] { doc.selectRoot(); });
    report("switch leaf -> root (store and gather all)", toRoot, 20);

    doc.tv_NodeClick(leaf);
    int q = 1;
    const double edit = time([] {}, [&] { doc.cellEdited(5, QCol::Qty, QString::number(++q)); }, 101);
    report("cell edit at a leaf (row and totals)", edit, 5);

    doc.selectRoot();
    const double totals = time([] {}, [&] {
        doc.UpdateTotals();
        doc.RecalcGrandTotal();
    }, 101);
    report("totals of all 10,000 rows at the root", totals, 5);
    return 0;
}
