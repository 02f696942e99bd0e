#pragma once

namespace varn {

// Makes the compiled-in report layouts (":/reports/fp.rpt", ":/reports/pb.rpt") available.
// Resources of a static library are registered by its own code; calling this once before
// reading them is always safe.
void InitReportResources();

} // namespace varn
