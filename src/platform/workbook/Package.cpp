#include "platform/workbook/Package.h"

#include "platform/files/FileFailure.h"
#include "platform/files/SafeSave.h"
#include "platform/workbook/WorkbookError.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <zip.h>

namespace varn {

namespace {

QString zipErrorText(int code)
{
    zip_error_t error;
    zip_error_init_with_code(&error, code);
    const QString text = QString::fromUtf8(zip_error_strerror(&error));
    zip_error_fini(&error);
    return text;
}

// Codes by which libzip says that the stored template could not be read back.
bool isReadFailure(int code)
{
    switch (code) {
    case ZIP_ER_SEEK:
    case ZIP_ER_READ:
    case ZIP_ER_CRC:
    case ZIP_ER_OPEN:
    case ZIP_ER_ZLIB:
    case ZIP_ER_CHANGED:
    case ZIP_ER_EOF:
    case ZIP_ER_INCONS:
    case ZIP_ER_TELL:
    case ZIP_ER_COMPRESSED_DATA:
        return true;
    default:
        return false;
    }
}

// A libzip failure as the user reads it: the reason in words first, the library's own
// (English) text after it only as a detail.
QString zipFailureReason(zip_error_t* error)
{
    const int code = zip_error_code_zip(error);
    QString reason;
    if (zip_error_system_type(error) == ZIP_ET_SYS && zip_error_code_system(error) != 0)
        reason = FileFailureReason(zip_error_code_system(error), FileUse::Read);
    else if (code == ZIP_ER_MEMORY)
        reason = FileFailureReason(ENOMEM, FileUse::Read);
    else if (code == ZIP_ER_EOF)
        reason = QStringLiteral("範本檔案不完整，可能已被截斷或正被改寫");
    else if (code == ZIP_ER_SEEK || code == ZIP_ER_READ || code == ZIP_ER_OPEN || code == ZIP_ER_TELL)
        reason = FileFailureReason(0, FileUse::Read);
    else if (isReadFailure(code))
        reason = QStringLiteral("範本檔案已損壞");
    else
        reason = QStringLiteral("壓縮元件發生錯誤");
    return QStringLiteral("%1（zip 錯誤：%2）").arg(reason, QString::fromUtf8(zip_error_strerror(error)));
}

// Compound-file signature: an old binary .xls, or an .xlsx saved with a password.
bool looksLikeCompoundFile(const QString& path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return false;
    static const char sig[] = "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1";
    return f.read(8) == QByteArray(sig, 8);
}

// libzip keeps only its own code for a file it could not open: the reason is asked of the
// file again, so that the user reads it in words.
QString unreadableReason(const QString& path)
{
    QFile f(path);
    errno = 0;
    if (!f.open(QIODevice::ReadOnly))
        return FileFailureReason(f, errno, FileUse::Read);
    errno = 0;
    f.readAll();
    return FileFailureReason(f, errno, FileUse::Read);
}

// Parts worth compressing hard are small; big sheet parts get the fast level, which
// keeps saving a long quotation quick at a modest cost in size.
constexpr size_t kFastCompressionFrom = 256 * 1024;

} // namespace

std::string LowerPartName(const std::string& name)
{
    std::string s = name;
    for (char& c : s)
        if (c >= 'A' && c <= 'Z')
            c = static_cast<char>(c - 'A' + 'a');
    return s;
}

Package::Package(const QString& path)
    : m_path(path)
{
    const QFileInfo info(path);
    if (!info.exists())
        throw WorkbookError(QStringLiteral("找不到範本檔案：%1").arg(path));
    if (!info.isFile())
        throw WorkbookError(QStringLiteral("範本不是檔案：%1").arg(path));

    int code = 0;
    m_zip = zip_open(QFile::encodeName(path).constData(), ZIP_RDONLY | ZIP_CHECKCONS, &code);
    if (!m_zip) {
        if (code == ZIP_ER_NOZIP || code == ZIP_ER_INCONS) {
            if (looksLikeCompoundFile(path))
                throw WorkbookError(QStringLiteral("範本檔案是舊式 .xls 或有密碼保護的活頁簿，"
                                                   "請另存為沒有密碼的 .xlsx：%1").arg(path));
            throw WorkbookError(QStringLiteral("範本檔案不是 .xlsx 活頁簿（不是 zip 格式）：%1").arg(path));
        }
        if (code == ZIP_ER_OPEN || code == ZIP_ER_READ)
            throw WorkbookError(QStringLiteral("範本檔案無法開啟（%1）：%2").arg(unreadableReason(path), path));
        throw WorkbookError(QStringLiteral("範本檔案已損壞（%1）：%2").arg(zipErrorText(code), path));
    }
    const zip_int64_t n = zip_get_num_entries(m_zip, 0);
    for (zip_int64_t i = 0; i < n; ++i) {
        const char* name = zip_get_name(m_zip, static_cast<zip_uint64_t>(i), ZIP_FL_ENC_RAW);
        std::string s = name ? name : "";
        m_entries.push_back(s);
        m_byLower.emplace(LowerPartName(s), s);
    }
}

Package::~Package()
{
    if (m_zip)
        zip_discard(m_zip);
}

std::optional<std::string> Package::entryName(const std::string& partName) const
{
    std::string key = partName;
    if (!key.empty() && key.front() == '/')
        key.erase(0, 1);
    auto it = m_byLower.find(LowerPartName(key));
    if (it == m_byLower.end())
        return std::nullopt;
    return it->second;
}

std::string Package::read(const std::string& partName) const
{
    const auto name = entryName(partName);
    if (!name)
        throw WorkbookError(QStringLiteral("活頁簿缺少 %1：%2").arg(QString::fromStdString(partName), m_path));
    zip_stat_t st;
    zip_stat_init(&st);
    zip_file_t* f = nullptr;
    if (zip_stat(m_zip, name->c_str(), ZIP_FL_ENC_RAW, &st) == 0)
        f = zip_fopen(m_zip, name->c_str(), ZIP_FL_ENC_RAW);
    if (!f)
        throw WorkbookError(QStringLiteral("無法讀取範本 %1 的 %2：%3")
                                .arg(m_path, QString::fromStdString(partName), zipFailureReason(zip_get_error(m_zip))));
    std::string data;
    if (st.valid & ZIP_STAT_SIZE)
        data.reserve(static_cast<size_t>(st.size));
    char buf[65536];
    zip_int64_t got;
    while ((got = zip_fread(f, buf, sizeof buf)) > 0)
        data.append(buf, static_cast<size_t>(got));
    if (got < 0) {
        const QString why = zipFailureReason(zip_file_get_error(f));
        zip_fclose(f);
        throw WorkbookError(QStringLiteral("無法讀取範本 %1 的 %2：%3").arg(m_path, QString::fromStdString(partName), why));
    }
    zip_fclose(f);
    return data;
}

void Package::write(const QString& target, const std::map<std::string, std::string>& replaced,
                    const std::set<std::string>& removed) const
{
    auto fail = [&](const QString& why) {
        return WorkbookError(QStringLiteral("無法儲存活頁簿 %1（%2）").arg(target, why));
    };
    // The archive is built in memory, so what fails there is reading the template back or
    // the library itself.
    auto packing = [this](zip_error_t* error) {
        const QString why = zipFailureReason(error);
        return isReadFailure(zip_error_code_zip(error)) ? QStringLiteral("範本 %1 無法讀取：%2").arg(m_path, why)
                                                         : QStringLiteral("壓縮失敗：%1").arg(why);
    };

    zip_error_t error;
    zip_error_init(&error);
    zip_source_t* buffer = zip_source_buffer_create(nullptr, 0, 0, &error);
    if (!buffer)
        throw fail(packing(&error));
    zip_source_keep(buffer);   // the archive below must not free it: we read it back
    zip_t* out = zip_open_from_source(buffer, ZIP_TRUNCATE, &error);
    if (!out) {
        zip_source_free(buffer);
        throw fail(packing(&error));
    }

    auto abandon = [&](const QString& why) {
        const WorkbookError e = fail(why);
        zip_discard(out);
        zip_source_free(buffer);
        throw e;
    };

    for (zip_uint64_t i = 0; i < m_entries.size(); ++i) {
        const std::string& name = m_entries[i];
        const std::string lower = LowerPartName(name);
        if (removed.count(lower))
            continue;
        zip_source_t* src = nullptr;
        auto rep = replaced.find(lower);
        size_t size = 0;
        if (rep != replaced.end()) {
            size = rep->second.size();
            src = zip_source_buffer(out, rep->second.data(), size, 0);
        } else {
            src = zip_source_zip(out, m_zip, i, 0, 0, -1);   // stored bytes as they are
        }
        if (!src)
            abandon(packing(zip_get_error(out)));
        const zip_int64_t idx = zip_file_add(out, name.c_str(), src, ZIP_FL_ENC_RAW);
        if (idx < 0) {
            zip_source_free(src);
            abandon(packing(zip_get_error(out)));
        }
        if (rep != replaced.end()) {
            const zip_uint32_t level = size >= kFastCompressionFrom ? 1 : 6;
            zip_set_file_compression(out, static_cast<zip_uint64_t>(idx), ZIP_CM_DEFLATE, level);
        }
    }
    if (zip_close(out) != 0)
        abandon(packing(zip_get_error(out)));

    zip_stat_t st;
    zip_stat_init(&st);
    std::string bytes;
    if (zip_source_stat(buffer, &st) == 0 && zip_source_open(buffer) == 0) {
        bytes.resize(static_cast<size_t>(st.size));
        const zip_int64_t got = zip_source_read(buffer, bytes.data(), st.size);
        zip_source_close(buffer);
        if (got != static_cast<zip_int64_t>(st.size))
            bytes.clear();
    }
    zip_source_free(buffer);
    if (bytes.empty())
        throw fail(QStringLiteral("壓縮失敗"));

    if (const auto why = SaveFileSafely(target, QByteArray::fromStdString(bytes)))
        throw fail(*why);
}

} // namespace varn
