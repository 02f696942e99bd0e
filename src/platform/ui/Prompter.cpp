#include "platform/ui/Prompter.h"

#include <algorithm>
#include <atomic>

namespace varn {

namespace {

// Stands in until a real prompter is installed: takes every box's default answer and
// cancels every dialog, so code run without a screen never waits.
class StandInPrompter final : public Prompter {
public:
    PromptButton message(const MessageRequest& request) override
    {
        return effectiveDefaultButton(request);
    }
    std::optional<QString> input(const InputRequest&) override { return std::nullopt; }
    std::optional<QString> openFile(const FileRequest&) override { return std::nullopt; }
    std::optional<QString> saveFile(const FileRequest&) override { return std::nullopt; }
};

StandInPrompter g_standIn;
std::atomic<Prompter*> g_installed{nullptr};

} // namespace

std::vector<PromptButton> promptButtonList(PromptButtons buttons)
{
    using B = PromptButton;
    switch (buttons) {
    case PromptButtons::Ok: return {B::Ok};
    case PromptButtons::OkCancel: return {B::Ok, B::Cancel};
    case PromptButtons::YesNo: return {B::Yes, B::No};
    case PromptButtons::YesNoCancel: return {B::Yes, B::No, B::Cancel};
    case PromptButtons::RetryCancel: return {B::Retry, B::Cancel};
    case PromptButtons::AbortRetryIgnore: return {B::Abort, B::Retry, B::Ignore};
    }
    return {B::Ok};
}

PromptButton effectiveDefaultButton(const MessageRequest& request)
{
    const std::vector<PromptButton> list = promptButtonList(request.buttons);
    if (std::find(list.begin(), list.end(), request.defaultButton) != list.end())
        return request.defaultButton;
    return list.front();
}

void Prompter::inform(const QString& text, PromptIcon icon, const QString& title)
{
    MessageRequest r;
    r.text = text;
    r.title = title;
    r.icon = icon;
    r.buttons = PromptButtons::Ok;
    message(r);
}

bool Prompter::askYesNo(const QString& text, PromptButton defaultButton, const QString& title)
{
    MessageRequest r;
    r.text = text;
    r.title = title;
    r.icon = PromptIcon::Question;
    r.buttons = PromptButtons::YesNo;
    r.defaultButton = defaultButton;
    return message(r) == PromptButton::Yes;
}

Prompter& Prompter::instance()
{
    Prompter* p = g_installed.load();
    return p ? *p : g_standIn;
}

void Prompter::install(Prompter* p)
{
    g_installed.store(p);
}

ScopedPrompter::ScopedPrompter(Prompter& p) : m_previous(g_installed.exchange(&p))
{
}

ScopedPrompter::~ScopedPrompter()
{
    g_installed.store(m_previous);
}

} // namespace varn
