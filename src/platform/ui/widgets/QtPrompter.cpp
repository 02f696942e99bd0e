#include "platform/ui/widgets/QtPrompter.h"

#include <QApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileSystemModel>
#include <QGridLayout>
#include <QHeaderView>
#include <QIdentityProxyModel>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTreeView>

#include <map>

namespace varn {

namespace {

QWidget* dialogParent()
{
    if (QWidget* modal = QApplication::activeModalWidget())
        return modal;
    return QApplication::activeWindow();
}

QMessageBox::StandardButton standardButton(PromptButton b)
{
    switch (b) {
    case PromptButton::Ok: return QMessageBox::Ok;
    case PromptButton::Cancel: return QMessageBox::Cancel;
    case PromptButton::Abort: return QMessageBox::Abort;
    case PromptButton::Retry: return QMessageBox::Retry;
    case PromptButton::Ignore: return QMessageBox::Ignore;
    case PromptButton::Yes: return QMessageBox::Yes;
    case PromptButton::No: return QMessageBox::No;
    case PromptButton::None: break;
    }
    return QMessageBox::NoButton;
}

QMessageBox::Icon messageIcon(PromptIcon icon)
{
    switch (icon) {
    case PromptIcon::Information: return QMessageBox::Information;
    case PromptIcon::Warning: return QMessageBox::Warning;
    case PromptIcon::Critical: return QMessageBox::Critical;
    case PromptIcon::Question: return QMessageBox::Question;
    case PromptIcon::None: break;
    }
    return QMessageBox::NoIcon;
}

// The dialog's file list with its dates written the way the rest of the program's texts
// are (2026/12/7 14:05), not in the desktop's language.
class FileDates : public QIdentityProxyModel {
public:
    using QIdentityProxyModel::QIdentityProxyModel;

    QVariant data(const QModelIndex& index, int role) const override
    {
        constexpr int kModifiedColumn = 3;
        if (role == Qt::DisplayRole && index.column() == kModifiedColumn) {
            if (const auto* files = qobject_cast<const QFileSystemModel*>(sourceModel())) {
                return files->lastModified(mapToSource(index)).toString(QStringLiteral("yyyy/M/d HH:mm"));
            }
        }
        return QIdentityProxyModel::data(index, role);
    }
};

// The answer when the box is closed without a button: Cancel where the box has one, else
// No, else its only button; Abort/Retry/Ignore has no such way out and answers Abort.
PromptButton closeAnswer(const std::vector<PromptButton>& buttons)
{
    for (PromptButton b : {PromptButton::Cancel, PromptButton::No})
        if (std::find(buttons.begin(), buttons.end(), b) != buttons.end())
            return b;
    return buttons.front();
}

// A message box is as narrow as its text and buttons allow, and the title bar then cuts
// its title short: the box is widened to hold the title beside the title bar's icon and
// buttons.
void keepTitleWhole(QMessageBox& box)
{
    auto* grid = qobject_cast<QGridLayout*>(box.layout());
    if (!grid || box.windowTitle().isEmpty())
        return;
    QFont titleFont = box.font();
    titleFont.setBold(true);
    const int titleBar = QFontMetrics(titleFont).height() * 2;
    const int width = QFontMetrics(titleFont).horizontalAdvance(box.windowTitle()) + titleBar * 4;
    grid->addItem(new QSpacerItem(width, 0, QSizePolicy::Minimum, QSizePolicy::Fixed), grid->rowCount(), 0,
                  1, grid->columnCount());
}

} // namespace

QString QtPrompter::buttonText(PromptButton button)
{
    switch (button) {
    case PromptButton::Ok: return QStringLiteral("確定");
    case PromptButton::Cancel: return QStringLiteral("取消");
    case PromptButton::Abort: return QStringLiteral("中止");
    case PromptButton::Retry: return QStringLiteral("重試");
    case PromptButton::Ignore: return QStringLiteral("略過");
    case PromptButton::Yes: return QStringLiteral("是");
    case PromptButton::No: return QStringLiteral("否");
    case PromptButton::None: break;
    }
    return {};
}

PromptButton QtPrompter::message(const MessageRequest& request)
{
    QMessageBox box(dialogParent());
    box.setWindowTitle(request.title);
    box.setText(request.text);
    box.setIcon(messageIcon(request.icon));

    const std::vector<PromptButton> buttons = promptButtonList(request.buttons);
    std::map<PromptButton, QPushButton*> shown;
    for (PromptButton b : buttons) {
        QPushButton* button = box.addButton(standardButton(b));
        button->setText(buttonText(b));
        shown[b] = button;
    }
    box.setDefaultButton(shown[effectiveDefaultButton(request)]);
    const PromptButton escape = closeAnswer(buttons);
    box.setEscapeButton(shown[escape]);
    keepTitleWhole(box);

    box.exec();
    for (const auto& [answer, button] : shown)
        if (box.clickedButton() == button)
            return answer;
    return escape;
}

std::optional<QString> QtPrompter::input(const InputRequest& request)
{
    QInputDialog dialog(dialogParent());
    dialog.setWindowTitle(request.title);
    dialog.setLabelText(request.prompt);
    dialog.setTextValue(request.defaultText);
    dialog.setOkButtonText(buttonText(PromptButton::Ok));
    dialog.setCancelButtonText(buttonText(PromptButton::Cancel));
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.textValue();
}

std::optional<QString> QtPrompter::fileDialog(const FileRequest& request, bool save)
{
    QFileDialog dialog(dialogParent(), request.title, request.startFolder, request.filter);
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dialog.setOption(QFileDialog::DontUseNativeDialog);
    dialog.setProxyModel(new FileDates(&dialog));
    // Room for the names, types and dates of the files without cutting them.
    if (auto* list = dialog.findChild<QTreeView*>(QStringLiteral("treeView"))) {
        for (int col = 1; col <= 3; ++col)
            list->header()->setSectionResizeMode(col, QHeaderView::ResizeToContents);
    }
    if (const QScreen* s = dialog.screen()) {
        const QSize room = s->availableGeometry().size() * 9 / 10;
        const int line = dialog.fontMetrics().height();
        dialog.resize(QSize(line * 44, line * 24).boundedTo(room).expandedTo(dialog.sizeHint()));
    }
    if (!request.selectedFilter.isEmpty())
        dialog.selectNameFilter(request.selectedFilter);
    if (!request.fileName.isEmpty()) {
        const QString name = QDir::isAbsolutePath(request.fileName) || request.startFolder.isEmpty()
            ? request.fileName
            : QDir(request.startFolder).filePath(request.fileName);
        dialog.selectFile(name);
    }
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    const QStringList files = dialog.selectedFiles();
    if (files.isEmpty())
        return std::nullopt;
    return files.front();
}

std::optional<QString> QtPrompter::openFile(const FileRequest& request)
{
    return fileDialog(request, false);
}

std::optional<QString> QtPrompter::saveFile(const FileRequest& request)
{
    return fileDialog(request, true);
}

} // namespace varn
