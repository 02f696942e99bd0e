#pragma once

namespace varn {

class frmQ;

// Puts the fifteen print commands of 列印(Excel)(&P) and 列印設定(&U) on the quotation
// window, and starts looking up the spreadsheet program while the user works.
void AttachPrintCommands(frmQ& window);

// 列印設定(&U): the print-range window, modal.
void mPxlset_Click(frmQ& window);

} // namespace varn
