#pragma once

#include "records/widgets/FieldBinder.h"

#include <QString>

#include <initializer_list>

class QCheckBox;
class QComboBox;
class QDateEdit;
class QGridLayout;
class QLineEdit;
class QListWidget;
class QPlainTextEdit;
class QWidget;

namespace varn {

// Builds the rows of one detail panel of a register window: a label, then one or two
// boxes per field, each box bound to the engine's form under its object name. Boxes are
// sized from the window's font, so their texts show whole.
class PanelBuilder {
public:
    PanelBuilder(QWidget* panel, FieldBinder& binder);

    // A single-line box wide enough for minChars digits.
    QLineEdit* line(const char* name, int minChars = 8);
    // A box the program fills (code, dates): never enabled, never focused.
    QLineEdit* shown(const char* name, int minChars);
    QComboBox* combo(const char* name);
    QDateEdit* date(const char* name);
    QCheckBox* check(const char* name, const QString& caption);
    QListWidget* list(const char* name);

    // One field at (row, column group): label, then its boxes side by side.
    void field(int row, int group, const QString& caption, std::initializer_list<QWidget*> boxes);

    QGridLayout* grid() { return m_grid; }
    QWidget* panel() { return m_panel; }

private:
    QWidget* m_panel;
    FieldBinder& m_binder;
    QGridLayout* m_grid;
};

// A memo box with both scroll bars, bound to the form; it stands outside the panels.
QPlainTextEdit* MakeMemo(QWidget* parent, FieldBinder& binder, const char* name,
                         FieldBinder::MemoEnter enter, int lines = 4);

// The label of a memo with its hint "(換行請按 Ctrl+Enter)" below it.
QWidget* MemoLabel(const QString& caption, QWidget* parent);

} // namespace varn
