#include "TestShop.h"
#include "app/MainEntries.h"
#include "app/Skin.h"
#include "app/Tmain.h"

#include <QAction>
#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMenu>
#include <QToolBar>
#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

namespace {

lanfan::Operator admin()
{
    lanfan::Operator op;
    op.name = u"admin"_s;
    op.role = u"管理员"_s;
    op.rights = QStringList(9, QString(31, u'1'));
    return op;
}

// A main window as the login leaves it.
struct MainWindow {
    explicit MainWindow(TestShop &shop, const lanfan::Operator &op = admin())
        : skin(shop.folder().skin()), main(shop.context(), skin)
    {
        main.applyRights(op);
        main.showOperator(op.name);
        main.applySettings();
    }
    lanfan::Skin skin;
    lanfan::Tmain main;
};

} // namespace

class TestTmain : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        qApp->setStyleSheet(QString());
    }

    void entriesOfLaterWindowsWaitDisabled()
    {
        TestShop shop;
        MainWindow w(shop);
        for (const lanfan::MainEntry &e : lanfan::mainEntries()) {
            const bool builtIn = e.key == u"退出" || e.key == u"关于";
            QCOMPARE(w.main.isEntryAvailable(e.key), builtIn);
            for (QAction *a : w.main.entryActions(e.key)) {
                QVERIFY2(a->isEnabled() == builtIn, qPrintable(e.key));
                if (!builtIn)
                    QCOMPARE(a->statusTip(), lanfan::Tmain::notAvailableText());
            }
        }
        QVERIFY(w.main.menuAction(u"订单销售查询"_s));
        QCOMPARE(w.main.toolbarAction(u"客户管理"_s)->text(), u"客户资料"_s);
        QCOMPARE(w.main.menuAction(u"销售开单"_s)->shortcut(), QKeySequence(Qt::Key_F1));
    }

    void anEnabledEntryRunsFromMenuAndToolbar()
    {
        TestShop shop;
        MainWindow w(shop);
        int opened = 0;
        w.main.enableEntry(u"客户管理"_s, [&] { ++opened; });
        QVERIFY(w.main.menuAction(u"客户管理"_s)->isEnabled());
        QVERIFY(w.main.toolbarAction(u"客户管理"_s)->isEnabled());
        QVERIFY(w.main.menuAction(u"客户管理"_s)->statusTip().isEmpty());
        w.main.menuAction(u"客户管理"_s)->trigger();
        w.main.toolbarAction(u"客户管理"_s)->trigger();
        QCOMPARE(opened, 2);
    }

    void rightsStillGovernAnEnabledEntry()
    {
        TestShop shop;
        lanfan::Operator op = admin();
        op.rights[0][1] = u'0';  // customers
        MainWindow w(shop, op);
        int opened = 0;
        w.main.enableEntry(u"客户管理"_s, [&] { ++opened; });
        QVERIFY(!w.main.menuAction(u"客户管理"_s)->isEnabled());
        QVERIFY(!w.main.toolbarAction(u"客户管理"_s)->isEnabled());
        w.main.toolbarAction(u"客户管理"_s)->trigger();
        QCOMPARE(opened, 0);
        // The rights change (the operator list was closed): the entry follows.
        w.main.applyRights(admin());
        QVERIFY(w.main.menuAction(u"客户管理"_s)->isEnabled());
        QVERIFY(w.main.toolbarAction(u"客户管理"_s)->isEnabled());
    }

    void anOperatorWithoutRightsKeepsTheUngovernedEntries()
    {
        TestShop shop;
        lanfan::Operator op = admin();
        op.rights = QStringList(9, QString(31, u'0'));
        MainWindow w(shop, op);
        for (const QString &key : {u"关于"_s, u"菜单管理"_s, u"系统设置"_s, u"成批发货"_s})
            w.main.enableEntry(key, [] {});
        QVERIFY(!w.main.menuAction(u"关于"_s)->isEnabled());
        QVERIFY(!w.main.menuAction(u"菜单管理"_s)->isEnabled());
        QVERIFY(!w.main.toolbarAction(u"系统设置"_s)->isEnabled());
        QVERIFY(w.main.toolbarAction(u"成批发货"_s)->isEnabled());
        QVERIFY(w.main.menuAction(u"退出"_s)->isEnabled());
    }

    void aPopupItemJoinsItsEntry()
    {
        TestShop shop;
        lanfan::Operator op = admin();
        op.rights[1][4] = u'0';  // cancelling orders
        MainWindow w(shop, op);
        QMenu popup;
        QAction *cancel = popup.addAction(u"删除订货单"_s);
        w.main.addEntryAction(u"删除订货单"_s, cancel);
        QVERIFY(!cancel->isEnabled());
        QCOMPARE(cancel->statusTip(), lanfan::Tmain::notAvailableText());
        int runs = 0;
        w.main.enableEntry(u"删除订货单"_s, [&] { ++runs; });
        QVERIFY(!cancel->isEnabled());
        w.main.applyRights(admin());
        QVERIFY(cancel->isEnabled());
        cancel->trigger();
        QCOMPARE(runs, 1);
    }

    void theOperatorAndTheTitlesAreShown()
    {
        TestShop shop;
        MainWindow w(shop);
        QCOMPARE(w.main.findChild<QLabel *>(u"operatorPanel"_s)->text(), u"操作员：admin"_s);
        QVERIFY(w.main.windowTitle().startsWith(u"澜帆来电显示订餐管理系统--中英文双语版"_s));
        QCOMPARE(shop.context().programTitle(), u"澜帆电话订餐配送管理系统--中英文双语版"_s);
        QCOMPARE(w.main.topMenu(u"系统管理"_s)->title(), u"系统管理"_s);
    }

    void settingsHideTheirButtons()
    {
        TestShop shop([](const lanfan::DataFolder &f) {
            lanfan::test::writeFile(f.settingsIni(),
                                    u"[是否需要发货功能]\n类型=不需要\n[零售功能]\n类型=否\n[公司简称]\n类型=\n"_s.toUtf8());
        });
        MainWindow w(shop);
        QVERIFY(!w.main.toolbarAction(u"单一发货"_s)->isVisible());
        QVERIFY(!w.main.toolbarAction(u"成批发货"_s)->isVisible());
        QVERIFY(w.main.menuAction(u"单一发货"_s)->isVisible());
        QVERIFY(!w.main.toolbarAction(u"零售开单"_s)->isVisible());
        QVERIFY(w.main.toolbarAction(u"堂食开单"_s)->isVisible());
        QVERIFY(!w.main.topMenu(u"帮助"_s)->menuAction()->isVisible());
    }

    void theVideoTutorialIsOnlyOurs()
    {
        TestShop shop([](const lanfan::DataFolder &f) {
            lanfan::test::writeFile(f.settingsIni(), u"[公司简称]\n类型=好味道\n"_s.toUtf8());
        });
        MainWindow w(shop);
        QVERIFY(w.main.topMenu(u"帮助"_s)->menuAction()->isVisible());
        QVERIFY(!w.main.menuAction(u"网络视频教程"_s)->isVisible());
        QVERIFY(w.main.windowTitle().startsWith(u"好味道快餐外卖管理系统"_s));
    }

    void englishCaptions()
    {
        TestShop shop([](const lanfan::DataFolder &f) {
            lanfan::test::writeFile(f.settingsIni(), u"[版本语言]\n类型=英语\n"_s.toUtf8());
        });
        MainWindow w(shop);
        QCOMPARE(w.main.windowTitle(), u"Lan Fan Delivery Software 2010"_s);
        QCOMPARE(w.main.topMenu(u"基础数据"_s)->title(), u"Basic data"_s);
        QCOMPARE(w.main.topMenu(u"手机短信"_s)->title(), u"SMS"_s);
        QCOMPARE(w.main.toolbarAction(u"销售开单"_s)->text(), u"T/W"_s);
        QCOMPARE(w.main.toolbarAction(u"堂食开单"_s)->text(), u"Table"_s);
        QCOMPARE(w.main.toolbarAction(u"客户管理"_s)->text(), u"Customer/D"_s);
    }

    void theSkinButtonSwitchesAndRemembers()
    {
        TestShop shop;
        MainWindow w(shop);
        w.skin.setActive(true);
        QAction *button = w.main.findChild<QAction *>(u"skinButton"_s);
        QCOMPARE(button->text(), u"取消换肤"_s);
        button->trigger();
        QCOMPARE(button->text(), u"恢复换肤"_s);
        QVERIFY(qApp->styleSheet().isEmpty());
        shop.settings().loadFile();
        QCOMPARE(shop.settings().value(u"换肤"_s), u"否"_s);
        button->trigger();
        QCOMPARE(button->text(), u"取消换肤"_s);
        QVERIFY(!qApp->styleSheet().isEmpty());
        shop.settings().loadFile();
        QCOMPARE(shop.settings().value(u"换肤"_s), u"是"_s);
    }

    void closingAsksFirst()
    {
        TestShop shop;
        MainWindow w(shop);
        w.skin.setActive(true);
        int shutdowns = 0;
        w.main.addShutdownStep([&] { ++shutdowns; });
        w.main.show();
        shop.prompter().scriptAnswers({false});
        w.main.menuAction(u"退出"_s)->trigger();
        QVERIFY(w.main.isVisible());
        QCOMPARE(shop.prompter().entries().size(), 1);
        QCOMPARE(shop.prompter().entries().first().kind, lanfan::Prompter::Kind::Question);
        QCOMPARE(shop.prompter().lastText(), u"确实要退出吗？"_s);
        QCOMPARE(shop.prompter().entries().first().title, shop.context().programTitle());
        QCOMPARE(shutdowns, 0);
        QVERIFY(w.skin.isActive());

        shop.prompter().scriptAnswers({true});
        QVERIFY(w.main.close());
        QVERIFY(!w.main.isVisible());
        QCOMPARE(shutdowns, 1);
    }

    void theFunctionKeysOpenTheOrderForms()
    {
        TestShop shop;
        MainWindow w(shop);
        QStringList opened;
        w.main.enableEntry(u"销售开单"_s, [&] { opened << u"外卖"_s; });
        w.main.enableEntry(u"零售开单"_s, [&] { opened << u"零售"_s; });
        w.main.show();
        QApplication::setActiveWindow(&w.main);
        QVERIFY(QTest::qWaitForWindowActive(&w.main));
        QTest::keyClick(&w.main, Qt::Key_F1);
        QTest::keyClick(&w.main, Qt::Key_F2);  // the dine-in form is not there yet
        QTest::keyClick(&w.main, Qt::Key_F3);
        QCOMPARE(opened, (QStringList{u"外卖"_s, u"零售"_s}));
        shop.prompter().defaultAnswer = true;
        w.main.close();
    }

    void theAboutBoxShowsTheContacts()
    {
        TestShop shop;
        MainWindow w(shop);
        w.main.menuAction(u"关于"_s)->trigger();
        QDialog *about = w.main.findChild<QDialog *>(u"Tabout"_s);
        QVERIFY(about);
        QVERIFY(about->isVisible());
        QCOMPARE(about->findChild<QLabel *>(u"公司全称"_s)->text(), shop.settings().value(u"公司全称"_s));
        about->accept();
    }
};

QTEST_MAIN(TestTmain)
#include "tst_tmain.moc"
