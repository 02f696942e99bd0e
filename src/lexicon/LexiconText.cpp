#include "lexicon/LexiconText.h"

#include "quotation/EditorRules.h"
#include "quotation/Pricing.h"
#include "shared/Rights.h"

#include <QVariant>

namespace varn {

bool CanEditLexicon(int rights)
{
    return RightsToBinary12(rights).mid(9, 1) != QLatin1String("0");
}

QVariant StoredNumber(const QString& text)
{
    const QString t = text.trimmed();
    bool ok = false;
    t.toDouble(&ok);
    // Handed over as text: the column's numeric affinity keeps 1200 an integer and 1.2 a real.
    return ok ? QVariant(t) : QVariant(0);
}

bool NumericKeyRefused(QChar key)
{
    return key.unicode() >= 32 && key.unicode() != 127 && !EditorRules::numericKeyAccepted(key);
}

std::optional<QString> NumberRefusal(const QString& text)
{
    for (const QChar c : text)
        if (c.unicode() < 32 || NumericKeyRefused(c))
            return EditorRules::numberOnlyMessage();
    if (!Pricing::fitsNumerals(Pricing::limitValue(text)))
        return Pricing::tooLargeMessage();
    return std::nullopt;
}

bool SameName(const QString& a, const QString& b)
{
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool ContainsName(const QStringList& names, const QString& name)
{
    for (const QString& n : names)
        if (SameName(n, name))
            return true;
    return false;
}

bool LookAlike(const QString& a, const QString& b)
{
    return SameName(a.trimmed(), b.trimmed());
}

std::optional<QString> NameRefusal(const QString& name)
{
    for (const QChar c : name) {
        if (c == u'|' || c == u'‧')
            return QStringLiteral("名稱不可含有「%1」").arg(c);
        if (c == u'\r' || c == u'\n')
            return QStringLiteral("名稱不可含有換行");
    }
    return std::nullopt;
}

} // namespace varn
