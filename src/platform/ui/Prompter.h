#pragma once

#include <QString>
#include <QStringList>

#include <optional>
#include <vector>

namespace varn {

// Every message box, input box and file dialog goes through the installed Prompter, so
// that tests answer them from a script.

enum class PromptIcon { None, Information, Warning, Critical, Question };
// Answers carry the values the original message box returned.
enum class PromptButton { None = 0, Ok = 1, Cancel = 2, Abort = 3, Retry = 4, Ignore = 5, Yes = 6, No = 7 };
enum class PromptButtons { Ok, OkCancel, YesNo, YesNoCancel, RetryCancel, AbortRetryIgnore };

struct MessageRequest {
    QString text;
    QString title = QStringLiteral("Varn III");
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    PromptButton defaultButton = PromptButton::None;   // None: the first button
};

struct InputRequest {
    QString prompt;
    QString title = QStringLiteral("Varn III");
    QString defaultText;
};

struct FileRequest {
    QString title;
    QString filter;        // "報價單 (*.vrn);;所有檔案 (*)"
    QString startFolder;
    QString fileName;      // proposed name, or empty
    QString selectedFilter; // the filter shown first ("報價單 (*.vrn)"), or empty for the first
};

// The buttons of a box, left to right.
std::vector<PromptButton> promptButtonList(PromptButtons buttons);
// The button a box answers with when Enter is pressed: the request's default when the box
// has it, else the first button.
PromptButton effectiveDefaultButton(const MessageRequest& request);

class Prompter {
public:
    virtual ~Prompter() = default;

    virtual PromptButton message(const MessageRequest& request) = 0;
    // nullopt when cancelled.
    virtual std::optional<QString> input(const InputRequest& request) = 0;
    virtual std::optional<QString> openFile(const FileRequest& request) = 0;
    virtual std::optional<QString> saveFile(const FileRequest& request) = 0;

    // Shorthands for the common boxes.
    void inform(const QString& text, PromptIcon icon = PromptIcon::Information,
                const QString& title = QStringLiteral("Varn III"));
    bool askYesNo(const QString& text, PromptButton defaultButton = PromptButton::Yes,
                  const QString& title = QStringLiteral("Varn III"));

    // The process-wide prompter. Until one is installed, a prompter that answers every
    // question with its default (and cancels dialogs) stands in, so nothing ever blocks.
    static Prompter& instance();
    // Installs p (not owned); nullptr restores the stand-in.
    static void install(Prompter* p);
};

// Installs a prompter for the life of a scope and puts the previous one back after it.
class ScopedPrompter {
public:
    explicit ScopedPrompter(Prompter& p);
    ~ScopedPrompter();
    ScopedPrompter(const ScopedPrompter&) = delete;
    ScopedPrompter& operator=(const ScopedPrompter&) = delete;

private:
    Prompter* m_previous;
};

// Shorthand for Prompter::instance().
inline Prompter& prompter() { return Prompter::instance(); }

} // namespace varn
