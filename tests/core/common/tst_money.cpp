#include "common/Money.h"

#include <QtTest>

using lanfan::Money;

class TestMoney : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void repeatedAdditionIsExact()
    {
        const Money tenth = *Money::parse(QStringLiteral("0.1"));
        Money sum;
        for (int i = 0; i < 10000; ++i)
            sum += tenth;
        QCOMPARE(sum, Money::fromInt(1000));
        QCOMPARE(sum.toFixed(2), QStringLiteral("1000.00"));
    }

    void parse_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("valid");
        QTest::addColumn<qint64>("units");
        QTest::newRow("whole") << "12" << true << qint64(120000);
        QTest::newRow("negative") << "-3.5" << true << qint64(-35000);
        QTest::newRow("blanks") << " 7.00 " << true << qint64(70000);
        QTest::newRow("leading dot") << ".25" << true << qint64(2500);
        QTest::newRow("fifth decimal tie to even, down") << "0.00005" << true << qint64(0);
        QTest::newRow("fifth decimal tie to even, up") << "0.00015" << true << qint64(2);
        QTest::newRow("fifth decimal above tie") << "0.000051" << true << qint64(1);
        QTest::newRow("negative tie to even") << "-0.00015" << true << qint64(-2);
        QTest::newRow("letters") << "abc" << false << qint64(0);
        QTest::newRow("two dots") << "1.2.3" << false << qint64(0);
        QTest::newRow("empty") << "" << false << qint64(0);
        QTest::newRow("sign only") << "-" << false << qint64(0);
        QTest::newRow("dot only") << "." << false << qint64(0);
        QTest::newRow("trailing letter") << "5元" << false << qint64(0);
    }
    void parse()
    {
        QFETCH(QString, text);
        QFETCH(bool, valid);
        QFETCH(qint64, units);
        const auto m = Money::parse(text);
        QCOMPARE(m.has_value(), valid);
        if (valid)
            QCOMPARE(m->units(), units);
    }

    void productsRoundToEvenAtFourDecimals_data()
    {
        QTest::addColumn<QString>("a");
        QTest::addColumn<QString>("b");
        QTest::addColumn<QString>("product");
        QTest::newRow("tie down to even") << "1.2345" << "0.5" << "0.6172";
        QTest::newRow("tie up to even") << "1.2355" << "0.5" << "0.6178";
        QTest::newRow("half portion") << "18" << "0.5" << "9";
        QTest::newRow("rate 8.5 on 100") << "100" << "0.85" << "85";
        QTest::newRow("negative tie") << "-1.2345" << "0.5" << "-0.6172";
    }
    void productsRoundToEvenAtFourDecimals()
    {
        QFETCH(QString, a);
        QFETCH(QString, b);
        QFETCH(QString, product);
        QCOMPARE(Money::parse(a)->times(*Money::parse(b)).toString(), product);
    }

    void displayRoundsHalfAwayFromZero_data()
    {
        QTest::addColumn<QString>("value");
        QTest::addColumn<int>("decimals");
        QTest::addColumn<QString>("shown");
        QTest::newRow("50.5 whole") << "50.5" << 0 << "51";
        QTest::newRow("49.5 whole") << "49.5" << 0 << "50";
        QTest::newRow("-49.5 whole") << "-49.5" << 0 << "-50";
        QTest::newRow("2.345 cents") << "2.345" << 2 << "2.35";
        QTest::newRow("2.125 cents") << "2.125" << 2 << "2.13";
        QTest::newRow("50.55 tenths") << "50.55" << 1 << "50.6";
        QTest::newRow("negative below one") << "-0.005" << 2 << "-0.01";
    }
    void displayRoundsHalfAwayFromZero()
    {
        QFETCH(QString, value);
        QFETCH(int, decimals);
        QFETCH(QString, shown);
        QCOMPARE(Money::parse(value)->toFixed(decimals), shown);
    }

    void databaseValuesRoundToFourDecimals()
    {
        QCOMPARE(Money::fromVariant(QVariant(0.1 + 0.2)).toString(), QStringLiteral("0.3"));
        QCOMPARE(Money::fromVariant(QVariant(qint64(12))), Money::fromInt(12));
        QCOMPARE(Money::fromVariant(QVariant(QStringLiteral("19.9900"))).toString(2), QStringLiteral("19.99"));
        QVERIFY(Money::fromVariant(QVariant()).isZero());
    }

    void divisionByZeroGivesZero()
    {
        QVERIFY(Money::fromInt(10).dividedBy(Money()).isZero());
        QCOMPARE(Money::fromInt(10).dividedBy(Money::fromInt(3)).toString(), QStringLiteral("3.3333"));
    }
};

QTEST_GUILESS_MAIN(TestMoney)
#include "tst_money.moc"
