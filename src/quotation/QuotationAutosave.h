#pragma once

#include <QObject>
#include <QString>
#include <QStringList>
#include <QTimer>

#include <functional>

namespace varn {

class Quotation;

// When the next autosave is due. The interval is the number of minutes of Auto.ini, which
// the settings window labels "分鐘存檔一次"; anything below one minute counts as one.
// The clock is injected so that tests can move time on.
class AutosaveSchedule {
public:
    using Clock = std::function<qint64()>;   // milliseconds, never going back

    explicit AutosaveSchedule(Clock clock = {});

    static int intervalMinutes(int autoSaveMin);
    static qint64 intervalMs(int autoSaveMin) { return qint64(intervalMinutes(autoSaveMin)) * 60000; }

    // The count starts again from now (window load, 開啟舊檔, window close).
    void restart();
    // True when the interval has passed since the last restart; the count then restarts.
    // The interval is read on every call, so a new setting applies at once.
    bool due(int autoSaveMin);

    qint64 now() const { return m_clock(); }

private:
    Clock m_clock;
    qint64 m_since = 0;
};

// The autosave of the quotation window: every interval it writes the quotation, as it
// stands, to autosave.vrn in the signed-in user's working folder (the superuser's lies in
// the program folder). The write goes through a temporary file renamed over the old one
// and takes the document's content without selecting the root or closing an open cell
// editor. A quotation that is empty, or unchanged since it was opened or saved, does not
// replace an autosave that is already there (it may be the only copy of lost work). A
// failure is reported once; a later success re-arms the report.
class QuotationAutosave : public QObject {
    Q_OBJECT
public:
    // How often the timer looks at the clock; the interval itself is whole minutes.
    static constexpr int CheckIntervalMs = 10000;

    enum class Outcome { NotDue, Saved, Kept, Failed };

    explicit QuotationAutosave(Quotation& quotation, AutosaveSchedule::Clock clock = {},
                               QObject* parent = nullptr);

    // autosave.vrn in the working folder of the user signed in now.
    static QString defaultPath();
    QString path() const { return m_path; }
    void setPath(const QString& path) { m_path = path; }

    // Window load: starts the timer when autosave is on (gAutoSave); the count starts
    // from now. stop() at the window's close.
    void start();
    void stop();
    bool isRunning() const { return m_timer.isActive(); }
    // 開啟舊檔 started: the interval counts from now. Saves and new quotations leave it.
    void restartCount() { m_schedule.restart(); }

    // One look at the clock (the timer's tick): saves when the interval has passed.
    Outcome tick();
    // Writes now, by the rules above.
    Outcome saveNow();

    AutosaveSchedule& schedule() { return m_schedule; }

signals:
    void saved(const QString& path);

private:
    bool isEmpty() const;

    Quotation& m_q;
    AutosaveSchedule m_schedule;
    QTimer m_timer;
    QString m_path;
    QStringList m_lastWritten;
    bool m_failureShown = false;
};

} // namespace varn
