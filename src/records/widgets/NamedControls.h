#pragma once

#include <QAbstractItemView>
#include <QList>
#include <QString>

class QListWidget;
class QPushButton;
class QWidget;

namespace varn {

// Controls carry the names the windows know them by, so that tests and the binder find
// them. Buttons never take Enter as the default: Enter belongs to the fields.
QPushButton* NamedButton(const char* name, const QString& caption, QWidget* parent);
QListWidget* NamedList(const char* name, QAbstractItemView::SelectionMode mode, QWidget* parent);

// The rows of a list's selected entries, in the order they were selected.
QList<int> SelectedRows(const QListWidget* list);

} // namespace varn
