#include "platform/report/widgets/ReportPreview.h"

#include "platform/report/Report.h"
#include "platform/ui/Prompter.h"

#include <QAction>
#include <QDir>
#include <QGuiApplication>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QScreen>
#include <QStyle>
#include <QToolBar>

#include <algorithm>

namespace varn {

namespace {

void savePdf(const Report& report, const QString& title)
{
    FileRequest req;
    req.title = QStringLiteral("另存 PDF");
    req.filter = QStringLiteral("PDF (*.pdf)");
    req.startFolder = QDir::homePath();
    req.fileName = title + QStringLiteral(".pdf");
    const auto file = prompter().saveFile(req);
    if (!file)
        return;
    QString path = *file;
    if (!path.endsWith(QLatin1String(".pdf"), Qt::CaseInsensitive))
        path += QStringLiteral(".pdf");
    try {
        report.writePdf(path, title);
    } catch (const ReportError& e) {
        prompter().inform(e.message(), PromptIcon::Critical);
    }
}

// A page needs height: the preview takes what it asks for, but never more than the area
// the desktop leaves to windows, its frame included, and stands in the middle of it.
void fitToAvailableArea(QWidget& window, QSize wanted)
{
    QScreen* screen = window.screen() ? window.screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    const QRect area = screen->availableGeometry();
    // The frame is not known before the window is shown; allow for a title bar and borders.
    const int border = window.style()->pixelMetric(QStyle::PM_DefaultFrameWidth) * 2 + 8;
    const int titleBar = window.style()->pixelMetric(QStyle::PM_TitleBarHeight) + border;
    const QSize size(std::min(wanted.width(), area.width() - border),
                     std::min(wanted.height(), area.height() - titleBar));
    window.resize(size);
    window.move(area.x() + (area.width() - size.width() - border) / 2,
                area.y() + (area.height() - size.height() - titleBar) / 2);
}

} // namespace

void ShowReportPreview(const Report& report, const QString& title, QWidget* parent)
{
    QPrinter printer(QPrinter::HighResolution);
    printer.setPageLayout(report.layout().pageLayout());
    printer.setDocName(title);
    printer.setCreator(QStringLiteral("Varn III"));

    QPrintPreviewDialog dialog(&printer, parent);
    dialog.setWindowTitle(title);
    QObject::connect(&dialog, &QPrintPreviewDialog::paintRequested, &dialog,
                     [&report](QPrinter* p) { report.print(*p, false); });

    // The preview's own print dialog can also print to a file; this saves a PDF directly.
    if (auto* bar = dialog.findChild<QToolBar*>()) {
        bar->addSeparator();
        QAction* pdf = bar->addAction(QStringLiteral("存成 PDF"));
        QObject::connect(pdf, &QAction::triggered, &dialog,
                         [&report, title] { savePdf(report, title); });
    }
    fitToAvailableArea(dialog, QSize(900, 1000));
    dialog.exec();
}

} // namespace varn
