#include "TestShop.h"
#include "common/BusinessDay.h"
#include "orders/OrderNumber.h"

#include <QSemaphore>
#include <QThread>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

void insertLine(Db &db, const QString &number, const QDate &day)
{
    db.execute(u"insert into 产品销售开票 (单据编号,购物日期,产品名称) values (:bh,:rq,'炒饭')"_s,
               {{u"bh"_s, number}, {u"rq"_s, day}});
}

} // namespace

class TestOrderNumber : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void businessDay_data()
    {
        QTest::addColumn<QTime>("time");
        QTest::addColumn<int>("cutOff");
        QTest::addColumn<int>("daysBack");
        QTest::newRow("01:59:59 with 2") << QTime(1, 59, 59) << 2 << 1;
        QTest::newRow("02:00:00 with 2") << QTime(2, 0, 0) << 2 << 1;
        QTest::newRow("02:00:01 with 2") << QTime(2, 0, 1) << 2 << 0;
        QTest::newRow("midnight with 0") << QTime(0, 0, 0) << 0 << 1;
        QTest::newRow("00:00:01 with 0") << QTime(0, 0, 1) << 0 << 0;
        QTest::newRow("late evening with 2") << QTime(23, 59, 59) << 2 << 0;
    }
    void businessDay()
    {
        QFETCH(QTime, time);
        QFETCH(int, cutOff);
        QFETCH(int, daysBack);
        const QDate day(2027, 1, 1);
        QCOMPARE(businessDate(QDateTime(day, time), cutOff), day.addDays(-daysBack));
    }

    void numberAfter_data()
    {
        QTest::addColumn<QString>("max");
        QTest::addColumn<QString>("next");
        QTest::newRow("first of the day") << "" << "202612110001";
        QTest::newRow("another day's number") << "202612100017" << "202612110001";
        QTest::newRow("second") << "202612110001" << "202612110002";
        QTest::newRow("carry") << "202612110009" << "202612110010";
        QTest::newRow("hundreds") << "202612110099" << "202612110100";
    }
    void numberAfter()
    {
        QFETCH(QString, max);
        QFETCH(QString, next);
        QCOMPARE(orderNumberAfter(max, QDate(2026, 12, 11)), next);
    }

    void afterMidnightContinuesYesterday()
    {
        test::TestShop shop;
        Db &db = shop.db();
        const QDate yesterday(2026, 12, 10);
        insertLine(db, u"202612100041"_s, yesterday);
        const QDate day = businessDate(QDateTime(QDate(2026, 12, 11), QTime(1, 30)), 2);
        Transaction tx(db);
        QCOMPARE(takeOrderNumber(db, day), u"202612100042"_s);
        QCOMPARE(takeOrderNumber(db, QDate(2026, 12, 11)), u"202612110001"_s);
    }

    // Two PCs saving at the same moment: the later saver waits for the
    // earlier one's commit and continues the sequence.
    void twoSaversNeverShareANumber()
    {
        test::TestShop shop;
        const QString path = shop.folder().shopDatabase();
        const QDate day(2026, 12, 11);
        QSemaphore firstHoldsLock;
        QString numbers[2];
        QString errors[2];

        auto saver = [&](int who) {
            try {
                auto db = openSqliteFile(path, u"saver-%1"_s.arg(who));
                Transaction tx(*db);
                const QString n = takeOrderNumber(*db, day);
                if (who == 0) {
                    firstHoldsLock.release();
                    QThread::msleep(300);
                }
                insertLine(*db, n, day);
                tx.commit();
                numbers[who] = n;
            } catch (const SqlError &e) {
                errors[who] = e.text();
            }
        };
        QThread *first = QThread::create(saver, 0);
        first->start();
        firstHoldsLock.acquire();
        QThread *second = QThread::create(saver, 1);
        second->start();
        QVERIFY(first->wait(20000));
        QVERIFY(second->wait(20000));
        delete first;
        delete second;
        QVERIFY2(errors[0].isEmpty(), qPrintable(errors[0]));
        QVERIFY2(errors[1].isEmpty(), qPrintable(errors[1]));
        QCOMPARE(numbers[0], u"202612110001"_s);
        QCOMPARE(numbers[1], u"202612110002"_s);
    }
};

QTEST_GUILESS_MAIN(TestOrderNumber)
#include "tst_ordernumber.moc"
