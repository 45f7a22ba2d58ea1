#include "PrintPreviewDialog.h"

#include "app/AppContext.h"
#include "printing/OrderPrinting.h"
#include "printing/PagePainter.h"
#include "printing/PrintRunner.h"

#include <QPageLayout>

using namespace Qt::StringLiterals;

namespace lanfan::ui {

namespace {

// The sink and timer of one print run, alive until its last copy went out.
class PrintSession : public QObject {
public:
    explicit PrintSession(QWidget *parent) : QObject(parent), sink(parent) {}
    QtPrintSink sink;
    printing::TimerScheduler timers;
};

} // namespace

PrintPreviewDialog::PrintPreviewDialog(const printing::PrintJob &job, QWidget *parent)
    : QPrintPreviewDialog(parent), m_job(job)
{
    setObjectName(u"PrintPreviewDialog"_s);
    setWindowTitle(u"打印预览 - "_s + job.title);
    // The preview's printer carries the ticket's paper, printer and copies.
    QPrinter *device = printer();
    if (!job.printer.isEmpty())
        device->setPrinterName(job.printer);
    device->setDocName(job.title);
    device->setCopyCount(qMax(1, job.copies));
    device->setFullPage(true);
    if (!job.pages.isEmpty())
        device->setPageLayout(QPageLayout(QPageSize(QSizeF(job.pages.first().widthMm(), job.pages.first().heightMm()),
                                                    QPageSize::Millimeter),
                                          QPageLayout::Portrait, QMarginsF()));
    connect(this, &QPrintPreviewDialog::paintRequested, this,
            [this](QPrinter *device) { printing::paintPages(*device, m_job.pages); });
    resize(520, 760);
}

PrintPreviewDialog::~PrintPreviewDialog() = default;

void QtPrintSink::preview(const printing::PrintJob &job)
{
    auto *dialog = new PrintPreviewDialog(job, m_parent);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
}

void printOrder(QWidget *parent, AppContext &ctx, printing::PrintSource source, const QString &orderNumber, int copies,
                const QString &style, printing::KitchenLog *log)
{
    auto *session = new PrintSession(parent);
    printing::PrintRequest request;
    request.source = source;
    request.copies = copies;
    request.style = style;
    printing::PrintRunner *runner =
        printing::printSavedOrder(ctx, orderNumber, request, session->sink, session->timers, log);
    if (runner && runner->isRunning())
        QObject::connect(runner, &printing::PrintRunner::finished, session, &QObject::deleteLater);
    else
        session->deleteLater();
}

} // namespace lanfan::ui
