#pragma once

#include "quotation/QuotationTestSupport.h"

#include "platform/grid/widgets/GridView.h"
#include "quotation/widgets/CellEditors.h"
#include "quotation/widgets/frmQ.h"
#include "support/Typing.h"

#include <QtTest>
#include <QtWidgets>

namespace varn::test {

// Clears a line edit, then types the text into it.
void retype(QLineEdit* edit, const QString& text);

// A program folder in a temporary directory with a main database holding a small lexicon,
// the program state pointing at it, a scripted prompter, and the quotation window open.
class WindowTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;
    // Called on each new window before it is shown.
    virtual void windowMade(frmQ&) {}

    // The window, made on first use with the rights given (all rights by default).
    frmQ& window(int rights = 4095);
    Quotation& doc() { return window().quotation(); }
    CellEditors& editors() { return window().editors(); }
    Database& db() { return *m_db; }
    // The window's action of that name.
    QAction* act(const char* name) { return window().action(QString::fromLatin1(name)); }
    bool enabled(const char* name) { return act(name)->isEnabled(); }
    void trigger(const char* name) { act(name)->trigger(); }
    QString folder() const { return m_dir.path(); }
    QString file(const QString& name) const { return m_dir.filePath(name); }

    // Tree commands through the popups: right-click on the node, the command, then the
    // chosen entries of the pick list and 確定.
    void pickNames(const QString& key, const char* command, const QStringList& names);
    // Two areas, 客廳 and 廚房, with the work type 木作 under 客廳; 客廳‧木作 is shown.
    void buildTwoAreas();

    // A real mouse press (and release) on a cell of the item grid.
    void clickCell(int row, int col, Qt::MouseButton button = Qt::LeftButton);
    // A row selection dragged in the selector column from one row to another.
    void selectRows(int from, int to);
    // The shown leaf's cell, and typing into the open editor.
    QString cell(int row, int col) { return doc().GTxM(row, col); }
    void type(const QString& text);
    // A click on the cell, then typing into its editor.
    void enter(int row, int col, const QString& text)
    {
        clickCell(row, col);
        type(text);
    }
    void pressEnter();
    // The row popup opened on the selector column, then one of its commands.
    void rowPopup(const char* command);
    // The open name editor's item list dropped down, and the work item clicked in it.
    void pickItem(const char* item);

    ScriptedPrompter prompts;

private:
    QTemporaryDir m_dir;
    std::shared_ptr<Database> m_db;
    QPointer<frmQ> m_window;
};

} // namespace varn::test
