#pragma once

#include "PrintOrder.h"

#include <QByteArray>

namespace lanfan::printing {

// The receipt of a printer without a driver: GBK text, each line ended by
// CR LF, closed by a form feed. `shopName` and `servicePhrase` come from the
// shop row; the address and phone are as the order prints them.
QByteArray plainTextReceipt(const PrintOrder &order, const QString &shopName, const QString &servicePhrase);

// Pads GBK bytes with blanks to `width` bytes (longer text is kept whole).
QByteArray padRight(const QByteArray &bytes, int width);
QByteArray padLeft(const QByteArray &bytes, int width);

} // namespace lanfan::printing
