#pragma once

#include <QString>

class QWidget;

namespace varn {

class Report;

// Shows a report in a print preview window, from which the user prints it or saves it as
// a PDF file. Returns when the window is closed.
void ShowReportPreview(const Report& report, const QString& title, QWidget* parent = nullptr);

} // namespace varn
