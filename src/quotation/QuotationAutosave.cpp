#include "quotation/QuotationAutosave.h"

#include "platform/ui/Prompter.h"
#include "quotation/ItemColumns.h"
#include "quotation/Quotation.h"
#include "quotation/VrnFile.h"
#include "shared/ProgramState.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFileInfo>

#include <algorithm>

namespace varn {

namespace {

qint64 steadyMs()
{
    static QElapsedTimer started = [] {
        QElapsedTimer t;
        t.start();
        return t;
    }();
    return started.elapsed();
}

} // namespace

AutosaveSchedule::AutosaveSchedule(Clock clock)
    : m_clock(clock ? std::move(clock) : Clock(steadyMs))
{
    m_since = m_clock();
}

int AutosaveSchedule::intervalMinutes(int autoSaveMin)
{
    return std::max(1, autoSaveMin);
}

void AutosaveSchedule::restart()
{
    m_since = m_clock();
}

bool AutosaveSchedule::due(int autoSaveMin)
{
    const qint64 t = m_clock();
    if (t - m_since < intervalMs(autoSaveMin))
        return false;
    m_since = t;
    return true;
}

QuotationAutosave::QuotationAutosave(Quotation& quotation, AutosaveSchedule::Clock clock,
                                     QObject* parent)
    : QObject(parent)
    , m_q(quotation)
    , m_schedule(std::move(clock))
    , m_path(defaultPath())
{
    m_timer.setInterval(CheckIntervalMs);
    connect(&m_timer, &QTimer::timeout, this, [this] { tick(); });
}

QString QuotationAutosave::defaultPath()
{
    const ProgramState& s = state();
    QDir folder(s.programFolder);
    if (!s.m.gUserName.isEmpty())
        folder.setPath(folder.filePath(s.m.gUserName));
    return folder.filePath(QStringLiteral("autosave.vrn"));
}

void QuotationAutosave::start()
{
    m_schedule.restart();
    if (state().m.gAutoSave)
        m_timer.start();
}

void QuotationAutosave::stop()
{
    m_timer.stop();
    m_schedule.restart();
}

QuotationAutosave::Outcome QuotationAutosave::tick()
{
    if (!m_schedule.due(state().m.gAutoSaveMin))
        return Outcome::NotDue;
    return saveNow();
}

bool QuotationAutosave::isEmpty() const
{
    const TreeNode* root = m_q.tree().root();
    if (root && !root->isLeaf())
        return false;
    const GridModel& shown = m_q.hfgQ();
    for (int r = 1; r < shown.rows(); ++r) {
        for (int c = QCol::Name; c <= QCol::Remark; ++c) {
            if (!shown.textMatrix(r, c).isEmpty())
                return false;
        }
    }
    const GridModel& stored = m_q.hfgB();
    for (int r = 1; r < stored.rows(); ++r) {
        for (int c = QCol::Name; c <= QCol::Remark; ++c) {
            if (!stored.textMatrix(r, c).isEmpty())
                return false;
        }
    }
    return true;
}

QuotationAutosave::Outcome QuotationAutosave::saveNow()
{
    const bool exists = QFileInfo::exists(m_path);
    if (exists && (isEmpty() || !m_q.isModified()))
        return Outcome::Kept;

    const VrnContent content = m_q.snapshotContent();
    const QStringList lines = Vrn::lines(content);
    if (exists && lines == m_lastWritten)
        return Outcome::Kept;

    try {
        Vrn::write(m_path, content);
    } catch (const VrnError& e) {
        if (!m_failureShown) {
            m_failureShown = true;
            prompter().inform(QStringLiteral("存檔錯誤\r\n%1\r\n%2").arg(e.number()).arg(e.message()),
                              PromptIcon::None);
        }
        return Outcome::Failed;
    }
    m_failureShown = false;
    m_lastWritten = lines;
    emit saved(m_path);
    return Outcome::Saved;
}

} // namespace varn
