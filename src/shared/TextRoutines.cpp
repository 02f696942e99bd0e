#include "shared/TextRoutines.h"

#include "platform/text/Cp950.h"
#include "shared/StrokeTable.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <iterator>
#include <optional>

namespace varn {

namespace {

// The first level of code page 950 holds the common characters ordered by stroke count.
constexpr int kLevel1First = 0xA440;
constexpr int kLevel1Last = 0xC67E;

// The last code of each stroke count (1 to 30) in the first level:
// 乙 又 才 王 立 阡 阬 非 香 鬼 麻 黑 鼠 齊 齒 龜 齋 鼬 嚨 齡 齧 龔 黴 齲 黌 驢 黷 鸚 鸛 鸞.
constexpr std::array<int, 30> kStrokeBoundaries = {
    0xA441, 0xA453, 0xA47E, 0xA4FD, 0xA5DF, 0xA6E9, 0xA8C2, 0xAB44, 0xADBB, 0xB0AD,
    0xB3C2, 0xB6C2, 0xB9AB, 0xBBF4, 0xBEA6, 0xC074, 0xC24E, 0xC35E, 0xC456, 0xC4D6,
    0xC56A, 0xC5C7, 0xC5F0, 0xC654, 0xC664, 0xC66A, 0xC675, 0xC678, 0xC67C, 0xC67D,
};

// Past the last boundary the class jumps to 33.
constexpr int kBeyondLastClass = 33;

char32_t firstCodePoint(const QString& text)
{
    const QChar c = text.at(0);
    if (c.isHighSurrogate() && text.size() > 1 && text.at(1).isLowSurrogate())
        return QChar::surrogateToUcs4(c, text.at(1));
    return c.unicode();
}

// The two-byte code of a character in the first level of code page 950, or 0.
int level1Code(char32_t cp)
{
    const char32_t one[] = {cp};
    std::optional<QByteArray> bytes;
    try {
        bytes = EncodeCp950(QString::fromUcs4(one, 1));
    } catch (const TextFileError&) {
        return 0; // no converter on this system: the stroke table still classes the character
    }
    if (!bytes || bytes->size() != 2)
        return 0;
    const int code = (static_cast<unsigned char>(bytes->at(0)) << 8)
        | static_cast<unsigned char>(bytes->at(1));
    return code >= kLevel1First && code <= kLevel1Last ? code : 0;
}

int strokeClass(char32_t cp)
{
    if (const int code = level1Code(cp)) {
        const auto it = std::lower_bound(kStrokeBoundaries.begin(), kStrokeBoundaries.end(), code);
        if (it == kStrokeBoundaries.end())
            return kBeyondLastClass;
        return static_cast<int>(std::distance(kStrokeBoundaries.begin(), it)) + 1;
    }
    const int strokes = UnihanStrokeCount(cp);
    if (strokes == 0)
        return 1; // not Han: sorts before every Chinese character
    return strokes > 30 ? kBeyondLastClass : strokes;
}

// Chinese numerals of one style: digits 0 to 9, and the units of a group by position
// k = 1 (tens) to 4 (ten thousands).
struct NumeralStyle {
    std::array<QChar, 10> digits;
    std::array<QChar, 5> units; // units[0] unused
};

const NumeralStyle kPlain = {
    {u'零', u'一', u'二', u'三', u'四', u'五', u'六', u'七', u'八', u'九'},
    {u' ', u'十', u'佰', u'仟', u'萬'},
};

const NumeralStyle kFormal = {
    {u'零', u'壹', u'貳', u'參', u'肆', u'伍', u'陸', u'柒', u'捌', u'玖'},
    {u' ', u'拾', u'佰', u'仟', u'萬'},
};

constexpr QChar kZero = u'零';
const QString kTenThousand = QStringLiteral("萬");
const QString kHundredMillion = QStringLiteral("億");

// One group of at most five ASCII digits. A zero inside the group gives one 零, a zero
// tens digit included; zeros at the end give nothing; an all-zero group gives "".
QString convertGroup(QStringView g, const NumeralStyle& style)
{
    const auto m = g.size();
    QString r;
    for (qsizetype k = 1; k < m; ++k) {
        const int d = g.at(m - 1 - k).unicode() - '0';
        if (d != 0)
            r.prepend(QString(style.digits[d]) + style.units[k]);
        else if (!r.startsWith(kZero))
            r.prepend(kZero);
    }
    const int units = g.at(m - 1).unicode() - '0';
    if (units != 0)
        r.append(style.digits[units]);
    while (r.endsWith(kZero))
        r.chop(1);
    return r;
}

// Digits without leading zeros.
QString convertDigits(QStringView t, const NumeralStyle& style)
{
    const auto n = t.size();
    if (n <= 5)
        return convertGroup(t, style);
    if (n <= 8)
        return convertGroup(t.first(n - 4), style) + kTenThousand + convertGroup(t.last(4), style);

    // Nine digits or more: hundreds of millions, then two groups of four. A middle group of
    // zeros is left out with its 萬, and a 零 marks the gap when the last group follows.
    QString r = convertDigits(t.first(n - 8), style) + kHundredMillion;
    const QString middle = convertGroup(t.sliced(n - 8, 4), style);
    const QString last = convertGroup(t.last(4), style);
    if (!middle.isEmpty())
        r += middle + kTenThousand;
    else if (!last.isEmpty() && !last.startsWith(kZero))
        r += kZero;
    return r + last;
}

bool allAsciiDigits(QStringView text)
{
    return std::all_of(text.begin(), text.end(),
                       [](QChar c) { return c >= u'0' && c <= u'9'; });
}

QString amountInWords(const QString& digits, const NumeralStyle& style)
{
    if (!allAsciiDigits(digits))
        return {};
    QStringView t(digits);
    while (!t.isEmpty() && t.front() == u'0')
        t = t.sliced(1);
    return t.isEmpty() ? QString() : convertDigits(t, style);
}

// Every digit of the whole part of |value|; "" when it is not finite.
QString wholeDigits(double value)
{
    if (!std::isfinite(value))
        return {};
    std::array<char, 400> buf;   // a double's whole part has at most 309 digits
    const auto res = std::to_chars(buf.data(), buf.data() + buf.size(), std::trunc(std::fabs(value)),
                                   std::chars_format::fixed, 0);
    return QString::fromLatin1(buf.data(), res.ptr - buf.data());
}

} // namespace

QString StrokePrefix(const QString& text)
{
    if (text.isEmpty())
        return QStringLiteral("01");
    return QStringLiteral("%1").arg(strokeClass(firstCodePoint(text)), 2, 10, QLatin1Char('0'));
}

QString TextBeforeSemicolon(const QString& text)
{
    const auto at = text.indexOf(u';');
    return at < 0 ? QString() : text.left(at);
}

QString TextAfterSemicolon(const QString& text)
{
    const auto at = text.indexOf(u';');
    return at < 0 ? text : text.mid(at + 1);
}

QString SemicolonToBlank(const QString& text)
{
    QString r = text;
    return r.replace(u';', u' ');
}

QString PhoneNumberText(const QString& compound)
{
    return PhoneNumberText(TextBeforeSemicolon(compound), TextAfterSemicolon(compound));
}

QString PhoneNumberText(const QString& areaCode, const QString& number)
{
    const QString area = areaCode.trimmed();
    const QString digits = SemicolonToBlank(number.trimmed());
    if (digits.isEmpty() || area.isEmpty())
        return digits;
    return area + u' ' + digits;
}

QString AmountToChinese(const QString& digits)
{
    return amountInWords(digits, kPlain);
}

QString AmountToChinese(double amount)
{
    return amount < 0 ? QString() : AmountToChinese(wholeDigits(amount));
}

QString AmountToChineseFormal(const QString& digits)
{
    return amountInWords(digits, kFormal);
}

QString AmountToChineseFormal(double amount)
{
    return amount < 0 ? QString() : AmountToChineseFormal(wholeDigits(amount));
}

QString GroupThousands(const QString& text)
{
    QStringView rest(text);
    QStringView sign;
    if (!rest.isEmpty() && (rest.front() == u'-' || rest.front() == u'+')) {
        sign = rest.first(1);
        rest = rest.sliced(1);
    }
    const auto point = rest.indexOf(u'.');
    const QStringView whole = point < 0 ? rest : rest.first(point);
    const QStringView fraction = point < 0 ? QStringView() : rest.sliced(point);
    if (!allAsciiDigits(whole))
        return text;

    QString grouped;
    QStringView s = whole;
    while (s.size() >= 3) {
        grouped.prepend(s.last(3));
        grouped.prepend(u',');
        s.chop(3);
    }
    grouped.prepend(s);
    if (grouped.startsWith(u','))
        grouped.remove(0, 1);
    return sign.toString() + grouped + fraction.toString();
}

QString GroupThousands(double amount)
{
    if (!std::isfinite(amount))
        return QStringLiteral("0");
    return (amount <= -1 ? QStringLiteral("-") : QString()) + GroupThousands(wholeDigits(amount));
}

} // namespace varn
