#include "platform/ui/widgets/GuardedApplication.h"

#include "platform/ui/Prompter.h"

#include <exception>

namespace varn {

namespace {

void reportEscaped(const QString& what)
{
    prompter().inform(QStringLiteral("程式發生未預期的錯誤，這個動作沒有完成：%1\n其餘資料不受影響，請存檔後再試一次").arg(what),
                      PromptIcon::Critical);
}

} // namespace

GuardedApplication::GuardedApplication(int& argc, char** argv)
    : QApplication(argc, argv)
{
}

bool GuardedApplication::notify(QObject* receiver, QEvent* event)
{
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        reportEscaped(QString::fromLocal8Bit(e.what()));
    } catch (...) {
        reportEscaped(QStringLiteral("?"));
    }
    return false;
}

} // namespace varn
