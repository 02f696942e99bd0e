#pragma once

#include <QDate>
#include <QString>

namespace varn {

// The header of a quotation. The first seven fields are stored in the quotation file in
// this order; contact, telephone and fax come from the customer register.
enum class HeaderField {
    CustomerName,   // txtCn 客戶名稱
    ProjectName,    // cbEcn 工程案名
    Salesperson,    // cbSal 負責業務
    Category,       // cbK 工程類別
    QuoteNo,        // txtNo 單號
    SiteAddress,    // txtAddr 工程地址
    QuoteDate,      // txtQD 報價日期
    Contact,        // lbConn 聯絡人
    Telephone,      // lbCtel 電話
    Fax,            // gCusFax, kept for printing
};

constexpr int kStoredHeaderFields = 7;

struct QuotationHeader {
    QString customerName = QStringLiteral("新客戶");
    QString projectName;
    QString salesperson;
    QString category;
    QString quoteNo;
    QString siteAddress;
    QString quoteDate;
    QString contact;
    QString telephone;
    QString fax;

    QString value(HeaderField f) const;
    void setValue(HeaderField f, const QString& text);
    // The field's caption in messages ("客戶名稱"...).
    static QString label(HeaderField f);

    // Date and number of a new quotation: "ee/mm/dd" in the ROC calendar, and the same
    // digits without separators followed by "_" for the user to complete.
    static QString dateText(const QDate& today);
    static QString numberFor(const QString& dateText);

    bool operator==(const QuotationHeader&) const = default;
};

} // namespace varn
