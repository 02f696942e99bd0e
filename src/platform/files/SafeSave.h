#pragma once

#include <QByteArray>
#include <QString>

#include <functional>
#include <optional>

namespace varn {

// Replaces the file at path with bytes, or leaves the old file as it was.
// The bytes go to a temporary file beside the target, which is flushed and checked for
// its full size before it is renamed over the old one: a write cut short (a full disk,
// a size limit) only shows at the flush, and must never replace a good file with a
// truncated one. Returns the reason, in words for the user, when the file was not replaced.
std::optional<QString> SaveFileSafely(const QString& path, const QByteArray& bytes);

// Copies a file the same way: the target appears whole or not at all.
std::optional<QString> CopyFileSafely(const QString& from, const QString& to);

// Called with the target path between the full write and the rename that commits it, so
// that a test can make the rename fail. Empty by default.
void SetSafeSaveBeforeCommit(std::function<void(const QString& path)> hook);

} // namespace varn
