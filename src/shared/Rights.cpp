#include "shared/Rights.h"

namespace varn {

QString RightsToBinary12(int rights)
{
    // The column is a 16-bit integer: a negative value is its two's complement form.
    unsigned int n = rights < 0 ? static_cast<unsigned int>(rights) & 0xFFFFu
                                : static_cast<unsigned int>(rights);
    QString s;
    while (n >= 2) {
        s += (n & 1u) ? u'1' : u'0';
        n /= 2;
    }
    s += (n & 1u) ? u'1' : u'0';
    while (s.size() < kRightCount)
        s += u'0';
    return s;
}

} // namespace varn
