#pragma once

#include "platform/ui/BusyIndicator.h"

#include <QPointer>

class QWidget;

namespace varn {

// A busy cursor and, over the active window, a small window saying what runs.
class QtBusyIndicator : public BusyIndicator {
public:
    ~QtBusyIndicator() override;
    void begin(const QString& text) override;
    void end() override;

    // The window shown now, or nullptr.
    QWidget* window() const { return m_window; }

private:
    QPointer<QWidget> m_window;
    bool m_active = false;
};

} // namespace varn
