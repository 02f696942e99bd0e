// Fills a 10,000 x 13 item grid the way the quotation window does (texts plus the
// per-row colours), with redraw off, while a GridView shows the model; prints how long
// the fill, the single refresh and the first paint take.
#include "platform/grid/GridModel.h"
#include "platform/grid/widgets/GridView.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QScrollBar>

#include <cstdio>

using namespace varn;

namespace {

constexpr int DataRows = 10000;
constexpr int Cols = 13;

void fill(GridModel& grid)
{
    grid.setRows(DataRows + 1);
    for (int r = 1; r <= DataRows; ++r) {
        grid.setTextMatrix(r, 1, r % 20 == 1 ? QStringLiteral("Ｑ‧客廳‧木作") : QString());
        grid.setTextMatrix(r, 2, QStringLiteral("木門 %1").arg(r));
        grid.setTextMatrix(r, 3, QStringLiteral("規格"));
        grid.setTextMatrix(r, 4, QStringLiteral("樘"));
        grid.setTextMatrix(r, 5, QString::number(r % 7 + 1));
        grid.setTextMatrix(r, 6, QStringLiteral("1200"));
        grid.setTextMatrix(r, 7, QString::number((r % 7 + 1) * 1200));
        grid.setTextMatrix(r, 8, QStringLiteral("900"));
        grid.setTextMatrix(r, 9, QString::number((r % 7 + 1) * 900));
        grid.setTextMatrix(r, 10, QStringLiteral("1.33"));
        grid.setTextMatrix(r, 11, QStringLiteral("備註"));
        grid.setTextMatrix(r, 12, QStringLiteral("木門"));
        grid.setRow(r);
        grid.setCol(1);
        grid.setCellBackColor(QColor(255, 255, 192));
        for (int c : {7, 9}) {
            grid.setCol(c);
            grid.setCellBackColor(QColor(227, 227, 227));
            grid.setCellForeColor(QColor(192, 0, 0));
        }
    }
}

} // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);

    GridModel grid(2, Cols);
    GridView view;
    view.setGridModel(&grid);
    view.resize(1000, 700);
    view.show();
    app.processEvents();

    int notices = 0;
    QObject::connect(&grid, &GridModel::cellChanged, [&](int, int) { ++notices; });
    QObject::connect(&grid, &GridModel::currentCellChanged, [&](int, int) { ++notices; });
    QObject::connect(&grid, &GridModel::structureChanged, [&] { ++notices; });

    QElapsedTimer t;
    t.start();
    grid.setRedraw(false);
    fill(grid);
    const qint64 fillMs = t.elapsed();
    t.restart();
    grid.setRedraw(true);
    const qint64 refreshMs = t.elapsed();
    t.restart();
    view.repaint();
    app.processEvents();
    const qint64 paintMs = t.elapsed();
    t.restart();
    view.verticalScrollBar()->setValue(view.verticalScrollBar()->maximum());
    view.repaint();
    const qint64 scrollMs = t.elapsed();

    std::printf("grid_fill: %d rows x %d columns, redraw off\n", DataRows, Cols);
    std::printf("  fill            %6lld ms\n", static_cast<long long>(fillMs));
    std::printf("  redraw on       %6lld ms\n", static_cast<long long>(refreshMs));
    std::printf("  first paint     %6lld ms\n", static_cast<long long>(paintMs));
    std::printf("  scroll to end   %6lld ms\n", static_cast<long long>(scrollMs));
    std::printf("  notifications   %6d\n", notices);
    return 0;
}
