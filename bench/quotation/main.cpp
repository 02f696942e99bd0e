// Times the quotation document on a large quotation: 10,000 item rows over 200 leaves,
// four levels deep. Prints figures; asserts nothing.
#include "quotation/Quotation.h"
#include "quotation/VrnFile.h"
#include "shared/ProgramState.h"
#include "support/LargeQuotation.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>

#include <algorithm>
#include <cstdio>
#include <functional>
#include <vector>

using namespace varn;

namespace {

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
    const VrnContent content = bench::LargeQuotation(leaves);
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
