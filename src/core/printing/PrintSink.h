#pragma once

#include "PrintPlan.h"

#include <QStringList>

#include <functional>

namespace lanfan::printing {

// Where print jobs go: the printers of the computer (and a preview window),
// or PDF files. One copy per call unless `copies` says otherwise.
class PrintSink {
public:
    virtual ~PrintSink() = default;
    // Names of the installed printers.
    virtual QStringList printerNames() const = 0;
    // Name of the default printer; empty when there is none.
    virtual QString defaultPrinterName() const = 0;
    // Prints a job on `printer` (empty: the default printer), without a dialog.
    virtual bool print(const PrintJob &job, const QString &printer, int copies, QString *error) = 0;
    // Shows the job in a preview; the preview's own print button prints it.
    virtual void preview(const PrintJob &job) = 0;
    // Sends bytes as they are to a printer (a raw job); empty: the default printer.
    virtual bool sendRaw(const QString &printer, const QByteArray &bytes, QString *error) = 0;
};

// The printers of this computer (CUPS through Qt's printer list). Preview is
// left to the desktop program: this sink prints the previewed job to nothing.
class SystemPrintSink : public PrintSink {
public:
    QStringList printerNames() const override;
    QString defaultPrinterName() const override;
    bool print(const PrintJob &job, const QString &printer, int copies, QString *error) override;
    void preview(const PrintJob &) override {}
    // A raw job through `lp -o raw`.
    bool sendRaw(const QString &printer, const QByteArray &bytes, QString *error) override;
};

// Writes every printed or previewed job to a PDF file in a folder, and keeps
// a record of what was sent where. Tests and the sample command use it.
class PdfSink : public PrintSink {
public:
    struct Output {
        QString title;
        QString printer;
        int copies = 1;
        bool preview = false;
        int pages = 0;
        QString file;
        QByteArray raw;
    };

    explicit PdfSink(QString folder, QStringList printers = {QStringLiteral("默认打印机")}, bool writeFiles = true);

    QStringList printerNames() const override { return m_printers; }
    QString defaultPrinterName() const override { return m_printers.value(0); }
    bool print(const PrintJob &job, const QString &printer, int copies, QString *error) override;
    void preview(const PrintJob &job) override;
    bool sendRaw(const QString &printer, const QByteArray &bytes, QString *error) override;

    const QList<Output> &outputs() const { return m_outputs; }
    QList<Output> printed() const;
    QList<Output> previews() const;
    // Called at every output (tests look at the clock here).
    std::function<void(const Output &)> onOutput;
    // A printer that refuses (tests of the error path).
    QString failingPrinter;

private:
    bool write(const PrintJob &job, const QString &printer, int copies, bool preview, QString *error);
    QString m_folder;
    QStringList m_printers;
    bool m_writeFiles;
    QList<Output> m_outputs;
};

} // namespace lanfan::printing
