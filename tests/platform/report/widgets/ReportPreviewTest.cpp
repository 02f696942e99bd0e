#include "platform/report/Report.h"
#include "platform/report/widgets/ReportPreview.h"

#include <QApplication>
#include <QPrintPreviewDialog>
#include <QScreen>
#include <QTimer>
#include <QWidget>

#include <gtest/gtest.h>

namespace varn {
namespace {

TEST(ReportPreview, OpensWithinTheAreaLeftToWindows)
{
    const ReportLayout layout = ReportLayout::fromJson(R"({
      "page": { "size": "A4", "margins": [10, 10, 10, 10] },
      "fonts": { "default": { "size": 10 } },
      "everyPage": [ { "kind": "text", "x": 0, "y": 0, "width": 190, "height": 8, "text": "p{page}" } ],
      "body": { "source": "t1", "top": 20, "rowHeight": 6, "rowsPerPage": 3,
                "columns": [ { "field": 0, "x": 0, "width": 20 } ] }
    })");
    ReportData data;
    data.setTable(QStringLiteral("t1"), ReportTable{{QStringLiteral("a")}, {{QStringLiteral("1")}}});
    const Report report(layout, data);

    QRect shown;
    bool seen = false;
    // Runs inside the preview's own event loop.
    QTimer::singleShot(0, [&] {
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (auto* preview = qobject_cast<QPrintPreviewDialog*>(w); preview && preview->isVisible()) {
                seen = true;
                shown = preview->frameGeometry();
                preview->reject();
            }
        }
    });
    ShowReportPreview(report, QStringLiteral("報表"));
    ASSERT_TRUE(seen);
    const QRect area = QGuiApplication::primaryScreen()->availableGeometry();
    EXPECT_TRUE(area.contains(shown));
}

} // namespace
} // namespace varn
