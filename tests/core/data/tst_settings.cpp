#include "TestShop.h"
#include "common/Text.h"
#include "data/IniStore.h"
#include "data/Settings.h"

#include <QFile>
#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

class TestSettings : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void missingFileGivesAllDefaults()
    {
        QTemporaryDir dir;
        Settings s(dir.filePath(u"cysz.ini"_s));
        s.loadFile();
        for (const auto &d : settingDefs()) {
            if (d.name == u"程序名称")
                continue;
            QCOMPARE(s.value(d.name), d.defaultValue);
            QCOMPARE(int(s.source(d.name)), int(Settings::Source::Default));
        }
        QCOMPARE(s.value(u"开单后打印"_s), u"打印预览"_s);
        QCOMPARE(s.value(u"营业延长时间"_s), u"0"_s);
    }

    void fileValuesAndEmptyKeys()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"cysz.ini"_s);
        test::writeFile(path, u"[开单后打印]\n类型=直接打印\n\n[后厨打印机]\n类型=\n"_s.toUtf8());
        Settings s(path);
        s.loadFile();
        QCOMPARE(s.value(u"开单后打印"_s), u"直接打印"_s);
        QCOMPARE(int(s.source(u"开单后打印"_s)), int(Settings::Source::File));
        QCOMPARE(s.value(u"后厨打印机"_s), QString());
        QCOMPARE(int(s.source(u"后厨打印机"_s)), int(Settings::Source::File));
        QCOMPARE(s.value(u"计算精度"_s), u"角分"_s);
        QCOMPARE(s.value(u"B小票打印机"_s), QString());
    }

    void readsAnOlderGbkFile()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"cysz.ini"_s);
        test::writeFile(path, toGbk(u"[计算精度]\r\n类型=元\r\n[公司简称]\r\n类型=好味道\r\n"_s));
        Settings s(path);
        s.loadFile();
        QCOMPARE(s.value(u"计算精度"_s), u"元"_s);
        QCOMPARE(s.value(u"程序名称"_s), u"好味道快餐外卖管理系统"_s);
    }

    void writesReadableUtf8AndTakesEffectAtOnce()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(u"cysz.ini"_s);
        Settings s(path);
        s.loadFile();
        QVERIFY(s.write(u"图标显示"_s, u"列表"_s));
        QCOMPARE(s.value(u"图标显示"_s), u"列表"_s);

        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(f.readAll());
        QVERIFY(text.contains(u"[图标显示]\n类型=列表"_s));

        Settings again(path);
        again.loadFile();
        QCOMPARE(again.value(u"图标显示"_s), u"列表"_s);
        QCOMPARE(again.value(u"开单后打印"_s), u"打印预览"_s);
    }

    void shopValueConversions_data()
    {
        QTest::addColumn<QString>("column");
        QTest::addColumn<QVariant>("stored");
        QTest::addColumn<QString>("current");
        QTest::newRow("58mm stays") << "打印幅面" << QVariant(u"58mm"_s) << "58mm";
        QTest::newRow("80mm is 76mm") << "打印幅面" << QVariant(u"80mm"_s) << "76mm";
        QTest::newRow("empty width is 76mm") << "打印幅面" << QVariant(u""_s) << "76mm";
        QTest::newRow("null width is 76mm") << "打印幅面" << QVariant() << "76mm";
        QTest::newRow("empty points rule is 1") << "积分规则" << QVariant() << "1";
        QTest::newRow("points rule kept") << "积分规则" << QVariant(u"10"_s) << "10";
        QTest::newRow("empty price rule") << "单价修改" << QVariant(u""_s) << "可以";
        QTest::newRow("price rule kept") << "单价修改" << QVariant(u"不可以"_s) << "不可以";
        QTest::newRow("empty return rule") << "退菜规则" << QVariant() << "任意";
        QTest::newRow("shop name as stored") << "店名" << QVariant(u"老王快餐"_s) << "老王快餐";
    }
    void shopValueConversions()
    {
        QFETCH(QString, column);
        QFETCH(QVariant, stored);
        QFETCH(QString, current);
        test::TestShop shop;
        shop.db().execute(u"update 店名 set "_s + quoteIdentifier(column) + u"=:v"_s, {{u"v"_s, stored}});
        shop.settings().loadShop(shop.db());
        QCOMPARE(shop.settings().shop(column), current);
    }

    void shopWriterStoresAndUpdates()
    {
        test::TestShop shop;
        shop.settings().writeShop(shop.db(), u"打印幅面"_s, u"58mm"_s);
        QCOMPARE(shop.settings().shop(u"打印幅面"_s), u"58mm"_s);
        QCOMPARE(shop.db().scalar(u"select 打印幅面 from 店名"_s).toString(), u"58mm"_s);
        QVERIFY_THROWS_EXCEPTION(SqlError, shop.settings().writeShop(shop.db(), u"店名\" = 1; --"_s, 1));
    }

    void programTitle_data()
    {
        QTest::addColumn<QString>("programName");
        QTest::addColumn<QString>("shortName");
        QTest::addColumn<QString>("title");
        QTest::newRow("set") << "小李订餐" << "澜帆" << "小李订餐";
        QTest::newRow("maker") << "" << "澜帆" << "澜帆电话订餐配送管理系统--中英文双语版";
        QTest::newRow("reseller") << "" << "好味道" << "好味道快餐外卖管理系统";
    }
    void programTitle()
    {
        QFETCH(QString, programName);
        QFETCH(QString, shortName);
        QFETCH(QString, title);
        QCOMPARE(programTitleFor(programName, shortName), title);
    }
};

QTEST_GUILESS_MAIN(TestSettings)
#include "tst_settings.moc"
