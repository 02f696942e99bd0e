#pragma once

namespace varn {

class Shell;

// Hooks the windows of the other modules to the menu: the quotation window, the registers
// and 工程資料&詞庫, the quotation
// window's close for 結束, and the parts of the quotation window that live elsewhere (files
// and page end, statistics and reports, the customer pick, the read-only templates, the
// print ranges and the main database read afresh).
void ConnectWindows(Shell& shell);

} // namespace varn
