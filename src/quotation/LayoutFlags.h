#pragma once

namespace varn {

// The layout flags of the quotation window: the print commands set them and the
// spreadsheet print engines and the report menu read them. All off when the window is made.
struct LayoutFlags {
    bool CoverByArea = false;   // the cover sums up by area (else by work type)
    int TreeMode = 0;           // 1 the tree's order, 2 by work type, 3 by work type with areas apart
    bool ShowCost = false;      // cost figures are printed
    bool BlankPrices = false;   // 單價 and 金額 are left empty
    bool SingleSheet = false;   // one sheet without a cover
    bool CostReport = false;    // the cost-analysis layout
    bool FlatList = false;      // the single sheet lists items without heading levels

    bool operator==(const LayoutFlags&) const = default;
};

} // namespace varn
