#include "TestShop.h"
#include "app/MainEntries.h"
#include "app/MainOptions.h"

#include <QSet>
#include <QtTest>

using namespace Qt::StringLiterals;
using lanfan::test::TestShop;

namespace {

lanfan::Operator withRights(const QStringList &rights)
{
    lanfan::Operator op;
    op.name = u"小王"_s;
    op.rights = rights;
    while (op.rights.size() < 9)
        op.rights << QString();
    return op;
}

} // namespace

class TestMainEntries : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void keysAreUniqueAndMenusAndToolbarAreKnown()
    {
        QSet<QString> keys;
        QSet<QString> menus;
        for (const auto &m : lanfan::mainMenus())
            menus.insert(m.title);
        for (const auto &e : lanfan::mainEntries()) {
            QVERIFY2(!keys.contains(e.key), qPrintable(e.key));
            keys.insert(e.key);
            QVERIFY2(e.menu.isEmpty() || menus.contains(e.menu), qPrintable(e.menu));
        }
        for (const QString &k : lanfan::mainToolbar()) {
            if (k.isEmpty())
                continue;
            const lanfan::MainEntry *e = lanfan::findMainEntry(k);
            QVERIFY2(e, qPrintable(k));
            QVERIFY2(!e->toolbar.isEmpty(), qPrintable(k));
        }
    }

    void rightsGovernTheirEntries_data()
    {
        QTest::addColumn<QString>("key");
        QTest::addColumn<int>("group");
        QTest::addColumn<int>("position");
        const QList<std::tuple<QString, int, int>> table = {
            {u"菜单管理"_s, 1, 1},       {u"客户管理"_s, 1, 2},        {u"配送员管理"_s, 1, 3},
            {u"客户类型设置"_s, 1, 4},   {u"客户区域管理"_s, 1, 5},    {u"菜品风味设置"_s, 1, 6},
            {u"菜品种类设置"_s, 1, 7},   {u"口味设置"_s, 1, 8},        {u"销售开单"_s, 2, 1},
            {u"单一发货"_s, 2, 2},       {u"收款"_s, 2, 3},            {u"删除订货单"_s, 2, 5},
            {u"退货"_s, 2, 6},           {u"退款"_s, 2, 7},            {u"成品入库"_s, 2, 14},
            {u"配料采购"_s, 2, 14},      {u"订单销售查询"_s, 3, 1},    {u"菜品销售汇总查询"_s, 3, 2},
            {u"签单查询"_s, 3, 3},       {u"送餐员汇总及提成查询"_s, 3, 4}, {u"客户消费帐单详细查询"_s, 3, 5},
            {u"点单时间统计"_s, 3, 6},   {u"送餐效率统计"_s, 3, 7},    {u"订单删除查询"_s, 3, 8},
            {u"系统设置"_s, 4, 1},       {u"权限管理"_s, 4, 2},        {u"修改密码"_s, 4, 3},
            {u"数据备份"_s, 4, 4},       {u"数据恢复"_s, 4, 5},        {u"数据初始化"_s, 4, 6},
            {u"帮助"_s, 5, 1},           {u"关于"_s, 5, 2},
        };
        for (const auto &[key, group, position] : table)
            QTest::newRow(qPrintable(key)) << key << group << position;
    }

    void rightsGovernTheirEntries()
    {
        QFETCH(QString, key);
        QFETCH(int, group);
        QFETCH(int, position);
        const lanfan::MainEntry *e = lanfan::findMainEntry(key);
        QVERIFY(e);
        QCOMPARE(e->right.group, group);
        QCOMPARE(e->right.position, position);

        QStringList all(9, QString(31, u'1'));
        QVERIFY(lanfan::entryAllowed(withRights(all), *e));
        QStringList refused = all;
        refused[group - 1][position - 1] = u'0';
        QVERIFY(!lanfan::entryAllowed(withRights(refused), *e));
        // A string that stops before the position refuses it.
        QStringList shortOne = all;
        shortOne[group - 1] = QString(position - 1, u'1');
        QVERIFY(!lanfan::entryAllowed(withRights(shortOne), *e));
    }

    void ungovernedEntriesAreAlwaysAllowed()
    {
        const lanfan::Operator nobody = withRights(QStringList(9, QString(31, u'0')));
        for (const QString &key : {u"退出"_s, u"堂食开单"_s, u"成批发货"_s, u"历史来电记录"_s, u"发送短信"_s})
            QVERIFY2(lanfan::entryAllowed(nobody, *lanfan::findMainEntry(key)), qPrintable(key));
        QVERIFY(!lanfan::entryAllowed(nobody, *lanfan::findMainEntry(u"客户管理"_s)));
    }

    void theCustomerRightGovernsMenuAndToolbarTogether()
    {
        const lanfan::MainEntry *e = lanfan::findMainEntry(u"客户管理"_s);
        QCOMPARE(e->menu, u"客户管理"_s);
        QCOMPARE(e->toolbar, u"客户资料"_s);
        QCOMPARE(lanfan::findMainEntry(u"销售开单"_s)->toolbar, u"外卖开单F1"_s);
        QCOMPARE(lanfan::findMainEntry(u"销售开单"_s)->shortcut, u"F1"_s);
        QCOMPARE(lanfan::findMainEntry(u"收款"_s)->toolbar, u"单一收款"_s);
    }

    void titlesFollowTheProgramNameAndTheCompany_data()
    {
        QTest::addColumn<QByteArray>("ini");
        QTest::addColumn<QString>("title");
        QTest::addColumn<QString>("caption");
        QTest::newRow("defaults") << QByteArray()
                                  << u"澜帆电话订餐配送管理系统--中英文双语版"_s
                                  << u"澜帆来电显示订餐管理系统--中英文双语版V"_s;
        QTest::newRow("another company") << u"[公司简称]\n类型=好味道\n"_s.toUtf8()
                                         << u"好味道快餐外卖管理系统"_s << u"好味道快餐外卖管理系统V"_s;
        QTest::newRow("program name") << u"[程序名称]\n类型=阿强外卖\n[公司简称]\n类型=好味道\n"_s.toUtf8()
                                      << u"阿强外卖"_s << u"阿强外卖----V"_s;
        QTest::newRow("english") << u"[版本语言]\n类型=英语\n"_s.toUtf8()
                                 << u"澜帆电话订餐配送管理系统--中英文双语版"_s << u"Lan Fan Delivery Software 2010"_s;
    }

    void titlesFollowTheProgramNameAndTheCompany()
    {
        QFETCH(QByteArray, ini);
        QFETCH(QString, title);
        QFETCH(QString, caption);
        TestShop shop([&](const lanfan::DataFolder &f) { lanfan::test::writeFile(f.settingsIni(), ini); });
        const lanfan::MainWindowOptions o = lanfan::mainWindowOptions(shop.settings(), u"V"_s);
        QCOMPARE(o.applicationTitle, title);
        QCOMPARE(o.caption, caption);
    }

    void settingsShowAndHideParts()
    {
        TestShop plain;
        lanfan::MainWindowOptions o = lanfan::mainWindowOptions(plain.settings());
        QVERIFY(o.helpMenuVisible && o.videoTutorialVisible && o.dispatchVisible && o.dineInVisible && o.retailVisible);
        QVERIFY(o.skinOn);
        QVERIFY(!o.english);

        TestShop other([](const lanfan::DataFolder &f) {
            lanfan::test::writeFile(f.settingsIni(),
                                    u"[公司简称]\n类型=好味道\n[是否需要发货功能]\n类型=不需要\n[堂食功能]\n类型=否\n"
                                    "[换肤]\n类型=否\n"_s.toUtf8());
        });
        o = lanfan::mainWindowOptions(other.settings());
        QVERIFY(o.helpMenuVisible);
        QVERIFY(!o.videoTutorialVisible);
        QVERIFY(!o.dispatchVisible);
        QVERIFY(!o.dineInVisible);
        QVERIFY(o.retailVisible);
        QVERIFY(!o.skinOn);

        TestShop noCompany([](const lanfan::DataFolder &f) {
            lanfan::test::writeFile(f.settingsIni(), u"[公司简称]\n类型=\n"_s.toUtf8());
        });
        o = lanfan::mainWindowOptions(noCompany.settings());
        QVERIFY(!o.helpMenuVisible);
    }
};

QTEST_GUILESS_MAIN(TestMainEntries)
#include "tst_mainentries.moc"
