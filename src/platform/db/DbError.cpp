#include "platform/db/DbError.h"

namespace varn {

DbError::DbError(int number, const QString& description)
    : std::runtime_error(description.toStdString()), m_number(number), m_description(description)
{
}

} // namespace varn
