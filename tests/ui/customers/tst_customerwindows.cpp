#include "TestShop.h"
#include "customers/AreaWindows.h"
#include "customers/CustomerListModel.h"
#include "customers/CustomerTypeWindows.h"
#include "customers/TFkehu_daoru.h"
#include "customers/Tkehu_add.h"
#include "customers/Tkehu_list.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTableView>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

template <typename T = QPushButton>
T *child(QObject *w, const QString &name)
{
    T *c = w->findChild<T *>(name);
    if (!c)
        qFatal("no child %s", qPrintable(name));
    return c;
}

qint64 addCustomer(Db &db, const QString &name, const QString &phone, const QVariant &balance = 0)
{
    return db.insert(u"insert into 客户资料 (客户姓名,联系电话,联系地址,帐户余额,客户类型) values (:n,:p,'人民路1号',:b,'金卡')"_s,
                     {{u"n"_s, name}, {u"p"_s, phone}, {u"b"_s, balance}});
}

// A small order form that asks the customer list for a customer.
struct TestOrderForm : QWidget {
    QComboBox payment;
    QLineEdit name, discount;
    QComboBox addresses;
    TestOrderForm()
    {
        payment.addItems({u"现金"_s, u"签单"_s, u"帐户支付"_s});
        payment.setCurrentText(u"签单"_s);
    }
    CustomerPickRequest request(PickerMode mode, const QString &periodRate)
    {
        return CustomerPickRequest(mode, this, [this](const CustomerTransfer &t) {
            name.setText(t.name);
            discount.setText(t.discount);
            payment.setCurrentText(t.paymentMethodAfter(payment.currentText()));
            addresses.clear();
            addresses.addItems(QStringList{t.address} + t.otherAddresses);
        }, periodRate);
    }
};

} // namespace

class TestCustomerWindows : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void listOpensWithRightsAndFooter_data()
    {
        QTest::addColumn<QString>("role");
        QTest::addColumn<bool>("enabled");
        QTest::newRow("administrator") << u"管理员"_s << true;
        QTest::newRow("operator") << u"操作员"_s << false;
    }
    void listOpensWithRightsAndFooter()
    {
        QFETCH(QString, role);
        QFETCH(bool, enabled);
        test::TestShop shop;
        shop.context().currentOperator().role = role;
        shop.db().execute(u"insert into 客户资料 (客户姓名,联系电话,联系地址) values ('无余额','1','路')"_s);
        addCustomer(shop.db(), u"有余额"_s, u"2"_s, 5);
        Tkehu_list list(shop.context());
        QCOMPARE(child<QLabel>(&list, u"Footer"_s)->text(), u"共：2"_s);
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料 where 帐户余额 is null"_s).toInt(), 0);
        for (const QString &b : {u"导出至excel文件"_s, u"excel文件成批导入"_s, u"导出的单据编号不能正常显示？？"_s})
            QCOMPARE(child(&list, b)->isEnabled(), enabled);
        for (const QString &b : {u"帐户充值"_s, u"充值记录"_s, u"直接开单"_s})
            QVERIFY(!child(&list, b)->isEnabled());
        QVERIFY(list.windowFlags() & Qt::WindowStaysOnTopHint);
        QVERIFY(list.windowState() & Qt::WindowMaximized);
    }

    void newCustomerIsFoundByPhone()
    {
        test::TestShop shop;
        Tkehu_add editor(shop.context());
        QVERIFY(child<QTabWidget>(&editor, u"PageControl1"_s)->currentIndex() == 0);
        QCOMPARE(child<QComboBox>(&editor, u"信用等级"_s)->currentText(), u"中"_s);
        child<QTabWidget>(&editor, u"PageControl1"_s)->setCurrentIndex(1);
        QCOMPARE(shop.prompter().lastText(), u"请先保存客户信息，才能编辑该客户的其他地址"_s);
        QCOMPARE(child<QTabWidget>(&editor, u"PageControl1"_s)->currentIndex(), 0);

        child<QLineEdit>(&editor, u"客户姓名"_s)->setText(u"新客户"_s);
        child(&editor, u"确定"_s)->click();
        QCOMPARE(shop.prompter().lastText(), u"请填写客户地址！！"_s);
        child<QLineEdit>(&editor, u"联系地址"_s)->setText(u"和平路9号"_s);
        child(&editor, u"确定"_s)->click();
        QCOMPARE(shop.prompter().lastText(), u"请填写电话号码！！"_s);
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料"_s).toInt(), 0);
        child<QLineEdit>(&editor, u"联系电话"_s)->setText(u"13712345678"_s);
        child<QCheckBox>(&editor, u"黑名单"_s)->setChecked(true);
        child(&editor, u"确定"_s)->click();
        QCOMPARE(shop.prompter().lastText(), u"保存成功"_s);
        QCOMPARE(editor.result(), int(QDialog::Accepted));

        Tkehu_list list(shop.context());
        child<QLineEdit>(&list, u"Edit1"_s)->setText(u"2345"_s);
        child<QCheckBox>(&list, u"电话号码"_s)->setChecked(true);
        child(&list, u"查询"_s)->click();
        QCOMPARE(list.model()->rowCount(), 1);
        QCOMPARE(list.model()->text(0, u"客户姓名"_s), u"新客户"_s);
        QCOMPARE(list.model()->text(0, u"黑名单"_s), u"是"_s);
        QCOMPARE(list.model()->text(0, u"帐户余额"_s), u"0.00"_s);
    }

    void editedCustomerStaysOpenWithAddresses()
    {
        test::TestShop shop;
        const qint64 id = addCustomer(shop.db(), u"老客户"_s, u"1"_s);
        Tkehu_add editor(shop.context(), id);
        child<QTabWidget>(&editor, u"PageControl1"_s)->setCurrentIndex(1);
        QCOMPARE(child<QTabWidget>(&editor, u"PageControl1"_s)->currentIndex(), 1);
        child<QLineEdit>(&editor, u"新地址"_s)->setText(u"公司地址"_s);
        child(&editor, u"新增"_s)->click();
        QCOMPARE(shop.db().scalar(u"select 客户地址 from 多个地址 where 客户编号=:id"_s, {{u"id"_s, id}}).toString(), u"公司地址"_s);
        child<QLineEdit>(&editor, u"客户姓名"_s)->setText(u"老客户2"_s);
        child(&editor, u"确定"_s)->click();
        QCOMPARE(shop.prompter().lastText(), u"保存成功"_s);
        QCOMPARE(editor.result(), 0); // still open
        QCOMPARE(shop.db().scalar(u"select 客户姓名 from 客户资料 where id=:id"_s, {{u"id"_s, id}}).toString(), u"老客户2"_s);
    }

    void englishLabels()
    {
        test::TestShop shop;
        shop.settings().setCurrent(u"版本语言"_s, u"英语"_s);
        Tkehu_add editor(shop.context());
        QCOMPARE(child(&editor, u"确定"_s)->text(), u"Accept"_s);
        QCOMPARE(child(&editor, u"取消"_s)->text(), u"Cancel"_s);
        QStringList labels;
        for (auto *l : editor.findChildren<QLabel *>())
            labels << l->text();
        QVERIFY(labels.contains(u"Customer Name"_s));
        QVERIFY(labels.contains(u"Phone"_s));
        QVERIFY(labels.contains(u"Address"_s));
    }

    void pickerDeliversToTheAskingForm_data()
    {
        QTest::addColumn<QVariant>("balance");
        QTest::addColumn<QString>("payment");
        QTest::newRow("positive balance") << QVariant(20) << u"帐户支付"_s;
        QTest::newRow("zero balance") << QVariant(0) << u"签单"_s;
    }
    void pickerDeliversToTheAskingForm()
    {
        QFETCH(QVariant, balance);
        QFETCH(QString, payment);
        test::TestShop shop;
        shop.db().execute(u"insert into 客户类型 (客户类型,折扣率) values ('金卡',9)"_s);
        const qint64 id = addCustomer(shop.db(), u"被选客户"_s, u"1"_s, balance);
        shop.db().execute(u"insert into 多个地址 (客户编号,客户地址) values (:id,'第二地址')"_s, {{u"id"_s, id}});
        TestOrderForm first, second;
        Tkehu_list list(shop.context(), second.request(PickerMode::Sale2, u"8.5"_s));
        list.show();
        QVERIFY(QTest::qWaitForWindowExposed(&list));
        QVERIFY(child(&list, u"直接开单"_s)->isEnabled());
        auto *grid = child<QTableView>(&list, u"DBGridEh1"_s);
        grid->setCurrentIndex(grid->model()->index(0, 1));
        Q_EMIT grid->doubleClicked(grid->currentIndex());
        QCOMPARE(second.name.text(), u"被选客户"_s);
        QCOMPARE(second.discount.text(), u"8.5"_s);
        QCOMPARE(second.payment.currentText(), payment);
        QCOMPARE(second.addresses.count(), 2);
        QVERIFY(first.name.text().isEmpty());
        QVERIFY(!list.isVisible());
        QCOMPARE(list.pickerMode(), PickerMode::None);
    }

    void pickerWithTheAskerGoneDeliversNothing()
    {
        test::TestShop shop;
        addCustomer(shop.db(), u"甲"_s, u"1"_s);
        auto form = std::make_unique<TestOrderForm>();
        Tkehu_list list(shop.context(), form->request(PickerMode::Sale, u"10"_s));
        QVERIFY(child(&list, u"直接开单"_s)->isEnabled());
        form.reset();
        QCOMPARE(list.pickerMode(), PickerMode::None);
        QCoreApplication::processEvents();
        QVERIFY(!child(&list, u"直接开单"_s)->isEnabled());
    }

    void titleClickSortsByName()
    {
        test::TestShop shop;
        addCustomer(shop.db(), u"b"_s, u"1"_s);
        addCustomer(shop.db(), u"c"_s, u"2"_s);
        addCustomer(shop.db(), u"a"_s, u"3"_s);
        Tkehu_list list(shop.context());
        auto *grid = child<QTableView>(&list, u"DBGridEh1"_s);
        const int col = int(CustomerListModel::gridFields().indexOf(u"客户姓名"_s));
        auto names = [&] {
            QStringList out;
            for (int r = 0; r < grid->model()->rowCount(); ++r)
                out << grid->model()->index(r, col).data().toString();
            return out;
        };
        Q_EMIT grid->horizontalHeader()->sectionClicked(col);
        QCOMPARE(names(), (QStringList{u"a"_s, u"b"_s, u"c"_s}));
        Q_EMIT grid->horizontalHeader()->sectionClicked(col);
        QCOMPARE(names(), (QStringList{u"c"_s, u"b"_s, u"a"_s}));
    }

    void exportThenImportThroughTheWindows()
    {
        test::TestShop shop;
        shop.context().currentOperator().role = u"管理员"_s;
        addCustomer(shop.db(), u"导出甲"_s, u"013800000001"_s, 12.5);
        addCustomer(shop.db(), u"导出乙"_s, u"13800000002"_s);
        Tkehu_list list(shop.context());
        const QString path = shop.path(u"out.xlsx"_s);
        list.chooseExportFile = [&](const QString &suggested) {
            [&] { QVERIFY(suggested.endsWith(u"客户资料_20261211_120000.xlsx"_s)); }();
            return path;
        };
        QString opened;
        list.openFile = [&](const QString &p) {
            opened = p;
            return false;
        };
        child(&list, u"导出至excel文件"_s)->click();
        QCOMPARE(opened, path);
        QVERIFY(QFileInfo::exists(path));
        QVERIFY(shop.prompter().lastText().startsWith(u"没有可以打开该文件的程序，文件已保存在："_s));

        TFkehu_daoru import(shop.context());
        QSignalSpy spy(&import, &TFkehu_daoru::imported);
        import.chooseFile = [&] { return path; };
        child(&import, u"开始导入"_s)->click();
        QCOMPARE(shop.prompter().lastText(), u"导入完毕"_s);
        QCOMPARE(spy.size(), 1);
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料 where 联系电话='013800000001'"_s).toInt(), 2);
        QCOMPARE(child<QPlainTextEdit>(&import, u"Memo1"_s)->toPlainText(), QString());

        // a file that is not a workbook imports nothing and says so
        test::writeFile(shop.path(u"broken.xlsx"_s), "PK\x03\x04 broken");
        import.chooseFile = [&] { return shop.path(u"broken.xlsx"_s); };
        child(&import, u"开始导入"_s)->click();
        QVERIFY(shop.prompter().lastText().startsWith(u"无法读取该文件，没有导入任何数据："_s));
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户资料"_s).toInt(), 4);
    }

    void exportToAnUnwritablePlace()
    {
        test::TestShop shop;
        shop.context().currentOperator().role = u"管理员"_s;
        Tkehu_list list(shop.context());
        list.chooseExportFile = [&](const QString &) { return shop.path(u"missing/folder/x.xlsx"_s); };
        list.openFile = [](const QString &) { return true; };
        child(&list, u"导出至excel文件"_s)->click();
        QCOMPARE(shop.prompter().lastText(), u"excel不存在或者安装的是克隆版的操作系统自带的简装版的OFFICE，请安装完整版的OFFICE！"_s);
    }

    void typeEditorRenamesCustomers()
    {
        test::TestShop shop;
        shop.db().execute(u"insert into 客户类型 (客户类型,折扣率) values ('金卡',9)"_s);
        addCustomer(shop.db(), u"A"_s, u"1"_s);
        TFkhlx_add editor(shop.context(), CustomerType{u"金卡"_s, u"9"_s});
        QCOMPARE(child<QLineEdit>(&editor, u"原客户类型"_s)->text(), u"金卡"_s);
        child<QLineEdit>(&editor, u"客户类型"_s)->setText(u"钻石卡"_s);
        child(&editor, u"确定"_s)->click();
        QCOMPARE(shop.db().scalar(u"select 客户类型 from 客户资料"_s).toString(), u"钻石卡"_s);
        QCOMPARE(shop.db().scalar(u"select 客户类型 from 客户类型"_s).toString(), u"钻石卡"_s);

        TFkehu_leixing types(shop.context());
        shop.prompter().scriptAnswers({false});
        child(&types, u"删除"_s)->click();
        QCOMPARE(shop.prompter().entries().last().text, u"确实要删除[钻石卡]吗？"_s);
        QCOMPARE(shop.prompter().entries().last().title, u"澜帆订餐管理系统"_s);
        QCOMPARE(shop.db().scalar(u"select count(*) from 客户类型"_s).toInt(), 1);
    }

    void areaWindow()
    {
        test::TestShop shop;
        Tqvyu_shezhi areas(shop.context());
        QSignalSpy changed(&areas, &Tqvyu_shezhi::areasChanged);
        child(&areas, u"添加"_s)->click();
        QCOMPARE(shop.prompter().lastText(), u"请输入添加的部门信息"_s);
        child<QLineEdit>(&areas, u"区域名称"_s)->setText(u"北区"_s);
        child(&areas, u"添加"_s)->click();
        QCOMPARE(shop.db().scalar(u"select 区域 from 区域"_s).toString(), u"北区"_s);
        areas.show();
        areas.close();
        QCOMPARE(changed.size(), 1);
    }
};

QTEST_MAIN(TestCustomerWindows)
#include "tst_customerwindows.moc"
