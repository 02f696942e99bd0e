#pragma once

#include "platform/ui/Prompter.h"

class QWidget;

namespace varn {

// The prompter of the running program: Qt message boxes, input boxes and file dialogs,
// modal to the active window, with buttons labelled in Traditional Chinese.
class QtPrompter : public Prompter {
public:
    PromptButton message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;

    // The caption of a button as the boxes show it ("確定", "取消", "是"...).
    static QString buttonText(PromptButton button);

private:
    std::optional<QString> fileDialog(const FileRequest& request, bool save);
};

} // namespace varn
