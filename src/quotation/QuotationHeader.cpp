#include "quotation/QuotationHeader.h"

#include "shared/RocDate.h"

#include <QStringList>

namespace varn {

QString QuotationHeader::value(HeaderField f) const
{
    switch (f) {
    case HeaderField::CustomerName: return customerName;
    case HeaderField::ProjectName: return projectName;
    case HeaderField::Salesperson: return salesperson;
    case HeaderField::Category: return category;
    case HeaderField::QuoteNo: return quoteNo;
    case HeaderField::SiteAddress: return siteAddress;
    case HeaderField::QuoteDate: return quoteDate;
    case HeaderField::Contact: return contact;
    case HeaderField::Telephone: return telephone;
    case HeaderField::Fax: return fax;
    }
    return {};
}

void QuotationHeader::setValue(HeaderField f, const QString& text)
{
    switch (f) {
    case HeaderField::CustomerName: customerName = text; break;
    case HeaderField::ProjectName: projectName = text; break;
    case HeaderField::Salesperson: salesperson = text; break;
    case HeaderField::Category: category = text; break;
    case HeaderField::QuoteNo: quoteNo = text; break;
    case HeaderField::SiteAddress: siteAddress = text; break;
    case HeaderField::QuoteDate: quoteDate = text; break;
    case HeaderField::Contact: contact = text; break;
    case HeaderField::Telephone: telephone = text; break;
    case HeaderField::Fax: fax = text; break;
    }
}

QString QuotationHeader::label(HeaderField f)
{
    switch (f) {
    case HeaderField::CustomerName: return QStringLiteral("客戶名稱");
    case HeaderField::ProjectName: return QStringLiteral("工程案名");
    case HeaderField::Salesperson: return QStringLiteral("負責業務");
    case HeaderField::Category: return QStringLiteral("工程類別");
    case HeaderField::QuoteNo: return QStringLiteral("單號");
    case HeaderField::SiteAddress: return QStringLiteral("工程地址");
    case HeaderField::QuoteDate: return QStringLiteral("報價日期");
    case HeaderField::Contact: return QStringLiteral("聯絡人");
    case HeaderField::Telephone: return QStringLiteral("電話");
    case HeaderField::Fax: return QStringLiteral("傳真");
    }
    return {};
}

QString QuotationHeader::dateText(const QDate& today)
{
    return FormatRocDate(today);
}

QString QuotationHeader::numberFor(const QString& dateText)
{
    return dateText.split(u'/').join(QString()) + QStringLiteral("_");
}

} // namespace varn
