#pragma once

#include "statistics/ReportMenu.h"

class QWidget;

namespace varn {

// Rebuilds the print database and shows the report in a print preview, from which the
// user prints it or saves a PDF. Nothing is shown when the quotation is empty, the
// rebuild fails or the layout cannot be read (the prompter says why).
void RunReport(ReportMenu& menu, ReportKind kind, QWidget* parent);

} // namespace varn
