#include "platform/ui/widgets/DesktopSetup.h"
#include "platform/ui/widgets/TabPageFocus.h"

#include <QApplication>
#include <QCheckBox>
#include <QRegularExpression>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>
#include <QToolButton>
#include <QVBoxLayout>

#include <gtest/gtest.h>

#include <memory>

using namespace Qt::StringLiterals;

namespace varn {
namespace {

TEST(DesktopSetup, QtsOwnTextsSpeakTraditionalChinese)
{
    ASSERT_TRUE(InstallChineseInterface(*qApp));
    // The context menu of a text box, the file dialogs, the calendar's month and day names.
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    const QString undo = menu->actions().value(0) ? menu->actions().first()->text() : QString();
    EXPECT_TRUE(undo.startsWith(u"復原"_s)) << undo.toStdString();
    EXPECT_FALSE(QCoreApplication::translate("QFileDialog", "Look in:").contains(QRegularExpression(u"[A-Za-z]"_s)));
    EXPECT_EQ(QLocale().monthName(12) + QLocale().dayName(1, QLocale::ShortFormat), u"12月週一"_s);
}

// A box, three tab pages of one box each (the second disabled), a button and a check box.
class Window : public QWidget {
public:
    Window()
    {
        auto* layout = new QVBoxLayout(this);
        layout->addWidget(first);
        layout->addWidget(tabs);
        for (int i = 0; i < 3; ++i)
            tabs->addTab(pages[i] = new QLineEdit, u"頁%1"_s.arg(i + 1));
        tabs->setTabEnabled(1, false);
        for (QWidget* w : std::initializer_list<QWidget*>{ok, tool, check})
            layout->addWidget(w);
        QWidget* chain[] = {first, pages[0], pages[1], pages[2], ok};
        for (int i = 0; i < 4; ++i)
            setTabOrder(chain[i], chain[i + 1]);
        show();
        QApplication::setActiveWindow(this);
    }

    QLineEdit* first = new QLineEdit(this);
    QTabWidget* tabs = new QTabWidget(this);
    QLineEdit* pages[3] = {};
    QPushButton* ok = new QPushButton(u"確定"_s, this);
    QToolButton* tool = new QToolButton(this);
    QCheckBox* check = new QCheckBox(u"自動存檔"_s, this);

protected:
    bool focusNextPrevChild(bool next) override
    {
        return FocusAcrossTabPages(this, next) || QWidget::focusNextPrevChild(next);
    }
};

TEST(DesktopSetup, EnterPressesTheFocusedButtonOnly)
{
    InstallEnterPressesButtons(*qApp);
    Window window;
    QSignalSpy pushed(window.ok, &QPushButton::clicked), tooled(window.tool, &QToolButton::clicked);
    // Keypad Enter counts; Ctrl+Return and a check box do not.
    for (auto [widget, key] : {std::pair<QWidget*, QKeyCombination>{window.ok, Qt::Key_Return},
                               {window.tool, Qt::KeypadModifier | Qt::Key_Enter},
                               {window.tool, Qt::ControlModifier | Qt::Key_Return}, {window.check, Qt::Key_Return}}) {
        widget->setFocus();
        QTest::keyClick(widget, key.key(), key.keyboardModifiers());
    }
    EXPECT_EQ(pushed.count() + 10 * tooled.count(), 11);
    EXPECT_FALSE(window.check->isChecked());
}

TEST(TabPageFocus, TabWalksIntoPagesNotInFrontAndBack)
{
    Window w;
    w.first->setFocus();
    // (key, field that has the focus after it, page in front); the disabled page is passed by.
    const std::tuple<Qt::Key, QWidget*, int> steps[] = {
        {Qt::Key_Tab, w.pages[0], 0},     {Qt::Key_Tab, w.pages[2], 2},     {Qt::Key_Tab, w.ok, 2},
        {Qt::Key_Backtab, w.pages[2], 2}, {Qt::Key_Backtab, w.pages[0], 0}, {Qt::Key_Backtab, w.first, 0},
    };
    for (const auto& [key, focus, page] : steps) {
        QTest::keyClick(QApplication::focusWidget(), key);
        EXPECT_EQ(QApplication::focusWidget(), focus);
        EXPECT_EQ(w.tabs->currentIndex(), page);
    }
}

} // namespace
} // namespace varn
