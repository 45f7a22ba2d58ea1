#include "../../core/orders/OrderFixtures.h"
#include "TestShop.h"
#include "orders/Cart.h"
#include "orders/DishPicker.h"
#include "orders/TFkouwei_bianji.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPushButton>
#include <QTableView>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

// Business rights with 订单打折 (9), 订单抹零 (10) and 赠菜 (11) granted.
const QString kAllBusinessRights = u"11111111111111"_s;

struct Window {
    lanfan::test::TestShop shop;
    QHash<QString, qint64> dish;
    std::unique_ptr<DishPicker> picker;

    explicit Window(const QString &businessRights = kAllBusinessRights,
                    const std::function<void(lanfan::test::TestShop &)> &before = {})
    {
        dish = lanfan::test::addMenu(shop.db());
        shop.context().currentOperator().rights = {u"1111"_s, businessRights};
        if (before)
            before(shop);
        picker = std::make_unique<DishPicker>(shop.context(), CartTable::sales(), newCartKey(shop.clock()));
        picker->resize(1000, 600);
        picker->show();
        picker->activateWindow();
        if (!QTest::qWaitForWindowActive(picker.get()))
            qWarning("picker window not active");
    }
    template <typename T> T *child(const char *name) const
    {
        T *w = picker->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no %s", name);
        return w;
    }
    QListView *dishes() const { return child<QListView>("ListView2"); }
    QLineEdit *search() const { return child<QLineEdit>("Edit12"); }
    QTableView *grid() const { return child<QTableView>("DBGridEh1"); }
    QString total() const { return child<QLabel>("Label27")->text(); }
    QStringList captions() const
    {
        QStringList out;
        for (int i = 0; i < dishes()->model()->rowCount(); ++i)
            out << dishes()->model()->index(i, 0).data().toString();
        return out;
    }
    void typeSearch(const QString &text)
    {
        search()->clear();
        search()->setFocus();
        bool ascii = true;
        for (QChar c : text)
            ascii = ascii && c.unicode() < 0x80;
        if (ascii)
            QTest::keyClicks(search(), text);
        else
            search()->setText(text); // as an input method would
    }
    void selectDish(const QString &name)
    {
        for (int i = 0; i < dishes()->model()->rowCount(); ++i)
            if (dishes()->model()->index(i, 0).data().toString().startsWith(name + u','))
                return dishes()->setCurrentIndex(dishes()->model()->index(i, 0));
        qFatal("dish not listed");
    }
    void add(const QString &name)
    {
        typeSearch(name);
        selectDish(name);
        picker->addSelectedDish();
    }
    void selectRow(int row) { grid()->setCurrentIndex(grid()->model()->index(row, 0)); }
    QString cell(int row, int column) const { return grid()->model()->index(row, column).data().toString(); }
};

} // namespace

class TestDishPicker : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void quickSearchByInitialsAndEnter()
    {
        Window w;
        w.typeSearch(u"gbjd"_s);
        QCOMPARE(w.captions(), QStringList{u"宫保鸡丁,价:20"_s});
        QTest::keyClick(w.search(), Qt::Key_Return);
        QVERIFY(w.dishes()->hasFocus());
        QCOMPARE(w.dishes()->currentIndex().row(), 0);
        QTest::keyClick(w.dishes(), Qt::Key_Return);
        QCOMPARE(w.grid()->model()->rowCount(), 1);
        QCOMPARE(w.cell(0, 0), u"宫保鸡丁"_s);
        QCOMPARE(w.total(), u"20.00"_s);
        QVERIFY(w.search()->hasFocus());
    }

    void searchMatchesCodeNumberAndName_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QStringList>("names");
        QTest::newRow("initials inside the code") << u"bj"_s << QStringList{u"宫保鸡丁"_s};
        QTest::newRow("number") << u"10"_s << QStringList{u"宫保鸡丁"_s, u"鱼香肉丝"_s, u"米饭"_s};
        QTest::newRow("name") << u"套餐"_s << QStringList{u"商务套餐"_s};
        QTest::newRow("nothing") << u"zzz"_s << QStringList{};
    }
    void searchMatchesCodeNumberAndName()
    {
        QFETCH(QString, text);
        QFETCH(QStringList, names);
        Window w;
        w.typeSearch(text);
        QStringList got;
        for (const QString &c : w.captions())
            got << c.section(u',', 0, 0);
        QCOMPARE(got, names);
    }

    void categoriesAndStock()
    {
        Window w(kAllBusinessRights,
                 [](lanfan::test::TestShop &shop) { shop.settings().setCurrent(u"点菜显示库存"_s, u"显示"_s); });
        auto *categories = w.child<QListWidget>("ListView1");
        QCOMPARE(categories->count(), 4);
        QCOMPARE(categories->item(0)->text(), u"全部"_s);
        QCOMPARE(categories->item(2)->text(), u"饮料"_s);
        QCOMPARE(w.captions().size(), 5);
        QCOMPARE(w.captions().first(), u"宫保鸡丁,价:20,库:12"_s);
        QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                          categories->visualItemRect(categories->item(2)).center());
        QCOMPARE(w.captions(), QStringList{u"可乐,价:5,库:0"_s});
        QTest::mouseClick(categories->viewport(), Qt::LeftButton, {},
                          categories->visualItemRect(categories->item(0)).center());
        QCOMPARE(w.captions().size(), 5);
    }

    void doubleClickOrSingleClickAdds_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::newRow("双击") << u"双击"_s;
        QTest::newRow("单击") << u"单击"_s;
    }
    void doubleClickOrSingleClickAdds()
    {
        QFETCH(QString, mode);
        Window w(kAllBusinessRights, [&](lanfan::test::TestShop &shop) { shop.settings().setCurrent(u"点菜方式"_s, mode); });
        const QPoint at = w.dishes()->visualRect(w.dishes()->model()->index(2, 0)).center(); // 可乐
        QTest::mouseClick(w.dishes()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w.grid()->model()->rowCount(), mode == u"单击" ? 1 : 0);
        QTest::mouseDClick(w.dishes()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w.grid()->model()->rowCount(), 1);
        QCOMPARE(w.cell(0, 0), u"可乐"_s);
        QCOMPARE(w.cell(0, 2), u"1"_s);
    }

    void cartGridColumnsAndPriceColumn_data()
    {
        QTest::addColumn<QString>("rule");
        QTest::addColumn<bool>("editable");
        QTest::newRow("可以") << u"可以"_s << true;
        QTest::newRow("不可以") << u"不可以"_s << false;
    }
    void cartGridColumnsAndPriceColumn()
    {
        QFETCH(QString, rule);
        QFETCH(bool, editable);
        Window w(kAllBusinessRights, [&](lanfan::test::TestShop &shop) {
            shop.settings().writeShop(shop.db(), u"单价修改"_s, rule);
        });
        w.add(u"宫保鸡丁"_s);
        QAbstractItemModel *m = w.grid()->model();
        QStringList titles;
        for (int c = 0; c < m->columnCount(); ++c)
            if (!w.grid()->isColumnHidden(c))
                titles << m->headerData(c, Qt::Horizontal).toString();
        QCOMPARE(titles, (QStringList{u"产品名称"_s, u"口味"_s, u"数量"_s, u"单价"_s, u"应付货款"_s, u"提成"_s, u"参与打折"_s}));
        QCOMPARE(bool(m->flags(m->index(0, 3)) & Qt::ItemIsEditable), editable);
        QVERIFY(m->flags(m->index(0, 2)) & Qt::ItemIsEditable);
        for (int c : {4, 5, 6})
            QVERIFY(!(m->flags(m->index(0, c)) & Qt::ItemIsEditable));
        QCOMPARE(w.cell(0, 6), u"是"_s);
    }

    void quantityEditRefreshesTotalAndFooter()
    {
        Window w;
        w.add(u"宫保鸡丁"_s);
        w.add(u"可乐"_s);
        QCOMPARE(w.total(), u"25.00"_s);
        QAbstractItemModel *m = w.grid()->model();
        QVERIFY(m->setData(m->index(0, 2), u"3"_s));
        QTRY_COMPARE(w.total(), u"65.00"_s);
        QCOMPARE(w.cell(0, 4), u"60.00"_s);
        QVERIFY(w.child<QLabel>("footer")->text().contains(u"65.00"_s));
        QVERIFY(!m->setData(m->index(0, 2), u"三"_s));
        QCOMPARE(w.cell(0, 2), u"3"_s);
        // A flavour with a surcharge raises the price.
        QVERIFY(m->setData(m->index(0, 1), u"加蛋"_s));
        QTRY_COMPARE(w.total(), u"71.00"_s);
    }

    void freeDeleteAndDoubleClick()
    {
        Window w;
        w.add(u"宫保鸡丁"_s);
        w.add(u"宫保鸡丁"_s);
        w.add(u"可乐"_s);
        auto *free = w.child<QPushButton>("Button15");
        QVERIFY(free->isEnabled());
        w.selectRow(0);
        QCOMPARE(free->text(), u"赠菜"_s);
        free->click();
        QCOMPARE(free->text(), u"不赠"_s);
        QCOMPARE(w.total(), u"5.00"_s);
        free->click();
        QCOMPARE(free->text(), u"赠菜"_s);
        QCOMPARE(w.total(), u"45.00"_s);

        w.selectRow(0);
        const QPoint at = w.grid()->visualRect(w.grid()->model()->index(0, 0)).center();
        // A double click as the mouse makes it: press, release, double click.
        QTest::mouseClick(w.grid()->viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(w.grid()->viewport(), Qt::LeftButton, {}, at);
        QCOMPARE(w.cell(0, 2), u"1"_s);
        QCOMPARE(w.total(), u"25.00"_s);

        w.selectRow(1);
        w.child<QPushButton>("Button5")->click();
        QCOMPARE(w.grid()->model()->rowCount(), 1);
        QCOMPARE(w.total(), u"20.00"_s);
    }

    void totalsBoxes()
    {
        Window w;
        w.add(u"宫保鸡丁"_s); // discounted
        w.add(u"可乐"_s);     // not discounted
        auto *rate = w.child<QComboBox>("edit1");
        auto *roundOff = w.child<QLineEdit>("Edit7");
        rate->setCurrentText(u"8.5"_s);
        QCOMPARE(w.total(), u"22.00"_s);
        roundOff->setText(u"-"_s);
        QCOMPARE(w.total(), u"22.00"_s);
        QVERIFY(w.shop.prompter().entries().isEmpty());
        roundOff->setText(u"2"_s);
        QCOMPARE(w.total(), u"20.00"_s);
        roundOff->setText(u"2x"_s);
        QCOMPARE(w.total(), u"20.00"_s); // kept
        QCOMPARE(w.shop.prompter().lastText(), u"抹零“2x”不是有效的数字，请重新输入！！"_s);
        // Adding a dish with such a rounding-off text is refused.
        w.add(u"米饭"_s);
        QCOMPARE(w.grid()->model()->rowCount(), 2);
        roundOff->setText(u"0"_s);
        // An emptied rate box reads 10 again.
        rate->setCurrentText(QString());
        QCOMPARE(rate->currentText(), u"10"_s);
        QCOMPARE(w.total(), u"25.00"_s);
        QCOMPARE(w.picker->totalText(), u"25.00"_s);
    }

    void rights_data()
    {
        QTest::addColumn<QString>("business");
        QTest::addColumn<bool>("rate");
        QTest::addColumn<bool>("roundOff");
        QTest::addColumn<bool>("free");
        QTest::newRow("all") << u"11111111111"_s << true << true << true;
        QTest::newRow("none") << u"00000000000"_s << false << false << false;
        QTest::newRow("short string") << u"1111"_s << true << false << false;
    }
    void rights()
    {
        QFETCH(QString, business);
        QFETCH(bool, rate);
        QFETCH(bool, roundOff);
        QFETCH(bool, free);
        Window w(business);
        QCOMPARE(w.child<QComboBox>("edit1")->isEnabled(), rate);
        QCOMPARE(w.child<QLineEdit>("Edit7")->isEnabled(), roundOff);
        QCOMPARE(w.child<QPushButton>("Button15")->isEnabled(), free);
    }

    void taxStrip()
    {
        Window plain;
        QVERIFY(!plain.child<QComboBox>("ComboBox9")->isVisible());
        QCOMPARE(plain.child<QComboBox>("ComboBox9")->currentText(), u"0"_s);

        Window taxed(kAllBusinessRights, [](lanfan::test::TestShop &shop) {
            shop.settings().setCurrent(u"上税功能"_s, u"是"_s);
            shop.settings().setCurrent(u"服务费率"_s, u"10"_s);
            shop.settings().setCurrent(u"税率"_s, u"6"_s);
        });
        QVERIFY(taxed.child<QComboBox>("ComboBox9")->isVisible());
        taxed.add(u"宫保鸡丁"_s);
        QCOMPARE(taxed.total(), u"23.20"_s);
        taxed.child<QComboBox>("ComboBox10")->setCurrentText(u"0"_s);
        QCOMPARE(taxed.total(), u"22.00"_s);
    }

    void discountPeriodAndCustomerType()
    {
        Window w(kAllBusinessRights, [](lanfan::test::TestShop &shop) {
            shop.db().execute(u"insert into 优惠时段 (开始时间,结束时间,折扣率) values ('11:00:00','13:00:00',8)"_s);
            shop.db().execute(u"insert into 客户类型 (客户类型,折扣率) values ('会员',9),('金卡',7)"_s);
        });
        w.add(u"宫保鸡丁"_s);
        QCOMPARE(w.picker->applyDiscountPeriod().value_or(QString()), u"8"_s);
        QCOMPARE(w.child<QComboBox>("edit1")->currentText(), u"8"_s);
        QCOMPARE(w.total(), u"16.00"_s);
        w.picker->applyCustomerType(u"会员"_s);
        QCOMPARE(w.child<QComboBox>("edit1")->currentText(), u"8"_s);
        w.picker->applyCustomerType(u"金卡"_s);
        QCOMPARE(w.child<QComboBox>("edit1")->currentText(), u"7"_s);
        QCOMPARE(w.total(), u"14.00"_s);
    }

    void setMealComponentPickList()
    {
        Window w;
        w.add(u"商务套餐"_s);
        QCOMPARE(w.grid()->model()->rowCount(), 3);
        w.selectRow(1);
        const QModelIndex name = w.grid()->model()->index(1, 0);
        w.grid()->edit(name);
        auto *box = w.grid()->viewport()->findChild<QComboBox *>();
        QVERIFY(box);
        QCOMPARE(box->count(), 2);
        box->setCurrentIndex(0);
        Q_EMIT box->activated(0);
        QTRY_COMPARE(w.cell(1, 0), u"鱼香肉丝"_s);
        QCOMPARE(w.total(), u"30.00"_s);
    }

    void combineFromDishList()
    {
        Window w;
        w.add(u"宫保鸡丁"_s);
        w.selectRow(0);
        w.typeSearch(u"yxrs"_s);
        w.selectDish(u"鱼香肉丝"_s);
        w.picker->combineSelected();
        QCOMPARE(w.cell(0, 0), u"宫保鸡丁+鱼香肉丝"_s);
        QCOMPARE(w.total(), u"19.00"_s);
    }

    void flavourEditor()
    {
        Window w;
        w.add(u"宫保鸡丁"_s);
        w.selectRow(0);
        w.picker->editFlavours();
        auto *editor = w.picker->findChild<TFkouwei_bianji *>();
        QVERIFY(editor);
        QCOMPARE(editor->windowTitle(), u"口味编辑"_s);
        editor->pick(u"微辣"_s);
        editor->pick(u"加蛋"_s);
        QCOMPARE(editor->findChild<QLineEdit *>(u"Edit1"_s)->text(), u"微辣,加蛋"_s);
        editor->accept();
        QCOMPARE(w.cell(0, 1), u"微辣,加蛋"_s);
        QCOMPARE(w.cell(0, 3), u"22.00"_s);
        QCOMPARE(w.total(), u"22.00"_s);

        w.picker->editFlavours();
        editor = w.picker->findChild<TFkouwei_bianji *>();
        QVERIFY(editor);
        editor->pick(u"加蛋"_s);
        editor->reject();
        QCOMPARE(w.cell(0, 1), u"微辣,加蛋"_s);
        QCOMPARE(w.total(), u"22.00"_s);
    }

    void viewModeRemembered()
    {
        Window w;
        QCOMPARE(w.dishes()->viewMode(), QListView::IconMode);
        w.picker->switchView(false);
        QCOMPARE(w.dishes()->viewMode(), QListView::ListMode);
        QCOMPARE(w.shop.settings().value(u"图标显示"_s), u"列表"_s);
        QCOMPARE(w.shop.settings().file().value(u"图标显示"_s, u"类型"_s), u"列表"_s);
        Window again(kAllBusinessRights, [](lanfan::test::TestShop &shop) {
            shop.settings().setCurrent(u"图标显示"_s, u"列表"_s);
        });
        QCOMPARE(again.dishes()->viewMode(), QListView::ListMode);
    }

    void twoPickersKeepTheirCarts()
    {
        Window w;
        DishPicker other(w.shop.context(), CartTable::sales(), newCartKey(w.shop.clock()));
        w.add(u"宫保鸡丁"_s);
        other.refreshCart();
        QCOMPARE(other.findChild<QTableView *>(u"DBGridEh1"_s)->model()->rowCount(), 0);
        QCOMPARE(other.totalText(), u"0.00"_s);
        QCOMPARE(w.total(), u"20.00"_s);
    }
};

QTEST_MAIN(TestDishPicker)
#include "tst_dishpicker.moc"
