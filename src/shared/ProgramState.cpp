#include "shared/ProgramState.h"

#include "platform/db/Database.h"

namespace varn {

ProgramState& ProgramState::instance()
{
    static ProgramState s;
    return s;
}

void ProgramState::reset()
{
    instance() = ProgramState{};
}

} // namespace varn
