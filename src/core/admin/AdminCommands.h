#pragma once

#include <QStringList>
#include <QTextStream>

namespace lanfan {

// Runs one lanfan-admin command line (arguments as given, program name
// first); writes to `out`/`err` and returns the exit code.
int runAdminCommand(const QStringList &arguments);
int runAdminCommand(const QStringList &arguments, QTextStream &out, QTextStream &err);

} // namespace lanfan
