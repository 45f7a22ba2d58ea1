// Dish picker speed on a large menu:
//  - quick search: one keystroke in the search box over 5,000 dishes, until
//    the dish list is laid out and painted (icon view and list view);
//  - adding a dish to a cart of 50 lines, until the cart grid and the total
//    after discount are refreshed.
// Run: QT_QPA_PLATFORM=offscreen build-*/bench/lanfan_bench_picker

#include "TestShop.h"
#include "common/Money.h"
#include "orders/Cart.h"
#include "orders/DishPicker.h"
#include "orders/ImCode.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QRandomGenerator>
#include <QTableView>

#include <algorithm>
#include <cstdio>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

struct Stats {
    double median;
    double p95;
    double max;
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
}

// 5,000 dishes with names of two to five common characters in 25 categories.
void fillMenu(Db &db, int count)
{
    const QString chars = u"宫保鸡丁鱼香肉丝红烧排骨酸辣土豆麻婆豆腐回锅牛腩番茄炒蛋青椒干煸四季豆可乐米饭面条水饺馄饨蒸"
                          u"清炖羊汤锅包虾仁小笼包油条豆浆粥凉拌黄瓜木耳茄子白菜菠菜鸭血粉丝烤翅汉堡薯条披萨"_s;
    QRandomGenerator rng(20261211);
    Transaction tx(db);
    for (int c = 0; c < 25; ++c)
        db.execute(u"insert into 种类 (种类,排序编号,后厨打印机,是否参与打折) values (:z,:p,'厨房','是')"_s,
                   {{u"z"_s, u"类别%1"_s.arg(c + 1)}, {u"p"_s, c}});
    for (int i = 0; i < count; ++i) {
        QString name;
        const int len = 2 + int(rng.bounded(4));
        for (int k = 0; k < len; ++k)
            name += chars.at(int(rng.bounded(chars.size())));
        name += QString::number(i); // names are unique
        db.execute(u"insert into 菜单表 (编号,名称,食物总类,单价,拼音,业务员提成,是否参与打折,排序编号,当前库存)"
                   u" values (:bh,:mc,:lb,:dj,:py,1,'是',:px,100)"_s,
                   {{u"bh"_s, QString::number(10000 + i)},
                    {u"mc"_s, name},
                    {u"lb"_s, u"类别%1"_s.arg(i % 25 + 1)},
                    {u"dj"_s, QVariant::fromValue(Money::fromUnits(50000 + rng.bounded(500000)))},
                    {u"py"_s, dishMnemonic(name)},
                    {u"px"_s, i}});
    }
    tx.commit();
}

} // namespace

int main(int argc, char **argv)
{
    QApplication app(argc, argv);
    lanfan::test::TestShop shop;
    shop.context().currentOperator().rights = {u"1"_s, u"11111111111111"_s};
    const int dishes = 5000;
    fillMenu(shop.db(), dishes);

    DishPicker picker(shop.context(), CartTable::sales(), newCartKey(shop.clock()));
    picker.resize(1200, 700);
    picker.show();
    QCoreApplication::processEvents();
    auto *search = picker.findChild<QLineEdit *>(u"Edit12"_s);
    auto *list = picker.findChild<QListView *>(u"ListView2"_s);
    auto *grid = picker.findChild<QTableView *>(u"DBGridEh1"_s);

    // Keystrokes as an operator types them: initials, numbers, name parts.
    const QStringList words{u"gbjd"_s, u"yxrs"_s, u"hspg"_s, u"mpdf"_s, u"kl"_s, u"101"_s, u"1234"_s,
                            u"xj"_s, u"dj"_s, u"宫保"_s, u"汉堡"_s, u"zz"_s};
    std::printf("menu of %d dishes, cart of 50 lines; SQLite in a temporary folder\n", dishes);
    for (bool icons : {true, false}) {
        picker.setIconView(icons);
        QList<double> times;
        int listed = 0;
        for (int round = 0; round < 5; ++round) {
            for (const QString &word : words) {
                search->clear();
                QCoreApplication::processEvents();
                for (int k = 1; k <= word.size(); ++k) {
                    QElapsedTimer t;
                    t.start();
                    search->setText(word.left(k)); // runs the search
                    list->doItemsLayout();
                    list->viewport()->repaint();
                    times << t.nsecsElapsed() / 1e6;
                    listed += list->model()->rowCount();
                }
            }
        }
        print(icons ? "quick search keystroke, icon view" : "quick search keystroke, list view", stats(times), 30);
        std::printf("    (%lld keystrokes, %.0f dishes listed on average)\n", qlonglong(times.size()),
                    double(listed) / times.size());
    }

    // A cart of 50 lines.
    search->clear();
    QList<qint64> ids;
    for (const SqlRow &r : shop.db().rows(u"select id from 菜单表 order by id"_s))
        ids << r.integer(u"id"_s);
    for (int i = 0; i < 50; ++i)
        picker.cart().addDish(ids[i]);
    picker.refreshCart();
    QList<double> newLine, merged, coreOnly;
    for (int i = 0; i < 100; ++i) {
        // A dish not in the cart: one more line; then taken out again.
        QElapsedTimer t;
        t.start();
        picker.cart().addDish(ids[100 + i]);
        picker.refreshCart();
        grid->viewport()->repaint();
        newLine << t.nsecsElapsed() / 1e6;
        picker.cart().remove(picker.cart().lines().last().id);
        picker.refreshCart();

        // A dish already in the cart: its line gets one more portion.
        t.restart();
        picker.cart().addDish(ids[i % 50]);
        picker.refreshCart();
        grid->viewport()->repaint();
        merged << t.nsecsElapsed() / 1e6;
    }
    for (int i = 0; i < 100; ++i) {
        QElapsedTimer t;
        t.start();
        picker.cart().addDish(ids[i % 50]);
        (void)picker.cart().lines();
        (void)picker.cart().discountedSum();
        (void)picker.cart().undiscountedSum();
        coreOnly << t.nsecsElapsed() / 1e6;
    }
    print("add a new dish + refresh grid and total", stats(newLine), 20);
    print("add a dish already in the cart + refresh", stats(merged), 20);
    print("  of which the cart service alone", stats(coreOnly), 20);
    std::printf("cart lines at the end: %lld, total %s\n", qlonglong(picker.cart().lines().size()),
                qPrintable(picker.totalText()));
    return 0;
}
