#include "app/ProgramEnd.h"

#include <QCoreApplication>

namespace varn {

namespace {

struct EndState {
    ProgramEndHandler handler;
    WindowCloser closer;
    bool requested = false;
    bool closing = false;
};

EndState& endState()
{
    static EndState s;
    return s;
}

} // namespace

bool EndProgram(int exitCode)
{
    EndState& s = endState();
    // A window that ends the program from its own close handler, while the windows are
    // being asked, leaves the decision to the end already under way.
    if (s.closing)
        return true;
    if (s.closer) {
        s.closing = true;
        const bool allClosed = s.closer();
        s.closing = false;
        if (!allClosed)
            return false;
    }
    s.requested = true;
    if (s.handler)
        s.handler(exitCode);
    else if (QCoreApplication::instance())
        QCoreApplication::exit(exitCode);
    return true;
}

void SetProgramEndHandler(ProgramEndHandler h)
{
    endState().handler = std::move(h);
    endState().requested = false;
}

void SetWindowCloser(WindowCloser closer)
{
    endState().closer = std::move(closer);
}

bool ProgramEndRequested()
{
    return endState().requested;
}

} // namespace varn
