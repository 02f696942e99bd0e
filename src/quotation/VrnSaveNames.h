#pragma once

#include "platform/ui/Prompter.h"

namespace varn {

// The quotation's save dialogs, completed: a name typed without an extension gets ".vrn",
// and when the completed name is a file that is already there, it is replaced only after
// the user says so (the dialog itself asked only about the name as typed). "No" shows the
// dialog again. Everything else is passed on to the prompter that was installed before.
class VrnSavePrompter : public Prompter {
public:
    explicit VrnSavePrompter(Prompter& inner) : m_inner(inner) {}

    // The name with ".vrn" when it has no extension; nullopt when it needed none.
    static std::optional<QString> completedName(const QString& path);

    PromptButton message(const MessageRequest& request) override { return m_inner.message(request); }
    std::optional<QString> input(const InputRequest& request) override { return m_inner.input(request); }
    std::optional<QString> openFile(const FileRequest& request) override { return m_inner.openFile(request); }
    std::optional<QString> saveFile(const FileRequest& request) override;

private:
    Prompter& m_inner;
};

// Puts a VrnSavePrompter over the current prompter for the life of a scope: wrap every
// command that may save the quotation through a dialog (open, new, close, the savers).
class ScopedVrnSaveNames {
public:
    ScopedVrnSaveNames();
    ScopedVrnSaveNames(const ScopedVrnSaveNames&) = delete;
    ScopedVrnSaveNames& operator=(const ScopedVrnSaveNames&) = delete;

private:
    VrnSavePrompter m_prompter;
    ScopedPrompter m_scope;
};

} // namespace varn
