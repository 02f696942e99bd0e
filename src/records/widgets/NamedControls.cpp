#include "records/widgets/NamedControls.h"

#include <QListWidget>
#include <QPushButton>

namespace varn {

QPushButton* NamedButton(const char* name, const QString& caption, QWidget* parent)
{
    auto* b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

QListWidget* NamedList(const char* name, QAbstractItemView::SelectionMode mode, QWidget* parent)
{
    auto* l = new QListWidget(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setSelectionMode(mode);
    return l;
}

QList<int> SelectedRows(const QListWidget* list)
{
    QList<int> rows;
    for (const QListWidgetItem* item : list->selectedItems())
        rows << list->row(item);
    return rows;
}

} // namespace varn
