#include "PtyPair.h"
#include "TestShop.h"
#include "printing/CashDrawer.h"
#include "printing/CustomerDisplay.h"
#include "printing/PrintSink.h"

#include <QProcess>
#include <QSerialPort>
#include <QStandardPaths>
#include <QtTest>

using namespace lanfan;
using namespace lanfan::printing;
using namespace Qt::StringLiterals;
using lanfan::test::PtyPair;

namespace {

QByteArray readFile(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestDevices : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void drawerBytes_data()
    {
        QTest::addColumn<QString>("type");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("普通") << u"普通"_s << QByteArray::fromHex("1b70003cff");
        QTest::newRow("芯烨") << u"芯烨"_s << QByteArray::fromHex("1b70008080");
        QTest::newRow("浩顺") << u"浩顺"_s << QByteArray::fromHex("1b700019ff");
    }
    void drawerBytes()
    {
        QFETCH(QString, type);
        QFETCH(QByteArray, bytes);
        test::TestShop shop;
        const QString port = shop.path(u"drawer"_s);
        shop.settings().write(u"钱箱类型"_s, type);
        shop.settings().write(u"钱箱端口"_s, port);
        PdfSink sink(QString(), {u"前台"_s}, false);
        CashDrawer drawer(shop.context(), sink);
        QVERIFY(drawer.open());
        QCOMPARE(readFile(port), bytes);
        QVERIFY(shop.prompter().entries().isEmpty());
        QVERIFY(sink.outputs().isEmpty());
    }

    void drawerOtherModels()
    {
        test::TestShop shop;
        PdfSink sink(QString(), {u"前台"_s}, false);
        CashDrawer drawer(shop.context(), sink);

        shop.settings().write(u"钱箱类型"_s, u"USB钱箱"_s);
        QVERIFY(drawer.open());
        QCOMPARE(sink.outputs().size(), 1);
        QCOMPARE(sink.outputs()[0].raw, QByteArray::fromHex("1b70008080"));
        QCOMPARE(sink.outputs()[0].printer, QString()); // the default printer

        shop.settings().write(u"钱箱类型"_s, u"其他"_s);
        QVERIFY(drawer.open());
        QCOMPARE(sink.printed().size(), 1);
        QCOMPARE(sink.printed()[0].title, u"打开钱箱"_s);

        shop.settings().write(u"钱箱类型"_s, u"中崎"_s);
        QVERIFY(!drawer.open());
        QCOMPARE(shop.prompter().lastText(), u"请向澜帆软件公司索取中崎连接钱箱专用版软件"_s);
        QCOMPARE(sink.outputs().size(), 2);

        // The payment paths write the port command whatever the model.
        const QString port = shop.path(u"drawer"_s);
        shop.settings().write(u"钱箱端口"_s, port);
        QVERIFY(drawer.openByPort());
        QCOMPARE(readFile(port), QByteArray::fromHex("1b70003cff"));
    }

    void drawerPortError()
    {
        test::TestShop shop;
        shop.settings().write(u"钱箱类型"_s, u"普通"_s);
        shop.settings().write(u"钱箱端口"_s, shop.path(u"missing/drawer"_s));
        PdfSink sink(QString(), {u"前台"_s}, false);
        CashDrawer drawer(shop.context(), sink);
        QVERIFY(!drawer.open());
        const QString text = shop.prompter().lastText();
        QVERIFY(text.startsWith(u"开钱箱出错！请检查连接，没有钱箱请将系统设置的“钱箱接口”选择成空的。\n"_s));
        QVERIFY(text.contains(u"missing/drawer"_s));
        // No port: the shop has no drawer, nothing happens.
        shop.prompter().clear();
        shop.settings().write(u"钱箱端口"_s, QString());
        QVERIFY(drawer.open());
        QVERIFY(shop.prompter().entries().isEmpty());
    }

    void displayBytesOnASerialPort()
    {
        if (QStandardPaths::findExecutable(u"socat"_s).isEmpty())
            QSKIP("socat is not installed");
        QTemporaryDir dir;
        PtyPair pty(dir.path());
        QSerialPort far;
        far.setPortName(pty.b);
        QVERIFY(far.open(QIODevice::ReadWrite));

        test::TestShop shop;
        shop.settings().write(u"客显功能"_s, u"是"_s);
        shop.settings().write(u"客显串口号"_s, pty.a);
        CustomerDisplay display;
        QVERIFY(openCustomerDisplayAtLogin(shop.context(), display));
        QVERIFY(shop.prompter().entries().isEmpty());

        QVERIFY(display.showIdle());
        QVERIFY(display.showTotal(u"86.50"_s));
        QVERIFY(display.showChange(u"13.50"_s));
        const QByteArray expected = QByteArray("\x1bQA0\r\x1bs0") + "\x1bQA86.50\r\x1bs2" + "\x1bQA13.50\r\x1bs4";
        QByteArray got;
        QTRY_VERIFY_WITH_TIMEOUT((got += far.readAll()).size() >= expected.size(), 5000);
        QCOMPARE(got, expected);
        display.reset();
        QVERIFY(!display.isOpen());
        QVERIFY(!display.showIdle());
    }

    void displayPortFailure()
    {
        test::TestShop shop;
        CustomerDisplay display;
        // Off: nothing is opened, nothing is said.
        QVERIFY(!openCustomerDisplayAtLogin(shop.context(), display));
        QVERIFY(shop.prompter().entries().isEmpty());
        shop.settings().write(u"客显功能"_s, u"是"_s);
        shop.settings().write(u"客显串口号"_s, shop.path(u"no-such-tty"_s));
        QVERIFY(!openCustomerDisplayAtLogin(shop.context(), display));
        QCOMPARE(shop.prompter().lastText(), u"串口打开失败！！"_s);
        QVERIFY(!display.showTotal(u"1"_s));
    }
};

QTEST_GUILESS_MAIN(TestDevices)
#include "tst_devices.moc"
