#pragma once

#include <QString>

#include <stdexcept>

namespace varn {

// Any failure of the workbook layer: a template that cannot be used, a bad address, a
// save that did not happen. message() is a sentence the caller can show as it stands.
class WorkbookError : public std::runtime_error {
public:
    explicit WorkbookError(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

} // namespace varn
