#pragma once

#include <functional>

namespace varn {

// Ending the program is asked for from deep inside handlers (a third failed sign-in, a
// database that cannot be opened, 結束). Every end goes through the open windows' own
// close questions first (an unsaved quotation, a record being edited): a Cancel there keeps
// the program running. The core only asks; the window layer installs the closer, and the
// application decides how to wind down (main() quits the event loop, tests record it).
using ProgramEndHandler = std::function<void(int exitCode)>;
using WindowCloser = std::function<bool()>;

// Asks the windows to close; when they all did, ends the program and returns true. When one
// of them stays open, nothing ends and the result is false.
bool EndProgram(int exitCode = 0);

// Installs the handler; an empty one restores the default, which quits the Qt event loop
// when there is one.
void SetProgramEndHandler(ProgramEndHandler handler);

// Installs what asks the open windows to close, each with its own question; it returns
// false when one of them stays open. Without one, there is nothing to ask.
void SetWindowCloser(WindowCloser closer);

// True once the program has been ended (reset by SetProgramEndHandler).
bool ProgramEndRequested();

} // namespace varn
