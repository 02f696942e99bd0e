#pragma once

#include <QApplication>

namespace varn {

// The program's application object. An exception that escapes an event handler (a menu
// command, a button, a timer) would end the program and lose the open quotation's unsaved
// edits; here it ends only that handler: the user is told what failed, through the
// prompter, and the program goes on with its windows and data as they are.
class GuardedApplication : public QApplication {
public:
    GuardedApplication(int& argc, char** argv);

    bool notify(QObject* receiver, QEvent* event) override;
};

} // namespace varn
