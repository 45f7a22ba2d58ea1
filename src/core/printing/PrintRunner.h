#pragma once

#include "PrintPlan.h"

#include <QObject>
#include <QPointer>

#include <functional>

namespace lanfan {
class Clock;
class Prompter;
}

namespace lanfan::printing {

class KitchenLog;
class PrintSink;

// Runs something later on the event loop; the pause between copies uses it
// so that the window stays responsive while a printer gets its copies.
class Scheduler {
public:
    virtual ~Scheduler() = default;
    virtual void after(int milliseconds, QObject *context, std::function<void()> work) = 0;
};

// QTimer on the event loop.
class TimerScheduler final : public Scheduler {
public:
    void after(int milliseconds, QObject *context, std::function<void()> work) override;
};

// Outputs a print plan: the driverless receipt to its port, then the jobs in
// order, each copy of a separately printed ticket after its pause, kitchen
// log lines for the tickets printed, and printer names that do not exist
// replaced by the default printer (with a log line). Deletes nothing; emits
// finished() once every job went out.
class PrintRunner : public QObject {
    Q_OBJECT
public:
    PrintRunner(PrintSink &sink, Scheduler &scheduler, const Clock &clock, Prompter &prompter,
                KitchenLog *log = nullptr, QObject *parent = nullptr);

    void start(const PrintPlan &plan);
    bool isRunning() const { return m_running; }
    // Messages shown during the run (also given to the prompter).
    const QStringList &messages() const { return m_messages; }

    // The delay before each copy of a separately printed ticket, in seconds:
    // none before the first and the second, `pause` before every later one.
    static QList<int> copyDelays(int copies, int pause);

Q_SIGNALS:
    void finished();

private:
    void next();
    void outputCopy(const PrintJob &job, const QString &printer, int copies);
    QString printerFor(const PrintJob &job);
    void log(const QString &text);
    void fail(const QString &text);

    PrintSink &m_sink;
    Scheduler &m_scheduler;
    const Clock &m_clock;
    Prompter &m_prompter;
    QPointer<KitchenLog> m_log;
    QList<PrintJob> m_jobs;
    int m_job = 0;
    int m_copy = 0;
    bool m_waited = false;
    bool m_running = false;
    QStringList m_messages;
};

// The message of a driverless printer whose port cannot be written.
QString portErrorMessage(const QString &port, const QString &systemError);

} // namespace lanfan::printing
