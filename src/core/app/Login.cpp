#include "Login.h"

#include "LoginUpgrades.h"
#include "Passwords.h"
#include "common/Prompter.h"
#include "common/Text.h"
#include "data/Db.h"

#include <algorithm>

using namespace Qt::StringLiterals;

namespace lanfan {

QStringList serialPortChoices()
{
    return {u"1"_s, u"2"_s, u"3"_s, u"4"_s, u"5"_s, u"6"_s, u"7"_s, u"8"_s};
}

QStringList serialTypeChoices()
{
    return {u"MODEM"_s, u"一路"_s, u"二路"_s, u"四路"_s};
}

QStringList usbTypeChoices()
{
    return {u"H型"_s, u"Q型"_s, u"X型"_s, u"H型无录音"_s};
}

QStringList usbLineChoices()
{
    return {u"1"_s, u"2"_s, u"4"_s, u"8"_s, u"16"_s};
}

DeviceChoice loadDeviceChoice(Db &db)
{
    DeviceChoice c;
    QString port = db.scalar(u"select 编号 from 串口编号"_s).toString().trimmed();
    if (!port.isEmpty() && port != u"0") {
        c.serial = true;
        c.serialPort = port;
        c.serialType = db.scalar(u"select 路数 from 来电路数"_s).toString();
    }
    const SqlRow usb = db.first(u"select 录音设备, 路数 from 录音设备"_s);
    if (!usb.text(u"录音设备"_s).isEmpty()) {
        c.usb = true;
        c.serial = false;
        c.usbType = usb.text(u"录音设备"_s);
        c.usbLines = usb.text(u"路数"_s);
    }
    return c;
}

QString checkDeviceChoice(const DeviceChoice &choice)
{
    if (!choice.serial)
        return {};
    const QString type = choice.serialType.trimmed();
    if (!type.isEmpty() && !serialTypeChoices().contains(type))
        return kDeviceTypeWrongMessage;
    if (type == u"一路" || type == u"二路" || type == u"四路") {
        bool ok = false;
        const int port = choice.serialPort.trimmed().toInt(&ok);
        if (!ok || port < 1 || port > 4)
            return kBoxPortRangeMessage;
    }
    if (choice.serialPort.trimmed().isEmpty())
        return kChoosePortMessage;
    return {};
}

CallDeviceMode recordDeviceChoice(Db &db, const DeviceChoice &choice)
{
    CallDeviceMode mode;
    Transaction tx(db);
    if (choice.serial) {
        mode.mode = u"来电登陆"_s;
        mode.serialType = choice.serialType.trimmed();
        mode.serialPort = choice.serialPort.trimmed().toInt();
        db.execute(u"update 串口编号 set 编号=:编号"_s, {{u"编号"_s, mode.serialPort}});
        db.execute(u"update 来电路数 set 路数=:路数"_s, {{u"路数"_s, mode.serialType}});
    } else {
        mode.mode = u"无来电登陆"_s;
        db.execute(u"update 串口编号 set 编号=:编号"_s, {{u"编号"_s, 0}});
    }
    if (choice.usb) {
        mode.mode = u"录音登陆"_s + choice.usbType;
        mode.usbLines = choice.usbLines.trimmed();
        mode.serialType.clear();
        db.execute(u"update 录音设备 set 录音设备=:录音设备,路数=:路数"_s,
                   {{u"录音设备"_s, choice.usbType}, {u"路数"_s, mode.usbLines}});
    } else {
        db.execute(u"update 录音设备 set 录音设备=:录音设备"_s, {{u"录音设备"_s, QString()}});
    }
    tx.commit();
    return mode;
}

QStringList operatorNames(Db &db)
{
    QStringList names;
    QSqlQuery q = db.exec(u"select 用户 from 登陆 order by id"_s);
    while (q.next())
        names << q.value(0).toString();
    return names;
}

std::optional<Operator> findOperator(Db &db, const QString &name, const QString &password)
{
    const QList<SqlRow> rows = db.rows(u"select * from 登陆 where 用户=:nm order by id"_s,
                                       {{u"nm"_s, name}});
    const auto match = std::find_if(rows.begin(), rows.end(), [&](const SqlRow &r) {
        return passwordMatches(r.text(u"密码"_s), password);
    });
    if (match == rows.end())
        return std::nullopt;
    const SqlRow &row = *match;
    // An old MD5 row is rewritten in the salted form now that the password is known.
    if (isMd5Password(row.text(u"密码"_s)))
        db.execute(u"update 登陆 set 密码=:密码 where id=:id"_s,
                   {{u"密码"_s, hashPassword(password)}, {u"id"_s, row.value(u"id"_s)}});
    Operator op;
    op.name = name;
    op.role = row.text(u"权限"_s);
    for (int i = 1; i <= 9; ++i)
        op.rights << row.text(u"Right"_s + QString::number(i));
    return op;
}

LoginResult logIn(AppContext &context, const LoginRequest &request, LoginHost &host)
{
    LoginResult result;
    auto stop = [&](const QString &message, bool error) {
        result.message = message;
        if (error)
            context.prompter().error(message);
        else
            context.prompter().warning(message);
        return result;
    };

    if (const QString refusal = checkDeviceChoice(request.device); !refusal.isEmpty())
        return stop(refusal, false);

    Db &db = context.db();
    try {
        const std::optional<Operator> op = findOperator(db, request.name, request.password);
        host.showStep(u"52"_s);
        if (!op)
            return stop(kNoSuchOperatorMessage, false);

        host.showStep(u"53"_s);
        try {
            host.createWindows();
        } catch (const SqlError &e) {
            return stop(kWindowFailedPrefix + e.text(), true);
        } catch (const std::exception &e) {
            return stop(kWindowFailedPrefix + QString::fromLocal8Bit(e.what()), true);
        }
        host.applyRights(*op);

        context.deviceMode() = recordDeviceChoice(db, request.device);
        context.currentOperator() = *op;
        host.showOperator(op->name);

        Settings &settings = context.settings();
        settings.loadShop(db);

        host.showStep(u"362"_s);
        if (const QString failed = runLoginUpgrades(db, [&](int ms) { host.wait(ms); }); !failed.isEmpty())
            return stop(failed, true);
        host.showStep(u"363"_s);

        settings.loadFile();
        host.showStep(u"364"_s);
        host.showStep(u"365"_s);
        host.settingsLoaded();
        if (settings.is(u"客显功能"_s, u"是"_s)) {
            if (!host.openCustomerDisplay(settings.intValue(u"客显串口号"_s, 1), 2400))
                context.prompter().error(kDisplayPortFailedMessage);
        }

        host.showStep(u"366"_s);
        host.showMainWindow();
    } catch (const SqlError &e) {
        return stop(e.text(), true);
    }
    result.ok = true;
    return result;
}

} // namespace lanfan
