#include "PagePainter.h"

#include <QAbstractTextDocumentLayout>
#include <QFile>
#include <QFontDatabase>
#include <QImage>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QTextDocument>

using namespace Qt::StringLiterals;

namespace lanfan::printing {

namespace {

QPageSize pageSizeOf(const PrintPage &p)
{
    return QPageSize(QSizeF(p.widthMm(), p.heightMm()), QPageSize::Millimeter, p.name, QPageSize::ExactMatch);
}

} // namespace

QString ticketFontFamily()
{
    static const QString family = [] {
        const QStringList families = QFontDatabase::families();
        for (const QString &f : {u"Noto Sans CJK SC"_s, u"Noto Sans SC"_s, u"Noto Serif CJK SC"_s, u"WenQuanYi Zen Hei"_s})
            if (families.contains(f))
                return f;
        return QFontDatabase::systemFont(QFontDatabase::GeneralFont).family();
    }();
    return family;
}

void paintPage(QPainter &painter, const PrintPage &page)
{
    painter.save();
    painter.setRenderHint(QPainter::Antialiasing, true);
    painter.setRenderHint(QPainter::TextAntialiasing, true);
    for (const auto &item : page.items) {
        const QColor ink = item.visible ? QColor(Qt::black) : QColor(Qt::white);
        switch (item.kind) {
        case PrintItem::Kind::Text: {
            QFont font(ticketFontFamily());
            font.setPixelSize(qMax(1, qRound(item.pointSize * kUnitsPerInch / 72.0)));
            font.setBold(item.bold);
            painter.setFont(font);
            painter.setPen(ink);
            painter.drawText(item.rect, item.align | Qt::TextSingleLine, item.text);
            break;
        }
        case PrintItem::Kind::Line: {
            QPen pen(ink, 0.8);
            if (item.dashed)
                pen.setStyle(Qt::DashLine);
            painter.setPen(pen);
            painter.drawLine(item.rect.topLeft(), item.rect.topRight());
            break;
        }
        case PrintItem::Kind::Box:
            painter.setPen(QPen(ink, 0.8));
            painter.setBrush(Qt::NoBrush);
            painter.drawRect(item.rect);
            break;
        case PrintItem::Kind::Image: {
            QImage image(item.text);
            if (!image.isNull()) {
                const QSizeF fitted = QSizeF(image.size()).scaled(item.rect.size(), Qt::KeepAspectRatio);
                const QRectF target(item.rect.topLeft() + QPointF((item.rect.width() - fitted.width()) / 2, 0), fitted);
                painter.drawImage(target, image);
            }
            break;
        }
        case PrintItem::Kind::Html: {
            QTextDocument doc;
            QFont font(ticketFontFamily());
            font.setPixelSize(12);
            doc.setDefaultFont(font);
            doc.setDocumentMargin(0);
            doc.setHtml(item.text);
            doc.setTextWidth(item.rect.width());
            painter.translate(item.rect.topLeft());
            QAbstractTextDocumentLayout::PaintContext ctx;
            ctx.clip = QRectF(0, 0, item.rect.width(), item.rect.height());
            painter.setClipRect(ctx.clip);
            doc.documentLayout()->draw(&painter, ctx);
            painter.setClipping(false);
            painter.translate(-item.rect.topLeft());
            break;
        }
        }
    }
    painter.restore();
}

bool paintPages(QPagedPaintDevice &device, const QList<PrintPage> &pages, QString *error)
{
    if (pages.isEmpty()) {
        if (error)
            *error = u"nothing to print"_s;
        return false;
    }
    device.setPageLayout(QPageLayout(pageSizeOf(pages.first()), QPageLayout::Portrait, QMarginsF()));
    QPainter painter;
    if (!painter.begin(&device)) {
        if (error)
            *error = u"the output cannot be opened"_s;
        return false;
    }
    for (int n = 0; n < pages.size(); ++n) {
        if (n > 0) {
            device.setPageSize(pageSizeOf(pages[n]));
            device.newPage();
        }
        painter.save();
        const double scale = device.logicalDpiX() / kUnitsPerInch;
        painter.scale(scale, device.logicalDpiY() / kUnitsPerInch);
        paintPage(painter, pages[n]);
        painter.restore();
    }
    painter.end();
    return true;
}

bool writePdf(const QString &path, const QList<PrintPage> &pages, QString *error)
{
    QPdfWriter writer(path);
    writer.setResolution(300);
    writer.setCreator(u"Lanfan"_s);
    writer.setTitle(pages.isEmpty() ? QString() : pages.first().name);
    if (!paintPages(writer, pages, error))
        return false;
    if (!QFile::exists(path)) {
        if (error)
            *error = u"the file was not written: "_s + path;
        return false;
    }
    return true;
}

} // namespace lanfan::printing
