#include "platform/files/SafeSave.h"

#include <QFile>
#include <QSaveFile>

namespace varn {

namespace {
std::function<void(const QString&)>& beforeCommit()
{
    static std::function<void(const QString&)> hook;
    return hook;
}
} // namespace

void SetSafeSaveBeforeCommit(std::function<void(const QString& path)> hook)
{
    beforeCommit() = std::move(hook);
}

std::optional<QString> SaveFileSafely(const QString& path, const QByteArray& bytes)
{
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return file.errorString();
    const bool whole = file.write(bytes) == bytes.size() && file.flush() && file.size() == bytes.size();
    if (!whole) {
        QString why = file.errorString();
        if (file.error() == QFileDevice::NoError)
            why = QStringLiteral("寫入不完整");
        file.cancelWriting();
        file.commit();   // removes the temporary file
        return why;
    }
    if (beforeCommit())
        beforeCommit()(path);
    if (!file.commit())
        return file.errorString();
    return std::nullopt;
}

std::optional<QString> CopyFileSafely(const QString& from, const QString& to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly))
        return source.errorString();
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return source.errorString();
    return SaveFileSafely(to, bytes);
}

} // namespace varn
