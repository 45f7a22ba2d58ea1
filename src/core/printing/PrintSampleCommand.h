#pragma once

#include <QStringList>
#include <QTextStream>

namespace lanfan::printing {

// lanfan-admin print-sample: writes a PDF of one ticket layout, for a saved
// order of the data folder (--order) or for a built-in sample order.
//   --layout 76 | 58 | feedback | kitchen | custom | b | c | onedish
// Needs a GUI application object (fonts); the admin program makes one.
int runPrintSample(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace lanfan::printing
