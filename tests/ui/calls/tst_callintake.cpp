#include "TestShop.h"
#include "calls/CallIntake.h"
#include "orders/OrderForms.h"
#include "orders/Txiaoshou.h"

#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

struct Desk {
    test::TestShop shop;
    OrderForms forms{shop.context()};
    CallIntake intake{shop.context(), forms};

    int historyRows() { return shop.db().scalar(u"select count(*) from 来电历史记录表"_s).toInt(); }
};

} // namespace

class TestCallIntake : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void aDeviceNumberOpensOnePopupAndOneRow()
    {
        Desk d;
        const qint64 id = d.shop.db().insert(u"insert into 客户资料 (客户姓名,联系电话,联系地址) values ('王先生','13800138000','建设路1号')"_s);
        Txiaoshou2 *popup = d.intake.intake(CallPath::Modem, u"13800138000"_s);
        QVERIFY(popup);
        QCOMPARE(popup->objectName(), u"a13800138000"_s);
        QCOMPARE(popup->windowTitle().left(20), u"来电MODEM订餐：13800138000"_s.left(20));
        QCOMPARE(popup->Label14->text(), QString::number(id));
        // the same number again while its popup is open: nothing more
        QVERIFY(!d.intake.intake(CallPath::Modem, u"13800138000"_s));
        QCOMPARE(d.forms.popups().size(), 1);
        QCOMPARE(d.historyRows(), 1);
        const SqlRow row = d.shop.db().first(u"select * from 来电历史记录表"_s);
        QCOMPARE(row.text(u"电话号码"_s), u"13800138000"_s);
        QCOMPARE(row.text(u"方向"_s), u"打入"_s);
        QCOMPARE(row.text(u"处理结果"_s), u"未接电话"_s);
        QCOMPARE(row.text(u"客户名称"_s), u"王先生"_s);
        QCOMPARE(row.text(u"客户编号"_s), QString::number(id));
        QCOMPARE(row.text(u"来电时间"_s), u"2026-12-11 12:00:00"_s);

        // after it closes, the next call is a new popup and a new row
        popup->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(d.intake.intake(CallPath::Modem, u"13800138000"_s));
        QCOMPARE(d.historyRows(), 2);
    }

    void twoCallsInOneSecondKeepTheirOwnRows()
    {
        Desk d;
        QVERIFY(d.intake.intake(CallPath::XType, u"111"_s));
        QVERIFY(d.intake.intake(CallPath::XType, u"222"_s));
        QCOMPARE(d.forms.popups().size(), 2);
        for (Txiaoshou2 *p : d.forms.popups())
            p->close();
        // each popup wrote the outcome into its own row
        QCOMPARE(d.shop.db().scalar(u"select count(*) from 来电历史记录表 where 处理结果='未接电话' and 客户编号='无'"_s).toInt(), 2);
        QCOMPARE(d.shop.db().scalar(u"select count(distinct 电话号码) from 来电历史记录表"_s).toInt(), 2);
    }

    void typedNumbersFindTheirOpenPopup()
    {
        Desk d;
        Txiaoshou2 *first = d.intake.intake(CallPath::ManualPhone, u"0571-8888"_s);
        QVERIFY(first);
        QCOMPARE(first->objectName(), u"a5718888"_s);
        QCOMPARE(first->Edit9->text(), u"571-8888"_s);
        QCOMPARE(d.intake.intake(CallPath::ManualPhone, u"0571-8888"_s), first);
        QCOMPARE(d.forms.popups().size(), 1);
        QCOMPARE(d.historyRows(), 0);
    }

    void emptyManualEntriesAreRefused()
    {
        Desk d;
        QVERIFY(!d.intake.intake(CallPath::ManualPhone, u""_s));
        QCOMPARE(d.shop.prompter().lastText(), u"请输入电话号码"_s);
        QVERIFY(!d.intake.intake(CallPath::ManualMemberCode, u" "_s));
        QCOMPARE(d.shop.prompter().lastText(), u"请输入手工编码"_s);
        QVERIFY(d.forms.popups().isEmpty());
    }

    void memberCodeOpensItsOwnPopup()
    {
        Desk d;
        d.shop.db().execute(u"insert into 客户资料 (客户姓名,联系电话,手工编码) values ('李女士','139','VIP08')"_s);
        Txiaoshou2 *popup = d.intake.intake(CallPath::ManualMemberCode, u"VIP08"_s);
        QVERIFY(popup);
        QCOMPARE(popup->objectName(), u"asgvip08"_s);
        QCOMPARE(popup->Edit3->text(), u"李女士"_s);
        QCOMPARE(d.historyRows(), 0);
    }

    // "不遮挡老窗口": a later call of a USB box opens minimised so that the
    // form being typed in stays on top; other paths always come forward.
    void newCallsCoverOrKeepOlderPopups_data()
    {
        QTest::addColumn<int>("path");
        QTest::addColumn<QString>("position");
        QTest::addColumn<bool>("secondMinimised");
        QTest::newRow("H-type, keep older") << int(CallPath::HTypeUsb) << u"不遮挡老窗口"_s << true;
        QTest::newRow("H-type, cover") << int(CallPath::HTypeUsb) << u"遮挡老窗口"_s << false;
        QTest::newRow("modem, keep older") << int(CallPath::Modem) << u"不遮挡老窗口"_s << false;
        QTest::newRow("X-type, keep older") << int(CallPath::XType) << u"不遮挡老窗口"_s << false;
    }
    void newCallsCoverOrKeepOlderPopups()
    {
        QFETCH(int, path);
        QFETCH(QString, position);
        QFETCH(bool, secondMinimised);
        Desk d;
        d.shop.settings().write(u"新来电窗口位置"_s, position);
        Txiaoshou2 *first = d.intake.intake(CallPath(path), u"5551001"_s);
        Txiaoshou2 *second = d.intake.intake(CallPath(path), u"5551002"_s);
        QVERIFY(first && second);
        QVERIFY(!first->isMinimized());
        QCOMPARE(second->isMinimized(), secondMinimised);
        QCOMPARE(d.historyRows(), 2);
    }
};

QTEST_MAIN(TestCallIntake)
#include "tst_callintake.moc"
