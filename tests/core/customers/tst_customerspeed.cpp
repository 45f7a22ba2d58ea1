// How the customer list copes with a large file. A normal run uses 20,000
// customers; set LANFAN_CUSTOMER_BENCH=200000 to measure a large shop.
#include "TestShop.h"
#include "customers/CustomerListModel.h"
#include "customers/CustomerQuery.h"
#include "customers/CustomerStore.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QSortFilterProxyModel>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

int customerCount()
{
    const int n = qEnvironmentVariableIntValue("LANFAN_CUSTOMER_BENCH");
    return n > 0 ? n : 20000;
}

const QStringList kSurnames = {u"张"_s, u"王"_s, u"李"_s, u"赵"_s, u"陈"_s, u"刘"_s, u"杨"_s, u"黄"_s};
const QStringList kGiven = {u"伟"_s, u"芳"_s, u"娜"_s, u"敏"_s, u"静"_s, u"丽"_s, u"强"_s, u"磊"_s, u"军"_s, u"洋"_s};

// Reads what a screen of the grid shows.
void showScreen(const CustomerListModel &model, int firstRow)
{
    for (int r = firstRow; r < std::min(firstRow + 40, model.rowCount()); ++r)
        for (int c = 0; c < model.columnCount(); ++c)
            model.data(model.index(r, c));
}

} // namespace

class TestCustomerSpeed : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        m_shop = std::make_unique<test::TestShop>();
        Db &db = m_shop->db();
        QRandomGenerator rng(20061);
        const int n = customerCount();
        QElapsedTimer t;
        t.start();
        Transaction tx(db);
        for (int i = 0; i < n; ++i) {
            const QString name = kSurnames[rng.bounded(kSurnames.size())] + kGiven[rng.bounded(kGiven.size())]
                                 + kGiven[rng.bounded(kGiven.size())];
            db.execute(u"insert into 客户资料 (客户姓名,联系电话,联系地址,客户地区,客户类型,购物次数,购物金额,帐户余额,手工编码) "
                       "values (:n,:p,:a,:r,'普通',:c,:m,:b,:k)"_s,
                       {{u"n"_s, name},
                        {u"p"_s, QString::number(13000000000LL + qint64(rng.bounded(1000000000)))},
                        {u"a"_s, QString(u"幸福路"_s + QString::number(rng.bounded(3000)) + u"号"_s)},
                        {u"r"_s, QString(u"区"_s + QString::number(rng.bounded(12)))},
                        {u"c"_s, int(rng.bounded(200))},
                        {u"m"_s, rng.bounded(100000) / 10.0},
                        {u"b"_s, i % 7 == 0 ? QVariant(QMetaType::fromType<double>()) : QVariant(int(rng.bounded(500)))},
                        {u"k"_s, QString::number(100000 + i)}});
        }
        db.execute(u"insert into 客户资料 (客户姓名,联系电话,联系地址) values ('欧阳目标','13912345678','目标路')"_s);
        tx.commit();
        qInfo("%d customers written in %lld ms", n + 1, t.elapsed());
    }

    void openAndScroll()
    {
        CustomerListModel model(m_shop->db());
        QElapsedTimer t;
        t.start();
        CustomerStore(m_shop->context()).zeroNullBalances();
        const qint64 balances = t.elapsed();
        model.load(allCustomers(CustomerOrder::ByOrders));
        showScreen(model, 0);
        const qint64 open = t.elapsed();
        QCOMPARE(model.rowCount(), customerCount() + 1);

        // jumps to 50 places, as a dragged scroll bar does
        QRandomGenerator rng(7);
        t.restart();
        for (int i = 0; i < 50; ++i)
            showScreen(model, rng.bounded(model.rowCount()));
        const qint64 jumps = t.elapsed();
        qInfo("open (null balances %lld ms included): %lld ms; 50 scroll jumps: %lld ms (%.1f ms each)", balances, open, jumps,
              jumps / 50.0);
        QVERIFY2(open < 3000, "opening the list took too long");
        QVERIFY2(jumps / 50 < 100, "a scroll jump took too long");
    }

    void searches_data()
    {
        QTest::addColumn<QString>("criterion");
        QTest::addColumn<QString>("text");
        QTest::newRow("phone") << u"phone"_s << u"12345678"_s;
        QTest::newRow("name") << u"name"_s << u"欧阳"_s;
        QTest::newRow("card") << u"card"_s << u"100123"_s;
        QTest::newRow("address") << u"address"_s << u"目标"_s;
    }
    void searches()
    {
        QFETCH(QString, criterion);
        QFETCH(QString, text);
        CustomerCriteria c;
        if (criterion == u"phone"_s) c.phone = text;
        if (criterion == u"name"_s) c.name = text;
        if (criterion == u"card"_s) c.card = text;
        if (criterion == u"address"_s) c.address = text;
        CustomerListModel model(m_shop->db());
        QElapsedTimer t;
        t.start();
        model.load(searchCustomers(c, m_shop->clock().today(), CustomerOrder::ByOrders));
        showScreen(model, 0);
        const qint64 ms = t.elapsed();
        qInfo("%s search over %d customers: %lld ms, %d found", qPrintable(criterion), customerCount() + 1, ms, model.rowCount());
        QVERIFY(model.rowCount() >= 1);
        QVERIFY2(ms < 1000, "the search took too long");
    }

    void titleSortOfEveryRow()
    {
        CustomerListModel model(m_shop->db());
        model.load(allCustomers(CustomerOrder::ByOrders));
        QSortFilterProxyModel proxy;
        proxy.setSourceModel(&model);
        proxy.setSortRole(Qt::EditRole);
        QElapsedTimer t;
        t.start();
        proxy.sort(CustomerListModel::gridFields().indexOf(u"帐户余额"_s), Qt::DescendingOrder);
        showScreen(model, 0);
        const qint64 ms = t.elapsed();
        qInfo("title sort of %d rows by balance: %lld ms, pages read: %d", model.rowCount(), ms, model.pagesRead());
        const int col = int(CustomerListModel::gridFields().indexOf(u"帐户余额"_s));
        QVERIFY(proxy.index(0, col).data(Qt::EditRole).toDouble() >= proxy.index(proxy.rowCount() - 1, col).data(Qt::EditRole).toDouble());
    }

    void cleanupTestCase() { m_shop.reset(); }

private:
    std::unique_ptr<test::TestShop> m_shop;
};

QTEST_GUILESS_MAIN(TestCustomerSpeed)
#include "tst_customerspeed.moc"
