#include "platform/ui/BusyIndicator.h"

#include <atomic>

namespace varn {

namespace {

std::atomic<BusyIndicator*> g_indicator{nullptr};
thread_local int t_depth = 0;

} // namespace

void BusyIndicator::install(BusyIndicator* i)
{
    g_indicator.store(i);
}

BusyIndicator* BusyIndicator::installed()
{
    return g_indicator.load();
}

BusyScope::BusyScope(const QString& text)
    // Only the outermost scope shows; it keeps the indicator it began, so a later
    // install never receives an end without its begin.
    : m_indicator(t_depth == 0 ? g_indicator.load() : nullptr)
{
    ++t_depth;
    if (m_indicator)
        m_indicator->begin(text);
}

BusyScope::~BusyScope()
{
    --t_depth;
    if (m_indicator)
        m_indicator->end();
}

int BusyScope::depth()
{
    return t_depth;
}

} // namespace varn
