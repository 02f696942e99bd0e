#pragma once

#include <QString>

namespace varn {

// Shows that a long operation runs (busy cursor, a small "處理中…" window). The core marks
// such operations with BusyScope; the window layer installs what is shown.
class BusyIndicator {
public:
    virtual ~BusyIndicator() = default;
    virtual void begin(const QString& text) = 0;
    virtual void end() = 0;

    // Installs i (not owned); nullptr shows nothing.
    static void install(BusyIndicator* i);
    static BusyIndicator* installed();
};

// Marks a long operation for its scope. Nested scopes show one indicator: only the
// outermost begins and ends it.
class BusyScope {
public:
    explicit BusyScope(const QString& text = QStringLiteral("處理中…"));
    ~BusyScope();
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

    // Scopes open now (on this thread).
    static int depth();

private:
    BusyIndicator* m_indicator;
};

} // namespace varn
