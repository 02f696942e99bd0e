#include "platform/grid/widgets/GridCellDelegate.h"

#include "platform/grid/widgets/GridRegionModel.h"

#include <QApplication>
#include <QPainter>
#include <QTransform>

namespace varn {

namespace {

// Enough for several screens of cells; each entry is a few hundred bytes.
constexpr int KeptTexts = 6000;
// Fonts come from the view and the cells' bold and size formats: a handful.
constexpr int KeptFonts = 32;

bool plainOneLine(const QString& text)
{
    for (const QChar ch : text) {
        if (ch.unicode() < 0x20 || ch == QChar::LineSeparator || ch == QChar::ParagraphSeparator)
            return false;
    }
    return true;
}

} // namespace

GridCellDelegate::GridCellDelegate(QObject* parent)
    : QStyledItemDelegate(parent), m_texts(KeptTexts)
{
}

const QStaticText* GridCellDelegate::laidOut(const QString& text, const QFont& font) const
{
    int fontId = m_fonts.indexOf(font);
    if (fontId < 0) {
        if (m_fonts.size() >= KeptFonts) {
            m_fonts.clear();
            m_texts.clear();
        }
        m_fonts.append(font);
        fontId = static_cast<int>(m_fonts.size()) - 1;
    }
    const Key key{text, fontId};
    if (const QStaticText* kept = m_texts.object(key))
        return kept;
    if (!plainOneLine(text))
        return nullptr;
    auto* laid = new QStaticText(text);
    laid->setTextFormat(Qt::PlainText);
    laid->prepare(QTransform(), font);
    m_texts.insert(key, laid);
    return laid;
}

// Background and text as the style paints an item without icon or check box; false when
// the cell needs the style.
bool GridCellDelegate::paintPlain(QPainter* painter, const QStyleOptionViewItem& opt) const
{
    if (opt.features & (QStyleOptionViewItem::HasDecoration | QStyleOptionViewItem::HasCheckIndicator))
        return false;
    const QStaticText* text = nullptr;
    if (!opt.text.isEmpty()) {
        text = laidOut(opt.text, opt.font);
        if (!text)
            return false;
    }

    painter->save();
    painter->setClipRect(opt.rect);
    if (opt.backgroundBrush.style() != Qt::NoBrush) {
        painter->setBrushOrigin(opt.rect.topLeft());
        painter->fillRect(opt.rect, opt.backgroundBrush);
    }
    if (text) {
        QPalette::ColorGroup group = (opt.state & QStyle::State_Enabled) ? QPalette::Normal
                                                                        : QPalette::Disabled;
        if (group == QPalette::Normal && !(opt.state & QStyle::State_Active))
            group = QPalette::Inactive;
        const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        const int margin = style->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, opt.widget) + 1;
        const QRect room = opt.rect.adjusted(margin, 0, -margin, 0);
        const QRect at = QStyle::alignedRect(opt.direction, opt.displayAlignment,
                                             text->size().toSize(), room);
        painter->setPen(opt.palette.color(group, QPalette::Text));
        painter->setFont(opt.font);
        painter->drawStaticText(at.topLeft(), *text);
    }
    painter->restore();
    return true;
}

void GridCellDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option,
                             const QModelIndex& index) const
{
    QStyleOptionViewItem opt(option);
    initStyleOption(&opt, index);
    opt.state &= ~(QStyle::State_HasFocus | QStyle::State_Selected | QStyle::State_MouseOver);
    if (!paintPlain(painter, opt)) {
        const QStyle* style = opt.widget ? opt.widget->style() : QApplication::style();
        style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, opt.widget);
    }
    paintCurrentMark(painter, option, index);
}

// The grid's current cell gets a dotted frame, only in the body: parking the current cell
// on a fixed cell hides the mark, as the windows expect.
void GridCellDelegate::paintCurrentMark(QPainter* painter, const QStyleOptionViewItem& option,
                                        const QModelIndex& index) const
{
    const auto* region = qobject_cast<const GridRegionModel*>(index.model());
    if (!region || region->region() != GridRegionModel::Region::Body || !region->grid())
        return;
    const GridModel* grid = region->grid();
    if (region->gridRow(index) != grid->row() || region->gridCol(index) != grid->col())
        return;
    painter->save();
    QPen pen(option.palette.color(QPalette::Text));
    pen.setStyle(Qt::DotLine);
    painter->setPen(pen);
    painter->setBrush(Qt::NoBrush);
    painter->drawRect(option.rect.adjusted(1, 1, -2, -2));
    painter->restore();
}

} // namespace varn
