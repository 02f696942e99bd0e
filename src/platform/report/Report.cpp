#include "platform/report/Report.h"

#include "platform/db/Database.h"
#include "platform/files/SafeSave.h"
#include "platform/report/ReportFonts.h"

#include <QBuffer>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPagedPaintDevice>
#include <QPainter>
#include <QPdfWriter>
#include <QRegularExpression>

#include <algorithm>
#include <cmath>

namespace varn {

namespace {

constexpr double kCellPadding = 1.0;     // mm between a column's rule and its text
constexpr double kSmallestScale = 0.5;   // a text never shrinks below half its font size

Qt::Alignment qtAlign(ReportAlign a)
{
    switch (a) {
    case ReportAlign::Center: return Qt::AlignHCenter;
    case ReportAlign::Right: return Qt::AlignRight;
    case ReportAlign::Left: break;
    }
    return Qt::AlignLeft;
}

QFont deviceFont(QFont font, double dotsPerMm, double scale = 1.0)
{
    // Sizes go by the report's own resolution, whatever the device reports as its DPI.
    const double px = font.pointSizeF() * 25.4 / 72.0 * dotsPerMm * scale;
    font.setPixelSize(std::max(1, int(std::lround(px))));
    font.setStyleStrategy(QFont::PreferNoShaping);
    // The copy that keeps a PDF's text searchable: 工 read back as 工, not as the radical ⼯.
    font.setFamily(ReportFontFamily(font.family()));
    return font;
}

// Draws a text inside the box, shrinking the font until it fits (wrapping onto more lines
// first when allowed), so a long name or amount is never cut off.
void drawFitted(QPainter& p, const QRectF& box, const QString& text, const QFont& font,
                double dotsPerMm, Qt::Alignment align, bool wrap)
{
    if (text.isEmpty())
        return;
    // A tab separates two parts of one field (a fee's caption and its rate): a fixed gap
    // keeps both in view, where tab stops would push the second part off the column.
    QString shown = text;
    shown.replace(QLatin1Char('\t'), QStringLiteral("    "));
    int flags = int(align) | Qt::AlignVCenter;
    flags |= wrap ? Qt::TextWordWrap : Qt::TextSingleLine;
    QFont f = deviceFont(font, dotsPerMm);
    for (double scale = 1.0; scale >= kSmallestScale; scale -= 0.05) {
        f = deviceFont(font, dotsPerMm, scale);
        p.setFont(f);
        const QRectF need = p.boundingRect(box, flags, shown);
        if (need.width() <= box.width() + 0.5 && need.height() <= box.height() + 0.5)
            break;
    }
    p.setFont(f);
    p.drawText(box, flags, shown);
}

} // namespace

Report::Report(ReportLayout layout, ReportData data)
    : m_layout(std::move(layout)), m_data(std::move(data))
{
    validate();
}

Report Report::load(const QString& layoutFile, const QString& databaseFile)
{
    ReportLayout layout = ReportLayout::load(layoutFile);
    auto db = Database::open(databaseFile, QString(), true);
    ReportData data = ReportData::read(*db, layout.tables());
    try {
        return Report(std::move(layout), std::move(data));
    } catch (const ReportError& e) {
        throw ReportError(QStringLiteral("%1: %2").arg(QFileInfo(layoutFile).fileName(), e.message()));
    }
}

void Report::validate() const
{
    auto check = [this](const QString& table, const QString& field) {
        if (!m_data.hasTable(table))
            return;   // a layout alone (no data read yet) is checked when its data comes
        if (m_data.table(table).fieldIndex(field) < 0)
            throw ReportError(QStringLiteral("資料表 %1 沒有欄位 %2").arg(table, field));
    };
    for (const ReportColumn& c : m_layout.body().columns)
        check(m_layout.body().source, c.field);
    for (const auto* list : {&m_layout.everyPage(), &m_layout.firstPage(), &m_layout.lastPage()}) {
        for (const ReportItem& item : *list) {
            for (const auto& [table, field] : ReportPlaceholders(item.text))
                check(table, field);
        }
    }
}

int Report::pageCount() const
{
    const int rows = int(m_data.table(m_layout.body().source).rows.size());
    const int perPage = m_layout.body().rowsPerPage;
    return std::max(1, (rows + perPage - 1) / perPage);
}

QString Report::expand(const QString& text, int page) const
{
    if (!text.contains(QLatin1Char('{')))
        return text;
    static const QRegularExpression re(QStringLiteral(R"(\{([^{}]+)\})"));
    QString out;
    qsizetype last = 0;
    auto it = re.globalMatch(text);
    while (it.hasNext()) {
        const auto m = it.next();
        out += text.mid(last, m.capturedStart() - last);
        const QString key = m.captured(1);
        const qsizetype dot = key.indexOf(QLatin1Char('.'));
        if (key == QLatin1String("page"))
            out += QString::number(page + 1);
        else if (key == QLatin1String("pages"))
            out += QString::number(pageCount());
        else if (dot > 0)
            out += m_data.value(key.left(dot), key.mid(dot + 1));
        else
            out += m.captured(0);
        last = m.capturedEnd();
    }
    out += text.mid(last);
    return out;
}

void Report::paintPage(QPainter& p, int page, double dotsPerMm) const
{
    auto mm = [dotsPerMm](double v) { return v * dotsPerMm; };
    auto rect = [&mm](double x, double y, double w, double h) {
        return QRectF(mm(x), mm(y), mm(w), mm(h));
    };
    auto pen = [&mm](double width) {
        QPen pen(Qt::black);
        pen.setWidthF(std::max(1.0, mm(width)));
        return pen;
    };

    p.save();
    p.setRenderHint(QPainter::Antialiasing, true);
    p.setBrush(Qt::NoBrush);

    auto drawItems = [&](const std::vector<ReportItem>& items) {
        for (const ReportItem& item : items) {
            switch (item.kind) {
            case ReportItem::Kind::Text:
                p.setPen(Qt::black);
                drawFitted(p, rect(item.x, item.y, item.width, item.height),
                           expand(item.text, page), m_layout.font(item.font), dotsPerMm,
                           qtAlign(item.align), true);
                break;
            case ReportItem::Kind::Line:
                p.setPen(pen(item.pen));
                p.drawLine(QPointF(mm(item.x), mm(item.y)),
                           QPointF(mm(item.x + item.width), mm(item.y + item.height)));
                break;
            case ReportItem::Kind::Box:
                p.setPen(pen(item.pen));
                p.drawRect(rect(item.x, item.y, item.width, item.height));
                break;
            }
        }
    };

    drawItems(m_layout.everyPage());
    if (page == 0)
        drawItems(m_layout.firstPage());
    if (page == pageCount() - 1)
        drawItems(m_layout.lastPage());

    const ReportBody& body = m_layout.body();
    const ReportTable& table = m_data.table(body.source);
    std::vector<int> fieldOf;
    for (const ReportColumn& c : body.columns)
        fieldOf.push_back(table.fieldIndex(c.field));

    double y = body.top;
    if (body.headerHeight > 0) {
        p.setPen(Qt::black);
        for (const ReportColumn& c : body.columns) {
            drawFitted(p, rect(c.x + kCellPadding, y, c.width - 2 * kCellPadding, body.headerHeight),
                       c.title, m_layout.font(body.headerFont), dotsPerMm, Qt::AlignHCenter, false);
        }
        y += body.headerHeight;
    }
    const int first = page * body.rowsPerPage;
    for (int i = 0; i < body.rowsPerPage; ++i) {
        const int r = first + i;
        if (r >= table.rows.size())
            break;
        const QStringList& row = table.rows.at(r);
        p.setPen(Qt::black);
        for (size_t c = 0; c < body.columns.size(); ++c) {
            const ReportColumn& col = body.columns[c];
            drawFitted(p, rect(col.x + kCellPadding, y + i * body.rowHeight,
                               col.width - 2 * kCellPadding, body.rowHeight),
                       row.value(fieldOf[c]), m_layout.font(body.font), dotsPerMm,
                       qtAlign(col.align), false);
        }
    }

    if (body.gridLines && !body.columns.empty()) {
        double left = body.columns.front().x;
        double right = left;
        for (const ReportColumn& c : body.columns) {
            left = std::min(left, c.x);
            right = std::max(right, c.x + c.width);
        }
        const double bottom = body.bottom();
        p.setPen(pen(0.2));
        for (int i = 1; i < body.rowsPerPage; ++i) {
            const double ly = mm(y + i * body.rowHeight);
            p.drawLine(QPointF(mm(left), ly), QPointF(mm(right), ly));
        }
        for (const ReportColumn& c : body.columns)
            p.drawLine(QPointF(mm(c.x), mm(body.top)), QPointF(mm(c.x), mm(bottom)));
        p.setPen(pen(0.4));
        if (body.headerHeight > 0)
            p.drawLine(QPointF(mm(left), mm(y)), QPointF(mm(right), mm(y)));
        p.drawRect(rect(left, body.top, right - left, bottom - body.top));
    }
    p.restore();
}

bool Report::print(QPagedPaintDevice& device, bool applyPageLayout) const
{
    if (applyPageLayout)
        device.setPageLayout(m_layout.pageLayout());
    QPainter p;
    if (!p.begin(&device))
        return false;
    const double dotsPerMm = device.logicalDpiX() / 25.4;
    const int pages = pageCount();
    for (int i = 0; i < pages; ++i) {
        if (i > 0 && !device.newPage()) {
            p.end();
            return false;
        }
        paintPage(p, i, dotsPerMm);
    }
    return p.end();
}

void Report::writePdf(const QString& pdfFile, const QString& title) const
{
    // Painted in memory and saved in one go, so a failed write never leaves half a file.
    QBuffer pdf;
    pdf.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&pdf);
        writer.setResolution(600);
        writer.setCreator(QStringLiteral("Varn III"));
        if (!title.isEmpty())
            writer.setTitle(title);
        if (!print(writer))
            throw ReportError(QStringLiteral("無法寫入 %1").arg(pdfFile));
    }
    if (const auto why = SaveFileSafely(pdfFile, pdf.data()))
        throw ReportError(QStringLiteral("無法寫入 %1：%2").arg(pdfFile, *why));
}

} // namespace varn
