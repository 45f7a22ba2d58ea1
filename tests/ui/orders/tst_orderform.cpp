#include "../../core/orders/OrderFixtures.h"
#include "TestShop.h"
#include "orders/CartModel.h"
#include "orders/OrderForms.h"
#include "orders/Txiaoshou.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QDateEdit>
#include <QTimeEdit>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

const QDateTime kNow(QDate(2026, 3, 10), QTime(12, 0));

// A shop with the standard menu, an operator with every right, and the
// forms opened the way the main window and the call intake open them.
struct Shop {
    lanfan::test::TestShop shop{};
    QHash<QString, qint64> dish;
    OrderForms forms{shop.context()};
    QStringList printed, refreshed;

    Shop()
    {
        shop.clock().set(kNow);
        dish = lanfan::test::addMenu(shop.db());
        shop.context().currentOperator().rights = {u"1111"_s, u"11111111111111"_s};
        shop.db().execute(u"insert into 员工列表 (姓名,电话) values ('小王','13900000000')"_s);
        forms.printOverride = [this](const QString &n) { printed << n; };
        forms.refreshBoard = [this](const QString &n) { refreshed << n; };
        forms.openCustomerList = [](const CustomerPickRequest &) {};
    }
    ~Shop()
    {
        // Popups still open close now, while the shop is there.
        for (Txiaoshou2 *p : forms.popups())
            p->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    Db &db() { return shop.db(); }
    RecordingPrompter &prompter() { return shop.prompter(); }

    qint64 customer(const QString &name, const QString &phone, const QString &address, const QString &balance = u"0"_s,
                    const QString &credit = QString())
    {
        return db().insert(u"insert into 客户资料 (客户姓名,联系电话,联系地址,帐户余额,积分,购物次数,购物金额,信用等级,黑名单) "
                           "values (:n,:p,:a,:b,0,0,0,:c,'否')"_s,
                           {{u"n"_s, name}, {u"p"_s, phone}, {u"a"_s, address},
                            {u"b"_s, QVariant::fromValue(Money::parseOrZero(balance))}, {u"c"_s, credit}});
    }
    void pastOrder(const QString &number, qint64 customerId, const QDateTime &at, bool paid = false)
    {
        db().execute(u"insert into 产品销售开票 (单据编号,购物日期,开单日期时间,客户编号,产品名称,数量,单价,应付货款,实付货款,"
                     "发货完毕,交款完毕,打折,收款方式) values (:bh,:rq,:t,:c,'宫保鸡丁',1,20,20,20,:j,:j,10,'现金')"_s,
                     {{u"bh"_s, number}, {u"rq"_s, at.date().toString(u"yyyy-MM-dd"_s)},
                      {u"t"_s, at.toString(u"yyyy-MM-dd HH:mm:ss"_s)}, {u"c"_s, QString::number(customerId)}, {u"j"_s, paid}});
    }
    qint64 callRow(const QString &number)
    {
        return db().insert(u"insert into 来电历史记录表 (来电时间,电话号码) values (:t,:n)"_s,
                           {{u"t"_s, kNow.toString(u"yyyy-MM-dd HH:mm:ss"_s)}, {u"n"_s, number}});
    }
    // What the call intake does for a call.
    Txiaoshou2 *call(const QString &number, const QString &recording = QString(), qint64 historyId = 0)
    {
        CallPopupInputs in;
        in.key = u"a"_s + number;
        in.phone = number;
        in.callNumber = number;
        in.source = u"来电开单"_s;
        in.caption = u"来电：" + number;
        in.callTime = kNow.toString(u"yyyy-MM-dd HH:mm:ss"_s);
        in.recording = recording;
        if (historyId)
            in.historyId = QString::number(historyId);
        Txiaoshou2 *form = forms.createPopup(in);
        form->show();
        child<QPushButton>(form, "Button6")->click();
        return form;
    }
    template <typename T> static T *child(QWidget *form, const char *name)
    {
        T *w = form->findChild<T *>(QString::fromLatin1(name));
        if (!w)
            qFatal("no %s", name);
        return w;
    }
    static void addDish(QWidget *form, const QString &initials)
    {
        auto *search = child<QLineEdit>(form, "Edit12");
        search->clear();
        search->setFocus();
        QTest::keyClicks(search, initials);
        QTest::keyClick(search, Qt::Key_Return);
        QTest::keyClick(child<QListView>(form, "ListView2"), Qt::Key_Return);
    }
    // Pictures of the windows for a person to look at (LANFAN_SHOTS=folder).
    static void shot(QWidget *form, const QString &name)
    {
        const QString folder = qEnvironmentVariable("LANFAN_SHOTS");
        if (!folder.isEmpty())
            form->grab().save(folder + u'/' + name + u".png"_s);
    }
    int cartRows(const QString &key)
    {
        return db().scalar(u"select count(*) from 销售临时表 where 时间=:k"_s, {{u"k"_s, key}}).toInt();
    }
};

} // namespace

class TestOrderFormWindow : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void numberMatchingTwoCustomersShowsBoth()
    {
        Shop s;
        const qint64 both = s.customer(u"甲"_s, u"88001111,88002222"_s, u"一号路"_s, u"0"_s, u"好"_s);
        const qint64 first = s.customer(u"乙"_s, u"88001111"_s, u"二号路"_s);
        QPointer<Txiaoshou2> form = s.call(u"88001111"_s);
        auto *tabs = Shop::child<QTabWidget>(form, "PageControl2");
        QCOMPARE(tabs->tabText(tabs->currentIndex()), u"一个电话对应多个用户"_s);
        QCOMPARE(form->Label14->text(), QString::number(both));
        QCOMPARE(form->Edit3->text(), u"甲"_s);
        QCOMPARE(form->Com_dz->currentText(), u"一号路"_s);
        QCOMPARE(Shop::child<QLabel>(form, "Shape1")->toolTip(), u"客户信用等级：好"_s);
        auto *grid = Shop::child<QTableView>(form, "DBGrid2");
        QCOMPARE(grid->model()->rowCount(), 2);
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(grid->model()->index(1, 0)).center());
        QCOMPARE(form->Label14->text(), QString::number(first));
        QCOMPARE(form->Edit3->text(), u"乙"_s);
        form->close();
    }

    void unknownNumberClearsThePanel()
    {
        Shop s;
        QPointer<Txiaoshou2> form = s.call(u"77770000"_s);
        QCOMPARE(form->Label14->text(), u"无"_s);
        QCOMPARE(form->Edit9->text(), u"77770000"_s);
        QVERIFY(!form->repeatPromptShown());
        form->close();
    }

    void repeatCallPrompt_data()
    {
        QTest::addColumn<QString>("hours");
        QTest::addColumn<bool>("shown");
        QTest::newRow("within 2 hours") << "2" << true;
        QTest::newRow("not within half an hour") << "0.5" << false;
    }
    void repeatCallPrompt()
    {
        QFETCH(QString, hours);
        QFETCH(bool, shown);
        Shop s;
        s.shop.settings().write(u"再次来电提醒时间"_s, hours);
        const qint64 id = s.customer(u"丙"_s, u"66668888"_s, u"三号路"_s);
        s.pastOrder(u"202603100001"_s, id, kNow.addSecs(-90 * 60));
        QPointer<Txiaoshou2> form = s.call(u"66668888"_s);
        QCOMPARE(form->repeatPromptShown(), shown);
        QCOMPARE(Shop::child<QPushButton>(form, "Button1")->isEnabled(), !shown);
        QCOMPARE(Shop::child<QListView>(form, "ListView2")->isEnabled(), !shown);
        if (shown) {
            QVERIFY(Shop::child<QGroupBox>(form, "GroupBox4")->title().contains(u"该电话2小时内已经订过餐"_s));
            Shop::shot(form, u"popup-repeat-call"_s);
            Shop::child<QPushButton>(form, "BitBtn1")->click(); // 再次订餐
            QVERIFY(!form->repeatPromptShown());
            QVERIFY(Shop::child<QPushButton>(form, "Button1")->isEnabled());
        }
        form->close();
    }

    void cancelOfPaidOrderRefused()
    {
        Shop s;
        const qint64 id = s.customer(u"丁"_s, u"55556666"_s, u"四号路"_s);
        s.pastOrder(u"202603100001"_s, id, kNow.addSecs(-30 * 60), true);
        QPointer<Txiaoshou2> form = s.call(u"55556666"_s);
        QVERIFY(form->repeatPromptShown());
        Shop::child<QPushButton>(form, "BitBtn3")->click();
        QCOMPARE(s.prompter().lastText(), u"前次订单已经交款完毕，不能取消"_s);
        QCOMPARE(s.db().scalar(u"select count(*) from 产品销售开票"_s).toInt(), 1);
        QVERIFY(form);
        form->close();
    }

    void cancelOfOpenOrderAsksAndDeletes()
    {
        Shop s;
        const qint64 id = s.customer(u"戊"_s, u"44445555"_s, u"五号路"_s);
        s.pastOrder(u"202603100001"_s, id, kNow.addSecs(-30 * 60));
        QPointer<Txiaoshou2> form = s.call(u"44445555"_s);
        s.prompter().scriptAnswers({true});
        Shop::child<QPushButton>(form, "BitBtn3")->click();
        QCOMPARE(s.prompter().lastText(), u"确实要删除该订单吗？"_s);
        QCOMPARE(s.db().scalar(u"select count(*) from 产品销售开票"_s).toInt(), 0);
        QCOMPARE(s.refreshed, QStringList{QString()});
        QTRY_VERIFY(!form); // closed and freed
    }

    void closingWithoutSavingRecordsTheCall_data()
    {
        QTest::addColumn<QString>("recording");
        QTest::addColumn<QString>("word");
        QTest::newRow("not recorded") << "" << "未接电话";
        QTest::newRow("recorded") << "/data/rec/1.wav" << "未订餐";
    }
    void closingWithoutSavingRecordsTheCall()
    {
        QFETCH(QString, recording);
        QFETCH(QString, word);
        Shop s;
        const qint64 row = s.callRow(u"12345678"_s);
        const qint64 other = s.callRow(u"87654321"_s);
        QPointer<Txiaoshou2> a = s.call(u"12345678"_s, recording, row);
        QPointer<Txiaoshou2> b = s.call(u"87654321"_s, QString(), other);
        Shop::addDish(a, u"gbjd"_s);
        Shop::addDish(b, u"kl"_s);
        const QString keyA = a->cartKey(), keyB = b->cartKey();
        QVERIFY(keyA != keyB);
        QCOMPARE(s.cartRows(keyA), 1);
        QCOMPARE(s.forms.popups().size(), 2);
        QTest::keyClick(a, Qt::Key_Escape);
        QCOMPARE(s.cartRows(keyA), 0);
        QCOMPARE(s.cartRows(keyB), 1);
        QCOMPARE(s.db().scalar(u"select 处理结果 from 来电历史记录表 where 编号=:i"_s, {{u"i"_s, row}}).toString(), word);
        QCOMPARE(s.db().scalar(u"select 录音文件 from 来电历史记录表 where 编号=:i"_s, {{u"i"_s, row}}).toString(), recording);
        QVERIFY(s.db().scalar(u"select 处理结果 from 来电历史记录表 where 编号=:i"_s, {{u"i"_s, other}}).isNull());
        QCOMPARE(s.forms.popups().size(), 1);
        QTRY_VERIFY(!a);
        b->close();
    }

    // A failing step of closing is named, and the form still closes.
    void closingErrorNamesTheStep()
    {
        Shop s;
        QPointer<Txiaoshou2> form = s.call(u"13700002222"_s);
        Shop::addDish(form, u"kl"_s);
        const QString key = form->cartKey();
        s.db().execute(u"drop table 来电历史记录表"_s);
        form->close();
        QCOMPARE(s.prompter().lastText(), u"状态：3"_s);
        QCOMPARE(s.cartRows(key), 0); // steps 1 and 2 were done
        QCOMPARE(s.forms.popups().size(), 1); // step 4 was not reached
        QTRY_VERIFY(!form);
    }

    void popupSavesLocksPrintsAndCloses()
    {
        Shop s;
        const qint64 row = s.callRow(u"13511112222"_s);
        const qint64 id = s.customer(u"己"_s, u"13511112222"_s, u"六号路"_s);
        QPointer<Txiaoshou2> form = s.call(u"13511112222"_s, QString(), row);
        Shop::addDish(form, u"gbjd"_s);
        Shop::addDish(form, u"kl"_s);
        QCOMPARE(Shop::child<QLabel>(form, "Label27")->text(), u"25.00"_s);
        const QString key = form->cartKey();
        QVERIFY(!Shop::child<QPushButton>(form, "Button2")->isEnabled()); // nothing to print yet
        QTest::keyClick(form, Qt::Key_F1);
        QCOMPARE(s.prompter().texts(), QStringList{u"订单录入完毕！！"_s});
        const QString number = u"202603100001"_s;
        QCOMPARE(s.printed, QStringList{number});
        QCOMPARE(s.refreshed, QStringList{number});
        QCOMPARE(s.db().scalar(u"select count(*) from 产品销售开票 where 单据编号=:n and 客户编号=:c"_s,
                               {{u"n"_s, number}, {u"c"_s, QString::number(id)}}).toInt(), 2);
        QCOMPARE(s.cartRows(key), 0);
        const SqlRow call = s.db().first(u"select * from 来电历史记录表 where 编号=:i"_s, {{u"i"_s, row}});
        QCOMPARE(call.text(u"处理结果"_s), u"订餐"_s);
        QCOMPARE(call.text(u"订单编号"_s), number);
        QCOMPARE(call.text(u"客户名称"_s), u"己"_s);
        QTRY_VERIFY(!form);
    }

    void lettersInTheBalanceBoxAreRefused()
    {
        Shop s;
        QPointer<Txiaoshou2> form = s.call(u"13600000000"_s);
        Shop::addDish(form, u"gbjd"_s);
        auto *balance = Shop::child<QLineEdit>(form, "ezhanghu_yue");
        balance->clear();
        QTest::keyClicks(balance, u"abc"_s);
        Shop::child<QPushButton>(form, "Button1")->click();
        QVERIFY(s.prompter().lastText().startsWith(u"帐户余额只能输入数字"_s));
        QCOMPARE(s.db().scalar(u"select count(*) from 产品销售开票"_s).toInt(), 0);
        QCOMPARE(s.db().scalar(u"select count(*) from 客户资料"_s).toInt(), 0);
        QVERIFY(form->xiadan_zhuangtai.isEmpty());
        form->close();
    }

    void accountPaymentAndPayNowStayConsistent()
    {
        Shop s;
        s.customer(u"庚"_s, u"13700000000"_s, u"七号路"_s, u"80"_s);
        QPointer<Txiaoshou2> form = s.call(u"13700000000"_s);
        auto *payment = Shop::child<QComboBox>(form, "ComboBox2");
        auto *payNow = Shop::child<QCheckBox>(form, "CheckBox2");
        QCOMPARE(payment->currentText(), u"帐户支付"_s);
        QVERIFY(!payNow->isEnabled());
        payment->setCurrentText(u"签单"_s);
        Q_EMIT payment->activated(payment->currentIndex());
        QVERIFY(payNow->isEnabled());
        payNow->click();
        QCOMPARE(payment->currentText(), u"现金"_s);
        form->close();
    }

    void mergePanelMergesAndStartsAFreshOrder()
    {
        Shop s;
        const qint64 old = s.customer(u"辛"_s, u"111"_s, u"八号路"_s);
        QPointer<Txiaoshou2> form = s.call(u"13800001111"_s);
        form->Edit3->setText(u"辛"_s);
        form->Com_dz->setCurrentText(u"八号路"_s);
        Shop::addDish(form, u"gbjd"_s);
        const QString key = form->cartKey();
        Shop::child<QPushButton>(form, "Button1")->click();
        auto *panel = Shop::child<QGroupBox>(form, "Panel3");
        QVERIFY(panel->isVisible());
        Shop::shot(form, u"popup-merge"_s);
        QVERIFY(!Shop::child<QPushButton>(form, "Button1")->isEnabled());
        QCOMPARE(s.db().scalar(u"select count(*) from 产品销售开票"_s).toInt(), 0);
        Shop::child<QPushButton>(form, "Button10")->click();
        QVERIFY(form);
        QVERIFY(!panel->isVisible());
        QCOMPARE(s.db().scalar(u"select 客户编号 from 产品销售开票"_s).toString(), QString::number(old));
        QCOMPARE(s.db().scalar(u"select 联系电话 from 客户资料 where id=:i"_s, {{u"i"_s, old}}).toString(), u"13800001111,111"_s);
        // A fresh order: new cart, empty customer panel, the save open again.
        QVERIFY(form->cartKey() != key);
        QCOMPARE(s.cartRows(key), 0);
        QCOMPARE(form->Label14->text(), u"无"_s);
        QVERIFY(Shop::child<QPushButton>(form, "Button1")->isEnabled());
        form->close();
    }

    void previousCustomerWithF2()
    {
        Shop s;
        const qint64 id = s.customer(u"壬"_s, u"13900009999"_s, u"九号路"_s);
        s.pastOrder(u"202603090001"_s, id, kNow.addDays(-1));
        Txiaoshou *form = s.forms.openManual();
        QTest::keyClick(form, Qt::Key_F2);
        QCOMPARE(form->Label14->text(), QString::number(id));
        QCOMPARE(form->Edit3->text(), u"壬"_s);
        QCOMPARE(Shop::child<QTableView>(form, "DBGridEh3")->model()->rowCount(), 1);
        form->close();
        QVERIFY(!form->isVisible());
        QCOMPARE(s.forms.openManual(), form); // one instance, hidden on close
        QCOMPARE(form->Label14->text(), u"无"_s);
    }

    // A new user's way: 外卖开单F1, phone lookup, dishes by pinyin, F1.
    void manualFormSavesByKeyboard()
    {
        Shop s;
        s.shop.settings().write(u"开单后关闭"_s, u"不关闭"_s);
        const qint64 id = s.customer(u"癸"_s, u"13912345678"_s, u"十号路"_s);
        Txiaoshou *form = s.forms.openManual();
        QVERIFY(QTest::qWaitForWindowActive(form));
        QCOMPARE(form->windowTitle(), u"手工开单--外卖模式"_s);
        QVERIFY(!Shop::child<QCheckBox>(form, "CheckBox4")->isChecked());
        QCOMPARE(Shop::child<QCheckBox>(form, "CheckBox2")->text(), u"直接收现金"_s);
        auto *phone = form->Edit9;
        phone->setFocus();
        QTest::keyClicks(phone, u"12345678"_s);
        QTest::keyClick(phone, Qt::Key_Return);
        QCOMPARE(form->Label14->text(), QString::number(id));
        auto *type = Shop::child<QComboBox>(form, "ComboBox6");
        QVERIFY(type->hasFocus() || type->isAncestorOf(QApplication::focusWidget()));
        Shop::addDish(form, u"yxrs"_s);
        Shop::addDish(form, u"yxrs"_s);
        Shop::shot(form, u"manual-form"_s);
        const QString key = form->cartKey();
        QTest::keyClick(form, Qt::Key_F1);
        const QString number = u"202603100001"_s;
        const SqlRow line = s.db().first(u"select * from 产品销售开票 where 单据编号=:n"_s, {{u"n"_s, number}});
        QCOMPARE(line.text(u"产品名称"_s), u"鱼香肉丝"_s);
        QCOMPARE(line.money(u"数量"_s), Money::fromInt(2));
        QCOMPARE(line.text(u"客户编号"_s), QString::number(id));
        QCOMPARE(line.text(u"地址"_s), u"十号路"_s);
        QCOMPARE(s.printed, QStringList{number});
        // Not closing after the save: a fresh order on the same form.
        QVERIFY(form->isVisible());
        QVERIFY(form->cartKey() != key);
        QCOMPARE(form->Label14->text(), u"无"_s);
        QCOMPARE(s.shop.settings().value(u"开单后关闭"_s), u"不关闭"_s);
        form->close();
    }

    // Only the manual form shows each cart line's kitchen printer.
    void kitchenPrinterColumnOnlyOnTheManualForm()
    {
        Shop s;
        Txiaoshou *manual = s.forms.openManual();
        QVERIFY(!Shop::child<QTableView>(manual, "DBGridEh1")->isColumnHidden(CartModel::KitchenPrinter));
        Txiaoshou2 *popup = s.call(u"13800000000"_s);
        QVERIFY(Shop::child<QTableView>(popup, "DBGridEh1")->isColumnHidden(CartModel::KitchenPrinter));
        QCOMPARE(Shop::child<QTableView>(manual, "DBGridEh1")->model()->headerData(CartModel::KitchenPrinter, Qt::Horizontal),
                 QVariant(u"后厨打印机"_s));
        popup->close();
        manual->close();
    }

    void manualFormRequiresAnAddress()
    {
        Shop s;
        Txiaoshou *form = s.forms.openManual();
        form->Edit9->setText(u"13000000000"_s);
        Shop::addDish(form, u"kl"_s);
        Shop::child<QPushButton>(form, "Buttonbc")->click();
        QCOMPARE(s.prompter().lastText(), u"客户地址不能空！！"_s);
        QCOMPARE(s.db().scalar(u"select count(*) from 产品销售开票"_s).toInt(), 0);
        form->close();
    }

    // "修改订单": the previous order's lines come back into the cart and the
    // save replaces that order under its own number.
    void modifyPreviousOrderReplacesIt()
    {
        Shop s;
        const qint64 id = s.customer(u"子"_s, u"13312345678"_s, u"十一号路"_s);
        s.pastOrder(u"202603100001"_s, id, kNow.addSecs(-20 * 60));
        QPointer<Txiaoshou2> form = s.call(u"13312345678"_s);
        QVERIFY(form->repeatPromptShown());
        Shop::child<QPushButton>(form, "BitBtn2")->click();
        QVERIFY(!form->repeatPromptShown());
        QCOMPARE(form->xiugai_danhao, u"202603100001"_s);
        QCOMPARE(s.cartRows(form->cartKey()), 1);
        Shop::addDish(form, u"kl"_s);
        QTest::keyClick(form, Qt::Key_F1);
        QCOMPARE(s.db().scalar(u"select count(distinct 单据编号) from 产品销售开票"_s).toInt(), 1);
        QCOMPARE(s.db().scalar(u"select count(*) from 产品销售开票 where 单据编号='202603100001'"_s).toInt(), 2);
        QCOMPARE(s.printed, QStringList{u"202603100001"_s});
        QTRY_VERIFY(!form);
    }

    void reuseNeedsACustomerWithOrders()
    {
        Shop s;
        QPointer<Txiaoshou2> form = s.call(u"13200000000"_s);
        Shop::child<QPushButton>(form, "Button13")->click();
        QCOMPARE(s.prompter().lastText(), u"请先选择客户资料"_s);
        const qint64 id = s.customer(u"丑"_s, u"13211111111"_s, u"十二号路"_s);
        form->Edit9->setText(u"13211111111"_s);
        Shop::child<QPushButton>(form, "Button6")->click();
        Shop::child<QPushButton>(form, "Button13")->click();
        QCOMPARE(s.prompter().lastText(), u"该用户没有点餐记录"_s);
        s.pastOrder(u"202603090001"_s, id, kNow.addDays(-1));
        Shop::child<QPushButton>(form, "Button6")->click();
        Shop::child<QPushButton>(form, "Button13")->click();
        QCOMPARE(s.cartRows(form->cartKey()), 1);
        QCOMPARE(Shop::child<QLabel>(form, "Label27")->text(), u"20.00"_s);
    }

    void copySummaryToClipboard()
    {
        Shop s;
        s.customer(u"寅"_s, u"13422222222"_s, u"十三号路"_s);
        QPointer<Txiaoshou2> form = s.call(u"13422222222"_s);
        Shop::addDish(form, u"kl"_s);
        Shop::child<QComboBox>(form, "ComboBox1")->setCurrentText(u"小王"_s);
        Shop::child<QPushButton>(form, "Button8")->click();
        QCOMPARE(s.prompter().lastText(), u"复制成功"_s);
        QCOMPARE(QGuiApplication::clipboard()->text(),
                 u"/寅/13422222222/十三号路[可乐1份]总计:5.00元/2026-03-10 12:30:00/小王"_s);
    }

    void blacklistBlinksAndDeliveryFollowsTheBoxes()
    {
        Shop s;
        QPointer<Txiaoshou2> form = s.call(u"13500000000"_s);
        auto *label = Shop::child<QLabel>(form, "Label22");
        QVERIFY(!label->isVisible());
        Shop::child<QCheckBox>(form, "CheckBox5")->click();
        QVERIFY(label->isVisible());
        const QColor before = label->palette().color(QPalette::Window);
        QTRY_VERIFY_WITH_TIMEOUT(label->palette().color(QPalette::Window) != before, 1000);
        Shop::child<QCheckBox>(form, "CheckBox5")->click();
        QVERIFY(!label->isVisible());

        Shop::child<QComboBox>(form, "ComboBox3")->setCurrentText(u"1"_s);
        Shop::child<QComboBox>(form, "ComboBox5")->setCurrentText(u"45"_s);
        QCOMPARE(Shop::child<QDateEdit>(form, "dp1")->date(), kNow.date());
        QCOMPARE(Shop::child<QTimeEdit>(form, "tm1")->time(), QTime(13, 45));
        Shop::child<QComboBox>(form, "ComboBox3")->setCurrentText(u"12"_s);
        QCOMPARE(Shop::child<QDateEdit>(form, "dp1")->date(), kNow.date().addDays(1));
        QCOMPARE(Shop::child<QTimeEdit>(form, "tm1")->time(), QTime(0, 45));
    }

    void saveCustomerOnlyFromTheForm()
    {
        Shop s;
        QPointer<Txiaoshou2> form = s.call(u"13600001111"_s);
        form->Edit3->setText(u"卯"_s);
        form->Com_dz->setCurrentText(u"十四号路"_s);
        Shop::child<QPushButton>(form, "Button4")->click();
        QCOMPARE(s.prompter().lastText(), u"客户资料保存成功"_s);
        const SqlRow row = s.db().first(u"select * from 客户资料 where 客户姓名='卯'"_s);
        QCOMPARE(form->Label14->text(), row.text(u"id"_s));
        QCOMPARE(row.text(u"联系电话"_s), u"13600001111"_s);
        QCOMPARE(row.text(u"联系地址"_s), u"十四号路"_s);
        QCOMPARE(s.db().scalar(u"select count(*) from 产品销售开票"_s).toInt(), 0);
    }

    void rightsAndEnglishCaptions()
    {
        Shop s;
        s.shop.context().currentOperator().rights = {u"1111"_s, u"11111111010"_s};
        s.shop.settings().write(u"版本语言"_s, u"英语"_s);
        Txiaoshou *form = s.forms.openManual();
        QVERIFY(!Shop::child<QComboBox>(form, "edit1")->isEnabled());
        QVERIFY(Shop::child<QLineEdit>(form, "Edit7")->isEnabled());
        QVERIFY(!Shop::child<QPushButton>(form, "Button15")->isEnabled());
        QCOMPARE(Shop::child<QPushButton>(form, "Buttonbc")->text(), u"Accept"_s);
        QCOMPARE(Shop::child<QPushButton>(form, "Button4")->text(), u"Keep Detail"_s);
        QCOMPARE(Shop::child<QPushButton>(form, "Button5")->text(), u"cancel"_s);
        form->close();
    }
};

QTEST_MAIN(TestOrderFormWindow)
#include "tst_orderform.moc"
