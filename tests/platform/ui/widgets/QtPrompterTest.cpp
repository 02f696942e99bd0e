#include "platform/ui/widgets/QtBusyIndicator.h"
#include "platform/ui/widgets/QtPrompter.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <functional>

#include <gtest/gtest.h>

using namespace varn;

namespace {

// Runs `act` on the modal dialog once it shows (the prompter's exec() blocks until then).
void whenModalShows(std::function<void(QWidget*)> act)
{
    auto* timer = new QTimer;
    timer->setInterval(10);
    QObject::connect(timer, &QTimer::timeout, [timer, act] {
        if (QWidget* w = QApplication::activeModalWidget()) {
            timer->stop();
            timer->deleteLater();
            act(w);
        }
    });
    timer->start();
}

QStringList buttonCaptions(QMessageBox* box)
{
    QStringList out;
    for (QAbstractButton* b : box->buttons())
        out << b->text();
    out.sort();     // by code point
    return out;
}

TEST(QtPrompterTest, MessageBoxShowsChineseButtonsAndDefault)
{
    QtPrompter p;
    MessageRequest r;
    r.text = QStringLiteral("報價單已修改，要儲存嗎？");
    r.title = QStringLiteral("報價系統");
    r.icon = PromptIcon::Question;
    r.buttons = PromptButtons::YesNoCancel;
    r.defaultButton = PromptButton::No;

    QStringList captions;
    QString title, text, defaultCaption;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    whenModalShows([&](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        ASSERT_NE(box, nullptr);
        captions = buttonCaptions(box);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        defaultCaption = box->defaultButton() ? box->defaultButton()->text() : QString();
        for (QAbstractButton* b : box->buttons())
            if (b->text() == QStringLiteral("否"))
                b->click();
    });
    EXPECT_EQ(p.message(r), PromptButton::No);
    EXPECT_EQ(captions, QStringList({QStringLiteral("取消"), QStringLiteral("否"), QStringLiteral("是")}));
    EXPECT_EQ(title, r.title);
    EXPECT_EQ(text, r.text);
    EXPECT_EQ(icon, QMessageBox::Question);
    EXPECT_EQ(defaultCaption, QStringLiteral("否"));
}

TEST(QtPrompterTest, ClosingTheBoxAnswersCancelOrNo)
{
    QtPrompter p;
    MessageRequest r;
    r.text = QStringLiteral("?");
    r.buttons = PromptButtons::YesNoCancel;
    whenModalShows([](QWidget* w) { w->close(); });
    EXPECT_EQ(p.message(r), PromptButton::Cancel);

    r.buttons = PromptButtons::YesNo;
    whenModalShows([](QWidget* w) { w->close(); });
    EXPECT_EQ(p.message(r), PromptButton::No);

    r.buttons = PromptButtons::AbortRetryIgnore;
    QStringList captions;
    whenModalShows([&](QWidget* w) {
        captions = buttonCaptions(qobject_cast<QMessageBox*>(w));
        w->close();
    });
    EXPECT_EQ(p.message(r), PromptButton::Abort);
    EXPECT_EQ(captions, QStringList({QStringLiteral("中止"), QStringLiteral("略過"), QStringLiteral("重試")}));
}

TEST(QtPrompterTest, EnterTakesTheFirstButtonWithoutDefault)
{
    QtPrompter p;
    MessageRequest r;
    r.text = QStringLiteral("重試？");
    r.buttons = PromptButtons::RetryCancel;
    whenModalShows([](QWidget* w) {
        auto* box = qobject_cast<QMessageBox*>(w);
        box->defaultButton()->click();
    });
    EXPECT_EQ(p.message(r), PromptButton::Retry);
}

TEST(QtPrompterTest, InputBoxReturnsTextOrCancel)
{
    QtPrompter p;
    InputRequest r;
    r.prompt = QStringLiteral("請輸入區域名稱");
    r.title = QStringLiteral("新增區域");
    r.defaultText = QStringLiteral("一樓");

    QString label, shownDefault;
    whenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QInputDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        label = dialog->labelText();
        shownDefault = dialog->textValue();
        dialog->setTextValue(QStringLiteral("二樓"));
        dialog->accept();
    });
    EXPECT_EQ(p.input(r), QStringLiteral("二樓"));
    EXPECT_EQ(label, r.prompt);
    EXPECT_EQ(shownDefault, r.defaultText);

    whenModalShows([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(p.input(r), std::nullopt);
}

TEST(QtPrompterTest, SaveDialogStartsWhereAsked)
{
    QTemporaryDir dir;
    QtPrompter p;
    FileRequest r;
    r.title = QStringLiteral("另存新檔");
    r.filter = QStringLiteral("所有檔案 (*);;瓦恩工房 檔案 (*.vrn)");
    r.selectedFilter = QStringLiteral("瓦恩工房 檔案 (*.vrn)");
    r.startFolder = dir.path();
    r.fileName = QStringLiteral("案子.vrn");

    QString title, filter, folder;
    whenModalShows([&](QWidget* w) {
        auto* dialog = qobject_cast<QFileDialog*>(w);
        ASSERT_NE(dialog, nullptr);
        title = dialog->windowTitle();
        filter = dialog->selectedNameFilter();
        folder = dialog->directory().absolutePath();
        QMetaObject::invokeMethod(dialog, "accept");
    });
    EXPECT_EQ(p.saveFile(r), dir.filePath(QStringLiteral("案子.vrn")));
    EXPECT_EQ(title, r.title);
    EXPECT_EQ(filter, r.selectedFilter);
    EXPECT_EQ(folder, dir.path());

    whenModalShows([](QWidget* w) { qobject_cast<QDialog*>(w)->reject(); });
    EXPECT_EQ(p.openFile(r), std::nullopt);
}

TEST(QtBusyIndicatorTest, ShowsWindowAndBusyCursorForTheOutermostScope)
{
    QtBusyIndicator indicator;
    BusyIndicator::install(&indicator);
    {
        BusyScope scope(QStringLiteral("匯出中…"));
        ASSERT_NE(indicator.window(), nullptr);
        EXPECT_TRUE(indicator.window()->isVisible());
        EXPECT_NE(indicator.window()->findChild<QLabel*>(), nullptr);
        EXPECT_EQ(indicator.window()->findChild<QLabel*>()->text(), QStringLiteral("匯出中…"));
        ASSERT_NE(QApplication::overrideCursor(), nullptr);
        EXPECT_EQ(QApplication::overrideCursor()->shape(), Qt::WaitCursor);
        BusyScope nested;
    }
    EXPECT_EQ(indicator.window(), nullptr);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    BusyIndicator::install(nullptr);
}

} // namespace
