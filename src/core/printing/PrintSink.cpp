#include "PrintSink.h"

#include "PagePainter.h"

#include <QDir>
#include <QPrinter>
#include <QPrinterInfo>
#include <QProcess>
#include <QStandardPaths>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

QStringList SystemPrintSink::printerNames() const
{
    return QPrinterInfo::availablePrinterNames();
}

QString SystemPrintSink::defaultPrinterName() const
{
    return QPrinterInfo::defaultPrinterName();
}

bool SystemPrintSink::print(const PrintJob &job, const QString &printer, int copies, QString *error)
{
    QPrinter device(QPrinter::HighResolution);
    const QString name = printer.isEmpty() ? defaultPrinterName() : printer;
    if (name.isEmpty()) {
        if (error)
            *error = u"该计算机未安装打印机驱动，无法进行打印"_s;
        return false;
    }
    device.setPrinterName(name);
    device.setDocName(job.title);
    device.setCopyCount(qMax(1, copies));
    device.setFullPage(true);
    return paintPages(device, job.pages, error);
}

bool SystemPrintSink::sendRaw(const QString &printer, const QByteArray &bytes, QString *error)
{
    const QString lp = QStandardPaths::findExecutable(u"lp"_s);
    if (lp.isEmpty()) {
        if (error)
            *error = u"没有找到打印命令 lp（CUPS）"_s;
        return false;
    }
    QStringList args{u"-o"_s, u"raw"_s};
    if (!printer.isEmpty())
        args << u"-d"_s << printer;
    QProcess p;
    p.start(lp, args);
    if (!p.waitForStarted(3000)) {
        if (error)
            *error = p.errorString();
        return false;
    }
    p.write(bytes);
    p.closeWriteChannel();
    if (!p.waitForFinished(10000) || p.exitCode() != 0) {
        if (error)
            *error = QString::fromLocal8Bit(p.readAllStandardError()).trimmed();
        return false;
    }
    return true;
}

PdfSink::PdfSink(QString folder, QStringList printers, bool writeFiles)
    : m_folder(std::move(folder)), m_printers(std::move(printers)), m_writeFiles(writeFiles)
{
}

bool PdfSink::write(const PrintJob &job, const QString &printer, int copies, bool preview, QString *error)
{
    Output out;
    out.title = job.title;
    out.printer = printer;
    out.copies = copies;
    out.preview = preview;
    out.pages = int(job.pages.size());
    if (!failingPrinter.isEmpty() && printer == failingPrinter) {
        if (error)
            *error = printer + u": 打印机没有响应"_s;
        return false;
    }
    if (m_writeFiles) {
        QDir().mkpath(m_folder);
        QString name = u"%1-%2"_s.arg(m_outputs.size() + 1, 2, 10, QChar(u'0')).arg(job.title);
        if (!printer.isEmpty())
            name += u'-' + printer;
        if (preview)
            name += u"-预览"_s;
        out.file = QDir(m_folder).filePath(name + u".pdf"_s);
        if (!writePdf(out.file, job.pages, error))
            return false;
    }
    m_outputs << out;
    if (onOutput)
        onOutput(out);
    return true;
}

bool PdfSink::print(const PrintJob &job, const QString &printer, int copies, QString *error)
{
    return write(job, printer, copies, false, error);
}

void PdfSink::preview(const PrintJob &job)
{
    write(job, job.printer, job.copies, true, nullptr);
}

bool PdfSink::sendRaw(const QString &printer, const QByteArray &bytes, QString *error)
{
    if (!failingPrinter.isEmpty() && printer == failingPrinter) {
        if (error)
            *error = printer + u": 打印机没有响应"_s;
        return false;
    }
    Output out;
    out.title = u"raw"_s;
    out.printer = printer;
    out.raw = bytes;
    m_outputs << out;
    if (onOutput)
        onOutput(out);
    return true;
}

QList<PdfSink::Output> PdfSink::printed() const
{
    QList<Output> out;
    for (const auto &o : m_outputs)
        if (!o.preview && o.raw.isEmpty())
            out << o;
    return out;
}

QList<PdfSink::Output> PdfSink::previews() const
{
    QList<Output> out;
    for (const auto &o : m_outputs)
        if (o.preview)
            out << o;
    return out;
}

} // namespace lanfan::printing
