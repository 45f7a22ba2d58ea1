#include "AdminCommands.h"

#include "DemoShop.h"
#include "calls/LocalCallSocket.h"
#include "common/Clock.h"
#include "data/DataFolder.h"
#include "data/Schema.h"
#include "data/Settings.h"
#include "data/ShopDatabase.h"
#include "printing/PrintSampleCommand.h"

#include <QCommandLineParser>
#include <QFileInfo>

using namespace Qt::StringLiterals;

namespace lanfan {

namespace {

int commandInit(const DataFolder &folder, QTextStream &out, QTextStream &err)
{
    QString error;
    if (!folder.ensure(&error)) {
        err << error << Qt::endl;
        return 1;
    }
    SystemClock clock;
    OpenOutcome outcome;
    auto db = openShopDatabase(folder, clock, &outcome);
    if (!db) {
        err << outcome.message << Qt::endl;
        if (!outcome.keptDamagedAs.isEmpty())
            err << "damaged file kept as " << outcome.keptDamagedAs << Qt::endl;
        return 1;
    }
    out << "database: " << outcome.databasePath << Qt::endl;
    out << "patch database: " << folder.patchDatabase() << Qt::endl;
    if (!outcome.initialPassword.isEmpty())
        out << "operator admin, initial password " << outcome.initialPassword << Qt::endl;
    return 0;
}

int commandCheck(const DataFolder &folder, QTextStream &out, QTextStream &err)
{
    const QString path = folder.shopDatabase();
    if (!QFileInfo::exists(path)) {
        err << "no database at " << path << Qt::endl;
        return 1;
    }
    int problems = 0;
    try {
        auto db = openSqliteFile(path, u"admin-check"_s, true);
        const QString integrity = db->scalar(u"PRAGMA integrity_check"_s).toString();
        out << "integrity: " << integrity << Qt::endl;
        if (integrity != u"ok")
            ++problems;
        out << "schema level: " << schemaLevel(*db) << " of " << latestSchemaLevel() << Qt::endl;
        if (schemaLevel(*db) < latestSchemaLevel())
            ++problems;
        out << "patch version: " << db->scalar(u"select 版本号 from 版本号"_s).toString() << Qt::endl;
        for (const auto &t : shopTables()) {
            const QStringList have = db->dialect().columnsOf(*db, t.name);
            if (have.isEmpty()) {
                out << t.name << ": missing" << Qt::endl;
                ++problems;
                continue;
            }
            QStringList missing;
            for (const auto &c : t.columns)
                if (!have.contains(c.name, Qt::CaseInsensitive))
                    missing << c.name;
            const qint64 count = db->scalar(u"select count(*) from \""_s + t.name + u'"').toLongLong();
            out << t.name << ": " << count << " rows";
            if (!missing.isEmpty()) {
                out << ", missing columns " << missing.join(u", "_s);
                ++problems;
            }
            out << Qt::endl;
        }
    } catch (const SqlError &e) {
        err << "database error: " << e.text() << Qt::endl;
        return 1;
    }
    if (problems)
        err << problems << " problem(s)" << Qt::endl;
    return problems ? 1 : 0;
}

int commandSettings(const DataFolder &folder, QTextStream &out, QTextStream &err)
{
    Settings settings(folder.settingsIni());
    settings.loadFile();
    std::unique_ptr<Db> db;
    if (QFileInfo::exists(folder.shopDatabase())) {
        try {
            db = openSqliteFile(folder.shopDatabase(), u"admin-settings"_s, true);
            settings.loadShop(*db);
        } catch (const SqlError &e) {
            err << "shop settings not read: " << e.text() << Qt::endl;
        }
    }
    for (const auto &d : settingDefs())
        out << d.name << " = " << settings.value(d.name) << "  (" << sourceName(settings.source(d.name)) << ")" << Qt::endl;
    for (const QString &c : settings.shopColumns())
        out << "店名." << c << " = " << settings.shop(c) << "  (" << sourceName(settings.shopSource(c)) << ")" << Qt::endl;
    return 0;
}

int commandDemo(const DataFolder &folder, QTextStream &out, QTextStream &err)
{
    if (const int rc = commandInit(folder, out, err); rc != 0)
        return rc;
    SystemClock clock;
    try {
        auto db = openSqliteFile(folder.shopDatabase(), u"admin-demo"_s);
        DemoSummary summary;
        if (const QString refusal = addDemoShop(*db, clock, &summary); !refusal.isEmpty()) {
            err << refusal << Qt::endl;
            return 1;
        }
        out << "demo shop: " << summary.categories << " categories, " << summary.dishes << " dishes, "
            << summary.customers << " customers, " << summary.workers << " delivery workers" << Qt::endl;
        out << "operator " << summary.operatorName << ", password " << summary.operatorPassword << Qt::endl;
    } catch (const SqlError &e) {
        err << "database error: " << e.text() << Qt::endl;
        return 1;
    }
    return 0;
}

} // namespace

int runAdminCommand(const QStringList &arguments)
{
    QTextStream out(stdout);
    QTextStream err(stderr);
    return runAdminCommand(arguments, out, err);
}

int runAdminCommand(const QStringList &arguments, QTextStream &out, QTextStream &err)
{
    if (arguments.contains(u"print-sample"_s))
        return printing::runPrintSample(arguments, out, err);
    QCommandLineParser parser;
    parser.setApplicationDescription(u"Lanfan data folder tools"_s);
    parser.addHelpOption();
    parser.addOption({u"data-dir"_s, u"The data folder (default: the per-user application data folder)."_s, u"DIR"_s});
    parser.addOption({u"line"_s, u"call: the telephone line of the call, from 1."_s, u"N"_s});
    parser.addPositionalArgument(u"command"_s, u"init | check | settings | demo | call NUMBER"_s);
    if (!parser.parse(arguments)) {
        err << parser.errorText() << Qt::endl;
        return 2;
    }
    if (parser.isSet(u"help"_s) || parser.positionalArguments().isEmpty()) {
        out << parser.helpText();
        return parser.positionalArguments().isEmpty() && !parser.isSet(u"help"_s) ? 2 : 0;
    }
    const DataFolder folder(parser.isSet(u"data-dir"_s) ? parser.value(u"data-dir"_s) : DataFolder::defaultRoot());
    const QString command = parser.positionalArguments().first();
    if (command == u"init")
        return commandInit(folder, out, err);
    if (command == u"check")
        return commandCheck(folder, out, err);
    if (command == u"settings")
        return commandSettings(folder, out, err);
    if (command == u"demo")
        return commandDemo(folder, out, err);
    if (command == u"call") {
        // Hands a calling number to the program running on the data folder,
        // as a telephone system on this PC would.
        if (parser.positionalArguments().size() != 2) {
            err << "usage: lanfan-admin call NUMBER [--line N] [--data-dir DIR]" << Qt::endl;
            return 2;
        }
        int line = 0;
        if (parser.isSet(u"line"_s)) {
            bool ok = false;
            line = parser.value(u"line"_s).toInt(&ok);
            if (!ok || line < 1) {
                err << "--line must be a number from 1" << Qt::endl;
                return 2;
            }
        }
        QString error;
        if (!sendLocalCall(folder, parser.positionalArguments().at(1), line, &error)) {
            err << error << Qt::endl;
            return 1;
        }
        out << "call handed over: " << parser.positionalArguments().at(1) << Qt::endl;
        return 0;
    }
    err << "unknown command: " << command << Qt::endl;
    return 2;
}

} // namespace lanfan
