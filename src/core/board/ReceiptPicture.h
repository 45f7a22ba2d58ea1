#pragma once

#include <QImage>
#include <QString>
#include <QStringList>

namespace lanfan {

class AppContext;

namespace board {

// A saved order's receipt as a picture: the pages of the reprint's custom
// report (or of its receipt when the shop prints none) one under the other,
// at `dpi`. A null image when there is nothing to draw; `message` then says
// why (the reprint's own refusal, or an unknown order).
QImage receiptPicture(AppContext &ctx, const QString &orderNumber, const QStringList &installedPrinters,
                      QString *message, int dpi = 200);

// Writes an image as an uncompressed RGB TIFF file (baseline, one strip).
bool writeTiff(const QImage &image, const QString &path, int dpi, QString *error);

} // namespace board
} // namespace lanfan
