#include "ReceiptPicture.h"

#include "printing/OrderPrinting.h"
#include "printing/PagePainter.h"
#include "printing/PrintPlan.h"

#include <QFile>
#include <QPainter>
#include <QtEndian>

using namespace Qt::StringLiterals;

namespace lanfan::board {

QImage receiptPicture(AppContext &ctx, const QString &orderNumber, const QStringList &installedPrinters,
                      QString *message, int dpi)
{
    printing::PrintRequest request;
    request.source = printing::PrintSource::Reprint;
    request.copies = 1;
    const printing::PrintPlan plan = printing::planOrderPrint(ctx, orderNumber, request, installedPrinters);
    const printing::PrintJob *chosen = nullptr;
    for (const QString &title : {u"自定义报表"_s, u"小票"_s})
        for (const printing::PrintJob &job : plan.jobs)
            if (!chosen && job.title == title && !job.pages.isEmpty())
                chosen = &job;
    if (!chosen) {
        if (message)
            *message = !plan.refusal.isEmpty() ? plan.refusal : u"订单不存在："_s + orderNumber;
        return {};
    }
    const double scale = dpi / printing::kUnitsPerInch;
    double width = 0;
    double height = 0;
    for (const printing::PrintPage &p : chosen->pages) {
        width = std::max(width, p.width);
        height += p.height;
    }
    QImage image(qMax(1, int(width * scale + 0.5)), qMax(1, int(height * scale + 0.5)), QImage::Format_RGB888);
    image.fill(Qt::white);
    QPainter painter(&image);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.scale(scale, scale);
    for (const printing::PrintPage &p : chosen->pages) {
        printing::paintPage(painter, p);
        painter.translate(0, p.height);
    }
    painter.end();
    return image;
}

namespace {

void put16(QByteArray &out, quint16 v)
{
    char b[2];
    qToLittleEndian(v, b);
    out.append(b, 2);
}

void put32(QByteArray &out, quint32 v)
{
    char b[4];
    qToLittleEndian(v, b);
    out.append(b, 4);
}

// One directory entry: tag, type (3 short, 4 long, 5 rational), count, value or offset.
void entry(QByteArray &out, quint16 tag, quint16 type, quint32 count, quint32 value)
{
    put16(out, tag);
    put16(out, type);
    put32(out, count);
    if (type == 3 && count == 1) {
        put16(out, quint16(value));
        put16(out, 0);
    } else {
        put32(out, value);
    }
}

} // namespace

bool writeTiff(const QImage &source, const QString &path, int dpi, QString *error)
{
    if (source.isNull()) {
        if (error)
            *error = u"没有可保存的图像"_s;
        return false;
    }
    const QImage image = source.convertToFormat(QImage::Format_RGB888);
    const quint32 w = quint32(image.width());
    const quint32 h = quint32(image.height());
    constexpr quint16 kEntries = 12;
    const quint32 ifdAt = 8;
    const quint32 extraAt = ifdAt + 2 + kEntries * 12 + 4;
    const quint32 bitsAt = extraAt;
    const quint32 xResAt = bitsAt + 6;
    const quint32 yResAt = xResAt + 8;
    const quint32 pixelsAt = yResAt + 8;
    const quint32 pixelBytes = w * h * 3;

    QByteArray out;
    out.reserve(int(pixelsAt + pixelBytes));
    out.append("II", 2);
    put16(out, 42);
    put32(out, ifdAt);
    put16(out, kEntries);
    entry(out, 256, 4, 1, w);          // width
    entry(out, 257, 4, 1, h);          // length
    entry(out, 258, 3, 3, bitsAt);     // bits per sample: 8, 8, 8
    entry(out, 259, 3, 1, 1);          // no compression
    entry(out, 262, 3, 1, 2);          // RGB
    entry(out, 273, 4, 1, pixelsAt);   // the one strip
    entry(out, 277, 3, 1, 3);          // samples per pixel
    entry(out, 278, 4, 1, h);          // rows per strip
    entry(out, 279, 4, 1, pixelBytes); // strip byte count
    entry(out, 282, 5, 1, xResAt);
    entry(out, 283, 5, 1, yResAt);
    entry(out, 296, 3, 1, 2);          // resolution in inches
    put32(out, 0);                     // no next directory
    put16(out, 8);
    put16(out, 8);
    put16(out, 8);
    put32(out, quint32(dpi));
    put32(out, 1);
    put32(out, quint32(dpi));
    put32(out, 1);
    for (int y = 0; y < image.height(); ++y)
        out.append(reinterpret_cast<const char *>(image.constScanLine(y)), int(w * 3));

    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(out) != out.size()) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return true;
}

} // namespace lanfan::board
