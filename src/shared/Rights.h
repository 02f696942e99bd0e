#pragma once

#include <QString>

namespace varn {

// The rights word: a 12-bit integer stored in 員工.權限 and held in gRights.
enum class Right : int {
    PriceVisible = 0,   // 價格可見
    CostVisible = 1,    // 成本可見
    Quotation = 2,      // 報價單
    CustomerEdit = 3,   // 客戶資料 編輯
    CustomerView = 4,   // 客戶資料 查詢
    VendorEdit = 5,     // 廠商資料 編輯
    VendorView = 6,     // 廠商資料 查詢
    EmployeeEdit = 7,   // 員工資料 編輯
    EmployeeView = 8,   // 員工資料 查詢
    LexiconEdit = 9,    // 詞庫 編輯
    LexiconView = 10,   // 詞庫 查詢
    SystemSettings = 11 // 系統設定
};

constexpr int kRightCount = 12;
constexpr int kAllRights = (1 << kRightCount) - 1; // 4095, the superuser's word

constexpr int RightMask(Right right) { return 1 << static_cast<int>(right); }
constexpr bool HasRight(int rights, Right right) { return (rights & RightMask(right)) != 0; }

// The rights word as "0"/"1" characters, bit 0 first, padded with "0" to 12 characters:
// 5 gives "101000000000". A word above 4095 gives a longer text; a negative one is read
// as the 16-bit value it is stored as.
QString RightsToBinary12(int rights);

} // namespace varn
