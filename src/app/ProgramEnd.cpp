#include "app/ProgramEnd.h"

#include <QCoreApplication>

namespace varn {

namespace {

ProgramEndHandler& handler()
{
    static ProgramEndHandler h;
    return h;
}

bool& requested()
{
    static bool r = false;
    return r;
}

} // namespace

void EndProgram(int exitCode)
{
    requested() = true;
    if (handler()) {
        handler()(exitCode);
        return;
    }
    if (QCoreApplication::instance())
        QCoreApplication::exit(exitCode);
}

void SetProgramEndHandler(ProgramEndHandler h)
{
    handler() = std::move(h);
    requested() = false;
}

bool ProgramEndRequested()
{
    return requested();
}

} // namespace varn
