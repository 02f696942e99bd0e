#include "records/CustomerRegister.h"

#include "shared/ProgramState.h"

namespace varn {

CustomerRegister::CustomerRegister(std::shared_ptr<Database> db, QObject* parent)
    : RegisterEngine(CustomerRegisterConfig(), std::move(db), parent)
    , m_pickMode(state().m.gPickCustomer)
{
}

bool CustomerRegister::canHandBack() const
{
    return m_pickMode && !form().field(QStringLiteral("t2")).trimmed().isEmpty();
}

bool CustomerRegister::handBack()
{
    if (!canHandBack())
        return false;
    HandBackCustomer(PickFromForm(form()));
    return true;
}

void CustomerRegister::unload()
{
    CustomerWindowUnloaded();
}

} // namespace varn
