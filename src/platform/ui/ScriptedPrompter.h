#pragma once

#include "platform/ui/Prompter.h"

#include <deque>
#include <vector>

namespace varn {

enum class PromptKind { Message, Input, OpenFile, SaveFile };

// One question put to the user, as a ScriptedPrompter saw it, with the answer it gave.
struct PromptRecord {
    PromptKind kind = PromptKind::Message;
    QString title;
    QString text;                 // message text or input prompt
    PromptIcon icon = PromptIcon::None;
    PromptButtons buttons = PromptButtons::Ok;
    PromptButton defaultButton = PromptButton::None;   // as the request gave it
    QString defaultText;          // input box
    QString filter;               // file dialogs
    QString selectedFilter;
    QString startFolder;
    QString fileName;

    bool scripted = true;         // false: no answer was left, the default was taken
    PromptButton button = PromptButton::None;          // message answer
    std::optional<QString> answer;                     // input / file answer (nullopt: cancelled)
};

// A prompter for tests: answers from queues the test fills, in order (one queue for each
// kind of question), and records every question. With a queue empty it takes the box's
// default (dialogs: cancel), counts the question as unexpected and goes on.
class ScriptedPrompter : public Prompter {
public:
    void answerMessage(PromptButton button);
    void answerInput(std::optional<QString> text);
    void answerOpenFile(std::optional<QString> path);
    void answerSaveFile(std::optional<QString> path);

    PromptButton message(const MessageRequest& request) override;
    std::optional<QString> input(const InputRequest& request) override;
    std::optional<QString> openFile(const FileRequest& request) override;
    std::optional<QString> saveFile(const FileRequest& request) override;

    const std::vector<PromptRecord>& asked() const { return m_asked; }
    // The questions of one kind, in order.
    std::vector<PromptRecord> asked(PromptKind kind) const;
    int askedCount(PromptKind kind) const;
    // Text and title of the last message box (empty when none was shown).
    QString lastMessageText() const;
    QString lastMessageTitle() const;
    const PromptRecord* last() const { return m_asked.empty() ? nullptr : &m_asked.back(); }

    // Questions that found no scripted answer.
    int unexpected() const { return m_unexpected; }
    // Scripted answers not yet used.
    int pending() const;

    // Forgets the record and any answers left.
    void clear();

private:
    PromptRecord& record(PromptKind kind);
    std::optional<QString> fileAnswer(PromptKind kind, const FileRequest& request,
                                      std::deque<std::optional<QString>>& queue);

    std::deque<PromptButton> m_messages;
    std::deque<std::optional<QString>> m_inputs;
    std::deque<std::optional<QString>> m_opens;
    std::deque<std::optional<QString>> m_saves;
    std::vector<PromptRecord> m_asked;
    int m_unexpected = 0;
};

} // namespace varn
