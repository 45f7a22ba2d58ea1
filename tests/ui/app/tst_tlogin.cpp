#include "TestShop.h"
#include "app/Login.h"
#include "app/Tlogin.h"
#include "app/Tmain.h"
#include "common/Text.h"
#include "data/Schema.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

namespace {

template <typename T>
T *child(QWidget &w, const QString &name)
{
    T *c = w.findChild<T *>(name);
    if (!c)
        qFatal("no child %s", qPrintable(name));
    return c;
}

void settingsFile(const lanfan::DataFolder &f, const QString &text)
{
    lanfan::test::writeFile(f.settingsIni(), text.toUtf8());
}

} // namespace

class TestTlogin : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        qApp->setStyleSheet(QString());
    }

    void theWindowOffersTheOperatorsAndTheInitialPassword()
    {
        TestShop shop;
        lanfan::Tlogin login(shop.context());
        login.show();
        QCOMPARE(login.windowTitle(), u"用户登陆"_s);
        auto *names = child<QComboBox>(login, u"ComboBox1"_s);
        QCOMPARE(names->count(), 1);
        QCOMPARE(names->currentText(), u"admin"_s);
        QCOMPARE(child<QLabel>(login, u"Label2"_s)->text(), u"初始密码为：888"_s);
        QCOMPARE(child<QLineEdit>(login, u"Edit2"_s)->echoMode(), QLineEdit::Password);
        QVERIFY(!child<QCheckBox>(login, u"cb1"_s)->isChecked());
        QVERIFY(!child<QCheckBox>(login, u"cb2"_s)->isChecked());
        QVERIFY(!child<QComboBox>(login, u"ComboBox2"_s)->isVisible());
        QVERIFY(!child<QComboBox>(login, u"ComboBox4"_s)->isVisible());
        QCOMPARE(lanfan::initialPassword(), u"888"_s);
    }

    void aWrongPasswordIsRefusedAndTheWindowStays()
    {
        TestShop shop;
        lanfan::Tlogin login(shop.context());
        login.show();
        child<QLineEdit>(login, u"Edit2"_s)->setText(u"999"_s);
        child<QPushButton>(login, u"BitBtn1"_s)->click();
        QCOMPARE(shop.prompter().texts(), QStringList{u"您无权登陆本系统！！"_s});
        QVERIFY(login.isVisible());
        QVERIFY(!login.mainWindow());
        QVERIFY(child<QPushButton>(login, u"BitBtn1"_s)->isEnabled());
        QCOMPARE(login.windowTitle(), u"用户登陆"_s);
    }

    void enterInThePasswordBoxLogsInAndShowsTheMainWindow()
    {
        TestShop shop;
        lanfan::Tlogin login(shop.context());
        login.show();
        auto *password = child<QLineEdit>(login, u"Edit2"_s);
        password->setText(lanfan::initialPassword());
        QTest::keyClick(password, Qt::Key_Return);
        QVERIFY(shop.prompter().entries().isEmpty());
        QVERIFY(login.mainWindow());
        QVERIFY(login.mainWindow()->isVisible());
        QVERIFY(!login.isVisible());
        QCOMPARE(login.result(), int(QDialog::Accepted));
        QCOMPARE(child<QLabel>(*login.mainWindow(), u"operatorPanel"_s)->text(), u"操作员：admin"_s);
        QCOMPARE(shop.context().currentOperator().name, u"admin"_s);
        QCOMPARE(shop.context().deviceMode().mode, u"无来电登陆"_s);
        login.mainWindow()->hide();
    }

    void theDeviceBoxesExcludeEachOther()
    {
        TestShop shop;
        lanfan::Tlogin login(shop.context());
        login.show();
        auto *serial = child<QCheckBox>(login, u"cb1"_s);
        auto *usb = child<QCheckBox>(login, u"cb2"_s);
        serial->click();
        QVERIFY(child<QComboBox>(login, u"ComboBox2"_s)->isVisible());
        QVERIFY(child<QComboBox>(login, u"ComboBox3"_s)->isVisible());
        QVERIFY(child<QLabel>(login, u"Label4"_s)->isVisible());
        usb->click();
        QVERIFY(!serial->isChecked());
        QVERIFY(!child<QComboBox>(login, u"ComboBox2"_s)->isVisible());
        QVERIFY(child<QComboBox>(login, u"ComboBox4"_s)->isVisible());
        QVERIFY(child<QComboBox>(login, u"ComboBox5"_s)->isVisible());
        serial->click();
        QVERIFY(!usb->isChecked());
        QVERIFY(!child<QComboBox>(login, u"ComboBox5"_s)->isVisible());
        serial->click();
        QVERIFY(!child<QComboBox>(login, u"ComboBox2"_s)->isVisible());
    }

    void theXTypeBoxOffersThePortsOfThePc()
    {
        TestShop shop;
        QVERIFY(QDir().mkpath(shop.path(u"ports"_s)));
        QVERIFY(QFile::link(u"/dev/null"_s, shop.path(u"ports/COM10"_s)));
        QVERIFY(QFile::link(u"/dev/null"_s, shop.path(u"ports/COM2"_s)));
        lanfan::Tlogin login(shop.context());
        login.show();
        child<QCheckBox>(login, u"cb2"_s)->click();
        auto *type = child<QComboBox>(login, u"ComboBox4"_s);
        auto *lines = child<QComboBox>(login, u"ComboBox5"_s);
        type->setCurrentText(u"X型"_s);
        Q_EMIT type->textActivated(u"X型"_s);
        QCOMPARE(child<QLabel>(login, u"Label7"_s)->text(), u"编号"_s);
        QStringList offered;
        for (int i = 0; i < lines->count(); ++i)
            offered << lines->itemText(i);
        QVERIFY(offered.indexOf(u"2"_s) >= 0);
        QVERIFY(offered.indexOf(u"2"_s) < offered.indexOf(u"10"_s));
        QCOMPARE(lines->currentIndex(), lines->count() - 1);
        type->setCurrentText(u"Q型"_s);
        Q_EMIT type->textActivated(u"Q型"_s);
        QCOMPARE(child<QLabel>(login, u"Label7"_s)->text(), u"路数"_s);
    }

    void aBoxOnAHighPortIsRefused()
    {
        TestShop shop;
        lanfan::Tlogin login(shop.context());
        login.show();
        child<QCheckBox>(login, u"cb1"_s)->click();
        child<QComboBox>(login, u"ComboBox2"_s)->setCurrentText(u"5"_s);
        child<QComboBox>(login, u"ComboBox3"_s)->setCurrentText(u"四路"_s);
        child<QLineEdit>(login, u"Edit2"_s)->setText(lanfan::initialPassword());
        child<QPushButton>(login, u"BitBtn1"_s)->click();
        QCOMPARE(shop.prompter().texts(), QStringList{lanfan::kBoxPortRangeMessage});
        QVERIFY(!login.mainWindow());

        child<QComboBox>(login, u"ComboBox3"_s)->setCurrentText(u"MODEM"_s);
        child<QPushButton>(login, u"BitBtn1"_s)->click();
        QVERIFY(login.mainWindow());
        QCOMPARE(shop.db().scalar(u"select 编号 from 串口编号"_s).toInt(), 5);
        QCOMPARE(shop.context().deviceMode().serialType, u"MODEM"_s);
        login.mainWindow()->hide();
    }

    void theLastChoiceIsOfferedAgain()
    {
        TestShop shop;
        lanfan::DeviceChoice c;
        c.serial = true;
        c.serialPort = u"3"_s;
        c.serialType = u"四路"_s;
        lanfan::recordDeviceChoice(shop.db(), c);
        {
            lanfan::Tlogin login(shop.context());
            login.show();
            QVERIFY(child<QCheckBox>(login, u"cb1"_s)->isChecked());
            QVERIFY(child<QComboBox>(login, u"ComboBox2"_s)->isVisible());
            QCOMPARE(child<QComboBox>(login, u"ComboBox2"_s)->currentText(), u"3"_s);
            QCOMPARE(child<QComboBox>(login, u"ComboBox3"_s)->currentText(), u"四路"_s);
            QVERIFY(!child<QCheckBox>(login, u"cb2"_s)->isChecked());
        }
        lanfan::DeviceChoice usb;
        usb.usb = true;
        usb.usbType = u"H型"_s;
        usb.usbLines = u"4"_s;
        lanfan::recordDeviceChoice(shop.db(), usb);
        lanfan::Tlogin login(shop.context());
        login.show();
        QVERIFY(!child<QCheckBox>(login, u"cb1"_s)->isChecked());
        QVERIFY(child<QCheckBox>(login, u"cb2"_s)->isChecked());
        QCOMPARE(child<QComboBox>(login, u"ComboBox4"_s)->currentText(), u"H型"_s);
        QCOMPARE(child<QComboBox>(login, u"ComboBox5"_s)->currentText(), u"4"_s);
        QCOMPARE(child<QLabel>(login, u"Label7"_s)->text(), u"路数"_s);
    }

    void englishCaptions()
    {
        TestShop shop([](const lanfan::DataFolder &f) { settingsFile(f, u"[版本语言]\n类型=英语\n"_s); });
        lanfan::Tlogin login(shop.context());
        login.show();
        QCOMPARE(login.windowTitle(), u"Delivery Software 2010"_s);
        QCOMPARE(child<QLabel>(login, u"Label1"_s)->text(), u"Login"_s);
        QCOMPARE(child<QLabel>(login, u"Label2"_s)->text(), u"Initial Password:888"_s);
        QCOMPARE(child<QLabel>(login, u"Label3"_s)->text(), u"Password"_s);
        QCOMPARE(child<QCheckBox>(login, u"cb1"_s)->text(), u"Serial device"_s);
        QCOMPARE(child<QCheckBox>(login, u"cb2"_s)->text(), u"Usb device"_s);
        QCOMPARE(child<QPushButton>(login, u"BitBtn1"_s)->text(), u"Sign In"_s);
        QCOMPARE(child<QPushButton>(login, u"BitBtn2"_s)->text(), u"Cancel"_s);
    }

    void theSkinFollowsItsSetting()
    {
        {
            TestShop shop;
            lanfan::Tlogin login(shop.context());
            QVERIFY(qApp->styleSheet().contains(u"QMenuBar"_s));
        }
        qApp->setStyleSheet(QString());
        TestShop plain([](const lanfan::DataFolder &f) { settingsFile(f, u"[换肤]\n类型=否\n"_s); });
        lanfan::Tlogin login(plain.context());
        QVERIFY(qApp->styleSheet().isEmpty());
    }

    void aShopSkinWinsOverTheBuiltInOne()
    {
        TestShop shop([](const lanfan::DataFolder &f) {
            lanfan::test::writeFile(f.skin(), QByteArray("QDialog { background: #123456; }"));
        });
        lanfan::Tlogin login(shop.context());
        QCOMPARE(qApp->styleSheet(), u"QDialog { background: #123456; }"_s);
    }

    void theExitButtonEndsTheLogin()
    {
        TestShop shop;
        lanfan::Tlogin login(shop.context());
        login.show();
        child<QPushButton>(login, u"BitBtn2"_s)->click();
        QCOMPARE(login.result(), int(QDialog::Rejected));
        QVERIFY(!login.isVisible());
        QVERIFY(!login.mainWindow());
    }

    void theCustomerDisplayIsOpenedWithItsPort()
    {
        TestShop shop([](const lanfan::DataFolder &f) {
            settingsFile(f, u"[客显功能]\n类型=是\n[客显串口号]\n类型=4\n"_s);
        });
        lanfan::Tlogin login(shop.context());
        QList<int> opened;
        login.setCustomerDisplayOpener([&](int port, int baud) {
            opened << port << baud;
            return false;
        });
        login.show();
        child<QLineEdit>(login, u"Edit2"_s)->setText(lanfan::initialPassword());
        child<QPushButton>(login, u"BitBtn1"_s)->click();
        QCOMPARE(opened, (QList<int>{4, 2400}));
        QCOMPARE(shop.prompter().texts(), QStringList{u"串口打开失败！！"_s});
        QVERIFY(login.mainWindow() && login.mainWindow()->isVisible());
        login.mainWindow()->hide();
    }

    void theDefaultDisplayOpenerOpensTheNamedPort()
    {
        TestShop shop([](const lanfan::DataFolder &f) {
            settingsFile(f, u"[客显功能]\n类型=是\n[客显串口号]\n类型=4\n"_s);
        });
        QVERIFY(QDir().mkpath(shop.path(u"ports"_s)));
        // A pseudo-terminal pair stands in for the display's serial line.
        QProcess socat;
        socat.start(u"socat"_s, {u"pty,raw,echo=0,link="_s + shop.path(u"ports/COM4"_s),
                                 u"pty,raw,echo=0,link="_s + shop.path(u"display-side"_s)});
        QVERIFY(socat.waitForStarted());
        QTRY_VERIFY(QFileInfo::exists(shop.path(u"ports/COM4"_s)) && QFileInfo::exists(shop.path(u"display-side"_s)));
        {
            lanfan::Tlogin login(shop.context());
            login.show();
            child<QLineEdit>(login, u"Edit2"_s)->setText(lanfan::initialPassword());
            child<QPushButton>(login, u"BitBtn1"_s)->click();
            QVERIFY(shop.prompter().entries().isEmpty());
            QVERIFY(login.mainWindow() && login.mainWindow()->isVisible());
            login.mainWindow()->hide();
        }
        socat.terminate();
        socat.waitForFinished();
    }
};

QTEST_MAIN(TestTlogin)
#include "tst_tlogin.moc"
