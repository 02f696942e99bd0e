#include "platform/report/ReportLayout.h"

#include "platform/files/FileFailure.h"

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPageSize>
#include <QRegularExpression>

#include <cerrno>

namespace varn {

ReportError::ReportError(const QString& message)
    : std::runtime_error(message.toStdString()), m_message(message)
{
}

namespace {

const QString kDefaultFont = QStringLiteral("default");

[[noreturn]] void fail(const QString& what)
{
    throw ReportError(QStringLiteral("報表格式錯誤: %1").arg(what));
}

const QRegularExpression& placeholderPattern()
{
    // {table.field}: a table name and a field name or position; {page} and {pages} have no dot.
    static const QRegularExpression re(QStringLiteral(R"(\{([^{}.]+)\.([^{}]+)\})"));
    return re;
}

double number(const QJsonObject& o, const char* key, double fallback, const QString& where)
{
    const QJsonValue v = o.value(QLatin1String(key));
    if (v.isUndefined())
        return fallback;
    if (!v.isDouble())
        fail(QStringLiteral("%1 的 %2 不是數字").arg(where, QLatin1String(key)));
    return v.toDouble();
}

ReportAlign align(const QJsonObject& o, const QString& where)
{
    const QString a = o.value(QStringLiteral("align")).toString(QStringLiteral("left"));
    if (a == QLatin1String("left"))
        return ReportAlign::Left;
    if (a == QLatin1String("center"))
        return ReportAlign::Center;
    if (a == QLatin1String("right"))
        return ReportAlign::Right;
    fail(QStringLiteral("%1 的對齊方式 \"%2\" 不明").arg(where, a));
}

// A field is named, or given by position as digits; JSON numbers are taken as positions.
QString fieldSpec(const QJsonValue& v, const QString& where)
{
    if (v.isDouble() && v.toDouble() >= 0 && v.toDouble() == double(v.toInt()))
        return QString::number(v.toInt());
    if (v.isString() && !v.toString().isEmpty())
        return v.toString();
    fail(QStringLiteral("%1 沒有欄位").arg(where));
}

std::vector<ReportItem> items(const QJsonObject& root, const char* key)
{
    std::vector<ReportItem> out;
    const QJsonValue v = root.value(QLatin1String(key));
    if (v.isUndefined())
        return out;
    if (!v.isArray())
        fail(QStringLiteral("%1 不是清單").arg(QLatin1String(key)));
    const QJsonArray arr = v.toArray();
    for (int i = 0; i < arr.size(); ++i) {
        const QString where = QStringLiteral("%1[%2]").arg(QLatin1String(key)).arg(i);
        if (!arr.at(i).isObject())
            fail(QStringLiteral("%1 不是物件").arg(where));
        const QJsonObject o = arr.at(i).toObject();
        ReportItem item;
        const QString kind = o.value(QStringLiteral("kind")).toString(QStringLiteral("text"));
        if (kind == QLatin1String("text"))
            item.kind = ReportItem::Kind::Text;
        else if (kind == QLatin1String("line"))
            item.kind = ReportItem::Kind::Line;
        else if (kind == QLatin1String("box"))
            item.kind = ReportItem::Kind::Box;
        else
            fail(QStringLiteral("%1 的種類 \"%2\" 不明").arg(where, kind));
        item.x = number(o, "x", 0, where);
        item.y = number(o, "y", 0, where);
        item.width = number(o, "width", 0, where);
        item.height = number(o, "height", 0, where);
        item.pen = number(o, "pen", 0.3, where);
        item.text = o.value(QStringLiteral("text")).toString();
        item.font = o.value(QStringLiteral("font")).toString();
        item.align = align(o, where);
        if (item.kind == ReportItem::Kind::Text && (item.width <= 0 || item.height <= 0))
            fail(QStringLiteral("%1 的文字框沒有大小").arg(where));
        out.push_back(item);
    }
    return out;
}

QFont makeFont(const QJsonObject& o, const QString& name)
{
    QFont f(o.value(QStringLiteral("family")).toString(QStringLiteral("Noto Sans CJK TC")));
    const double size = number(o, "size", 10, QStringLiteral("字型 %1").arg(name));
    if (size <= 0)
        fail(QStringLiteral("字型 %1 的大小不對").arg(name));
    f.setPointSizeF(size);
    f.setBold(o.value(QStringLiteral("bold")).toBool(false));
    return f;
}

QPageLayout readPageLayout(const QJsonObject& o)
{
    const QString size = o.value(QStringLiteral("size")).toString(QStringLiteral("A4"));
    QPageSize pageSize;
    if (size == QLatin1String("A4"))
        pageSize = QPageSize(QPageSize::A4);
    else if (size == QLatin1String("A3"))
        pageSize = QPageSize(QPageSize::A3);
    else if (size == QLatin1String("B5"))
        pageSize = QPageSize(QPageSize::B5);
    else if (size == QLatin1String("Letter"))
        pageSize = QPageSize(QPageSize::Letter);
    else
        fail(QStringLiteral("紙張 \"%1\" 不明").arg(size));
    const QString orient = o.value(QStringLiteral("orientation")).toString(QStringLiteral("portrait"));
    if (orient != QLatin1String("portrait") && orient != QLatin1String("landscape"))
        fail(QStringLiteral("紙張方向 \"%1\" 不明").arg(orient));
    QMarginsF margins(10, 10, 10, 10);
    const QJsonValue m = o.value(QStringLiteral("margins"));
    if (!m.isUndefined()) {
        const QJsonArray a = m.toArray();
        if (a.size() != 4)
            fail(QStringLiteral("邊界要有四個數字"));
        margins = QMarginsF(a.at(0).toDouble(), a.at(1).toDouble(), a.at(2).toDouble(),
                            a.at(3).toDouble());
    }
    return QPageLayout(pageSize,
                       orient == QLatin1String("landscape") ? QPageLayout::Landscape
                                                            : QPageLayout::Portrait,
                       margins, QPageLayout::Millimeter);
}

} // namespace

std::vector<std::pair<QString, QString>> ReportPlaceholders(const QString& text)
{
    std::vector<std::pair<QString, QString>> out;
    auto it = placeholderPattern().globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out.emplace_back(m.captured(1), m.captured(2));
    }
    return out;
}

ReportLayout ReportLayout::fromJson(const QByteArray& json)
{
    QJsonParseError err;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &err);
    if (err.error != QJsonParseError::NoError)
        fail(QStringLiteral("第 %1 字元: %2").arg(err.offset).arg(err.errorString()));
    if (!doc.isObject())
        fail(QStringLiteral("不是物件"));
    const QJsonObject root = doc.object();

    ReportLayout layout;
    layout.m_page = readPageLayout(root.value(QStringLiteral("page")).toObject());

    const QJsonObject fonts = root.value(QStringLiteral("fonts")).toObject();
    for (auto it = fonts.begin(); it != fonts.end(); ++it)
        layout.m_fonts.insert(it.key(), makeFont(it.value().toObject(), it.key()));
    if (!layout.m_fonts.contains(kDefaultFont))
        layout.m_fonts.insert(kDefaultFont, makeFont(QJsonObject(), kDefaultFont));

    const QJsonValue bodyValue = root.value(QStringLiteral("body"));
    if (!bodyValue.isObject())
        fail(QStringLiteral("沒有 body"));
    const QJsonObject b = bodyValue.toObject();
    const QString where = QStringLiteral("body");
    ReportBody& body = layout.m_body;
    body.source = b.value(QStringLiteral("source")).toString();
    if (body.source.isEmpty())
        fail(QStringLiteral("body 沒有資料表"));
    body.top = number(b, "top", 0, where);
    body.headerHeight = number(b, "headerHeight", 0, where);
    body.headerFont = b.value(QStringLiteral("headerFont")).toString();
    body.rowHeight = number(b, "rowHeight", 6, where);
    body.rowsPerPage = int(number(b, "rowsPerPage", 30, where));
    body.font = b.value(QStringLiteral("font")).toString();
    body.gridLines = b.value(QStringLiteral("gridLines")).toBool(true);
    if (body.rowHeight <= 0 || body.rowsPerPage <= 0)
        fail(QStringLiteral("body 的行高或每頁行數不對"));
    const QJsonArray cols = b.value(QStringLiteral("columns")).toArray();
    if (cols.isEmpty())
        fail(QStringLiteral("body 沒有欄"));
    for (int i = 0; i < cols.size(); ++i) {
        const QString cw = QStringLiteral("body.columns[%1]").arg(i);
        const QJsonObject c = cols.at(i).toObject();
        ReportColumn col;
        col.field = fieldSpec(c.value(QStringLiteral("field")), cw);
        col.title = c.value(QStringLiteral("title")).toString();
        col.x = number(c, "x", 0, cw);
        col.width = number(c, "width", 0, cw);
        col.align = align(c, cw);
        if (col.width <= 0)
            fail(QStringLiteral("%1 沒有寬度").arg(cw));
        body.columns.push_back(col);
    }

    layout.m_everyPage = items(root, "everyPage");
    layout.m_firstPage = items(root, "firstPage");
    layout.m_lastPage = items(root, "lastPage");
    return layout;
}

ReportLayout ReportLayout::load(const QString& path)
{
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        throw ReportError(
            QStringLiteral("無法開啟報表檔 %1（%2）").arg(path, FileFailureReason(f, errno, FileUse::Read)));
    return fromJson(f.readAll());
}

QFont ReportLayout::font(const QString& name) const
{
    const auto it = m_fonts.constFind(name.isEmpty() ? kDefaultFont : name);
    return it != m_fonts.constEnd() ? *it : m_fonts.value(kDefaultFont);
}

QStringList ReportLayout::tables() const
{
    QStringList out{m_body.source};
    auto add = [&out](const std::vector<ReportItem>& list) {
        for (const ReportItem& item : list) {
            for (const auto& [table, field] : ReportPlaceholders(item.text)) {
                if (!out.contains(table, Qt::CaseInsensitive))
                    out << table;
            }
        }
    };
    add(m_everyPage);
    add(m_firstPage);
    add(m_lastPage);
    return out;
}

} // namespace varn
