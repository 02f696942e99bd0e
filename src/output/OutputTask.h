#pragma once

#include <QString>

#include <functional>
#include <stdexcept>

namespace varn {

// An output the program refuses before it writes anything (more rows than a sheet holds,
// a column the table does not have). message() can be shown as it stands.
class OutputRefused : public std::runtime_error {
public:
    explicit OutputRefused(const QString& message)
        : std::runtime_error(message.toStdString()), m_message(message)
    {
    }
    QString message() const { return m_message; }

private:
    QString m_message;
};

// Refuses an output whose last row lies beyond the sheet's last row.
void CheckRowsFit(qint64 lastRow);

// One delivered workbook from a click: `fillAndSave` reads the data, fills the template and
// saves the result (returning its path) while the busy indicator shows; the saved file is
// then opened in the spreadsheet program. Any failure (a missing template, a database
// error, a refused save, a refused output) is told in a "Varn III" message with its cause,
// and nothing is left behind. Returns the saved path, or empty after a failure.
QString DeliverOutput(const QString& busyText, const std::function<QString()>& fillAndSave);

} // namespace varn
