#include "platform/ui/widgets/QtBusyIndicator.h"
#include "platform/ui/widgets/QtPrompter.h"

#include <QApplication>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>
#include <QTreeView>
#include <QtCore/qtestsupport_core.h>


#include <gtest/gtest.h>

using namespace varn;

namespace {

// Runs `act` on the modal dialog once it shows (the prompter's exec() blocks until then).
template <typename Dialog>
void whenModalShows(std::function<void(Dialog*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            auto* dialog = qobject_cast<Dialog*>(w);
            EXPECT_NE(dialog, nullptr) << w->metaObject()->className();
            if (dialog)
                act(dialog);
            else
                w->close();
        }
    });
    timer->start();
}

QStringList buttonCaptions(QMessageBox* box)
{
    QStringList out;
    for (QAbstractButton* b : box->buttons())
        out << b->text();
    out.sort();   // by code point
    return out;
}

// The boxes speak Chinese; closing a box answers its cancel button, Enter its default.
TEST(QtPrompterTest, MessageBoxesShowChineseButtonsAndAnswerByClickCloseOrEnter)
{
    using B = PromptButton;
    enum Act { ClickNo, Close, Enter };
    const struct {
        PromptButtons buttons;
        B defaultButton;
        QStringList captions;   // sorted by code point
        Act act;
        B answer;
    } cases[] = {
        {PromptButtons::YesNoCancel, B::No, {"取消", "否", "是"}, ClickNo, B::No},
        {PromptButtons::YesNoCancel, B::None, {"取消", "否", "是"}, Close, B::Cancel},
        {PromptButtons::YesNo, B::None, {"否", "是"}, Close, B::No},
        {PromptButtons::AbortRetryIgnore, B::None, {"中止", "略過", "重試"}, Close, B::Abort},
        {PromptButtons::RetryCancel, B::None, {"取消", "重試"}, Enter, B::Retry},   // no default: the first
        {PromptButtons::Ok, B::None, {"確定"}, Close, B::Ok},
    };
    for (const auto& c : cases) {
        MessageRequest r;
        r.title = QStringLiteral("開啟檔案錯誤 VarnIII");
        r.icon = PromptIcon::Question;
        r.buttons = c.buttons;
        r.defaultButton = c.defaultButton;
        whenModalShows<QMessageBox>([&](QMessageBox* box) {
            EXPECT_EQ(buttonCaptions(box), c.captions) << int(c.buttons);
            EXPECT_EQ(box->icon(), QMessageBox::Question);
            // Wide enough for the whole title beside the title bar's icon and buttons.
            const QFontMetrics fm(box->font());
            EXPECT_GE(box->width(), fm.horizontalAdvance(r.title) + fm.height() * 6) << box->width();
            EXPECT_TRUE(c.defaultButton != B::No
                        || (box->defaultButton() && box->defaultButton()->text() == QStringLiteral("否")));
            if (c.act == Close)
                box->close();
            else if (c.act == Enter)
                box->defaultButton()->click();
            for (QAbstractButton* b : box->buttons())
                if (c.act == ClickNo && b->text() == QStringLiteral("否"))
                    b->click();
        });
        EXPECT_EQ(QtPrompter().message(r), c.answer) << int(c.buttons);
    }
}

TEST(QtPrompterTest, InputBoxReturnsTextOrCancel)
{
    InputRequest r;
    r.prompt = QStringLiteral("請輸入區域名稱");
    r.defaultText = QStringLiteral("一樓");
    whenModalShows<QInputDialog>([&](QInputDialog* dialog) {
        EXPECT_EQ(dialog->labelText(), r.prompt);
        EXPECT_EQ(dialog->textValue(), r.defaultText);
        dialog->setTextValue(QStringLiteral("二樓"));
        dialog->accept();
    });
    EXPECT_EQ(QtPrompter().input(r), QStringLiteral("二樓"));

    whenModalShows<QDialog>([](QDialog* d) { d->reject(); });
    EXPECT_EQ(QtPrompter().input(r), std::nullopt);
}

TEST(QtPrompterTest, FileDialogStartsWhereAsked)
{
    QTemporaryDir dir;
    FileRequest r;
    r.filter = QStringLiteral("所有檔案 (*);;瓦恩工房 檔案 (*.vrn)");
    r.selectedFilter = QStringLiteral("瓦恩工房 檔案 (*.vrn)");
    r.startFolder = dir.path();
    r.fileName = QStringLiteral("案子.vrn");
    whenModalShows<QFileDialog>([&](QFileDialog* dialog) {
        EXPECT_EQ(dialog->selectedNameFilter(), r.selectedFilter);
        EXPECT_EQ(dialog->directory().absolutePath(), dir.path());
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(QtPrompter().saveFile(r), dir.filePath(QStringLiteral("案子.vrn")));

    // The file list gives its dates in digits, whatever the desktop's language.
    {
        QFile file(dir.filePath(QStringLiteral("舊案.vrn")));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    QString shownDate;
    whenModalShows<QFileDialog>([&](QFileDialog* dialog) {
        auto* list = dialog->findChild<QTreeView*>(QStringLiteral("treeView"));
        if (list) {
            QAbstractItemModel* m = list->model();
            if (QTest::qWaitFor([&] { return m->rowCount(list->rootIndex()) > 0; }, 5000))
                shownDate = m->index(0, 3, list->rootIndex()).data().toString();
        }
        dialog->reject();
    });
    EXPECT_EQ(QtPrompter().openFile(r), std::nullopt);
    const QString year = QString::number(QDate::currentDate().year());
    EXPECT_TRUE(shownDate.startsWith(year)) << shownDate.toStdString();
}

TEST(QtBusyIndicatorTest, ShowsWindowAndBusyCursorForTheOutermostScope)
{
    QtBusyIndicator indicator;
    BusyIndicator::install(&indicator);
    {
        BusyScope scope(QStringLiteral("匯出中…"));
        ASSERT_NE(indicator.window(), nullptr);
        EXPECT_TRUE(indicator.window()->isVisible());
        const auto* label = indicator.window()->findChild<QLabel*>();
        EXPECT_EQ(label ? label->text() : QString(), QStringLiteral("匯出中…"));
        EXPECT_EQ(QApplication::overrideCursor() ? QApplication::overrideCursor()->shape() : Qt::ArrowCursor,
                  Qt::WaitCursor);
        BusyScope nested;
    }
    EXPECT_EQ(indicator.window(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    BusyIndicator::install(nullptr);
}

} // namespace
