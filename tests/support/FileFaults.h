#pragma once

#include <QRegularExpression>
#include <QString>

#include <gtest/gtest.h>

#include <csignal>
#include <optional>
#include <sys/resource.h>

namespace varn::test {

// Lowers the file-size limit for one scope, so that a write stops part-way as on a full
// disk. Resource limits bind the superuser too, so this works where permissions do not.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes)
    {
        getrlimit(RLIMIT_FSIZE, &m_old);
        m_oldHandler = signal(SIGXFSZ, SIG_IGN);
        rlimit lower = m_old;
        lower.rlim_cur = bytes;
        setrlimit(RLIMIT_FSIZE, &lower);
    }
    ~FileSizeLimit()
    {
        setrlimit(RLIMIT_FSIZE, &m_old);
        signal(SIGXFSZ, m_oldHandler);
    }
    FileSizeLimit(const FileSizeLimit&) = delete;
    FileSizeLimit& operator=(const FileSizeLimit&) = delete;

private:
    rlimit m_old{};
    sighandler_t m_oldHandler;
};

// A file failure told as the user should read it: the sentence names the cause in Chinese
// words, and no system text stands between them and the separator that opens the reason.
inline testing::AssertionResult SaysInChinese(const std::optional<QString>& text, const QString& words)
{
    if (!text)
        return testing::AssertionFailure() << "no failure at all";
    const qsizetype at = text->indexOf(words);
    qsizetype from = at;
    while (from > 0 && !QStringLiteral("（(：:\n").contains(text->at(from - 1)))
        --from;
    if (at < 0 || text->mid(from, at - from).contains(QRegularExpression(QStringLiteral("[A-Za-z]"))))
        return testing::AssertionFailure() << text->toStdString();
    return testing::AssertionSuccess();
}

} // namespace varn::test
