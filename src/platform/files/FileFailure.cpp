#include "platform/files/FileFailure.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstring>

namespace varn {

QString FileFailureReason(int error, FileUse use)
{
    const bool reading = use == FileUse::Read;
    switch (error) {
    case ENOSPC:
        return QStringLiteral("磁碟已滿");
    case EDQUOT:
        return QStringLiteral("磁碟空間配額已用完");
    case EFBIG:
        return QStringLiteral("檔案太大，超過系統允許的大小");
    case EACCES:
    case EPERM:
        return reading ? QStringLiteral("沒有讀取權限") : QStringLiteral("沒有寫入權限");
    case EROFS:
        return QStringLiteral("磁碟或資料夾是唯讀的");
    case ETXTBSY:
    case EBUSY:
    case EAGAIN:
        return QStringLiteral("檔案被鎖定，正由其他程式使用");
    case ENOENT:
        return reading ? QStringLiteral("檔案不存在") : QStringLiteral("路徑不存在");
    case ENOTDIR:
        return QStringLiteral("路徑不存在（路徑中有一段不是資料夾）");
    case EISDIR:
        return QStringLiteral("這個名稱是資料夾，不是檔案");
    case EEXIST:
    case ENOTEMPTY:
        return QStringLiteral("已有同名的檔案或資料夾");
    case ENAMETOOLONG:
        return QStringLiteral("檔案名稱或路徑太長");
    case ELOOP:
        return QStringLiteral("路徑中的捷徑連結太多層");
    case EINVAL:
        return QStringLiteral("檔案名稱不正確");
    case EIO:
        return QStringLiteral("磁碟讀寫錯誤");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("同時開啟的檔案太多");
    case ENOMEM:
        return QStringLiteral("記憶體不足");
    case ENXIO:
    case ENODEV:
    case EXDEV:
        return QStringLiteral("磁碟或裝置無法使用");
    case ESTALE:
    case ETIMEDOUT:
    case EHOSTDOWN:
    case EHOSTUNREACH:
    case ENETDOWN:
    case ENETUNREACH:
    case ENOLINK:
        return QStringLiteral("網路磁碟無法連線");
    case 0:
        return reading ? QStringLiteral("檔案無法讀取") : QStringLiteral("檔案無法寫入");
    default:
        return QStringLiteral("%1（系統錯誤 %2：%3）")
            .arg(reading ? QStringLiteral("檔案無法讀取") : QStringLiteral("檔案無法寫入"))
            .arg(error)
            .arg(QString::fromLocal8Bit(std::strerror(error)));
    }
}

QString FileFailureReason(const QFileDevice& file, int error, FileUse use)
{
    if (error == 0 && QFileInfo(file.fileName()).isDir())
        error = EISDIR;   // refused before any system call
    if (error != 0)
        return FileFailureReason(error, use);
    switch (file.error()) {
    case QFileDevice::PermissionsError:
        return FileFailureReason(EACCES, use);
    case QFileDevice::ResourceError:
        return QStringLiteral("磁碟已滿或系統資源不足");
    case QFileDevice::ReadError:
        return QStringLiteral("檔案讀取失敗");
    case QFileDevice::WriteError:
        return QStringLiteral("檔案寫入失敗");
    case QFileDevice::RenameError:
        return QStringLiteral("暫存檔無法換成正式檔案");
    case QFileDevice::TimeOutError:
        return QStringLiteral("存取檔案逾時");
    default:
        return FileFailureReason(0, use);
    }
}

std::optional<QString> MakeFolders(const QString& path)
{
    const QFileInfo info(path);
    if (info.isDir())
        return std::nullopt;
    if (info.exists())
        return FileFailureReason(EEXIST, FileUse::Write);
    errno = 0;
    if (QDir().mkpath(path))
        return std::nullopt;
    return FileFailureReason(errno, FileUse::Write);
}

} // namespace varn
