#pragma once

// Quotation contents written compactly, for the tests of what is made of a quotation.

#include "quotation/VrnFile.h"

#include <QString>
#include <QStringList>

#include <ostream>

QT_BEGIN_NAMESPACE
// Readable values in failure messages.
inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }
QT_END_NAMESPACE

namespace varn::test {

// "Ｑ‧a‧b" from "a", "b".
inline QString LeafPath(std::initializer_list<const char*> levels)
{
    QString p = QStringLiteral("\uFF31");
    for (const char* l : levels)
        p += QChar(0x2027) + QString::fromUtf8(l);
    return p;
}

// A grid row of `leaf` from "品名|規格|單位|數量|單價|金額|成本|成本複計|比例|備註" (trailing
// fields may be left off; no lexicon item).
inline ItemLine GridItem(const QString& leaf, const char* fields)
{
    ItemLine line;
    line[0] = leaf;
    const QStringList f = QString::fromUtf8(fields).split(u'|');
    for (int i = 0; i < f.size(); ++i)
        line[size_t(i) + 1] = f[i];
    return line;
}

} // namespace varn::test
