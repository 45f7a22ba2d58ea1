#include "TestShop.h"
#include "orders/DiscountPeriods.h"
#include "orders/TFyouhui_shiduan.h"

#include <QLineEdit>
#include <QPushButton>
#include <QTableWidget>
#include <QTimeEdit>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

class TestYouhuiShiduan : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void addAndDelete()
    {
        lanfan::test::TestShop shop;
        shop.settings().setCurrent(u"程序名称"_s, u"测试快餐"_s);
        TFyouhui_shiduan dialog(shop.context());
        dialog.show();
        QCOMPARE(dialog.windowTitle(), u"优惠时段设置"_s);
        auto *grid = dialog.findChild<QTableWidget *>(u"DBGridEh1"_s);
        auto *from = dialog.findChild<QTimeEdit *>(u"DateTimePicker1"_s);
        auto *to = dialog.findChild<QTimeEdit *>(u"DateTimePicker2"_s);
        auto *rate = dialog.findChild<QLineEdit *>(u"Edit1"_s);
        auto *add = dialog.findChild<QPushButton *>(u"Button1"_s);
        auto *remove = dialog.findChild<QPushButton *>(u"Button2"_s);
        QVERIFY(grid && from && to && rate && add && remove);
        QCOMPARE(add->text(), u"新建"_s);
        QCOMPARE(remove->text(), u"删除"_s);

        add->click();
        QCOMPARE(shop.prompter().lastText(), u"折扣率不能为空"_s);
        QCOMPARE(grid->rowCount(), 0);

        from->setTime(QTime(11, 0));
        to->setTime(QTime(13, 0));
        rate->setText(u"8.5"_s);
        add->click();
        QCOMPARE(grid->rowCount(), 1);
        QCOMPARE(grid->item(0, 0)->text(), u"11:00:00"_s);
        QCOMPARE(grid->item(0, 1)->text(), u"13:00:00"_s);
        QCOMPARE(grid->item(0, 2)->text(), u"8.5"_s);
        shop.clock().set(QDateTime(QDate(2026, 12, 11), QTime(12, 30)));
        QCOMPARE(DiscountPeriods(shop.context()).rateNow().value_or(QString()), u"8.5"_s);

        grid->selectRow(0);
        shop.prompter().scriptAnswers({false});
        remove->click();
        QCOMPARE(shop.prompter().entries().last().kind, Prompter::Kind::Question);
        QCOMPARE(shop.prompter().lastText(), u"确实要删除吗？"_s);
        QCOMPARE(shop.prompter().entries().last().title, u"测试快餐"_s);
        QCOMPARE(grid->rowCount(), 1);
        remove->click();
        QCOMPARE(grid->rowCount(), 0);
        QVERIFY(!DiscountPeriods(shop.context()).rateNow());
    }
};

QTEST_MAIN(TestYouhuiShiduan)
#include "tst_youhui_shiduan.moc"
