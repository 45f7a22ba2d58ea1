// Saving an order with "打印预览" shows the ticket in a preview window.

#include "TestShop.h"
#include "printing/PrintPreviewDialog.h"

#include <QApplication>
#include <QPrintPreviewWidget>
#include <QtTest>

using namespace lanfan;
using namespace lanfan::printing;
using namespace Qt::StringLiterals;

namespace {

void addOrder(Db &db)
{
    for (const auto &[dish, price] : QList<std::pair<QString, int>>{{u"小炒黄牛肉"_s, 38}, {u"剁椒鱼头"_s, 58}})
        db.execute(u"insert into 产品销售开票 (单据编号,购物日期,时间,产品名称,数量,单价,应付货款,折后金额,打折,客户姓名,地址) "
                   "values ('202612110001','2026-12-11','10:00:00',:d,1,:p,:p,96,10,'张先生','麓山南路932号')"_s,
                   {{u"d"_s, dish}, {u"p"_s, price}});
}

QList<ui::PrintPreviewDialog *> previews()
{
    QList<ui::PrintPreviewDialog *> out;
    for (QWidget *w : QApplication::topLevelWidgets())
        if (auto *d = qobject_cast<ui::PrintPreviewDialog *>(w); d && d->isVisible())
            out << d;
    return out;
}

} // namespace

class TestPreview : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void cleanup()
    {
        for (auto *d : previews())
            d->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    void previewOfEachStyle_data()
    {
        QTest::addColumn<QString>("style");
        QTest::addColumn<QString>("paper");
        QTest::addColumn<int>("pages");
        QTest::addColumn<double>("width");
        QTest::newRow("76 mm ticket") << u"普通样式"_s << u"76mm"_s << 1 << 76.0;
        QTest::newRow("58 mm ticket") << u"普通样式"_s << u"58mm"_s << 1 << 58.0;
        QTest::newRow("feedback form") << u"反馈三联单"_s << u"76mm"_s << 3 << 76.0;
        QTest::newRow("custom report") << u"自定义报表"_s << u"76mm"_s << 1 << 76.0;
    }
    void previewOfEachStyle()
    {
        QFETCH(QString, style);
        QFETCH(QString, paper);
        QFETCH(int, pages);
        QFETCH(double, width);
        test::TestShop shop;
        addOrder(shop.db());
        shop.settings().writeShop(shop.db(), u"打印幅面"_s, paper);
        shop.settings().writeShop(shop.db(), u"店名"_s, u"澜帆示范快餐店"_s);
        shop.settings().loadShop(shop.db());
        shop.settings().write(u"开单后打印"_s, u"打印预览"_s);
        QWidget form;
        form.show();
        // The call popup prints without asking for an installed printer.
        ui::printOrder(&form, shop.context(), PrintSource::CallPopup, u"202612110001"_s, 1, style);
        QTRY_COMPARE(previews().size(), 1);
        ui::PrintPreviewDialog *dialog = previews().first();
        QCOMPARE(dialog->objectName(), u"PrintPreviewDialog"_s);
        QCOMPARE(dialog->job().pages.size(), pages);
        QCOMPARE(dialog->windowModality(), Qt::WindowModal);
        auto *widget = dialog->findChild<QPrintPreviewWidget *>();
        QVERIFY(widget);
        QTRY_COMPARE(widget->pageCount(), pages);
        QCOMPARE(qRound(dialog->printer()->pageLayout().fullRect(QPageLayout::Millimeter).width()), qRound(width));
        if (qEnvironmentVariableIsSet("LANFAN_SHOTS"))
            dialog->grab().save(QString::fromLocal8Bit(qgetenv("LANFAN_SHOTS")) + u"/preview-"_s + QTest::currentDataTag() + u".png"_s);
        QVERIFY(shop.prompter().entries().isEmpty());
    }

    void noPrintMeansNothing()
    {
        test::TestShop shop;
        addOrder(shop.db());
        shop.settings().write(u"开单后打印"_s, u"不打印"_s);
        QWidget form;
        ui::printOrder(&form, shop.context(), PrintSource::Takeaway, u"202612110001"_s);
        QTest::qWait(50);
        QVERIFY(previews().isEmpty());
        QVERIFY(shop.prompter().entries().isEmpty());
    }
};

QTEST_MAIN(TestPreview)
#include "tst_preview.moc"
