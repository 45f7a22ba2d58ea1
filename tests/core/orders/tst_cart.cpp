#include "OrderFixtures.h"
#include "TestShop.h"
#include "orders/Cart.h"
#include "orders/Totals.h"

#include <QSet>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

Money m(const char *text)
{
    return Money::parseOrZero(QString::fromLatin1(text));
}

struct Fixture {
    lanfan::test::TestShop shop;
    QHash<QString, qint64> dish;
    Fixture() { dish = lanfan::test::addMenu(shop.db()); }
};

CartTable tableFor(int which)
{
    return which == 0 ? CartTable::sales() : CartTable::modification();
}

const CartLine *byName(const QList<CartLine> &lines, const QString &name)
{
    for (const CartLine &l : lines)
        if (l.name == name)
            return &l;
    return nullptr;
}

} // namespace

class TestCart : public QObject {
    Q_OBJECT
private Q_SLOTS:
    // The order forms' cart and the modification cart run the same service.
    void bothTables_data()
    {
        QTest::addColumn<int>("table");
        QTest::newRow("销售临时表") << 0;
        QTest::newRow("订单修改临时表") << 1;
    }

    void sameDishTwiceMerges_data() { bothTables_data(); }
    void sameDishTwiceMerges()
    {
        QFETCH(int, table);
        Fixture f;
        CartService cart(f.shop.context(), tableFor(table), u"k1"_s);
        QCOMPARE(cart.addDish(f.dish[u"宫保鸡丁"_s]), QString());
        QCOMPARE(cart.addDish(f.dish[u"宫保鸡丁"_s]), QString());
        const QList<CartLine> lines = cart.lines();
        QCOMPARE(lines.size(), 1);
        QCOMPARE(lines[0].quantity, m("2"));
        QCOMPARE(lines[0].price, m("20"));
        QCOMPARE(lines[0].originalPrice, m("20"));
        QCOMPARE(lines[0].amount, m("40"));
        QCOMPARE(lines[0].commission, m("3"));
        QCOMPARE(lines[0].newOld, u"新单"_s);
        QCOMPARE(lines[0].discounted, u"是"_s);
        QCOMPARE(lines[0].category, u"热菜"_s);
        QCOMPARE(lines[0].kitchenPrinter, QString()); // one kitchen printer
    }

    void flavouredLineIsNotMerged_data() { bothTables_data(); }
    void flavouredLineIsNotMerged()
    {
        QFETCH(int, table);
        Fixture f;
        CartService cart(f.shop.context(), tableFor(table), u"k1"_s);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        cart.setFlavour(cart.lines()[0].id, u"加蛋"_s);
        QCOMPARE(cart.lines()[0].price, m("22"));
        QCOMPARE(cart.lines()[0].amount, m("22"));
        QCOMPARE(cart.lines()[0].originalPrice, m("20"));
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        const QList<CartLine> lines = cart.lines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[1].flavour, QString());
        QCOMPARE(lines[1].quantity, m("1"));
        QCOMPARE(lines[1].amount, m("20"));
        // A flavour without a 口味 row costs nothing extra.
        cart.setFlavour(lines[1].id, u"少盐"_s);
        QCOMPARE(cart.line(lines[1].id)->price, m("20"));
    }

    void dishWithoutMarkTakesPartInDiscount()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"米饭"_s]);
        cart.addDish(f.dish[u"可乐"_s]);
        QCOMPARE(byName(cart.lines(), u"米饭"_s)->discounted, u"是"_s);
        QCOMPARE(byName(cart.lines(), u"可乐"_s)->discounted, u"否"_s);
        QCOMPARE(cart.discountedSum(), m("2"));
        QCOMPARE(cart.undiscountedSum(), m("5"));
        // A line whose mark is empty is charged in full.
        f.shop.db().execute(u"update 销售临时表 set 是否打折=null where 产品名称='米饭'"_s);
        QCOMPARE(cart.discountedSum(), Money());
        QCOMPARE(cart.undiscountedSum(), m("7"));
        TotalsBoxes boxes;
        boxes.rate = u"8"_s;
        const TotalsOutcome t = orderTotal(boxes, cart.discountedSum(), cart.undiscountedSum(), Money(), u"角分"_s);
        QCOMPARE(t.text, u"7.00"_s);
    }

    void setMeal_data() { bothTables_data(); }
    void setMeal()
    {
        QFETCH(int, table);
        Fixture f;
        CartService cart(f.shop.context(), tableFor(table), u"k1"_s);
        cart.addDish(f.dish[u"商务套餐"_s]);
        QList<CartLine> lines = cart.lines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].name, u"商务套餐"_s);
        QVERIFY(lines[0].isSetHead());
        QCOMPARE(lines[0].price, m("30"));
        QCOMPARE(lines[0].amount, m("30"));
        QCOMPARE(lines[0].commission, m("2"));
        QCOMPARE(lines[1].name, u"宫保鸡丁"_s);
        QCOMPARE(lines[1].defaultDish, u"宫保鸡丁"_s);
        QCOMPARE(lines[1].quantity, m("1"));
        QCOMPARE(lines[1].price, Money());
        QCOMPARE(lines[1].amount, Money());
        QCOMPARE(lines[1].commission, Money());
        QCOMPARE(lines[2].name, u"米饭"_s);
        QCOMPARE(lines[2].quantity, m("2"));
        for (const CartLine &l : lines)
            QCOMPARE(l.setName, u"商务套餐"_s);

        cart.addDish(f.dish[u"商务套餐"_s]);
        lines = cart.lines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].quantity, m("2"));
        QCOMPARE(lines[0].amount, m("60"));
        QCOMPARE(lines[0].commission, m("4"));
        QCOMPARE(lines[1].quantity, m("2"));
        QCOMPARE(lines[1].amount, Money());
        QCOMPARE(lines[2].quantity, m("3"));
        QCOMPARE(cart.discountedSum(), m("60"));
    }

    // A dish bought on its own never merges into a component of a set meal.
    void ordinaryDishBesideSetMeal()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"商务套餐"_s]);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        const QList<CartLine> lines = cart.lines();
        QCOMPARE(lines.size(), 4);
        QCOMPARE(lines[1].quantity, m("1"));
        QCOMPARE(lines[1].amount, Money());
        QCOMPARE(lines[3].name, u"宫保鸡丁"_s);
        QCOMPARE(lines[3].setName, QString());
        QCOMPARE(lines[3].amount, m("20"));
    }

    void quantityOfSetMealLine()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"商务套餐"_s]);
        cart.setQuantity(cart.lines()[2].id, m("3")); // a component
        for (const CartLine &l : cart.lines())
            QCOMPARE(l.quantity, m("3"));
        QCOMPARE(cart.lines()[0].amount, m("90"));
        QCOMPARE(cart.lines()[0].commission, m("6"));
        QCOMPARE(cart.lines()[1].amount, Money());
    }

    void quantityAndPriceEdits()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        const qint64 id = cart.lines()[0].id;
        cart.setQuantity(id, m("2.5"));
        QCOMPARE(cart.line(id)->amount, m("50"));
        QCOMPARE(cart.line(id)->commission, m("3.75"));
        cart.setPrice(id, m("18.88"));
        QCOMPARE(cart.line(id)->amount, m("47.2"));
    }

    void freeDishToggle_data() { bothTables_data(); }
    void freeDishToggle()
    {
        QFETCH(int, table);
        Fixture f;
        CartService cart(f.shop.context(), tableFor(table), u"k"_s);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        const qint64 id = cart.lines()[0].id;
        QCOMPARE(freeButtonCaption(*cart.line(id)), u"赠菜"_s);
        cart.toggleFree(id);
        QCOMPARE(cart.line(id)->amount, Money());
        QCOMPARE(freeButtonCaption(*cart.line(id)), u"不赠"_s);
        QCOMPARE(cart.discountedSum(), Money());
        cart.toggleFree(id);
        QCOMPARE(cart.line(id)->amount, m("40"));
        QCOMPARE(freeButtonCaption(*cart.line(id)), u"赠菜"_s);
    }

    // A free dish stays free when its quantity or flavour changes.
    void freeLineStaysFreeThroughEdits()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        const qint64 id = cart.lines()[0].id;
        cart.toggleFree(id);
        cart.setQuantity(id, m("2"));
        QCOMPARE(cart.line(id)->amount, Money());
        cart.setFlavour(id, u"加蛋"_s);
        QCOMPARE(cart.line(id)->price, m("22"));
        QCOMPARE(cart.line(id)->amount, Money());
        cart.toggleFree(id);
        QCOMPARE(cart.line(id)->amount, m("44"));
    }

    void combine_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<QString>("price");
        QTest::newRow("平均") << u"平均"_s << u"19"_s;
        QTest::newRow("最高") << u"最高"_s << u"20"_s;
    }
    void combine()
    {
        QFETCH(QString, rule);
        QFETCH(QString, price);
        Fixture f;
        f.shop.settings().setCurrent(u"双拼价格"_s, rule);
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        const qint64 id = cart.lines()[0].id;
        cart.setQuantity(id, m("2"));
        cart.setFlavour(id, u"微辣"_s);
        cart.combine(id, f.dish[u"鱼香肉丝"_s]);
        const CartLine l = *cart.line(id);
        QCOMPARE(l.name, u"宫保鸡丁+鱼香肉丝"_s);
        QCOMPARE(l.price, Money::parseOrZero(price));
        QCOMPARE(l.amount, Money::parseOrZero(price).times(m("2")));
        QCOMPARE(l.flavour, QString());
        // A flavour picked afterwards adds to the combined price.
        cart.setFlavour(id, u"加蛋"_s);
        QCOMPARE(cart.line(id)->price, Money::parseOrZero(price) + m("2"));
    }

    void removeLineOrSet()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"可乐"_s]);
        cart.addDish(f.dish[u"商务套餐"_s]);
        QCOMPARE(cart.lines().size(), 4);
        cart.remove(cart.lines()[2].id); // a component removes the whole set
        QCOMPARE(cart.lines().size(), 1);
        QCOMPARE(cart.lines()[0].name, u"可乐"_s);
        cart.remove(cart.lines()[0].id);
        QVERIFY(cart.lines().isEmpty());
        cart.remove(12345); // nothing there: nothing happens
        QVERIFY(cart.lines().isEmpty());
    }

    void doubleClickRemovesOnePortion()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        cart.addDish(f.dish[u"商务套餐"_s]);
        cart.addDish(f.dish[u"商务套餐"_s]);
        QList<CartLine> lines = cart.lines();
        const qint64 dishId = lines[0].id, headId = lines[1].id, partId = lines[2].id;

        cart.removeOnePortion(partId); // a component: nothing
        QCOMPARE(cart.lines().size(), 4);
        QCOMPARE(cart.line(partId)->quantity, m("2"));

        cart.removeOnePortion(dishId);
        QCOMPARE(cart.line(dishId)->quantity, m("1"));
        QCOMPARE(cart.line(dishId)->amount, m("20"));
        QCOMPARE(cart.line(dishId)->commission, m("1.5"));
        cart.removeOnePortion(dishId);
        QVERIFY(!cart.line(dishId));

        cart.removeOnePortion(headId);
        lines = cart.lines();
        QCOMPARE(lines.size(), 3);
        QCOMPARE(lines[0].quantity, m("1"));
        QCOMPARE(lines[0].amount, m("30"));
        QCOMPARE(lines[2].quantity, m("1"));
        cart.removeOnePortion(headId);
        QVERIFY(cart.lines().isEmpty());
    }

    void doubleClickSettingNoDelete()
    {
        Fixture f;
        f.shop.settings().setCurrent(u"已选菜区域双击动作"_s, u"不删除"_s);
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        cart.removeOnePortion(cart.lines()[0].id);
        QCOMPARE(cart.lines().size(), 1);
        QCOMPARE(cart.lines()[0].quantity, m("1"));
    }

    void alternativesOfComponent()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"商务套餐"_s]);
        const QList<CartLine> lines = cart.lines();
        QCOMPARE(cart.alternatives(lines[1].id), (QStringList{u"鱼香肉丝"_s, u"回锅肉"_s}));
        QVERIFY(cart.alternatives(lines[0].id).isEmpty());
        QVERIFY(cart.alternatives(lines[2].id).isEmpty());
        cart.setName(lines[1].id, u"鱼香肉丝"_s);
        QCOMPARE(cart.line(lines[1].id)->name, u"鱼香肉丝"_s);
        QCOMPARE(cart.line(lines[1].id)->defaultDish, u"宫保鸡丁"_s);
        // The swapped component keeps its alternatives.
        QCOMPARE(cart.alternatives(lines[1].id).size(), 2);
    }

    void flavourEditor()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        QCOMPARE(cart.flavourNames(), (QStringList{u"微辣"_s, u"加蛋"_s}));
        FlavourChoice c{QString(), m("20")};
        c = addFlavour(c, u"微辣"_s, cart.surchargeOf(u"微辣"_s));
        c = addFlavour(c, u"加蛋"_s, cart.surchargeOf(u"加蛋"_s));
        QCOMPARE(c.flavours, u"微辣,加蛋"_s);
        QCOMPARE(c.price, m("22"));
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        const qint64 id = cart.lines()[0].id;
        cart.setFlavoursAndPrice(id, c.flavours, c.price);
        QCOMPARE(cart.line(id)->flavour, u"微辣,加蛋"_s);
        QCOMPARE(cart.line(id)->amount, m("44"));
    }

    void kitchenPrinterByCategory()
    {
        Fixture f;
        f.shop.settings().setCurrent(u"后厨打印机台数"_s, u"多台后厨打印机"_s);
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"可乐"_s]);
        cart.addDish(f.dish[u"商务套餐"_s]);
        QCOMPARE(cart.lines()[0].kitchenPrinter, u"吧台打印机"_s);
        for (const CartLine &l : cart.lines().mid(1))
            QCOMPARE(l.kitchenPrinter, u"厨房打印机"_s);
        QVERIFY(f.shop.prompter().entries().isEmpty());

        // Two dishes of one name in different categories: warned, no printer.
        lanfan::test::addDish(f.shop.db(), u"可乐"_s, u"6"_s, u"热菜"_s);
        cart.clear();
        QCOMPARE(cart.addDish(f.dish[u"可乐"_s]), QString());
        QCOMPARE(f.shop.prompter().lastText(), u"注意，该菜品没有种类或者对应多个种类，将会导致多台后厨打印机混乱"_s);
        QCOMPARE(cart.lines().size(), 1);
        QCOMPARE(cart.lines()[0].kitchenPrinter, QString());
    }

    void roundOffTextChecked()
    {
        Fixture f;
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        QCOMPARE(cart.addDish(f.dish[u"可乐"_s], u"x"_s), notANumberMessage(u"抹零"_s, u"x"_s));
        QVERIFY(cart.lines().isEmpty());
        QCOMPARE(cart.addDish(f.dish[u"可乐"_s], u"-"_s), QString());
        QCOMPARE(cart.addDish(f.dish[u"可乐"_s], u"1.5"_s), QString());
        QCOMPARE(cart.lines()[0].quantity, m("2"));
    }

    void cartsWithDifferentKeysAreApart_data() { bothTables_data(); }
    void cartsWithDifferentKeysAreApart()
    {
        QFETCH(int, table);
        Fixture f;
        CartService a(f.shop.context(), tableFor(table), u"A"_s);
        CartService b(f.shop.context(), tableFor(table), u"B"_s);
        a.addDish(f.dish[u"宫保鸡丁"_s]);
        b.addDish(f.dish[u"宫保鸡丁"_s]);
        b.addDish(f.dish[u"商务套餐"_s]);
        a.addDish(f.dish[u"商务套餐"_s]);
        QCOMPARE(a.lines().size(), 4);
        QCOMPARE(b.lines().size(), 4);
        QCOMPARE(a.lines()[0].quantity, m("1"));
        QCOMPARE(a.lines()[1].quantity, m("1"));
        const qint64 bLine = b.lines()[0].id;
        // Another cart's line id is not this cart's line.
        a.remove(bLine);
        a.setQuantity(bLine, m("9"));
        a.toggleFree(bLine);
        QCOMPARE(b.line(bLine)->quantity, m("1"));
        QCOMPARE(b.line(bLine)->amount, m("20"));
        QVERIFY(!a.line(bLine));
        a.remove(a.lines()[1].id); // A's set only
        QCOMPARE(a.lines().size(), 1);
        QCOMPARE(b.lines().size(), 4);
        QCOMPARE(a.discountedSum(), m("20"));
        QCOMPARE(b.discountedSum(), m("50"));
        a.clear();
        QVERIFY(a.lines().isEmpty());
        QCOMPARE(b.lines().size(), 4);
    }

    void modificationCartProtectsOldLines()
    {
        Fixture f;
        Db &db = f.shop.db();
        db.execute(u"insert into 订单修改临时表 (单据编号,产品名称,数量,单价,原价,应付货款,提成,新老,是否打折)"
                   u" values ('202612110001','宫保鸡丁',3,20,20,60,4.5,'老单','是')"_s);
        CartService cart(f.shop.context(), CartTable::modification(), u"202612110001"_s);
        cart.setMergeOnlyNewLines(true);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        cart.addDish(f.dish[u"宫保鸡丁"_s]);
        const QList<CartLine> lines = cart.lines();
        QCOMPARE(lines.size(), 2);
        QCOMPARE(lines[0].quantity, m("3"));
        QCOMPARE(lines[1].newOld, u"新单"_s);
        QCOMPARE(lines[1].quantity, m("2"));
        // Without protection the old line takes the portion.
        cart.setMergeOnlyNewLines(false);
        CartService other(f.shop.context(), CartTable::modification(), u"202612110001"_s);
        other.addDish(f.dish[u"宫保鸡丁"_s]);
        QCOMPARE(other.lines()[0].quantity, m("4"));
    }

    // Cart writes may skip the flush to disk, but leave the connection as it
    // was for the order saves that follow.
    void connectionKeepsItsSyncSetting()
    {
        Fixture f;
        const QVariant before = f.shop.db().scalar(u"PRAGMA synchronous"_s);
        QCOMPARE(before.toInt(), 2);
        CartService cart(f.shop.context(), CartTable::sales(), u"k"_s);
        cart.addDish(f.dish[u"商务套餐"_s]);
        cart.setQuantity(cart.lines()[0].id, m("2"));
        cart.removeOnePortion(cart.lines()[0].id);
        cart.remove(cart.lines()[0].id);
        QCOMPARE(f.shop.db().scalar(u"PRAGMA synchronous"_s), before);
        QVERIFY(cart.addDish(f.dish[u"宫保鸡丁"_s], u"x"_s).size() > 0);
        QCOMPARE(f.shop.db().scalar(u"PRAGMA synchronous"_s), before);
        // Inside a saving transaction the cart does not touch the setting.
        {
            Transaction tx(f.shop.db());
            cart.addDish(f.dish[u"宫保鸡丁"_s]);
            tx.commit();
        }
        QCOMPARE(f.shop.db().scalar(u"PRAGMA synchronous"_s), before);
        QCOMPARE(cart.lines().size(), 1);
    }

    void cartKeysAreUnique()
    {
        lanfan::test::TestShop shop; // the clock stands still: every key in the same millisecond
        QSet<QString> keys;
        for (int i = 0; i < 1000; ++i) {
            const QString key = newCartKey(shop.clock());
            QVERIFY(key.size() <= 50);
            QVERIFY(key.startsWith(u"20261211120000000"_s));
            keys.insert(key);
        }
        QCOMPARE(keys.size(), 1000);
    }
};

QTEST_GUILESS_MAIN(TestCart)
#include "tst_cart.moc"
