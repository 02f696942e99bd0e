#include "platform/report/widgets/ReportPreview.h"

#include "platform/report/Report.h"
#include "platform/ui/Prompter.h"

#include <QAction>
#include <QDir>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QToolBar>

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
    dialog.resize(900, 1000);
    dialog.exec();
}

} // namespace varn
