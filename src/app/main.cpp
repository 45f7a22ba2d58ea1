// lanfan: the desktop program.

#include "common/Clock.h"
#include "common/QtPrompter.h"
#include "data/DataFolder.h"
#include "data/ShopDatabase.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QTextStream>

using namespace Qt::StringLiterals;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(u"lanfan"_s);
    QApplication::setApplicationDisplayName(u"电话订餐配送管理系统"_s);

    QCommandLineParser parser;
    parser.addHelpOption();
    parser.addOption({u"data-dir"_s, u"The data folder (default: the per-user application data folder)."_s, u"DIR"_s});
    parser.process(app);

    const lanfan::DataFolder folder(parser.isSet(u"data-dir"_s) ? parser.value(u"data-dir"_s)
                                                                : lanfan::DataFolder::defaultRoot());
    lanfan::QtPrompter prompter;
    QString error;
    if (!folder.ensure(&error)) {
        prompter.error(error);
        return 1;
    }
    lanfan::SystemClock clock;
    lanfan::OpenOutcome outcome;
    auto db = lanfan::openShopDatabase(folder, clock, &outcome);
    if (!db) {
        prompter.error(outcome.message);
        return 1;
    }
    if (!outcome.patchError.isEmpty())
        prompter.error(outcome.patchError);

    QTextStream(stdout) << "Opened " << outcome.databasePath << " (patch version applied, " << outcome.patchesRun
                        << " statement(s) run); the login window is not built yet." << Qt::endl;
    return 0;
}
