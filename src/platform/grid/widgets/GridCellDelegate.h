#pragma once

#include <QCache>
#include <QFont>
#include <QList>
#include <QStaticText>
#include <QStyledItemDelegate>

namespace varn {

// Paints the cells of a GridView: background, text and, in the body, a dotted frame on the
// grid's current cell. The item view's own selection and focus marks are never drawn.
//
// Plain one-line texts are laid out once and kept: a grid repaints the same texts again and
// again (scrolling, switching what it shows, after every edit), and laying out Chinese text
// costs far more than drawing it. Other cells are painted by the style, as before.
class GridCellDelegate : public QStyledItemDelegate {
public:
    explicit GridCellDelegate(QObject* parent = nullptr);

    void paint(QPainter* painter, const QStyleOptionViewItem& option,
               const QModelIndex& index) const override;
    QWidget* createEditor(QWidget*, const QStyleOptionViewItem&, const QModelIndex&) const override
    {
        return nullptr;
    }

private:
    struct Key {
        QString text;
        int font = 0;
        bool operator==(const Key&) const = default;
        friend size_t qHash(const Key& k, size_t seed = 0) { return qHashMulti(seed, k.text, k.font); }
    };
    // The laid-out text, or null when the style must paint it (line breaks, controls).
    const QStaticText* laidOut(const QString& text, const QFont& font) const;
    bool paintPlain(QPainter* painter, const QStyleOptionViewItem& option) const;
    void paintCurrentMark(QPainter* painter, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const;

    mutable QList<QFont> m_fonts;
    mutable QCache<Key, QStaticText> m_texts;
};

} // namespace varn
