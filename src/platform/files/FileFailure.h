#pragma once

#include <QFileDevice>
#include <QString>

#include <optional>

namespace varn {

// What the program was doing with the file: a refused access reads differently.
enum class FileUse { Read, Write };

// Why a file step failed, in words for the user ("磁碟已滿", "沒有寫入權限", ...), from the
// errno the failing call left. The system's own (English) text never leads: a number
// without words of its own gives a general reason with that text after it as a detail.
QString FileFailureReason(int error, FileUse use);

// The same for a failed step of a file device, with errno read right after the failing
// call (0 when none was kept): then the device's error kind, or a folder in the file's
// place, speaks instead.
QString FileFailureReason(const QFileDevice& file, int error, FileUse use);

// Makes a folder and any missing parents. Returns the reason, in words for the user, when
// it could not.
std::optional<QString> MakeFolders(const QString& path);

} // namespace varn
