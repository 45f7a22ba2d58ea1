// lanfan-admin: the command line of the data folder.
//   init      create the data folder, the database and the patch database when missing
//   check     integrity, schema level, patch version and row counts; non-zero on a problem
//   settings  every setting, its current value and where it came from
//   call      hand a calling number to the program running on the data folder
//   print-sample  a PDF of a ticket layout (needs fonts: a GUI application without a screen)

#include "admin/AdminCommands.h"

#include <QGuiApplication>

int main(int argc, char *argv[])
{
    // Ticket PDFs need fonts, hence a GUI application; it never needs a screen.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("lanfan"));
    return lanfan::runAdminCommand(QCoreApplication::arguments());
}
