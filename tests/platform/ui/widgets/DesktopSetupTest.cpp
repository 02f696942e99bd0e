#include "platform/ui/widgets/DesktopSetup.h"

#include <QApplication>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QToolButton>

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

using namespace Qt::StringLiterals;

namespace varn {
namespace {

bool hasLatinLetter(const QString& text)
{
    return std::any_of(text.begin(), text.end(), [](QChar c) {
        return (c >= u'a' && c <= u'z') || (c >= u'A' && c <= u'Z');
    });
}

TEST(DesktopSetup, QtsOwnTextsSpeakTraditionalChinese)
{
    ASSERT_TRUE(InstallChineseInterface(*qApp));
    // The context menu of a text box, the file dialogs, the calendar's month and day names.
    QLineEdit box;
    const std::unique_ptr<QMenu> menu(box.createStandardContextMenu());
    ASSERT_FALSE(menu->actions().isEmpty());
    const QString undo = menu->actions().first()->text();
    EXPECT_NE(undo, u"&Undo"_s);
    EXPECT_TRUE(undo.startsWith(u"復原"_s)) << undo.toStdString();
    EXPECT_FALSE(hasLatinLetter(QCoreApplication::translate("QFileDialog", "Look in:")));
    EXPECT_EQ(QLocale().monthName(12), u"12月"_s);
    EXPECT_EQ(QLocale().dayName(1, QLocale::ShortFormat), u"週一"_s);
}

TEST(DesktopSetup, EnterPressesTheFocusedButtonOnly)
{
    InstallEnterPressesButtons(*qApp);
    QWidget window;
    auto* layout = new QHBoxLayout(&window);
    auto* push = new QPushButton(u"確定"_s, &window);
    auto* tool = new QToolButton(&window);
    auto* check = new QCheckBox(u"自動存檔"_s, &window);
    for (QWidget* w : {static_cast<QWidget*>(push), static_cast<QWidget*>(tool), static_cast<QWidget*>(check)})
        layout->addWidget(w);
    window.show();
    QApplication::setActiveWindow(&window);
    QSignalSpy pushed(push, &QPushButton::clicked);
    QSignalSpy tooled(tool, &QToolButton::clicked);

    push->setFocus();
    QTest::keyClick(push, Qt::Key_Return);
    tool->setFocus();
    QTest::keyClick(tool, Qt::Key_Enter, Qt::KeypadModifier);
    QTest::keyClick(tool, Qt::Key_Return, Qt::ControlModifier);
    check->setFocus();
    QTest::keyClick(check, Qt::Key_Return);
    EXPECT_EQ(pushed.count(), 1);
    EXPECT_EQ(tooled.count(), 1);
    EXPECT_FALSE(check->isChecked());
}

} // namespace
} // namespace varn
