#include "records/CompanyRules.h"

#include "records/RecordForm.h"

namespace varn {

namespace {

constexpr int kShortNameLength = 4;

// Removes blanks (U+0020 only) from both ends; other white space, the ideographic space
// included, belongs to the text.
QString trimBlanks(const QString& text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text.at(begin) == u' ')
        ++begin;
    while (end > begin && text.at(end - 1) == u' ')
        --end;
    return text.sliced(begin, end - begin);
}

} // namespace

CompanyRules::CompanyRules(int invoiceAddressColumn)
    : m_invoiceAddressColumn(invoiceAddressColumn)
{
}

QStringList CompanyRules::areaCodeControls()
{
    return {QStringLiteral("t10"), QStringLiteral("t12"), QStringLiteral("t14"), QStringLiteral("t18"),
            QStringLiteral("t21"), QStringLiteral("t32"), QStringLiteral("t25")};
}

void CompanyRules::fieldChanged(RecordForm& form, const QString& control)
{
    if (control == QLatin1String("t2")) {
        form.setField(QStringLiteral("t3"), LeadingCharacters(form.field(control), kShortNameLength));
    } else if (control == QLatin1String("t11")) {
        // The first telephone is usually everyone's company telephone.
        const QString number = form.field(control);
        form.setField(QStringLiteral("t19"), number);
        form.setField(QStringLiteral("t26"), number);
        form.setField(QStringLiteral("T33"), number);
    }
}

bool CompanyRules::choicePicked(RecordForm& form, const QString& control, int index)
{
    if (control != QLatin1String("cb1"))
        return false;
    const QString county = form.field(control);
    for (const QString& box : otherCountyControls())
        form.setField(box, county);
    const QString areaCode = form.choices(QStringLiteral("L1")).value(index);
    for (const QString& box : areaCodeControls())
        form.setField(box, areaCode);
    form.setField(QStringLiteral("cb3"), county);
    return true;
}

void CompanyRules::adjustRow(QStringList& row, const RecordForm& form, EditMode mode)
{
    // A changed record stores the invoice street without surrounding blanks.
    if (mode == EditMode::Edit && row.size() > m_invoiceAddressColumn)
        row[m_invoiceAddressColumn] = form.field(QStringLiteral("cb3")) + QLatin1Char(';')
                                      + trimBlanks(form.field(QStringLiteral("t7")));
}

} // namespace varn
