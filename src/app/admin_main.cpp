// lanfan-admin: the command line of the data folder.
//   init      create the data folder, the database and the patch database when missing
//   check     integrity, schema level, patch version and row counts; non-zero on a problem
//   settings  every setting, its current value and where it came from

#include "admin/AdminCommands.h"

#include <QCoreApplication>

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lanfan"));
    return lanfan::runAdminCommand(QCoreApplication::arguments());
}
