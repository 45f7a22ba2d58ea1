// A save killed at any moment leaves each order whole or absent: the lines,
// the account movement, the balance and the stock agree with each other.
// The saving runs in a child process (this test program started again) that
// is killed without warning while it saves order after order.

#include "TestShop.h"
#include "app/AppContext.h"
#include "orders/OrderSave.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QtTest>

#include <cstdio>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

const char *kChildVariable = "LANFAN_SAVE_CHILD";
const int kLinesPerOrder = 3;

QVariant money(const char *text)
{
    return QVariant::fromValue(*Money::parse(QString::fromLatin1(text)));
}

// The child: saves orders of three lines paid from the account, forever.
int runChild(const QString &root)
{
    DataFolder folder(root);
    SystemClock clock;
    RecordingPrompter prompter;
    OpenOutcome outcome;
    auto db = openShopDatabase(folder, clock, &outcome);
    if (!db)
        return 2;
    AppContext ctx(folder, std::move(db), clock, prompter);
    ctx.settings().loadAll(ctx.db());
    const QString customer = ctx.db().scalar(u"select id from 客户资料"_s).toString();
    TakeawaySaver saver(ctx);
    for (int n = 0;; ++n) {
        const QString key = u"crash-%1"_s.arg(n);
        for (int i = 0; i < kLinesPerOrder; ++i)
            ctx.db().execute(u"insert into 销售临时表 (时间,产品名称,数量,单价,原价,应付货款,是否打折,新老) "
                             "values (:k,'炒饭',1,10,10,10,'是','新单')"_s,
                             {{u"k"_s, key}});
        TakeawayDraft d;
        d.cartKey = key;
        d.customerId = customer;
        d.name = u"张三"_s;
        d.registeredPhone = u"1"_s;
        d.address = u"地址"_s;
        d.balanceText = u"1000000"_s;
        d.totalText = u"30.00"_s;
        d.paymentMethod = u"帐户支付"_s;
        d.deliveryDate = QDate(2026, 12, 11);
        d.deliveryTime = QTime(12, 0);
        if (!saver.save(d).saved())
            return 3;
        ctx.db().execute(u"delete from 销售临时表 where 时间=:k"_s, {{u"k"_s, key}});
        std::fputs("saved\n", stdout);
        std::fflush(stdout);
    }
}

} // namespace

class TestSaveCrash : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void killedSavesLeaveWholeOrdersOrNothing()
    {
        for (int round = 0; round < 4; ++round) {
            test::TestShop shop;
            Db &db = shop.db();
            db.execute(u"insert into 菜单表 (名称,单价,当前库存,单位成本,库存总额) values ('炒饭',10,100000,1,100000)"_s);
            db.execute(u"insert into 客户资料 (客户姓名,联系电话,帐户余额,积分) values ('张三','1',:b,0)"_s,
                       {{u"b"_s, money("1000000")}});

            QProcess child;
            QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
            env.insert(QString::fromLatin1(kChildVariable), shop.folder().root());
            child.setProcessEnvironment(env);
            child.start(QCoreApplication::applicationFilePath(), {});
            QVERIFY(child.waitForStarted());
            // let it save a few orders, then kill it at an unknown moment
            QVERIFY(child.waitForReadyRead(20000));
            QTest::qWait(50 + int(QRandomGenerator::global()->bounded(250)));
            child.kill();
            QVERIFY(child.waitForFinished(10000));

            auto after = shop.secondConnection();
            const int orders = after->scalar(u"select count(distinct 单据编号) from 产品销售开票"_s).toInt();
            const int lines = after->scalar(u"select count(*) from 产品销售开票"_s).toInt();
            QVERIFY(orders > 0);
            QCOMPARE(lines, orders * kLinesPerOrder);
            QCOMPARE(after->scalar(u"select count(*) from 充值记录 where 类型='下单扣除'"_s).toInt(), orders);
            QCOMPARE(Money::fromVariant(after->scalar(u"select 帐户余额 from 客户资料"_s)),
                     Money::fromInt(1000000 - 30 * orders));
            QCOMPARE(Money::fromVariant(after->scalar(u"select 当前库存 from 菜单表"_s)),
                     Money::fromInt(100000 - kLinesPerOrder * orders));
            QCOMPARE(after->scalar(u"select count(distinct 单据编号) from 充值记录"_s).toInt(), orders);
        }
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(kChildVariable)) {
        QCoreApplication app(argc, argv);
        return runChild(qEnvironmentVariable(kChildVariable));
    }
    QCoreApplication app(argc, argv);
    TestSaveCrash test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_savecrash.moc"
