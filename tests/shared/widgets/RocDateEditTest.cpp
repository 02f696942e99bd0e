#include "shared/widgets/RocDateEdit.h"

#include <QApplication>
#include <QLineEdit>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace varn {
namespace {

class RocDateEditTest : public testing::Test {
protected:
    void SetUp() override
    {
        auto* layout = new QVBoxLayout(&window);
        picker = new RocDateEdit(QDate(2026, 12, 6), &window);
        next = new QLineEdit(&window);
        layout->addWidget(picker);
        layout->addWidget(next);
        window.show();
        QApplication::setActiveWindow(&window);
        picker->setFocus();
        edit = picker->findChild<QLineEdit*>();
        ASSERT_NE(edit, nullptr);
    }

    void type(const QString& text)
    {
        edit->selectAll();
        QTest::keyClicks(picker, text);
        QTest::keyClick(picker, Qt::Key_Return);
    }

    QWidget window;
    RocDateEdit* picker = nullptr;
    QLineEdit* next = nullptr;
    QLineEdit* edit = nullptr;
};

TEST_F(RocDateEditTest, ShowsAndTakesDatesInTheRepublicOfChinaForm)
{
    EXPECT_EQ(edit->text(), u"115/12/06"_s);
    picker->setDate(QDate(2003, 2, 19));
    EXPECT_EQ(edit->text(), u"92/02/19"_s);

    const struct {
        QString typed;
        QDate date;
        QString shown;
    } cases[] = {
        {u"92/2/9"_s, QDate(2003, 2, 9), u"92/02/09"_s},
        // Not a date, or letters: the picker keeps the date it held.
        {u"115/13/40"_s, QDate(2003, 2, 9), u"92/02/09"_s},
        {u"2026-12-06"_s, QDate(2003, 2, 9), u"92/02/09"_s},
    };
    for (const auto& c : cases) {
        type(c.typed);
        EXPECT_EQ(picker->date(), c.date) << c.typed.toStdString();
        EXPECT_EQ(edit->text(), c.shown) << c.typed.toStdString();
    }
}

TEST_F(RocDateEditTest, ArrowsStepThePartUnderTheCursorAndTabLeaves)
{
    picker->setDate(QDate(2026, 12, 31));
    const struct {
        int cursor;
        Qt::Key key;
        QDate date;
    } steps[] = {
        {5, Qt::Key_Up, QDate(2027, 1, 31)},     // month
        {9, Qt::Key_Down, QDate(2027, 1, 30)},   // day
        {1, Qt::Key_Down, QDate(2026, 1, 30)},   // year
    };
    for (const auto& s : steps) {
        edit->setCursorPosition(s.cursor);
        QTest::keyClick(picker, s.key);
        EXPECT_EQ(picker->date(), s.date) << s.cursor;
    }
    EXPECT_EQ(edit->text(), u"115/01/30"_s);
    EXPECT_EQ(edit->selectedText(), u"115"_s);

    QTest::keyClick(picker, Qt::Key_Tab);
    EXPECT_TRUE(next->hasFocus());
}

} // namespace
} // namespace varn
