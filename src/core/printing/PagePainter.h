#pragma once

#include "PrintLayout.h"

class QPainter;
class QPagedPaintDevice;

namespace lanfan::printing {

// The font family of every ticket: a CJK font, so that Chinese prints.
QString ticketFontFamily();

// Draws one page on a painter whose coordinates are layout units.
void paintPage(QPainter &painter, const PrintPage &page);

// Draws the pages on a paged device (a printer or a PDF writer), one device
// page per page, each sized to its page. Needs a GUI application.
bool paintPages(QPagedPaintDevice &device, const QList<PrintPage> &pages, QString *error = nullptr);

// Writes the pages to a PDF file.
bool writePdf(const QString &path, const QList<PrintPage> &pages, QString *error = nullptr);

} // namespace lanfan::printing
