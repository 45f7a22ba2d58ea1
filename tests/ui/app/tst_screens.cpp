// Screenshots of the login and main windows for the README. Skipped unless
// LANFAN_SCREENSHOT_DIR names a folder; run it on a real display server:
//   LANFAN_SCREENSHOT_DIR=shots xvfb-run -a -s "-screen 0 1280x800x24"
//     env QT_QPA_PLATFORM=xcb build/tests/ui_app_tst_screens
#include "TestShop.h"
#include "admin/DemoShop.h"
#include "app/Tlogin.h"
#include "app/Tmain.h"
#include "data/Schema.h"

#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>
#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

class TestScreens : public QObject {
    Q_OBJECT
private:
    QString m_dir;

    void save(const QPixmap &shot, const QString &name)
    {
        QVERIFY(!shot.isNull());
        QVERIFY(shot.save(QDir(m_dir).filePath(name)));
    }

    void settle()
    {
        for (int i = 0; i < 10; ++i)
            QTest::qWait(30);
    }

    void logIn(lanfan::Tlogin &login, const QString &name, const QString &password)
    {
        login.findChild<QComboBox *>(u"ComboBox1"_s)->setCurrentText(name);
        login.findChild<QLineEdit *>(u"Edit2"_s)->setText(password);
        login.findChild<QPushButton *>(u"BitBtn1"_s)->click();
        QVERIFY(login.mainWindow());
        login.mainWindow()->resize(1200, 760);
        login.mainWindow()->showNormal();
        login.mainWindow()->move(0, 0);
        settle();
    }

private Q_SLOTS:
    void initTestCase()
    {
        m_dir = qEnvironmentVariable("LANFAN_SCREENSHOT_DIR");
        if (m_dir.isEmpty())
            QSKIP("LANFAN_SCREENSHOT_DIR is not set");
        QDir().mkpath(m_dir);
    }

    void loginWindow()
    {
        TestShop shop;
        lanfan::addDemoShop(shop.db(), shop.clock());
        lanfan::Tlogin login(shop.context());
        login.show();
        settle();
        save(login.grab(), u"login.png"_s);
    }

    void mainWindowOfTheAdministrator()
    {
        TestShop shop;
        lanfan::addDemoShop(shop.db(), shop.clock());
        lanfan::Tlogin login(shop.context());
        login.show();
        logIn(login, u"admin"_s, lanfan::initialPassword());
        lanfan::Tmain &main = *login.mainWindow();
        save(main.grab(), u"main.png"_s);

        QMenu *menu = main.topMenu(u"业务管理"_s);
        const QRect item = main.menuBar()->actionGeometry(menu->menuAction());
        menu->popup(main.menuBar()->mapToGlobal(item.bottomLeft()));
        settle();
        save(main.screen()->grabWindow(0, 0, 0, 1200, 760), u"main-menu.png"_s);
        menu->hide();
        main.hide();
    }

    void mainWindowOfTheCashier()
    {
        TestShop shop;
        lanfan::DemoSummary s;
        lanfan::addDemoShop(shop.db(), shop.clock(), &s);
        lanfan::Tlogin login(shop.context());
        login.show();
        logIn(login, s.operatorName, s.operatorPassword);
        lanfan::Tmain &main = *login.mainWindow();
        QMenu *menu = main.topMenu(u"系统管理"_s);
        const QRect item = main.menuBar()->actionGeometry(menu->menuAction());
        menu->popup(main.menuBar()->mapToGlobal(item.bottomLeft()));
        settle();
        save(main.screen()->grabWindow(0, 0, 0, 1200, 760), u"main-cashier.png"_s);
        menu->hide();
        main.hide();
    }
};

QTEST_MAIN(TestScreens)
#include "tst_screens.moc"
