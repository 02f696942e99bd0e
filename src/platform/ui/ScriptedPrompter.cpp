#include "platform/ui/ScriptedPrompter.h"

#include <algorithm>

namespace varn {

void ScriptedPrompter::answerMessage(PromptButton button)
{
    m_messages.push_back(button);
}

void ScriptedPrompter::answerInput(std::optional<QString> text)
{
    m_inputs.push_back(std::move(text));
}

void ScriptedPrompter::answerOpenFile(std::optional<QString> path)
{
    m_opens.push_back(std::move(path));
}

void ScriptedPrompter::answerSaveFile(std::optional<QString> path)
{
    m_saves.push_back(std::move(path));
}

PromptRecord& ScriptedPrompter::record(PromptKind kind)
{
    PromptRecord& r = m_asked.emplace_back();
    r.kind = kind;
    return r;
}

PromptButton ScriptedPrompter::message(const MessageRequest& request)
{
    PromptRecord& r = record(PromptKind::Message);
    r.title = request.title;
    r.text = request.text;
    r.icon = request.icon;
    r.buttons = request.buttons;
    r.defaultButton = request.defaultButton;
    if (m_messages.empty()) {
        r.scripted = false;
        ++m_unexpected;
        r.button = effectiveDefaultButton(request);
    } else {
        r.button = m_messages.front();
        m_messages.pop_front();
    }
    return r.button;
}

std::optional<QString> ScriptedPrompter::input(const InputRequest& request)
{
    PromptRecord& r = record(PromptKind::Input);
    r.title = request.title;
    r.text = request.prompt;
    r.defaultText = request.defaultText;
    if (m_inputs.empty()) {
        r.scripted = false;
        ++m_unexpected;
    } else {
        r.answer = m_inputs.front();
        m_inputs.pop_front();
    }
    return r.answer;
}

std::optional<QString> ScriptedPrompter::fileAnswer(PromptKind kind, const FileRequest& request,
                                                    std::deque<std::optional<QString>>& queue)
{
    PromptRecord& r = record(kind);
    r.title = request.title;
    r.filter = request.filter;
    r.selectedFilter = request.selectedFilter;
    r.startFolder = request.startFolder;
    r.fileName = request.fileName;
    if (queue.empty()) {
        r.scripted = false;
        ++m_unexpected;
    } else {
        r.answer = queue.front();
        queue.pop_front();
    }
    return r.answer;
}

std::optional<QString> ScriptedPrompter::openFile(const FileRequest& request)
{
    return fileAnswer(PromptKind::OpenFile, request, m_opens);
}

std::optional<QString> ScriptedPrompter::saveFile(const FileRequest& request)
{
    return fileAnswer(PromptKind::SaveFile, request, m_saves);
}

std::vector<PromptRecord> ScriptedPrompter::asked(PromptKind kind) const
{
    std::vector<PromptRecord> out;
    std::copy_if(m_asked.begin(), m_asked.end(), std::back_inserter(out),
                 [kind](const PromptRecord& r) { return r.kind == kind; });
    return out;
}

int ScriptedPrompter::askedCount(PromptKind kind) const
{
    return int(std::count_if(m_asked.begin(), m_asked.end(),
                             [kind](const PromptRecord& r) { return r.kind == kind; }));
}

QString ScriptedPrompter::lastMessageText() const
{
    for (auto it = m_asked.rbegin(); it != m_asked.rend(); ++it)
        if (it->kind == PromptKind::Message)
            return it->text;
    return {};
}

QString ScriptedPrompter::lastMessageTitle() const
{
    for (auto it = m_asked.rbegin(); it != m_asked.rend(); ++it)
        if (it->kind == PromptKind::Message)
            return it->title;
    return {};
}

int ScriptedPrompter::pending() const
{
    return int(m_messages.size() + m_inputs.size() + m_opens.size() + m_saves.size());
}

void ScriptedPrompter::clear()
{
    m_messages.clear();
    m_inputs.clear();
    m_opens.clear();
    m_saves.clear();
    m_asked.clear();
    m_unexpected = 0;
}

} // namespace varn
