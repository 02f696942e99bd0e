#pragma once

#include <QDialog>
#include <QList>
#include <QPointer>

#include <functional>
#include <memory>

class QComboBox;
class QGroupBox;
class QHBoxLayout;
class QLabel;
class QPushButton;
class QScrollArea;
class QVBoxLayout;

namespace varn {

class FieldBinder;
class GridView;
class RegisterEngine;

// The frame the three register windows share: the search bar with the code prefixes and
// the category filter, the list grid, the command row and the detail frame with 修改,
// 確定 and 取消. A register's own window puts its fields into detailBody() and names the
// panels that open for editing. Every handler passes straight to the engine.
class RegisterWindow : public QDialog {
    Q_OBJECT
public:
    RegisterWindow(std::unique_ptr<RegisterEngine> engine, QWidget* parent = nullptr);
    ~RegisterWindow() override;

    RegisterEngine& engine() { return *m_engine; }
    FieldBinder& binder() { return *m_binder; }

    // Handlers, by the names of the controls they belong to.
    void Combo1_Click(int index);
    void Combo2_Click(int index);
    void Command1_Click();
    void Command2_Click();
    void Command3_Click();
    void cmdAdd_Click();
    void cmdEdit_Click();
    void cmdY_Click();
    void cmdN_Click();
    void cmdDel_Click();
    void cmdPp_Click();
    void HFG_Click();
    void HFG_DblClick();
    void HFG_KeyDown(int key);

    // Controls.
    QComboBox* Combo1 = nullptr;
    QComboBox* Combo2 = nullptr;   // null for a register without categories
    QPushButton* cmdPp = nullptr;
    GridView* HFG = nullptr;
    QPushButton* cmdAdd = nullptr;
    QPushButton* cmdDel = nullptr;
    QLabel* lbf = nullptr;
    QPushButton* Command1 = nullptr;
    QPushButton* Command3 = nullptr;
    QPushButton* Command2 = nullptr;
    QGroupBox* Frame1 = nullptr;
    QPushButton* cmdEdit = nullptr;
    QPushButton* cmdY = nullptr;
    QPushButton* cmdN = nullptr;

protected:
    // Call at the end of the subclass's constructor: loads the engine and lays the
    // window out as it opens (simple page, Top 615 twips, centred).
    void finishSetUp(int printKind);

    QHBoxLayout* searchBar() { return m_searchBar; }
    // A browse box of the search bar ("編號", "分類" style) put after the code prefixes.
    QComboBox* addFilterCombo(const char* name, int minChars);
    QHBoxLayout* commandRow() { return m_commandRow; }
    QVBoxLayout* detailBody() { return m_detailBody; }
    // The panels (and memo) whose Enabled state follows editing (LockFields).
    void setLockedPanels(const QList<QWidget*>& panels) { m_lockedPanels = panels; }

    // Brings every control in line with the engine's state; subclasses add their own.
    virtual void refresh();
    // The window is going away (after the user agreed to drop an unsaved record).
    virtual void unloaded() {}

    // Closes after the unload steps, asking nothing (the record is not being changed).
    void closeWithoutAsking(bool accepted);

    void reject() override;
    bool eventFilter(QObject* watched, QEvent* event) override;
    bool focusNextPrevChild(bool next) override;

    // Scrolls the list so that its current row shows.
    void keepRowInSight();
    // A panel of the detail fields that has just opened: the window grows for it as far as
    // the screen allows, and it is scrolled into sight.
    void bringIntoView(QWidget* panel);

private:
    // Sizes the window for the page; growOnly keeps a taller window as it is.
    void applyPageMode(bool growOnly = false);
    void refreshFilters();
    void focusControl(const QString& control);

    std::unique_ptr<RegisterEngine> m_engine;
    FieldBinder* m_binder = nullptr;
    QHBoxLayout* m_searchBar = nullptr;
    QHBoxLayout* m_commandRow = nullptr;
    QVBoxLayout* m_detailBody = nullptr;
    QScrollArea* m_detailScroll = nullptr;
    QList<QWidget*> m_lockedPanels;
    int m_printKind = 0;
    bool m_closing = false;
};

// Shows the one modeless instance of a register window, making it on first use (it
// deletes itself when closed).
template <typename Window>
Window* ShowRegisterWindow(QPointer<Window>& slot, QWidget* parent)
{
    if (!slot) {
        slot = new Window;
        slot->setAttribute(Qt::WA_DeleteOnClose);
        if (parent)
            slot->setParent(parent, slot->windowFlags() | Qt::Window);
    }
    slot->show();
    slot->raise();
    slot->activateWindow();
    return slot;
}

} // namespace varn
