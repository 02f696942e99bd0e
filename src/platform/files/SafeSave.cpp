#include "platform/files/SafeSave.h"

#include "platform/files/FileFailure.h"

#include <QFile>
#include <QSaveFile>

#include <cerrno>

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
    errno = 0;
    if (!file.open(QIODevice::WriteOnly))
        return FileFailureReason(file, errno, FileUse::Write);
    errno = 0;
    bool whole = file.write(bytes) == bytes.size() && file.flush();
    const int error = errno;
    whole = whole && file.size() == bytes.size();
    if (!whole) {
        // A write cut short part-way leaves no device error, only errno.
        const QString why = file.error() == QFileDevice::NoError && error == 0
            ? QStringLiteral("寫入不完整")
            : FileFailureReason(file, error, FileUse::Write);
        file.cancelWriting();
        file.commit();   // removes the temporary file
        return why;
    }
    if (beforeCommit())
        beforeCommit()(path);
    errno = 0;
    if (!file.commit())
        return FileFailureReason(file, errno, FileUse::Write);
    return std::nullopt;
}

std::optional<QString> CopyFileSafely(const QString& from, const QString& to)
{
    QFile source(from);
    errno = 0;
    if (!source.open(QIODevice::ReadOnly))
        return FileFailureReason(source, errno, FileUse::Read);
    errno = 0;
    const QByteArray bytes = source.readAll();
    if (source.error() != QFileDevice::NoError)
        return FileFailureReason(source, errno, FileUse::Read);
    return SaveFileSafely(to, bytes);
}

} // namespace varn
