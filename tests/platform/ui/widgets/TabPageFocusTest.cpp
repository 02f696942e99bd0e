#include "platform/ui/widgets/TabPageFocus.h"

#include <QApplication>
#include <QDialog>
#include <QLineEdit>
#include <QPushButton>
#include <QTabWidget>
#include <QTest>
#include <QVBoxLayout>

#include <gtest/gtest.h>

using namespace Qt::StringLiterals;

namespace varn {
namespace {

class TabbedDialog : public QDialog {
public:
    TabbedDialog()
    {
        auto* layout = new QVBoxLayout(this);
        first = new QLineEdit(this);
        tabs = new QTabWidget(this);
        for (int i = 0; i < 3; ++i) {
            auto* page = new QWidget(tabs);
            auto* pageLayout = new QVBoxLayout(page);
            pages[i] = new QLineEdit(page);
            pageLayout->addWidget(pages[i]);
            tabs->addTab(page, u"頁%1"_s.arg(i + 1));
        }
        tabs->setTabEnabled(1, false);
        ok = new QPushButton(u"確定"_s, this);
        layout->addWidget(first);
        layout->addWidget(tabs);
        layout->addWidget(ok);
        setTabOrder(first, pages[0]);
        setTabOrder(pages[0], pages[1]);
        setTabOrder(pages[1], pages[2]);
        setTabOrder(pages[2], ok);
    }

    QLineEdit* first = nullptr;
    QTabWidget* tabs = nullptr;
    QLineEdit* pages[3] = {};
    QPushButton* ok = nullptr;

protected:
    bool focusNextPrevChild(bool next) override
    {
        return FocusAcrossTabPages(this, next) || QDialog::focusNextPrevChild(next);
    }
};

TEST(TabPageFocus, TabWalksIntoPagesNotInFrontAndBack)
{
    TabbedDialog dialog;
    dialog.show();
    QApplication::setActiveWindow(&dialog);
    dialog.first->setFocus();

    // (key, field that has the focus after it, page in front)
    struct Step {
        Qt::Key key;
        QWidget* focus;
        int page;
    };
    const Step steps[] = {
        {Qt::Key_Tab, dialog.pages[0], 0},
        {Qt::Key_Tab, dialog.pages[2], 2},   // the disabled page is passed by
        {Qt::Key_Tab, dialog.ok, 2},
        {Qt::Key_Backtab, dialog.pages[2], 2},
        {Qt::Key_Backtab, dialog.pages[0], 0},
        {Qt::Key_Backtab, dialog.first, 0},
    };
    for (const Step& s : steps) {
        QTest::keyClick(QApplication::focusWidget(), s.key);
        EXPECT_EQ(QApplication::focusWidget(), s.focus);
        EXPECT_EQ(dialog.tabs->currentIndex(), s.page);
    }
}

} // namespace
} // namespace varn
