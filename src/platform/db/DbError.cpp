#include "platform/db/DbError.h"

namespace varn {

DbError::DbError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

QString DbFailureMessage(const QString& action, const DbError& e)
{
    const QString why = e.description().isEmpty() ? QStringLiteral("資料庫錯誤 %1").arg(e.number()) : e.description();
    return QStringLiteral("%1：%2\r\n資料庫中的資料沒有改變，沒有資料遺失。").arg(action, why);
}

} // namespace varn
