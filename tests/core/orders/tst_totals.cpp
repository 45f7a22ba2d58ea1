#include "TestShop.h"
#include "orders/DiscountPeriods.h"
#include "orders/Totals.h"

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

Money m(const char *text)
{
    return Money::parseOrZero(QString::fromLatin1(text));
}

TotalsBoxes boxes(const QString &rate, const QString &roundOff, const QString &points, const QString &fee,
                  const QString &tax)
{
    TotalsBoxes b;
    b.rate = rate;
    b.roundOff = roundOff;
    b.points = points;
    b.fee = fee;
    b.tax = tax;
    return b;
}

void addPeriod(Db &db, const QString &from, const QString &to, const QString &rate)
{
    db.execute(u"insert into 优惠时段 (开始时间,结束时间,折扣率) values (:a,:b,:c)"_s,
               {{u"a"_s, from}, {u"b"_s, to}, {u"c"_s, QVariant::fromValue(Money::parseOrZero(rate))}});
}

} // namespace

class TestTotals : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void total_data()
    {
        QTest::addColumn<QString>("rate");
        QTest::addColumn<QString>("roundOff");
        QTest::addColumn<QString>("points");
        QTest::addColumn<QString>("fee");
        QTest::addColumn<QString>("tax");
        QTest::addColumn<QString>("discounted");
        QTest::addColumn<QString>("undiscounted");
        QTest::addColumn<QString>("pointValue");
        QTest::addColumn<QString>("precision");
        QTest::addColumn<QString>("text");

        QTest::newRow("worked example 角分") << "8" << "1" << "100" << "10" << "0" << "50" << "12" << "0.05" << "角分" << "50.60";
        QTest::newRow("worked example 元") << "8" << "1" << "100" << "10" << "0" << "50" << "12" << "0.05" << "元" << "51";
        QTest::newRow("worked example 角") << "8" << "1" << "100" << "10" << "0" << "50" << "12" << "0.05" << "角" << "50.6";
        QTest::newRow("empty cart") << "10" << "" << "0" << "0" << "0" << "0" << "0" << "0" << "角分" << "0.00";
        QTest::newRow("rate 8.5 on 100") << "8.5" << "" << "0" << "0" << "0" << "100" << "0" << "0" << "角分" << "85.00";
        QTest::newRow("undiscounted lines charged in full") << "8" << "" << "0" << "0" << "0" << "0" << "30" << "0" << "角分" << "30.00";
        QTest::newRow("fee and tax add, not compound") << "10" << "" << "0" << "10" << "6" << "100" << "0" << "0" << "角分" << "116.00";
        QTest::newRow("rounding-off dash counts as 0") << "10" << "-" << "0" << "0" << "0" << "20" << "0" << "0" << "角分" << "20.00";
        QTest::newRow("50.5 with 元 rounds up") << "10" << "" << "0" << "0" << "0" << "50.5" << "0" << "0" << "元" << "51";
        QTest::newRow("49.5 with 元 rounds up") << "10" << "" << "0" << "0" << "0" << "49.5" << "0" << "0" << "元" << "50";
        QTest::newRow("half away from zero below zero") << "10" << "10.5" << "0" << "0" << "0" << "0" << "0" << "0" << "元" << "-11";
        QTest::newRow("may go negative") << "10" << "" << "100" << "0" << "0" << "3" << "0" << "0.05" << "角分" << "-2.00";
        // 8.8 / 10 × 10.01 = 8.8088; × 1.05 = 9.24924 → 9.2492 → "9.25"
        QTest::newRow("fee on a fractional base") << "8.8" << "" << "0" << "5" << "0" << "10.01" << "0" << "0" << "角分" << "9.25";
        // 9.5 / 10 × 0.01 = 0.0095 exactly; not lost to binary fractions
        QTest::newRow("small amounts exact") << "9.5" << "" << "0" << "0" << "0" << "0.01" << "0" << "0" << "角分" << "0.01";
        QTest::newRow("empty boxes take their defaults") << "" << "" << "" << "" << "" << "40" << "2" << "1" << "角分" << "42.00";
    }
    void total()
    {
        QFETCH(QString, rate);
        QFETCH(QString, roundOff);
        QFETCH(QString, points);
        QFETCH(QString, fee);
        QFETCH(QString, tax);
        QFETCH(QString, discounted);
        QFETCH(QString, undiscounted);
        QFETCH(QString, pointValue);
        QFETCH(QString, precision);
        QFETCH(QString, text);
        const TotalsOutcome out = orderTotal(boxes(rate, roundOff, points, fee, tax), Money::parseOrZero(discounted),
                                             Money::parseOrZero(undiscounted), Money::parseOrZero(pointValue), precision);
        QVERIFY2(out.ok, qPrintable(out.refusal));
        QCOMPARE(out.text, text);
    }

    // The four-decimal total rounds ties to the even digit before the display
    // precision applies.
    void fourDecimalsTiesToEven()
    {
        // 10 × 1.0005 = ... use fee 0.005 % of 1.0 → 1.00005 → 1.0000 (even)
        TotalsOutcome a = orderTotal(boxes(u"10"_s, {}, u"0"_s, u"0.005"_s, u"0"_s), m("1"), Money(), Money(), u"角分"_s);
        QCOMPARE(a.exact, m("1.0000"));
        // 3 × 1.00005 = 3.00015 → 3.0002 (even)
        TotalsOutcome b = orderTotal(boxes(u"10"_s, {}, u"0"_s, u"0.005"_s, u"0"_s), m("3"), Money(), Money(), u"角分"_s);
        QCOMPARE(b.exact, m("3.0002"));
    }

    void notANumberIsRefused_data()
    {
        QTest::addColumn<int>("box");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("boxName");
        QTest::newRow("rate") << 0 << u"八"_s << u"打折"_s;
        QTest::newRow("rounding-off") << 1 << u"1..2"_s << u"抹零"_s;
        QTest::newRow("points") << 2 << u"abc"_s << u"使用积分"_s;
        QTest::newRow("fee") << 3 << u"10%"_s << u"服务费"_s;
        QTest::newRow("tax") << 4 << u"."_s << u"税率"_s;
    }
    void notANumberIsRefused()
    {
        QFETCH(int, box);
        QFETCH(QString, text);
        QFETCH(QString, boxName);
        QStringList texts{u"10"_s, u""_s, u"0"_s, u"0"_s, u"0"_s};
        texts[box] = text;
        const TotalsOutcome out =
            orderTotal(boxes(texts[0], texts[1], texts[2], texts[3], texts[4]), m("10"), Money(), Money(), u"角分"_s);
        QVERIFY(!out.ok);
        QVERIFY(out.text.isEmpty());
        QCOMPARE(out.refusal, notANumberMessage(boxName, text));
        QVERIFY(out.refusal.contains(text));
    }

    void defaultsWrittenBack()
    {
        const TotalsBoxes b = withDefaults(boxes({}, {}, {}, {}, {}));
        QCOMPARE(b.rate, u"10"_s);
        QCOMPARE(b.points, u"0"_s);
        QCOMPARE(b.fee, u"0"_s);
        QCOMPARE(b.tax, u"0"_s);
        QCOMPARE(b.roundOff, QString());
    }

    void chooseRate_data()
    {
        QTest::addColumn<QString>("period");
        QTest::addColumn<QVariant>("type");
        QTest::addColumn<bool>("lowerOnly");
        QTest::addColumn<QString>("rate");
        QTest::newRow("type 9 during period 8 keeps 8") << u"8"_s << QVariant(9.0) << true << u"8"_s;
        QTest::newRow("type 7 during period 8 wins") << u"8"_s << QVariant(7.0) << true << u"7"_s;
        QTest::newRow("tie takes the type") << u"8"_s << QVariant(8.0) << true << u"8"_s;
        QTest::newRow("type 8.5 without a period") << u"10"_s << QVariant(8.5) << true << u"8.5"_s;
        QTest::newRow("type without a rate") << u"8"_s << QVariant() << true << u"8"_s;
        QTest::newRow("dine-in: type replaces the period") << u"8"_s << QVariant(9.0) << false << u"9"_s;
    }
    void chooseRate()
    {
        QFETCH(QString, period);
        QFETCH(QVariant, type);
        QFETCH(bool, lowerOnly);
        QFETCH(QString, rate);
        QCOMPARE(chooseDiscountRate(period, type, lowerOnly), rate);
    }

    void rateItems()
    {
        lanfan::test::TestShop shop;
        QCOMPARE(discountRateItems(shop.db()),
                 (QStringList{u"10"_s, u"9"_s, u"8"_s, u"7"_s, u"6"_s, u"5"_s, u"4"_s, u"3"_s, u"2"_s, u"1"_s}));
        shop.db().execute(u"insert into 折扣设置 (折扣率) values (9.5)"_s);
        shop.db().execute(u"insert into 折扣设置 (折扣率) values (8)"_s);
        QCOMPARE(discountRateItems(shop.db()), (QStringList{u"9.5"_s, u"8"_s}));
        shop.db().execute(u"insert into 客户类型 (客户类型,折扣率) values ('金卡',8.5)"_s);
        QCOMPARE(chooseDiscountRate(u"9"_s, customerTypeRate(shop.db(), u"金卡"_s)), u"8.5"_s);
        QCOMPARE(chooseDiscountRate(u"9"_s, customerTypeRate(shop.db(), u"散客"_s)), u"9"_s);
    }

    void periodInForce_data()
    {
        QTest::addColumn<QTime>("at");
        QTest::addColumn<QString>("rate");
        QTest::newRow("12:30:00 inside") << QTime(12, 30) << u"8.5"_s;
        QTest::newRow("11:00:00 at the start") << QTime(11, 0) << u"8.5"_s;
        QTest::newRow("13:00:00 at the end") << QTime(13, 0) << u"8.5"_s;
        QTest::newRow("13:00:01 after the end") << QTime(13, 0, 1) << QString();
        QTest::newRow("10:59:59 before") << QTime(10, 59, 59) << QString();
        QTest::newRow("23:00:00 across midnight never") << QTime(23, 0) << QString();
        QTest::newRow("01:00:00 across midnight never") << QTime(1, 0) << QString();
    }
    void periodInForce()
    {
        QFETCH(QTime, at);
        QFETCH(QString, rate);
        lanfan::test::TestShop shop;
        addPeriod(shop.db(), u"11:00:00"_s, u"13:00:00"_s, u"8.5"_s);
        addPeriod(shop.db(), u"22:00:00"_s, u"02:00:00"_s, u"5"_s);
        shop.clock().set(QDateTime(QDate(2026, 12, 11), at));
        DiscountPeriods periods(shop.context());
        QCOMPARE(periods.rateNow().value_or(QString()), rate);
    }

    void firstOfOverlappingPeriodsWins()
    {
        lanfan::test::TestShop shop;
        addPeriod(shop.db(), u"11:00:00"_s, u"14:00:00"_s, u"9"_s);
        addPeriod(shop.db(), u"12:00:00"_s, u"13:00:00"_s, u"7"_s);
        DiscountPeriods periods(shop.context());
        QCOMPARE(periods.rateAt(QTime(12, 30)).value_or(QString()), u"9"_s);
    }

    void addAndRemovePeriods()
    {
        lanfan::test::TestShop shop;
        DiscountPeriods periods(shop.context());
        QCOMPARE(periods.add(QTime(11, 0), QTime(13, 0), u""_s), u"折扣率不能为空"_s);
        QCOMPARE(periods.add(QTime(11, 0), QTime(13, 0), u"八折"_s), notANumberMessage(u"折扣率"_s, u"八折"_s));
        QVERIFY(periods.all().isEmpty());
        QCOMPARE(periods.add(QTime(11, 0), QTime(13, 0), u"8.5"_s), QString());
        QCOMPARE(periods.add(QTime(17, 30), QTime(19, 0), u"9"_s), QString());
        const QList<DiscountPeriod> all = periods.all();
        QCOMPARE(all.size(), 2);
        QCOMPARE(all[0].start, u"11:00:00"_s);
        QCOMPARE(all[0].end, u"13:00:00"_s);
        QCOMPARE(all[0].rate, u"8.5"_s);
        QCOMPARE(periods.rateAt(QTime(18, 0)).value_or(QString()), u"9"_s);
        periods.remove(all[0]);
        QCOMPARE(periods.all().size(), 1);
        QCOMPARE(periods.all()[0].rate, u"9"_s);
        QVERIFY(!periods.rateAt(QTime(12, 0)));
    }

    void caption()
    {
        QCOMPARE(discountPeriodCaption(u"手工开单"_s, u"8.5"_s), u"手工开单    优惠时段，优惠折扣：8.5"_s);
    }
};

QTEST_GUILESS_MAIN(TestTotals)
#include "tst_totals.moc"
