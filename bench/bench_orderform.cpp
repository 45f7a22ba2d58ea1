// Order form speed on a shop with years of history (100,000 customers,
// 2,000,000 order lines):
//  - a call: the popup is created, shown and its number looked up (substring
//    match of 联系电话, the customer, his addresses, last order and its
//    lines, the repeat-call check), then the history tab is filled;
//  - saving a 10-line order through the whole save (synchronous=FULL).
// Run: QT_QPA_PLATFORM=offscreen build-*/bench/lanfan_bench_orderform
// Building the synthetic shop takes a minute or two.

#include "TestShop.h"
#include "common/Money.h"
#include "orders/Cart.h"
#include "orders/OrderForms.h"
#include "orders/OrderSave.h"
#include "orders/Txiaoshou.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

struct Stats {
    double median, p95, max;
};

Stats stats(QList<double> ms)
{
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[qsizetype(ms.size() * 0.95)], ms.last()};
}

void print(const char *what, const Stats &s, double limit)
{
    std::printf("%-46s median %6.2f ms   p95 %6.2f ms   max %6.2f ms   (limit %.0f ms)\n", what, s.median, s.p95,
                s.max, limit);
    std::fflush(stdout);
}

QString phoneOf(int i) { return u"139%1"_s.arg(10000000 + i * 7, 8, 10, QChar(u'0')); }

void fillShop(Db &db, int customers, int lines)
{
    QRandomGenerator rng(20261211);
    QSqlDatabase h = db.handle();
    h.transaction();
    QSqlQuery c(h);
    c.prepare(u"insert into 客户资料 (客户姓名,联系电话,联系地址,客户类型,帐户余额,积分,购物次数,购物金额,黑名单) "
              u"values (?,?,?,'',0,0,0,0,'否')"_s);
    for (int i = 0; i < customers; ++i) {
        c.addBindValue(u"客户%1"_s.arg(i));
        // One customer in ten holds a second number.
        c.addBindValue(i % 10 == 0 ? phoneOf(i) + u',' + u"0571%1"_s.arg(80000000 + i) : phoneOf(i));
        c.addBindValue(u"幸福路%1号"_s.arg(i));
        c.exec();
    }
    QSqlQuery l(h);
    l.prepare(u"insert into 产品销售开票 (单据编号,购物日期,时间,开单日期时间,客户编号,产品名称,数量,单价,应付货款,实付货款,"
              u"收款方式,配送工,送餐日期,送餐时间,地址,发货完毕,交款完毕) values (?,?,?,?,?,?,1,20,20,20,'现金','小王',?,?,?,1,1)"_s);
    const QDate start(2021, 1, 1);
    int order = 0;
    for (int n = 0; n < lines;) {
        const int customer = 1 + int(rng.bounded(customers));
        const QDateTime at(start.addDays(order / 200), QTime(11, 0).addSecs(order % 200 * 60));
        const QString number = at.date().toString(u"yyyyMMdd"_s) + u"%1"_s.arg(order % 200 + 1, 4, 10, QChar(u'0'));
        for (int k = 0; k < 10 && n < lines; ++k, ++n) {
            l.addBindValue(number);
            l.addBindValue(at.date().toString(u"yyyy-MM-dd"_s));
            l.addBindValue(at.time().toString(u"HH:mm:ss"_s));
            l.addBindValue(at.toString(u"yyyy-MM-dd HH:mm:ss"_s));
            l.addBindValue(QString::number(customer));
            l.addBindValue(u"菜品%1"_s.arg(k));
            l.addBindValue(at.date().toString(u"yyyy-MM-dd"_s));
            l.addBindValue(at.time().toString(u"HH:mm:ss"_s));
            l.addBindValue(u"幸福路%1号"_s.arg(customer));
            l.exec();
        }
        ++order;
    }
    h.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    lanfan::test::TestShop shop;
    shop.clock().set(QDateTime(QDate(2026, 3, 10), QTime(12, 0)));
    shop.context().currentOperator().rights = {u"1111"_s, u"11111111111111"_s};
    Db &db = shop.db();
    const int customers = 100000, lines = 2000000;
    QElapsedTimer fill;
    fill.start();
    fillShop(db, customers, lines);
    db.execute(u"insert into 菜单表 (编号,名称,食物总类,单价,拼音,当前库存) values ('1','菜品','热菜',20,'cp',1000000)"_s);
    db.execute(u"analyze"_s);
    std::printf("synthetic shop: %d customers, %d order lines in %.1f s\n", customers, lines, fill.elapsed() / 1000.0);

    OrderForms forms(shop.context());
    forms.printOverride = [](const QString &) {};
    forms.openCustomerList = [](const CustomerPickRequest &) {};
    QRandomGenerator rng(7);
    QList<double> lookup, history;
    for (int i = 0; i < 40; ++i) {
        const QString number = phoneOf(int(rng.bounded(customers)));
        QElapsedTimer t;
        t.start();
        CallPopupInputs in;
        in.key = u"a"_s + number;
        in.phone = number;
        in.callNumber = number;
        Txiaoshou2 *form = forms.createPopup(in);
        form->show();
        form->findChild<QPushButton *>(u"Button6"_s)->click();
        lookup << t.nsecsElapsed() / 1e6;
        t.restart();
        form->findChild<QTabWidget *>(u"PageControl1"_s)->setCurrentIndex(1);
        history << t.nsecsElapsed() / 1e6;
        form->close();
        QCoreApplication::processEvents();
    }
    print("call popup filled (lookup, last order, prompt)", stats(lookup), 100);
    print("history tab of the caller", stats(history), 100);

    QList<double> save;
    TakeawaySaver saver(shop.context());
    for (int i = 0; i < 40; ++i) {
        const QString key = newCartKey(shop.clock()) + QString::number(i);
        for (int k = 0; k < 10; ++k)
            db.execute(u"insert into 销售临时表 (时间,产品名称,数量,单价,应付货款,原价,提成,新老,是否打折) "
                       u"values (:k,'菜品',1,20,20,20,0,'新单','是')"_s,
                       {{u"k"_s, key}});
        TakeawayDraft d;
        d.cartKey = key;
        d.customerId = QString::number(1 + rng.bounded(customers));
        d.registeredPhone = u"13900000000"_s;
        d.address = u"幸福路1号"_s;
        d.name = u"客户"_s;
        d.totalText = u"200"_s;
        d.deliveryDate = QDate(2026, 3, 10);
        d.deliveryTime = QTime(12, 30);
        QElapsedTimer t;
        t.start();
        const OrderSaveOutcome out = saver.save(d);
        save << t.nsecsElapsed() / 1e6;
        if (!out.saved()) {
            std::printf("save refused: %s\n", qPrintable(out.message));
            return 1;
        }
    }
    print("saving a 10-line order (synchronous=FULL)", stats(save), 30);
    return 0;
}
