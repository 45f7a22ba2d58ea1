// Main board speed on a shop with five years of history (2,000,000 order
// lines, about 110 orders a day, ten lines each, and 50,000 top-ups):
//  - refreshing the board for today (both tabs, footers, the selection);
//  - computing and showing today's figures;
//  - switching to the dine-in tab, to the dish chart (which re-counts the
//    day's dishes) and back to the takeaway tab;
//  - "查询" over the last 30 days.
// Run: QT_QPA_PLATFORM=offscreen build-*/bench/lanfan_bench_board
// Building the synthetic shop takes a minute or two.

#include "TestShop.h"
#include "board/BoardModel.h"
#include "board/OrderBoard.h"
#include "board/BoardQueries.h"
#include "board/TodayFigures.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QElapsedTimer>
#include <QPushButton>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSqlQuery>
#include <QTabWidget>

#include <algorithm>
#include <cstdio>
#include <functional>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

struct Stats {
    double median, p95, max;
};

Stats measure(int runs, const std::function<void()> &work)
{
    QList<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work();
        QCoreApplication::processEvents();
        ms << t.nsecsElapsed() / 1e6;
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[qsizetype(ms.size() * 0.95)], ms.last()};
}

void print(const char *what, const Stats &s, double limit)
{
    std::printf("%-46s median %6.2f ms   p95 %6.2f ms   max %6.2f ms   (limit %.0f ms)\n", what, s.median, s.p95,
                s.max, limit);
    std::fflush(stdout);
}

// Lines from five years ago up to today (the test clock's 2026-12-11), and
// a few orders due in the coming days.
void fillShop(Db &db, int lines, QDate today)
{
    QRandomGenerator rng(20261211);
    QSqlDatabase h = db.handle();
    h.transaction();
    QSqlQuery l(h);
    l.prepare(u"insert into 产品销售开票 (单据编号,购物日期,时间,开单日期时间,客户编号,客户姓名,区域,地址,电话,产品名称,数量,单价,"
              u"应付货款,折后金额,收款方式,配送工,送餐日期,送餐时间,送餐日期时间,上下午,订单类型,发货完毕,发货时间,交款完毕,"
              u"收款时间,订单状态) values (?,?,?,?,?,?,?,?,?,?,1,20,20,?,?,'小王',?,?,?,?,?,?,?,?,?,?)"_s);
    const int perDay = 1100;
    const int days = (lines + perDay - 1) / perDay;
    const QDate first = today.addDays(-(days - 1));
    const QStringList areas = {u"东区"_s, u"西区"_s, u"南区"_s, u"北区"_s};
    // The first day is the partial one, so that today is a full day.
    const int skipped = (days * perDay - lines) / 10;
    int n = 0;
    for (int d = 0; d < days && n < lines; ++d) {
        const QDate day = first.addDays(d);
        const bool isToday = day == today;
        for (int o = d == 0 ? skipped : 0; o < perDay / 10 && n < lines; ++o) {
            const QDateTime at(day, QTime(10, 0).addSecs(o * 300));
            const QString number = day.toString(u"yyyyMMdd"_s) + u"%1"_s.arg(o + 1, 4, 10, QChar(u'0'));
            // Today's orders are in every state; older ones are done.
            const bool dispatched = !isToday || o % 2 == 0;
            const bool paid = !isToday || o % 3 == 0;
            const QDate due = isToday && o % 10 == 9 ? day.addDays(1 + o % 3) : day;
            const QString payment = o % 17 == 0 ? u"签单"_s : u"现金"_s;
            const int customer = 1 + int(rng.bounded(100000));
            const QString kind = o % 8 == 0 ? u"堂食"_s : u"外卖"_s;
            for (int k = 0; k < 10 && n < lines; ++k, ++n) {
                l.addBindValue(number);
                l.addBindValue(day.toString(u"yyyy-MM-dd"_s));
                l.addBindValue(at.time().toString(u"HH:mm:ss"_s));
                l.addBindValue(at.toString(u"yyyy-MM-dd HH:mm:ss"_s));
                l.addBindValue(QString::number(customer));
                l.addBindValue(u"客户%1"_s.arg(customer));
                l.addBindValue(areas[customer % 4]);
                l.addBindValue(u"幸福路%1号"_s.arg(customer));
                l.addBindValue(u"139%1"_s.arg(customer, 8, 10, QChar(u'0')));
                l.addBindValue(u"菜品%1"_s.arg((o + k) % 46));
                l.addBindValue(200);
                l.addBindValue(payment);
                l.addBindValue(due.toString(u"yyyy-MM-dd"_s));
                l.addBindValue(at.addSecs(1800).time().toString(u"HH:mm:ss"_s));
                l.addBindValue(QDateTime(due, at.addSecs(1800).time()).toString(u"yyyy-MM-dd HH:mm:ss"_s));
                l.addBindValue(o < 50 ? u"午餐"_s : u"晚餐"_s);
                l.addBindValue(kind);
                l.addBindValue(dispatched ? 1 : 0);
                l.addBindValue(dispatched ? QVariant(at.addSecs(600).toString(u"yyyy-MM-dd HH:mm:ss"_s)) : QVariant());
                l.addBindValue(paid ? 1 : 0);
                l.addBindValue(paid ? QVariant(at.addSecs(2400).toString(u"yyyy-MM-dd HH:mm:ss"_s)) : QVariant());
                l.addBindValue(dispatched ? (paid ? u"已发货已收款"_s : u"已发货未收款"_s)
                                          : (paid ? u"未发货已收款"_s : u"未发货未收款"_s));
                l.exec();
            }
        }
    }
    QSqlQuery t(h);
    t.prepare(u"insert into 充值记录 (客户编号,充值金额,充值时间,类型) values (?,?,?,?)"_s);
    for (int i = 0; i < 50000; ++i) {
        t.addBindValue(QString::number(i));
        t.addBindValue(100);
        t.addBindValue(QDateTime(first.addDays(i % days), QTime(12, 0)).toString(u"yyyy-MM-dd HH:mm:ss"_s));
        t.addBindValue(i % 5 == 0 ? u"消费"_s : u"充值"_s);
        t.exec();
    }
    h.commit();
    db.execute(u"analyze"_s);
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    lanfan::test::TestShop shop;
    const QDate today = shop.clock().today();
    const int lines = argc > 1 ? QString::fromLocal8Bit(argv[1]).toInt() : 2000000;
    QElapsedTimer build;
    build.start();
    fillShop(shop.db(), lines, today);
    std::printf("shop: %d order lines up to %s, built in %.1f s\n", lines, qPrintable(today.toString(u"yyyy-MM-dd"_s)),
                build.elapsed() / 1000.0);

    OrderBoard board(shop.context());
    board.resize(1280, 760);
    board.show();
    board.readColourSwitch();
    board.loadLists();
    board.applyColumnLayout();
    board.shuaxinmain();
    std::printf("today's board: %d takeaway orders, %d dine-in orders\n", board.takeawayModel()->rowCount(),
                board.dineInModel()->rowCount());

    print("refresh the board for today (shuaxinmain)", measure(30, [&] { board.shuaxinmain(); }), 100);
    print("today's figures (compute and show)", measure(30, [&] { board.refreshFigures(); }), 100);
    const auto f = board::computeTodayFigures(shop.context());
    std::printf("  figures: %lld orders, %s portions, received %s, future %lld\n", f.orders,
                qPrintable(f.portions.toString()), qPrintable(f.received.toString()), f.futureOrders);
    auto *tabs = board.findChild<QTabWidget *>(u"PageControl1"_s);
    print("switch to the dine-in tab and back", measure(30, [&] {
              tabs->setCurrentIndex(1);
              QCoreApplication::processEvents();
              tabs->setCurrentIndex(0);
          }),
          100);
    board::BoardQueries queries(shop.context());
    print("  of which the dish count query", measure(30, [&] { queries.dishSales(u"全天"_s); }), 100);
    print("switch to the dish chart (re-counts dishes)", measure(30, [&] {
              tabs->setCurrentIndex(2);
              QCoreApplication::processEvents();
              tabs->setCurrentIndex(0);
          }),
          100);
    board.findChild<QRadioButton *>(u"RadioButton2"_s)->setChecked(true);
    board.findChild<QDateEdit *>(u"DateTimePicker1"_s)->setDate(today.addDays(-29));
    print("查询 over the last 30 days (about 3,000 orders)", measure(10, [&] { board.query(); }), 1000);
    return 0;
}
