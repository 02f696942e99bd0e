#include "quotation/VrnFile.h"

#include "platform/files/SafeSave.h"
#include "platform/text/Cp950.h"
#include "quotation/ItemColumns.h"
#include "quotation/Pricing.h"
#include "quotation/QuotationTree.h"

#include <algorithm>
#include <cmath>
#include <optional>

namespace varn {

VrnError::VrnError(const QString& message, int number)
    : std::runtime_error(message.toStdString()), m_message(message), m_number(number)
{
}

QString ItemColumnName(int col)
{
    static const char16_t* names[] = {u"", u"階層", u"品名", u"規格", u"單位", u"數量", u"單價",
                                      u"金額", u"成本", u"成本複計", u"比例", u"備註", u"詞庫品名"};
    if (col < 0 || col >= QCol::Count)
        return {};
    return QString::fromUtf16(names[col]);
}

namespace Vrn {

namespace {

const QString kTitle = QStringLiteral("[Title]");
const QString kTree = QStringLiteral("[Tree]");
const QString kGrid = QStringLiteral("[Grid]");
const QString kPageEnd = QStringLiteral("[PageEndPs]");
const QString kDL = QStringLiteral("[D&L]");

[[noreturn]] void fail(const QString& why)
{
    throw VrnError(why);
}

class Cursor {
public:
    explicit Cursor(const QStringList& lines) : m_lines(lines) {}
    bool atEnd() const { return m_at >= m_lines.size(); }
    int lineNo() const { return static_cast<int>(m_at); }
    // The next line; a file that ends here is an error.
    QString take(const char* where)
    {
        if (atEnd())
            fail(QStringLiteral("檔案在%1結束").arg(QString::fromUtf8(where)));
        return m_lines[m_at++];
    }
    std::optional<QString> takeIfAny()
    {
        if (atEnd())
            return std::nullopt;
        return m_lines[m_at++];
    }
    void expect(const QString& section)
    {
        const QString line = take("區段標題之前");
        if (line != section)
            fail(QStringLiteral("第 %1 行應為 %2").arg(lineNo()).arg(section));
    }

private:
    const QStringList& m_lines;
    qsizetype m_at = 0;
};

std::optional<bool> toBoolean(const QString& text)
{
    const QString t = text.trimmed();
    if (t.compare(QStringLiteral("True"), Qt::CaseInsensitive) == 0)
        return true;
    if (t.compare(QStringLiteral("False"), Qt::CaseInsensitive) == 0)
        return false;
    if (const auto n = Pricing::parseNumber(t))
        return *n != 0;
    return std::nullopt;
}

std::optional<int> toCheckState(const QString& text)
{
    const auto n = Pricing::parseNumber(text);
    if (!n)
        return std::nullopt;
    const double r = std::nearbyint(*n);
    if (r < 0 || r > 2)
        return std::nullopt;
    return static_cast<int>(r);
}

// Applies fields of a split line one by one; a field that is missing or does not convert
// fails in the strict mode and is passed over in the tolerant one.
class FieldReader {
public:
    FieldReader(const QStringList& fields, VrnReadMode mode, const QString& what)
        : m_fields(fields), m_mode(mode), m_what(what) {}
    template <typename Apply>
    void field(int i, Apply apply)
    {
        if (i >= m_fields.size()) {
            if (m_mode == VrnReadMode::Strict)
                fail(QStringLiteral("%1缺少欄位").arg(m_what));
            return;
        }
        if (!apply(m_fields[i]) && m_mode == VrnReadMode::Strict)
            fail(QStringLiteral("%1的欄位無法辨識:%2").arg(m_what, m_fields[i]));
    }

private:
    const QStringList& m_fields;
    VrnReadMode m_mode;
    QString m_what;
};

void readFee(const QString& line, VrnReadMode mode, FeeValues& fee, const QString& what)
{
    const QStringList f = line.split(u',');
    FieldReader r(f, mode, what);
    r.field(0, [&](const QString& s) { fee.title = s; return true; });
    r.field(1, [&](const QString& s) {
        const auto b = toBoolean(s);
        if (b)
            fee.byTotal = *b;
        return b.has_value();
    });
    r.field(2, [&](const QString& s) { fee.base = s; return true; });
    r.field(3, [&](const QString& s) { fee.rate = s; return true; });
    r.field(4, [&](const QString& s) { fee.amount = s; return true; });
}

void checkTreeLine(const QString& line, int lineNo)
{
    const QStringList parts = line.split(QuotationTree::Separator);
    if (parts.first() != QuotationTree::RootKey)
        fail(QStringLiteral("第 %1 行的階層不是從「%2」開始").arg(lineNo).arg(QuotationTree::RootKey));
    for (const QString& p : parts) {
        if (p.isEmpty())
            fail(QStringLiteral("第 %1 行的階層有空白名稱").arg(lineNo));
        if (p.contains(u'|'))
            fail(QStringLiteral("第 %1 行的階層名稱含有「|」").arg(lineNo));
    }
}

} // namespace

VrnContent parse(const QStringList& lines, VrnReadMode mode, const PageEndValues& blank)
{
    VrnContent c;
    c.pageEnd = blank;
    Cursor in(lines);

    const QString modeLine = in.take("第一行");
    QChar gridSep = u'|';
    bool older = false;
    if (modeLine == QStringLiteral("0n") || modeLine == QStringLiteral("1n")) {
        c.noAreaMode = modeLine.startsWith(u'1');
    } else if (modeLine == QStringLiteral("0") || modeLine == QStringLiteral("1")) {
        c.noAreaMode = modeLine == QStringLiteral("1");
        gridSep = u',';
        older = true;
    } else {
        fail(QStringLiteral("不是報價單檔案(第一行為「%1」)").arg(modeLine.left(20)));
    }

    in.expect(kTitle);
    for (int i = 0; i < kStoredHeaderFields; ++i)
        c.header.setValue(static_cast<HeaderField>(i), in.take("表頭"));
    in.take("表頭");   // the empty line, whatever it holds
    in.expect(kTree);

    for (;;) {
        const QString line = in.take("階層區段");
        if (line.isEmpty())
            break;
        checkTreeLine(line, in.lineNo());
        c.leafPaths << line;
    }
    if (c.leafPaths.isEmpty())
        fail(QStringLiteral("階層區段是空的"));

    in.expect(kGrid);
    for (;;) {
        const QString line = in.take("明細區段");
        if (line.isEmpty())
            break;
        const QStringList f = older ? (line + QStringLiteral(",")).split(gridSep) : line.split(gridSep);
        if (f.size() < 12 && mode == VrnReadMode::Strict)
            fail(QStringLiteral("第 %1 行的明細欄位不足").arg(in.lineNo()));
        ItemLine row;
        for (int i = 0; i < 12 && i < f.size(); ++i)
            row[i] = f[i];
        c.rows.push_back(std::move(row));
    }

    const std::optional<QString> next = mode == VrnReadMode::Strict
                                            ? std::optional<QString>(in.take("明細區段之後"))
                                            : in.takeIfAny();
    if (!next || *next != kPageEnd) {
        // An older layout: no remarks, fees by total and empty.
        c.hasPageEnd = false;
        return c;
    }
    for (auto& remark : c.pageEnd.remarks)
        remark = in.take("頁尾備註");
    while (in.take("頁尾備註") != kDL) {
    }

    auto feeLine = [&](FeeValues& fee, const QString& what) {
        if (mode == VrnReadMode::Strict)
            readFee(in.take("費用行"), mode, fee, what);
        else if (const auto line = in.takeIfAny())
            readFee(*line, mode, fee, what);
    };
    feeLine(c.pageEnd.design, QStringLiteral("設計費行"));
    feeLine(c.pageEnd.supervision, QStringLiteral("監工費行"));

    if (const auto line = in.takeIfAny()) {
        const QStringList f = line->split(u':');
        FieldReader r(f, mode, QStringLiteral("總價行"));
        QString* targets[] = {&c.pageEnd.untaxed, &c.pageEnd.taxRate, &c.pageEnd.tax,
                              &c.pageEnd.withTax, &c.pageEnd.discount, &c.pageEnd.quoted};
        for (int i = 0; i < 6; ++i)
            r.field(i, [&](const QString& s) { *targets[i] = s; return true; });
    }
    if (const auto line = in.takeIfAny()) {
        const QStringList f = line->split(u',');
        FieldReader r(f, mode, QStringLiteral("勾選行"));
        int* targets[] = {&c.pageEnd.design.checked, &c.pageEnd.supervision.checked,
                          &c.pageEnd.taxChecked};
        for (int i = 0; i < 3; ++i) {
            r.field(i, [&](const QString& s) {
                const auto v = toCheckState(s);
                if (v)
                    *targets[i] = *v;
                return v.has_value();
            });
        }
    }
    return c;
}

VrnContent read(const QString& path, VrnReadMode mode, const PageEndValues& blank)
{
    QStringList lines;
    try {
        lines = ReadCp950Lines(path);
    } catch (const TextFileError& e) {
        throw VrnError(e.message());
    }
    return parse(lines, mode, blank);
}

namespace {

// Why one field cannot be written: a line break, one of its line's separators, or a
// character code page 950 cannot hold. `name` is only called when a field fails, so the
// ten thousand cells of a large quotation cost no message texts.
template <typename Name>
QString checkField(const QString& text, const QString& separators, Name name, bool checkCode = true)
{
    for (QChar ch : text) {
        if (ch == u'\r' || ch == u'\n')
            return QStringLiteral("「%1」不可含有換行:%2").arg(name(), text.simplified());
        if (separators.contains(ch))
            return QStringLiteral("「%1」不可含有「%2」:%3").arg(name(), QString(ch), text);
    }
    if (checkCode) {
        if (const auto bad = FirstNonCp950Char(text)) {
            const char32_t u = *bad;
            return QStringLiteral("「%1」含有無法存檔的字元「%2」:%3")
                .arg(name(), QString::fromUcs4(&u, 1), text);
        }
    }
    return {};
}

QString feeLine(const FeeValues& f)
{
    return QStringList{f.title, f.byTotal ? QStringLiteral("True") : QStringLiteral("False"),
                       f.base, f.rate, f.amount}
        .join(u',');
}

QString itemLine(const ItemLine& row)
{
    QString line;
    for (int i = 0; i < 12; ++i) {
        if (i)
            line += u'|';
        line += row[i];
    }
    return line;
}

} // namespace

QString fieldRefusal(const QString& field, const QString& text, const QString& separators)
{
    return checkField(text, separators, [&] { return field; });
}

QString refusal(const VrnContent& c)
{
    QString why;
    auto fixed = [](const QString& n) { return [n] { return n; }; };
    for (int i = 0; i < kStoredHeaderFields && why.isEmpty(); ++i) {
        const auto f = static_cast<HeaderField>(i);
        why = checkField(c.header.value(f), {}, fixed(QuotationHeader::label(f)));
    }
    for (const QString& path : c.leafPaths) {
        if (!why.isEmpty())
            return why;
        why = checkField(path, QStringLiteral("|"), fixed(QStringLiteral("階層 ") + path));
    }
    for (std::size_t r = 0; r < c.rows.size() && why.isEmpty(); ++r) {
        const ItemLine& row = c.rows[r];
        // Code page 950 is checked for the whole line first: one conversion per row.
        const bool codeOk = !FirstNonCp950Char(itemLine(row)).has_value();
        for (int i = 0; i < 12 && why.isEmpty(); ++i) {
            why = checkField(row[i], QStringLiteral("|"), [&] {
                // The row as the user sees it: its place among its leaf's rows.
                const auto inLeaf = std::count_if(c.rows.begin(), c.rows.begin() + static_cast<std::ptrdiff_t>(r),
                                                  [&](const ItemLine& other) { return other[0] == row[0]; });
                return QStringLiteral("%1(%2 第 %3 列)").arg(ItemColumnName(i + 1), row[0]).arg(inLeaf + 1);
            }, !codeOk);
        }
    }
    if (!why.isEmpty())
        return why;
    for (int i = 0; i < 5 && why.isEmpty(); ++i)
        why = checkField(c.pageEnd.remarks[i], {}, fixed(QStringLiteral("頁尾備註 %1").arg(i + 1)));
    for (const FeeValues* f : {&c.pageEnd.design, &c.pageEnd.supervision}) {
        const QString fee = f == &c.pageEnd.design ? QStringLiteral("設計費") : QStringLiteral("監工費");
        const std::pair<const QString*, const char16_t*> parts[] = {
            {&f->title, u"名稱"}, {&f->base, u"基數"}, {&f->rate, u"費率"}, {&f->amount, u"金額"}};
        for (const auto& [text, part] : parts) {
            if (why.isEmpty())
                why = checkField(*text, QStringLiteral(","), fixed(fee + QString::fromUtf16(part)));
        }
    }
    const PageEndValues& p = c.pageEnd;
    const std::pair<const QString*, const char16_t*> totals[] = {
        {&p.untaxed, u"總價"}, {&p.taxRate, u"稅率"}, {&p.tax, u"稅金"},
        {&p.withTax, u"含稅總價"}, {&p.discount, u"折扣"}, {&p.quoted, u"報價總價"}};
    for (const auto& [text, name] : totals) {
        if (why.isEmpty())
            why = checkField(*text, QStringLiteral(":"), fixed(QString::fromUtf16(name)));
    }
    return why;
}

QStringList lines(const VrnContent& c)
{
    QStringList out;
    out.reserve(30 + c.leafPaths.size() + static_cast<qsizetype>(c.rows.size()));
    out << (c.noAreaMode ? QStringLiteral("1n") : QStringLiteral("0n")) << kTitle;
    for (int i = 0; i < kStoredHeaderFields; ++i)
        out << c.header.value(static_cast<HeaderField>(i));
    out << QString() << kTree;
    out << c.leafPaths;
    out << QString() << kGrid;
    for (const ItemLine& row : c.rows)
        out << itemLine(row);
    out << QString() << kPageEnd;
    for (const QString& r : c.pageEnd.remarks)
        out << r;
    out << QString() << kDL;
    out << feeLine(c.pageEnd.design) << feeLine(c.pageEnd.supervision);
    const PageEndValues& p = c.pageEnd;
    out << QStringList{p.untaxed, p.taxRate, p.tax, p.withTax, p.discount, p.quoted}.join(u':');
    out << QStringLiteral("%1,%2,%3").arg(p.design.checked).arg(p.supervision.checked).arg(p.taxChecked);
    return out;
}

void write(const QString& path, const VrnContent& content)
{
    const QString why = refusal(content);
    if (!why.isEmpty())
        throw VrnError(why, VrnError::RefusedText);
    const QString text = lines(content).join(QStringLiteral("\r\n")) + QStringLiteral("\r\n");
    const std::optional<QByteArray> bytes = EncodeCp950(text);
    if (!bytes)
        throw VrnError(QStringLiteral("報價單含有無法存檔的字元"), VrnError::RefusedText);

    if (const auto why = SaveFileSafely(path, *bytes))
        throw VrnError(QStringLiteral("無法寫入檔案「%1」:%2").arg(path, *why), VrnError::FileAccess);
}

} // namespace Vrn
} // namespace varn
