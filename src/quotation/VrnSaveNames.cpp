#include "quotation/VrnSaveNames.h"

#include <QDir>
#include <QFileInfo>

namespace varn {

std::optional<QString> VrnSavePrompter::completedName(const QString& path)
{
    const QFileInfo info(path);
    if (info.fileName().isEmpty() || !info.suffix().isEmpty())
        return std::nullopt;
    QString name = path;
    while (name.endsWith(u'.'))
        name.chop(1);
    return name + QStringLiteral(".vrn");
}

std::optional<QString> VrnSavePrompter::saveFile(const FileRequest& request)
{
    FileRequest next = request;
    for (;;) {
        const std::optional<QString> chosen = m_inner.saveFile(next);
        if (!chosen)
            return std::nullopt;
        const std::optional<QString> completed = completedName(*chosen);
        if (!completed)
            return chosen;
        if (!QFileInfo::exists(*completed))
            return completed;
        MessageRequest ask;
        ask.text = QStringLiteral("%1 已經存在。\r\n要取代它嗎?").arg(QDir::toNativeSeparators(*completed));
        ask.icon = PromptIcon::Question;
        ask.buttons = PromptButtons::YesNo;
        ask.defaultButton = PromptButton::No;
        if (m_inner.message(ask) == PromptButton::Yes)
            return completed;
        next.fileName = *completed;
    }
}

ScopedVrnSaveNames::ScopedVrnSaveNames()
    : m_prompter(Prompter::instance())
    , m_scope(m_prompter)
{
}

} // namespace varn
