#pragma once

// The large quotation the benchmarks time: 10,000 item rows over 200 leaves, four levels deep.

#include "quotation/ItemColumns.h"
#include "quotation/VrnFile.h"

#include <QStringList>

namespace varn::bench {

// Fills leaves with the 200 leaf paths and returns the quotation holding 50 rows under each.
inline VrnContent LargeQuotation(QStringList& leaves)
{
    const QString dot = QStringLiteral("\u2027");
    VrnContent c;
    c.header.customerName = QStringLiteral("效能測試客戶");
    c.header.quoteDate = QStringLiteral("113/05/01");
    c.header.category = QStringLiteral("住宅");
    for (int a = 1; a <= 5; ++a)
        for (int b = 1; b <= 5; ++b)
            for (int d = 1; d <= 2; ++d)
                for (int e = 1; e <= 4; ++e)
                    leaves << QStringLiteral("Ｑ%1區域%2%1樓層%3%1空間%4%1工種%5")
                                  .arg(dot).arg(a).arg(b).arg(d).arg(e);
    c.leafPaths = leaves;
    int n = 0;
    for (const QString& leaf : leaves) {
        for (int r = 0; r < 50; ++r, ++n) {
            ItemLine line;
            line[0] = leaf;
            line[1] = QStringLiteral("品名%1").arg(n);
            line[2] = QStringLiteral("規格%1").arg(r);
            line[3] = QStringLiteral("式");
            line[4] = QString::number(1 + r % 7);
            line[5] = QString::number(100 + r * 10);
            line[6] = QString::number((1 + r % 7) * (100 + r * 10));
            line[7] = QString::number(80 + r * 8);
            line[8] = QString::number((1 + r % 7) * (80 + r * 8));
            line[9] = QStringLiteral("1.25");
            line[10] = QStringLiteral("備註");
            line[11] = QStringLiteral("品名%1").arg(n);
            c.rows.push_back(line);
        }
    }
    return c;
}

} // namespace varn::bench
