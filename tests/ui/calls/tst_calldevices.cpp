#include "PtyPair.h"
#include "TestShop.h"
#include "calls/CallDevices.h"
#include "calls/CallIntake.h"
#include "calls/LocalCallSocket.h"
#include "calls/TFxlaidian_rizhi.h"
#include "orders/OrderForms.h"
#include "orders/Txiaoshou.h"

#include <QDir>
#include <QLineEdit>
#include <QPushButton>
#include <QSerialPort>
#include <QStandardPaths>
#include <QtTest>

#include <future>

Q_DECLARE_METATYPE(lanfan::CallDeviceMode)

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

// The main window's part of a call: the order forms, the intake, the quick
// phone box and the devices.
struct Desk {
    explicit Desk(const CallDeviceMode &mode)
    {
        shop.context().deviceMode() = mode;
        QDir().mkpath(shop.path(u"ports"_s));
        QDir().mkpath(shop.folder().logs());
        devices.modemIntervals = {30, 120};
    }
    int historyRows() { return shop.db().scalar(u"select count(*) from 来电历史记录表"_s).toInt(); }

    test::TestShop shop;
    OrderForms forms{shop.context()};
    CallIntake intake{shop.context(), forms};
    QLineEdit phoneBox;
    CallDevices devices{shop.context(), intake, &phoneBox};
};

CallDeviceMode xType(const QString &port)
{
    CallDeviceMode m;
    m.mode = u"录音登陆X型"_s;
    m.usbLines = port;
    return m;
}

CallDeviceMode modem()
{
    CallDeviceMode m;
    m.mode = u"来电登陆"_s;
    m.serialType = u"MODEM"_s;
    return m;
}

CallDeviceMode noDevice()
{
    CallDeviceMode m;
    m.mode = u"无来电登陆"_s;
    return m;
}

void send(QSerialPort &port, const QByteArray &bytes)
{
    port.write(bytes);
    port.flush();
}

} // namespace

class TestCallDevices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void init()
    {
        if (QStandardPaths::findExecutable(u"socat"_s).isEmpty())
            QSKIP("socat is not installed");
    }

    void anXTypeFrameOpensOnePopup()
    {
        Desk d(xType(u"7"_s));
        test::PtyPair pty(d.shop.path(u"ports/COM7"_s), d.shop.path(u"box-side"_s));
        QVERIFY(pty.isReady());
        d.devices.start();
        QVERIFY(d.shop.prompter().entries().isEmpty());
        QSerialPort box(pty.b);
        QVERIFY(box.open(QIODevice::ReadWrite));

        send(box, QByteArray::fromHex("015551234F00"));
        QTRY_COMPARE(d.forms.popups().size(), 1);
        Txiaoshou2 *popup = d.forms.popups().first();
        QCOMPARE(popup->objectName(), u"a5551234"_s);
        QVERIFY(popup->windowTitle().startsWith(u"X型来电订餐：5551234"_s));
        QCOMPARE(d.phoneBox.text(), u"5551234"_s);
        QCOMPARE(d.historyRows(), 1);
        QVERIFY(d.devices.log().lines().contains(u"处理：015551234F00"_s));

        // the box repeats the frame while the popup is open: nothing more
        send(box, QByteArray::fromHex("015551234F00"));
        QTRY_VERIFY(d.devices.log().lines().count(u"处理：015551234F00"_s) == 2);
        QCOMPARE(d.forms.popups().size(), 1);
        QCOMPARE(d.historyRows(), 1);

        // noise, then after a pause another caller
        send(box, QByteArray::fromHex("0155512340F0"));
        QTest::qWait(700);
        send(box, QByteArray::fromHex("0113800138000F00"));
        QTRY_COMPARE(d.forms.popups().size(), 2);
        QCOMPARE(d.forms.popups().last()->objectName(), u"a13800138000"_s);
        QCOMPARE(d.historyRows(), 2);
    }

    void aModemCallOpensAPopup()
    {
        Desk d(modem());
        d.shop.db().execute(u"update 串口编号 set 编号=3"_s);
        d.shop.db().insert(u"insert into 客户资料 (客户姓名,联系电话,联系地址) values ('李女士','5551234','和平路8号')"_s);
        test::PtyPair pty(d.shop.path(u"ports/COM3"_s), d.shop.path(u"modem-side"_s));
        QVERIFY(pty.isReady());
        QSerialPort far(pty.b);
        QVERIFY(far.open(QIODevice::ReadWrite));
        d.devices.start();
        QByteArray commands;
        QTRY_VERIFY((commands += far.readAll()).contains("at+vcid=1\r"));
        send(far, "\r\nOK\r\n");
        QTRY_COMPARE(d.devices.modem()->stateText(), u"等待来电"_s);
        send(far, "\r\nRING\r\n\r\nNMBR = 5551234\r\n\r\nRING\r\n");
        QTRY_COMPARE(d.forms.popups().size(), 1);
        Txiaoshou2 *popup = d.forms.popups().first();
        QVERIFY(popup->windowTitle().startsWith(u"来电MODEM订餐：5551234"_s));
        QCOMPARE(popup->Edit3->text(), u"李女士"_s);
        QCOMPARE(d.shop.db().scalar(u"select 客户名称 from 来电历史记录表"_s).toString(), u"李女士"_s);
    }

    void portsThatDoNotOpenAreReported_data()
    {
        QTest::addColumn<CallDeviceMode>("mode");
        QTest::addColumn<QString>("message");
        QTest::newRow("modem") << modem() << u"未找到来电显示设备！！"_s;
        QTest::newRow("X-type") << xType(u"9"_s)
                                << u"X型串口编号打开失败，请确认您输入的串口号是否正确或者录入其他串口编号再登陆系统。"_s;
        QTest::newRow("X-type, a path") << xType(u"/nonexistent/tty"_s)
                                        << u"X型串口编号打开失败，请确认您输入的串口号是否正确或者录入其他串口编号再登陆系统。"_s;
    }
    void portsThatDoNotOpenAreReported()
    {
        QFETCH(CallDeviceMode, mode);
        QFETCH(QString, message);
        Desk d(mode);
        d.shop.db().execute(u"update 串口编号 set 编号=9"_s);
        d.devices.start();
        QCOMPARE(d.shop.prompter().texts(), QStringList{message});
        // manual entry still works
        QVERIFY(d.intake.intake(CallPath::ManualPhone, u"5551234"_s));
    }

    void theLocalSocketHandsOverCalls()
    {
        Desk d(noDevice());
        d.devices.start();
        QVERIFY(d.devices.localServer());
        auto call = [&d](const QString &number, int line) {
            // The client waits for the answer; the server answers from this
            // thread's event loop, so the client runs on its own thread.
            return std::async(std::launch::async, [folder = d.shop.folder(), number, line] {
                QString error;
                return sendLocalCall(folder, number, line, &error) ? QString() : error;
            });
        };
        auto first = call(u"13800000001"_s, 2);
        QTRY_VERIFY(first.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(first.get(), QString());
        QTRY_COMPARE(d.forms.popups().size(), 1);
        Txiaoshou2 *popup = d.forms.popups().first();
        QCOMPARE(popup->windowTitle(), u"本机来电订餐：13800000001"_s);
        const SqlRow row = d.shop.db().first(u"select * from 来电历史记录表"_s);
        QCOMPARE(row.integer(u"线路"_s), 1);
        QCOMPARE(row.text(u"处理结果"_s), u"未接电话"_s);

        auto again = call(u"13800000001"_s, 0);
        QTRY_VERIFY(again.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QCOMPARE(again.get(), QString());
        QTest::qWait(50);
        QCOMPARE(d.forms.popups().size(), 1);
        QCOMPARE(d.historyRows(), 1);

        auto refused = call(u"13800000001; rm -rf /"_s, 0);
        QTRY_VERIFY(refused.wait_for(std::chrono::seconds(0)) == std::future_status::ready);
        QVERIFY(!refused.get().isEmpty());
        QCOMPARE(d.forms.popups().size(), 1);
    }

    void theRunLogIsSaved()
    {
        Desk d(noDevice());
        d.devices.log().add(u"累加：01"_s);
        TFxlaidian_rizhi window(d.shop.context(), d.devices.log());
        QCOMPARE(window.windowTitle(), u"X型及串口MODEM运行日志"_s);
        const QString chosen = d.shop.path(u"saved.txt"_s);
        window.askFileName = [chosen] { return chosen; };
        d.devices.log().add(u"处理：015551234F00"_s);
        window.findChild<QPushButton *>(u"Button1"_s)->click();
        QFile saved(chosen);
        QVERIFY(saved.open(QIODevice::ReadOnly));
        QCOMPARE(saved.readAll(), QByteArray("累加：01\n处理：015551234F00\n"));

        d.devices.saveLogAtExit();
        QVERIFY(QFile::exists(QDir(d.shop.folder().logs()).filePath(u"X型来电接收盒运行日志.txt"_s)));
    }
};

QTEST_MAIN(TestCallDevices)
#include "tst_calldevices.moc"
