#pragma once

#include <functional>

namespace varn {

// Ending the program is asked for from deep inside handlers (a third failed sign-in, a
// database that cannot be opened). The core only asks; the application decides how to
// wind down (main() quits the event loop, tests record the request).
using ProgramEndHandler = std::function<void(int exitCode)>;

void EndProgram(int exitCode = 0);

// Installs the handler; an empty one restores the default, which quits the Qt event loop
// when there is one.
void SetProgramEndHandler(ProgramEndHandler handler);

// True once EndProgram has been called (reset by SetProgramEndHandler).
bool ProgramEndRequested();

} // namespace varn
