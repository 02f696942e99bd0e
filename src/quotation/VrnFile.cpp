#include "quotation/VrnFile.h"

#include "platform/files/SafeSave.h"
#include "platform/text/Cp950.h"
#include "quotation/ItemColumns.h"
#include "quotation/Pricing.h"
#include "quotation/QuotationTree.h"

#include <QRegularExpression>

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
    Cursor(const QStringList& lines, bool lastLineEnded) : m_lines(lines), m_end(lines.size())
    {
        // A line the file ends inside may have lost any part of its end, its last field
        // included: it is not read at all.
        if (!lastLineEnded && m_end > 0) {
            --m_end;
            m_cut = true;
        }
    }
    bool atEnd() const { return m_at >= m_end; }
    // The file ends inside a line: it was cut, and is no older layout.
    bool cut() const { return m_cut; }
    // The line the file ends inside, once every line before it is taken.
    std::optional<QString> cutLine() const
    {
        if (!m_cut || m_at != m_end)
            return std::nullopt;
        return m_lines[m_end];
    }
    // The line the file ends inside held nothing but the carriage return of its break: an
    // empty line that lost only its line feed. It is taken as that line, and the file is whole
    // up to it.
    bool takeCutEmptyLine()
    {
        if (cutLine() != QStringLiteral("\r"))
            return false;
        m_end = m_lines.size();
        m_at = m_end;
        m_cut = false;
        return true;
    }
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
    qsizetype m_end;
    qsizetype m_at = 0;
    bool m_cut = false;
};

// The parts of the page end in file order, as a damaged file's message names them.
enum PagePart { Remarks, DesignFee, SupervisionFee, TaxRate, Discount, Totals, DesignCheck, SupervisionCheck,
                TaxCheck, PagePartCount };

QString partName(int part)
{
    static const char16_t* names[] = {u"頁尾備註", u"設計費",       u"監工費",       u"稅率",     u"折扣",
                                      u"總價",     u"設計費的勾選", u"監工費的勾選", u"稅金的勾選"};
    return QString::fromUtf16(names[part]);
}

// Every part from `first` to the end of the file.
QStringList partsFrom(int first)
{
    QStringList out;
    for (int p = first; p < PagePartCount; ++p)
        out << partName(p);
    return out;
}

QString incompleteText(const QStringList& unread)
{
    return QStringLiteral("檔案不完整，無法讀取：%1").arg(unread.join(QStringLiteral("、")));
}

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
    // False when the field is missing or does not convert (tolerant mode only).
    template <typename Apply>
    bool field(int i, Apply apply)
    {
        if (i >= m_fields.size()) {
            if (m_mode == VrnReadMode::Strict)
                fail(QStringLiteral("%1缺少欄位").arg(m_what));
            return false;
        }
        if (apply(m_fields[i]))
            return true;
        if (m_mode == VrnReadMode::Strict)
            fail(QStringLiteral("%1的欄位無法辨識:%2").arg(m_what, m_fields[i]));
        return false;
    }

private:
    const QStringList& m_fields;
    VrnReadMode m_mode;
    QString m_what;
};

// False when a field is missing or does not convert (tolerant mode only).
bool readFee(const QString& line, VrnReadMode mode, FeeValues& fee, const QString& what)
{
    const QStringList f = line.split(u',');
    FieldReader r(f, mode, what);
    bool whole = r.field(0, [&](const QString& s) { fee.title = s; return true; });
    whole &= r.field(1, [&](const QString& s) {
        const auto b = toBoolean(s);
        if (b)
            fee.byTotal = *b;
        return b.has_value();
    });
    QString* texts[] = {&fee.base, &fee.rate, &fee.amount};
    for (int i = 0; i < 3; ++i)
        whole &= r.field(i + 2, [&](const QString& s) { *texts[i] = s; return true; });
    return whole;
}

// The totals line; the parts whose fields are missing (tolerant mode only).
QStringList readTotals(const QString& line, VrnReadMode mode, PageEndValues& p)
{
    const QStringList f = line.split(u':');
    FieldReader r(f, mode, QStringLiteral("總價行"));
    QString* targets[] = {&p.untaxed, &p.taxRate, &p.tax, &p.withTax, &p.discount, &p.quoted};
    const PagePart parts[] = {Totals, TaxRate, Totals, Totals, Discount, Totals};
    bool missing[PagePartCount] = {};
    for (int i = 0; i < 6; ++i)
        missing[parts[i]] |= !r.field(i, [&](const QString& s) { *targets[i] = s; return true; });
    QStringList lost;
    for (const PagePart part : {TaxRate, Discount, Totals}) {
        if (missing[part])
            lost << partName(part);
    }
    return lost;
}

// The check line; the boxes missing or not a whole number 0 to 2 (tolerant mode only).
QStringList readChecks(const QString& line, VrnReadMode mode, PageEndValues& p)
{
    const QStringList f = line.split(u',');
    FieldReader r(f, mode, QStringLiteral("勾選行"));
    int* targets[] = {&p.design.checked, &p.supervision.checked, &p.taxChecked};
    QStringList lost;
    for (int i = 0; i < 3; ++i) {
        const bool read = r.field(i, [&](const QString& s) {
            const auto v = toCheckState(s);
            if (v)
                *targets[i] = *v;
            return v.has_value();
        });
        if (!read)
            lost << partName(DesignCheck + i);
    }
    return lost;
}

// A check line as it is written, its three boxes each one digit: nothing of it can be
// missing but the line break.
bool wholeCheckLine(const QString& line)
{
    static const QRegularExpression written(QStringLiteral("^[0-2],[0-2],[0-2]\\r?$"));
    return written.match(line).hasMatch();
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

// Row r of the grid section as the user finds it: its place among its leaf's rows.
QString rowPlace(const std::vector<ItemLine>& rows, std::size_t r)
{
    const QString& leaf = rows[r][0];
    const auto before = static_cast<std::size_t>(
        std::count_if(rows.begin(), rows.begin() + static_cast<std::ptrdiff_t>(r),
                      [&](const ItemLine& other) { return other[0] == leaf; }));
    return QStringLiteral("%1 第 %2 列").arg(leaf).arg(before + 1);
}

// Where the reading of a file that ends early stopped: the grid rows after those read, or
// the page end from `part` on (from remark `remark` when that part is the remarks).
struct Cut {
    bool inGrid = false;
    PagePart part = Remarks;
    int remark = 0;
};

// Reads a file section by section. A section that meets the end of the file reports where
// it stopped; what that leaves unread is worked out once, by `unreadFrom`.
class Parser {
public:
    Parser(const QStringList& lines, VrnReadMode mode, const PageEndValues& blank, bool lastLineEnded)
        : m_in(lines, lastLineEnded), m_mode(mode)
    {
        m_c.pageEnd = blank;
    }

    VrnContent run()
    {
        readHeaderAndTree();
        std::optional<Cut> cut = readGrid();
        if (!cut && m_c.hasPageEnd)
            cut = readPageEnd();
        if (!cut && m_c.hasPageEnd)
            cut = readClosingLines();
        if (cut)
            unread(unreadFrom(*cut));
        return std::move(m_c);
    }

private:
    // From here on a damaged file keeps what was read before the damage: the strict reader
    // refuses it, the tolerant one opens it and names what it could not read.
    void unread(const QStringList& parts)
    {
        if (m_mode == VrnReadMode::Strict)
            fail(incompleteText(parts));
        m_c.unread << parts;
    }

    QStringList unreadFrom(const Cut& cut) const
    {
        QStringList out;
        int first = cut.part;
        if (cut.inGrid) {
            out << (m_c.rows.empty() ? QStringLiteral("明細列")
                                     : rowPlace(m_c.rows, m_c.rows.size() - 1) + QStringLiteral("之後的明細列"));
            // An older file has no page end to miss.
            first = m_older ? PagePartCount : Remarks;
        } else if (cut.part == Remarks && cut.remark > 0) {
            out << (cut.remark == 4 ? QStringLiteral("頁尾備註 5")
                                    : QStringLiteral("頁尾備註 %1 至 5").arg(cut.remark + 1));
            first = DesignFee;
        }
        return out + partsFrom(first);
    }

    // The mode line, the header and the tree: a file that ends or differs from the layout
    // here is no quotation, whichever way it is opened.
    void readHeaderAndTree()
    {
        const QString modeLine = m_in.take("第一行");
        if (modeLine == QStringLiteral("0n") || modeLine == QStringLiteral("1n")) {
            m_c.noAreaMode = modeLine.startsWith(u'1');
        } else if (modeLine == QStringLiteral("0") || modeLine == QStringLiteral("1")) {
            m_c.noAreaMode = modeLine == QStringLiteral("1");
            m_older = true;
        } else {
            fail(QStringLiteral("不是報價單檔案(第一行為「%1」)").arg(modeLine.left(20)));
        }

        m_in.expect(kTitle);
        for (int i = 0; i < kStoredHeaderFields; ++i)
            m_c.header.setValue(static_cast<HeaderField>(i), m_in.take("表頭"));
        m_in.take("表頭");   // the empty line, whatever it holds
        m_in.expect(kTree);

        for (;;) {
            const QString line = m_in.take("階層區段");
            if (line.isEmpty())
                break;
            checkTreeLine(line, m_in.lineNo());
            m_c.leafPaths << line;
        }
        if (m_c.leafPaths.isEmpty())
            fail(QStringLiteral("階層區段是空的"));
    }

    // The grid section, "," between the fields of an older file and "|" in a present one.
    std::optional<Cut> readGrid()
    {
        m_in.expect(kGrid);
        for (;;) {
            const std::optional<QString> line = m_in.takeIfAny();
            if (!line) {
                if (m_in.takeCutEmptyLine())
                    return std::nullopt;
                // Not closed by its empty line: rows may follow the last one read.
                m_c.hasPageEnd = false;
                return Cut{.inGrid = true};
            }
            if (line->isEmpty())
                return std::nullopt;
            const QStringList f = m_older ? (*line + QStringLiteral(",")).split(u',') : line->split(u'|');
            ItemLine row;
            for (int i = 0; i < 12 && i < f.size(); ++i)
                row[i] = f[i];
            m_c.rows.push_back(std::move(row));
            if (f.size() < 12)
                unread({rowPlace(m_c.rows, m_c.rows.size() - 1) + QStringLiteral("的部分欄位")});
        }
    }

    // "[PageEndPs]", the five remarks and the lines up to "[D&L]". Only an older file may
    // end or go on otherwise after its grid section: it has no page end. A present one that
    // ends there was cut.
    std::optional<Cut> readPageEnd()
    {
        const std::optional<QString> next = m_in.takeIfAny();
        if (!next || *next != kPageEnd)
            m_c.hasPageEnd = false;
        if (!next) {
            if (!m_older)
                return Cut{};
            // An older file holds nothing after its grid: a line cut there loses nothing of it.
            if (m_mode == VrnReadMode::Strict && !m_in.cut())
                fail(QStringLiteral("檔案在明細區段之後結束"));
            return std::nullopt;
        }
        if (!m_c.hasPageEnd)
            return std::nullopt;
        for (int i = 0; i < 5; ++i) {
            const std::optional<QString> line = m_in.takeIfAny();
            if (!line)
                return Cut{.part = Remarks, .remark = i};
            m_c.pageEnd.remarks[static_cast<std::size_t>(i)] = *line;
        }
        for (;;) {
            const std::optional<QString> line = m_in.takeIfAny();
            if (!line)
                return Cut{.part = DesignFee};
            if (*line == kDL)
                return std::nullopt;
        }
    }

    // The two fee lines, the totals line and the check line. A file may end after its fee
    // lines or after its totals line (older layouts); one that ends inside either was cut.
    std::optional<Cut> readClosingLines()
    {
        PageEndValues& p = m_c.pageEnd;
        for (const auto& [fee, part] : {std::pair{&p.design, DesignFee}, {&p.supervision, SupervisionFee}}) {
            const std::optional<QString> line = m_in.takeIfAny();
            if (!line)
                return Cut{.part = part};
            if (!readFee(*line, m_mode, *fee, partName(part) + QStringLiteral("行")))
                unread({partName(part)});
        }

        const std::optional<QString> totals = m_in.takeIfAny();
        if (!totals)
            return m_in.cut() ? std::optional(Cut{.part = TaxRate}) : std::nullopt;
        QStringList lost = readTotals(*totals, m_mode, p);
        std::optional<QString> checks = m_in.takeIfAny();
        // The check line is the file's last: one that lost only its line break is whole.
        if (const std::optional<QString> last = m_in.cutLine(); !checks && last && wholeCheckLine(*last))
            checks = last;
        if (checks)
            lost << readChecks(*checks, m_mode, p);
        if (!lost.isEmpty())
            unread(lost);
        if (!checks && m_in.cut())
            return Cut{.part = DesignCheck};
        return std::nullopt;
    }

    Cursor m_in;
    VrnReadMode m_mode;
    bool m_older = false;
    VrnContent m_c;
};

} // namespace

VrnContent parse(const QStringList& lines, VrnReadMode mode, const PageEndValues& blank, bool lastLineEnded)
{
    return Parser(lines, mode, blank, lastLineEnded).run();
}

QString incompleteMessage(const QStringList& unread)
{
    return incompleteText(unread)
        + QStringLiteral("\r\n視窗中是可以讀取的部分，檔案本身沒有變更；存回原檔將失去無法讀取的內容。");
}

VrnContent read(const QString& path, VrnReadMode mode, const PageEndValues& blank)
{
    QStringList lines;
    bool ended = true;
    try {
        lines = ReadCp950Lines(path, ended);
    } catch (const TextFileError& e) {
        throw VrnError(e.message());
    }
    return parse(lines, mode, blank, ended);
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
                return QStringLiteral("%1(%2)").arg(ItemColumnName(i + 1), rowPlace(c.rows, r));
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
