// lanfan: the desktop program.
//   the data folder → the shop database (repaired or refused: the message,
//   then the end) → the login window → the main window.

#include "app/AppContext.h"
#include "app/Tlogin.h"
#include "app/Tmain.h"
#include "common/Clock.h"
#include "common/QtPrompter.h"
#include "data/DataFolder.h"
#include "data/ShopDatabase.h"

#include <QApplication>
#include <QCommandLineParser>

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
        // Repaired or not opened: either way the user starts the program again.
        if (outcome.status == lanfan::OpenOutcome::Status::Repaired)
            prompter.information(outcome.message);
        else
            prompter.error(outcome.message);
        return 1;
    }
    if (!outcome.patchError.isEmpty())
        prompter.error(outcome.patchError);

    lanfan::AppContext context(folder, std::move(db), clock, prompter);
    // The login window reads the skin and language settings when it is made.
    context.settings().loadFile();

    lanfan::Tlogin login(context);
    if (login.exec() != QDialog::Accepted)
        return 0;
    prompter.setParent(login.mainWindow());
    return app.exec();
}
