#pragma once

#include <QByteArray>
#include <QString>

namespace lanfan {

// MD5 digest of the typed text (in its GBK form), as 32 lowercase hex characters.
// Passwords typed on the shop's PCs are ASCII in practice; other characters
// are digested in their GBK form, as the shop's older PCs did.
QString md5Hex(const QString &text);

// GBK form of a text (what receipt printers and byte widths are measured in).
QByteArray toGbk(const QString &text);
QString fromGbk(const QByteArray &bytes);
// Width of a text in GBK bytes: a Chinese character takes two.
int gbkWidth(const QString &text);

// Wraps a text into lines of at most `width` GBK bytes, joined by a single CR.
// A line may end one byte past the width when its last character is two bytes wide.
QString wrapTextByBytes(int width, const QString &text);

} // namespace lanfan
