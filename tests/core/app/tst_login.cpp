#include "TestShop.h"
#include "app/Login.h"
#include "common/Text.h"
#include "data/Schema.h"

#include <QtTest>

#include <stdexcept>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

namespace {

// Records what the login asks of the windows, in order.
class RecordingHost final : public lanfan::LoginHost {
public:
    QStringList calls;
    bool displayOpens = true;
    bool windowsFail = false;
    lanfan::AppContext *context = nullptr;
    QString operatorAtShow;
    QString dispatchAtSettings;

    void showStep(const QString &code) override { calls << u"step "_s + code; }
    void createWindows() override
    {
        calls << u"create"_s;
        if (windowsFail)
            throw std::runtime_error("printer driver exploded");
    }
    void applyRights(const lanfan::Operator &op) override { calls << u"rights "_s + op.rights.value(0); }
    void showOperator(const QString &name) override { calls << u"operator "_s + name; }
    void wait(int ms) override { calls << u"wait "_s + QString::number(ms); }
    void settingsLoaded() override
    {
        calls << u"settings"_s;
        if (context)
            dispatchAtSettings = context->settings().value(u"是否需要发货功能"_s);
    }
    bool openCustomerDisplay(int port, int baud) override
    {
        calls << u"display %1 %2"_s.arg(port).arg(baud);
        return displayOpens;
    }
    void showMainWindow() override
    {
        calls << u"show"_s;
        if (context)
            operatorAtShow = context->currentOperator().name;
    }
};

void addOperator(lanfan::Db &db, const QString &name, const QString &password, const QString &right1)
{
    db.execute(u"insert into 登陆 (用户,密码,权限,Right1,Right2,Right3,Right4,Right5,Right6,Right7,Right8,Right9) "
               "values (:用户,:密码,'操作员',:r1,:r,:r,:r,:r,:r,:r,:r,:r)"_s,
               {{u"用户"_s, name}, {u"密码"_s, lanfan::md5Hex(password)}, {u"r1"_s, right1}, {u"r"_s, QString(31, u'0')}});
}

lanfan::DeviceChoice serial(const QString &port, const QString &type)
{
    lanfan::DeviceChoice c;
    c.serial = true;
    c.serialPort = port;
    c.serialType = type;
    return c;
}

} // namespace

class TestLogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void operatorsAreListedInTableOrder()
    {
        TestShop shop;
        addOperator(shop.db(), u"小王"_s, u"1"_s, {});
        addOperator(shop.db(), u"阿李"_s, u"2"_s, {});
        QCOMPARE(lanfan::operatorNames(shop.db()), (QStringList{u"admin"_s, u"小王"_s, u"阿李"_s}));
    }

    void thePasswordIsComparedAsItsDigest()
    {
        TestShop shop;
        const auto admin = lanfan::findOperator(shop.db(), u"admin"_s, lanfan::initialPassword());
        QVERIFY(admin);
        QCOMPARE(admin->role, u"管理员"_s);
        QCOMPARE(admin->rights.size(), 9);
        QCOMPARE(admin->rights[0], QString(31, u'1'));
        QVERIFY(!lanfan::findOperator(shop.db(), u"admin"_s, u"8888"_s));
        QVERIFY(!lanfan::findOperator(shop.db(), u"nobody"_s, lanfan::initialPassword()));
        // An empty password matches a row that holds the digest of the empty text.
        addOperator(shop.db(), u"临时工"_s, QString(), u"1"_s);
        QVERIFY(lanfan::findOperator(shop.db(), u"临时工"_s, QString()));
        QVERIFY(!lanfan::findOperator(shop.db(), u"临时工"_s, u" "_s));
    }

    void deviceChoiceIsChecked_data()
    {
        QTest::addColumn<bool>("ticked");
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("type");
        QTest::addColumn<QString>("message");
        QTest::newRow("modem on port 5") << true << u"5"_s << u"MODEM"_s << QString();
        QTest::newRow("four lines on port 5") << true << u"5"_s << u"四路"_s << lanfan::kBoxPortRangeMessage;
        QTest::newRow("one line on port 4") << true << u"4"_s << u"一路"_s << QString();
        QTest::newRow("two lines on port 1") << true << u"1"_s << u"二路"_s << QString();
        QTest::newRow("two lines on port 0") << true << u"0"_s << u"二路"_s << lanfan::kBoxPortRangeMessage;
        QTest::newRow("one line without a port") << true << QString() << u"一路"_s << lanfan::kBoxPortRangeMessage;
        QTest::newRow("modem without a port") << true << QString() << u"MODEM"_s << lanfan::kChoosePortMessage;
        QTest::newRow("no type, port 2") << true << u"2"_s << QString() << QString();
        QTest::newRow("unknown type") << true << u"2"_s << u"八路"_s << lanfan::kDeviceTypeWrongMessage;
        QTest::newRow("unticked device is not checked") << false << QString() << u"八路"_s << QString();
    }

    void deviceChoiceIsChecked()
    {
        QFETCH(bool, ticked);
        QFETCH(QString, port);
        QFETCH(QString, type);
        QFETCH(QString, message);
        lanfan::DeviceChoice c = serial(port, type);
        c.serial = ticked;
        QCOMPARE(lanfan::checkDeviceChoice(c), message);
    }

    void aNewShopOffersNoDevice()
    {
        TestShop shop;
        const lanfan::DeviceChoice c = lanfan::loadDeviceChoice(shop.db());
        QVERIFY(!c.serial);
        QVERIFY(!c.usb);
    }

    void theSerialChoiceIsRememberedForTheNextLogin()
    {
        TestShop shop;
        const lanfan::CallDeviceMode mode = lanfan::recordDeviceChoice(shop.db(), serial(u"3"_s, u"二路"_s));
        QCOMPARE(mode.mode, u"来电登陆"_s);
        QCOMPARE(mode.serialPort, 3);
        QCOMPARE(mode.serialType, u"二路"_s);
        QVERIFY(mode.usesSerialDevice());
        QCOMPARE(shop.db().scalar(u"select 编号 from 串口编号"_s).toInt(), 3);
        QCOMPARE(shop.db().scalar(u"select 路数 from 来电路数"_s).toString(), u"二路"_s);
        QCOMPARE(shop.db().scalar(u"select 录音设备 from 录音设备"_s).toString(), QString());

        const lanfan::DeviceChoice next = lanfan::loadDeviceChoice(shop.db());
        QVERIFY(next.serial);
        QVERIFY(!next.usb);
        QCOMPARE(next.serialPort, u"3"_s);
        QCOMPARE(next.serialType, u"二路"_s);
    }

    void aUsbBoxReplacesTheSerialDevice()
    {
        TestShop shop;
        lanfan::DeviceChoice c = serial(u"2"_s, u"MODEM"_s);
        c.serial = false;
        c.usb = true;
        c.usbType = u"X型"_s;
        c.usbLines = u"10"_s;
        const lanfan::CallDeviceMode mode = lanfan::recordDeviceChoice(shop.db(), c);
        QCOMPARE(mode.mode, u"录音登陆X型"_s);
        QCOMPARE(mode.usbType(), u"X型"_s);
        QCOMPARE(mode.usbLines, u"10"_s);
        QVERIFY(mode.serialType.isEmpty());
        QCOMPARE(shop.db().scalar(u"select 编号 from 串口编号"_s).toInt(), 0);
        const lanfan::SqlRow row = shop.db().first(u"select 录音设备, 路数 from 录音设备"_s);
        QCOMPARE(row.text(u"录音设备"_s), u"X型"_s);
        QCOMPARE(row.text(u"路数"_s), u"10"_s);

        const lanfan::DeviceChoice next = lanfan::loadDeviceChoice(shop.db());
        QVERIFY(next.usb);
        QVERIFY(!next.serial);
        QCOMPARE(next.usbType, u"X型"_s);
        QCOMPARE(next.usbLines, u"10"_s);
    }

    void aLoginWithoutDevicesClearsBoth()
    {
        TestShop shop;
        lanfan::DeviceChoice usb;
        usb.usb = true;
        usb.usbType = u"Q型"_s;
        usb.usbLines = u"2"_s;
        lanfan::recordDeviceChoice(shop.db(), serial(u"4"_s, u"四路"_s));
        lanfan::recordDeviceChoice(shop.db(), usb);
        const lanfan::CallDeviceMode mode = lanfan::recordDeviceChoice(shop.db(), lanfan::DeviceChoice());
        QCOMPARE(mode.mode, u"无来电登陆"_s);
        QCOMPARE(shop.db().scalar(u"select 编号 from 串口编号"_s).toInt(), 0);
        QCOMPARE(shop.db().scalar(u"select 录音设备 from 录音设备"_s).toString(), QString());
        const lanfan::DeviceChoice next = lanfan::loadDeviceChoice(shop.db());
        QVERIFY(!next.serial);
        QVERIFY(!next.usb);
    }

    void aSuccessfulLoginRunsTheStartUpInOrder()
    {
        TestShop shop([](const lanfan::DataFolder &f) {
            lanfan::test::writeFile(f.settingsIni(), u"[是否需要发货功能]\n类型=不需要\n[客显功能]\n类型=是\n[客显串口号]\n类型=3\n"_s.toUtf8());
        });
        // The settings the login loads are the ones in the file at login time.
        shop.settings().setCurrent(u"是否需要发货功能"_s, u"需要"_s);
        shop.db().execute(u"update 店名 set 店名='老王快餐'"_s);
        RecordingHost host;
        host.context = &shop.context();
        const lanfan::LoginResult r =
            lanfan::logIn(shop.context(), {u"admin"_s, lanfan::initialPassword(), serial(u"2"_s, u"MODEM"_s)}, host);
        QVERIFY(r.ok);
        QVERIFY(shop.prompter().entries().isEmpty());
        QCOMPARE(host.calls, (QStringList{u"step 52"_s, u"step 53"_s, u"create"_s, u"rights "_s + QString(31, u'1'),
                                          u"operator admin"_s, u"step 362"_s, u"step 363"_s, u"step 364"_s,
                                          u"step 365"_s, u"settings"_s, u"display 3 2400"_s, u"step 366"_s, u"show"_s}));
        QCOMPARE(host.dispatchAtSettings, u"不需要"_s);
        QCOMPARE(host.operatorAtShow, u"admin"_s);
        QCOMPARE(shop.context().currentOperator().role, u"管理员"_s);
        QCOMPARE(shop.context().deviceMode().mode, u"来电登陆"_s);
        QCOMPARE(shop.context().deviceMode().serialPort, 2);
        QCOMPARE(shop.settings().shop(u"店名"_s), u"老王快餐"_s);
    }

    void aWrongPasswordLeavesTheLoginOpen()
    {
        TestShop shop;
        RecordingHost host;
        const lanfan::LoginResult r = lanfan::logIn(shop.context(), {u"admin"_s, u"123"_s, {}}, host);
        QVERIFY(!r.ok);
        QCOMPARE(r.message, lanfan::kNoSuchOperatorMessage);
        QCOMPARE(shop.prompter().texts(), QStringList{lanfan::kNoSuchOperatorMessage});
        QCOMPARE(host.calls, QStringList{u"step 52"_s});
        QVERIFY(shop.context().currentOperator().name.isEmpty());
        // Nothing was remembered of the device choice.
        QCOMPARE(shop.db().scalar(u"select 路数 from 来电路数"_s).toString(), u"MODEM"_s);
    }

    void aBadDeviceChoiceStopsBeforeTheOperatorIsLookedUp()
    {
        TestShop shop;
        RecordingHost host;
        const lanfan::LoginResult r =
            lanfan::logIn(shop.context(), {u"admin"_s, lanfan::initialPassword(), serial(u"5"_s, u"四路"_s)}, host);
        QVERIFY(!r.ok);
        QCOMPARE(shop.prompter().texts(), QStringList{lanfan::kBoxPortRangeMessage});
        QVERIFY(host.calls.isEmpty());
    }

    void aCustomerDisplayThatDoesNotOpenIsReportedAndTheLoginGoesOn()
    {
        TestShop shop([](const lanfan::DataFolder &f) {
            lanfan::test::writeFile(f.settingsIni(), u"[客显功能]\n类型=是\n"_s.toUtf8());
        });
        RecordingHost host;
        host.displayOpens = false;
        const lanfan::LoginResult r = lanfan::logIn(shop.context(), {u"admin"_s, lanfan::initialPassword(), {}}, host);
        QVERIFY(r.ok);
        QCOMPARE(shop.prompter().texts(), QStringList{lanfan::kDisplayPortFailedMessage});
        QVERIFY(host.calls.contains(u"display 1 2400"_s));
        QCOMPARE(host.calls.last(), u"show"_s);
    }

    void noDisplayIsOpenedWhenItIsNotUsed()
    {
        TestShop shop;
        RecordingHost host;
        QVERIFY(lanfan::logIn(shop.context(), {u"admin"_s, lanfan::initialPassword(), {}}, host).ok);
        for (const QString &c : host.calls)
            QVERIFY2(!c.startsWith(u"display"_s), qPrintable(c));
    }

    void aWindowThatCannotBeMadeStopsTheLogin()
    {
        TestShop shop;
        RecordingHost host;
        host.windowsFail = true;
        const lanfan::LoginResult r = lanfan::logIn(shop.context(), {u"admin"_s, lanfan::initialPassword(), {}}, host);
        QVERIFY(!r.ok);
        QCOMPARE(r.message, lanfan::kWindowFailedPrefix + u"printer driver exploded"_s);
        QCOMPARE(shop.prompter().lastText(), r.message);
        QVERIFY(!host.calls.contains(u"show"_s));
    }

    void aFailingUpgradeStopsBeforeTheMainWindowShows()
    {
        TestShop shop;
        shop.db().execute(u"drop table 订单删除日志"_s);
        RecordingHost host;
        const lanfan::LoginResult r = lanfan::logIn(shop.context(), {u"admin"_s, lanfan::initialPassword(), {}}, host);
        QVERIFY(!r.ok);
        QVERIFY2(r.message.contains(u"订单删除日志"_s), qPrintable(r.message));
        QCOMPARE(shop.prompter().lastText(), r.message);
        QVERIFY(host.calls.contains(u"step 362"_s));
        QVERIFY(!host.calls.contains(u"step 363"_s));
        QVERIFY(!host.calls.contains(u"show"_s));
    }

    void theShortRightsOfAnOperatorAreKeptAsStored()
    {
        TestShop shop;
        addOperator(shop.db(), u"小王"_s, u"1"_s, u"01"_s);
        RecordingHost host;
        QVERIFY(lanfan::logIn(shop.context(), {u"小王"_s, u"1"_s, {}}, host).ok);
        const lanfan::Operator &op = shop.context().currentOperator();
        QCOMPARE(op.rights[0], u"01"_s);
        QVERIFY(!op.may(1, 1));
        QVERIFY(op.may(1, 2));
        QVERIFY(!op.may(1, 3));
    }
};

QTEST_GUILESS_MAIN(TestLogin)
#include "tst_login.moc"
