#include "PrintRunner.h"

#include "KitchenLog.h"
#include "PrintSink.h"
#include "RawPort.h"
#include "common/Clock.h"
#include "common/Prompter.h"

#include <QTimer>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

void TimerScheduler::after(int milliseconds, QObject *context, std::function<void()> work)
{
    QTimer::singleShot(milliseconds, context, std::move(work));
}

QString portErrorMessage(const QString &port, const QString &systemError)
{
    return u"小票打印机端口“"_s + port + u"”无法写入，订单已保存，请检查打印机连接后重新打印。"_s + u'\n' + systemError;
}

PrintRunner::PrintRunner(PrintSink &sink, Scheduler &scheduler, const Clock &clock, Prompter &prompter,
                         KitchenLog *log, QObject *parent)
    : QObject(parent), m_sink(sink), m_scheduler(scheduler), m_clock(clock), m_prompter(prompter), m_log(log)
{
}

QList<int> PrintRunner::copyDelays(int copies, int pause)
{
    QList<int> delays;
    for (int n = 0; n < copies; ++n)
        delays << (n >= 2 ? qMax(0, pause) : 0);
    return delays;
}

void PrintRunner::log(const QString &text)
{
    if (m_log)
        m_log->add(m_clock.now().toString(u"yyyy-MM-dd HH:mm:ss"_s) + text);
}

void PrintRunner::fail(const QString &text)
{
    m_messages << text;
    m_prompter.error(text);
}

void PrintRunner::start(const PrintPlan &plan)
{
    m_running = true;
    m_jobs = plan.jobs;
    m_job = 0;
    m_copy = 0;
    m_waited = false;
    if (plan.driverless()) {
        QString error;
        if (!writeToPort(plan.rawPort, plan.rawText, &error))
            fail(portErrorMessage(plan.rawPort, error));
    }
    if (!plan.refusal.isEmpty()) {
        m_messages << plan.refusal;
        m_prompter.warning(plan.refusal);
    }
    if (!plan.templateError.isEmpty())
        fail(plan.templateError);
    next();
}

QString PrintRunner::printerFor(const PrintJob &job)
{
    if (job.printer.isEmpty())
        return QString();
    if (m_sink.printerNames().contains(job.printer))
        return job.printer;
    const QString fallback = m_sink.defaultPrinterName();
    log(u"打印机“"_s + job.printer + u"”不存在，"_s + job.title + u"改由默认打印机“"_s + fallback + u"”打印"_s);
    return QString();
}

void PrintRunner::outputCopy(const PrintJob &job, const QString &printer, int copies)
{
    QString error;
    if (!m_sink.print(job, printer, copies, &error)) {
        fail(job.title + u"打印失败："_s + error);
        return;
    }
    if (!job.logLine.isEmpty())
        log(job.logLine);
}

void PrintRunner::next()
{
    while (m_job < m_jobs.size()) {
        const PrintJob &job = m_jobs[m_job];
        if (job.preview) {
            m_sink.preview(job);
            ++m_job;
            continue;
        }
        if (!job.separateCopies || job.copies <= 1) {
            outputCopy(job, printerFor(job), job.copies);
            ++m_job;
            continue;
        }
        // Separate copies: each after its pause, the event loop running meanwhile.
        const int delay = copyDelays(job.copies, job.pauseSecs).value(m_copy);
        if (delay > 0 && !m_waited) {
            m_waited = true;
            m_scheduler.after(delay * 1000, this, [this] { next(); });
            return;
        }
        m_waited = false;
        outputCopy(job, printerFor(job), 1);
        if (++m_copy >= job.copies) {
            m_copy = 0;
            ++m_job;
        }
    }
    m_running = false;
    Q_EMIT finished();
}

} // namespace lanfan::printing
