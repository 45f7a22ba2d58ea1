#include "TestShop.h"
#include "common/XlsxWriter.h"
#include "customers/CustomerQuery.h"
#include "customers/CustomerSheet.h"
#include "customers/CustomerStore.h"

#include <quazip/quazip.h>
#include <quazip/quazipfile.h>

#include <QtTest>

using namespace lanfan;
using namespace Qt::StringLiterals;

namespace {

// A cell of a hand-made sheet: text, or a number when `number` is set.
struct Cell {
    int row;      // from 1
    int column;   // 0 = A
    QString text;
    std::optional<double> number;
};

void writeSheet(const QString &path, const QList<Cell> &cells)
{
    XlsxWriter xlsx(path);
    QVERIFY2(xlsx.isValid(), qPrintable(xlsx.error()));
    QVERIFY(xlsx.addSheet());
    for (const Cell &c : cells) {
        if (c.number)
            xlsx.writeNumber(c.row - 1, c.column, *c.number);
        else
            xlsx.writeText(c.row - 1, c.column, c.text);
    }
    QCOMPARE(xlsx.close(), QString());
}

// A row in the layout A..S with name, phone and address filled.
QList<Cell> customerRow(int row, const QString &name, const QString &phone, const QString &address)
{
    return {{row, 2, phone, {}}, {row, 3, name, {}}, {row, 7, address, {}}};
}

QList<Cell> header()
{
    QList<Cell> out;
    const QStringList f = customerListFields();
    for (int c = 0; c < 19; ++c)
        out.append({1, c, customerFieldTitle(f[c]), {}});
    return out;
}

int customers(Db &db)
{
    return db.scalar(u"select count(*) from 客户资料"_s).toInt();
}

} // namespace

class TestCustomerSheet : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void emptyH2ImportsNothing()
    {
        test::TestShop shop;
        const QString path = shop.path(u"empty.xlsx"_s);
        QList<Cell> cells = header();
        cells += {{2, 3, u"没有地址"_s, {}}, {2, 2, u"123"_s, {}}};
        cells += customerRow(3, u"第三行"_s, u"456"_s, u"有地址"_s);
        writeSheet(path, cells);
        const SheetRead read = readSheet(path);
        QVERIFY2(read.ok(), qPrintable(read.error));
        CustomerImporter importer(shop.db());
        QCOMPARE(CustomerImporter::rowsToImport(read.sheet), 0);
        const ImportOutcome out = importer.run(read.sheet);
        QCOMPARE(out.imported, 0);
        QVERIFY(out.memo.isEmpty());
        QCOMPARE(customers(shop.db()), 0);
        QCOMPARE(CustomerImporter::finishedMessage(), u"导入完毕"_s);
    }

    void failingRowSevenIsReportedAndTheRestImported()
    {
        test::TestShop shop;
        const QString path = shop.path(u"rows.xlsx"_s);
        QList<Cell> cells = header();
        for (int row = 2; row <= 10; ++row) {
            cells += customerRow(row, u"客户"_s + QString::number(row), u"1380000000"_s + QString::number(row % 10), u"地址"_s);
            cells.append({row, 10, {}, double(row)}); // K 购物次数
        }
        cells.append({7, 11, u"十元"_s, {}}); // L 购物金额 that is not an amount
        cells.append({11, 3, u"无地址，结束"_s, {}});
        cells += customerRow(12, u"结束之后"_s, u"9"_s, u"不会导入"_s);
        writeSheet(path, cells);

        const SheetRead read = readSheet(path);
        QVERIFY2(read.ok(), qPrintable(read.error));
        QList<int> seen;
        const ImportOutcome out = CustomerImporter(shop.db()).run(read.sheet, [&](int done, int total) {
            seen << done;
            return total == 9;
        });
        QCOMPARE(seen.size(), 9);
        QCOMPARE(out.memo, QStringList{u"行数为：7的数据插入错误"_s});
        QCOMPARE(out.failedRows, QList<int>{7});
        QCOMPARE(out.imported, 8);
        QStringList names;
        for (const SqlRow &r : shop.db().rows(u"select 客户姓名 from 客户资料 order by id"_s))
            names << r.text(u"客户姓名"_s);
        QCOMPARE(names, (QStringList{u"客户2"_s, u"客户3"_s, u"客户4"_s, u"客户5"_s, u"客户6"_s, u"客户8"_s, u"客户9"_s, u"客户10"_s}));
        QCOMPARE(shop.db().scalar(u"select 购物次数 from 客户资料 where 客户姓名='客户9'"_s).toInt(), 9);
    }

    void cellsAreTrimmedAndEmptyCellsFollowTheLayout()
    {
        test::TestShop shop;
        const QString path = shop.path(u"cells.xlsx"_s);
        QList<Cell> cells = header();
        cells += {{2, 0, u" 金卡 "_s, {}}, {2, 2, {}, 13912345678.0}, {2, 3, u"  王  "_s, {}}, {2, 6, {}, 32874.0},
                  {2, 7, u" 北路 "_s, {}}, {2, 11, u"12.5"_s, {}}, {2, 16, {}, 100.25}, {2, 17, u"1"_s, {}}, {2, 18, u"1"_s, {}}};
        cells += customerRow(3, u"空"_s, u"1"_s, u"南路"_s);
        cells.append({3, 6, u"1990/2/3"_s, {}});
        writeSheet(path, cells);
        const ImportOutcome out = CustomerImporter(shop.db()).run(readSheet(path).sheet);
        QCOMPARE(out.imported, 2);
        const auto rows = shop.db().rows(u"select * from 客户资料 order by id"_s);
        QCOMPARE(rows[0].text(u"客户类型"_s), u"金卡"_s);
        QCOMPARE(rows[0].text(u"联系电话"_s), u"13912345678"_s);
        QCOMPARE(rows[0].text(u"客户姓名"_s), u"王"_s);
        QCOMPARE(rows[0].text(u"联系地址"_s), u"北路"_s);
        QCOMPARE(rows[0].text(u"生日"_s), u"1990-01-01"_s);
        QCOMPARE(rows[0].money(u"购物金额"_s), Money::fromUnits(125000));
        QCOMPARE(rows[0].money(u"帐户余额"_s), Money::fromUnits(1002500));
        QCOMPARE(rows[0].value(u"生日月"_s).toInt(), 1);
        // empty cells: texts empty, numbers 0, birthday and its month and day unset
        QCOMPARE(rows[1].text(u"客户类型"_s), QString());
        QVERIFY(!rows[1].isNull(u"客户类型"_s));
        QCOMPARE(rows[1].value(u"购物次数"_s).toInt(), 0);
        QVERIFY(!rows[1].isNull(u"帐户余额"_s));
        QCOMPARE(rows[1].text(u"生日"_s), u"1990-02-03"_s);
        QVERIFY(rows[1].isNull(u"生日月"_s));
        QVERIFY(rows[1].isNull(u"生日日"_s));
    }

    void dates_data()
    {
        QTest::addColumn<QString>("text");
        QTest::addColumn<QDate>("date");
        QTest::newRow("iso") << u"2020-01-05"_s << QDate(2020, 1, 5);
        QTest::newRow("slashes") << u"2020/1/5"_s << QDate(2020, 1, 5);
        QTest::newRow("dots") << u"2020.12.31"_s << QDate(2020, 12, 31);
        QTest::newRow("chinese") << u"2020年1月5日"_s << QDate(2020, 1, 5);
        QTest::newRow("with time") << u"2020-01-05 00:00:00"_s << QDate(2020, 1, 5);
        QTest::newRow("no such day") << u"2020-02-30"_s << QDate();
        QTest::newRow("words") << u"明天"_s << QDate();
    }
    void dates()
    {
        QFETCH(QString, text);
        QFETCH(QDate, date);
        QCOMPARE(dateFromText(text), date);
    }

    void serials()
    {
        QCOMPARE(dateFromSerial(1), QDate(1900, 1, 1));
        QCOMPARE(dateFromSerial(59), QDate(1900, 2, 28));
        QCOMPARE(dateFromSerial(61), QDate(1900, 3, 1));
        QCOMPARE(dateFromSerial(43831), QDate(2020, 1, 1));
        QCOMPARE(dateFromSerial(43831.75), QDate(2020, 1, 1));
        QCOMPARE(dateFromSerial(0, true), QDate(1904, 1, 1));
        QVERIFY(!dateFromSerial(-1).isValid());
    }

    void exportedFileReadsBackAndImportsAgain()
    {
        test::TestShop shop;
        CustomerStore store(shop.context());
        Customer c;
        c.type = u"金卡"_s;
        c.area = u"东区"_s;
        c.name = u"张三"_s;
        c.phone = u"013800000001"_s; // a leading zero survives only as text
        c.address = u"人民路1号, 3楼 \"A\""_s;
        c.birthday = QDate(1985, 7, 9);
        c.card = u"V001"_s;
        c.points = u"12"_s;
        store.save(c);
        c.name = u"李四"_s;
        c.phone = u"13900000002"_s;
        c.birthday = QDate();
        store.save(c);
        shop.db().execute(u"update 客户资料 set 帐户余额=88.5 where 客户姓名='李四'"_s);

        for (const QString &name : {u"customers.xlsx"_s, u"customers.csv"_s}) {
            const QString path = shop.path(name);
            const CustomerQuery q = allCustomers(CustomerOrder::ById);
            const QString error = name.endsWith(u"xlsx"_s) ? writeCustomersXlsx(shop.db(), q, path)
                                                            : writeCustomersCsv(shop.db(), q, path);
            QVERIFY2(error.isEmpty(), qPrintable(error));
            const SheetRead read = readSheet(path);
            QVERIFY2(read.ok(), qPrintable(read.error));
            QCOMPARE(read.sheet.cell(1, 2).text, u"联系电话"_s);
            QCOMPARE(read.sheet.cell(1, 13).text, u"会员卡号"_s);
            QCOMPARE(read.sheet.cell(1, 19).text, u"自动编号"_s);
            QCOMPARE(read.sheet.cell(2, 2).text, u"013800000001"_s);
            QVERIFY(!read.sheet.cell(2, 2).numeric);
            QCOMPARE(read.sheet.cell(2, 7).text, u"人民路1号, 3楼 \"A\""_s);
            QCOMPARE(read.sheet.cell(3, 16).text, u"88.5"_s);
            QCOMPARE(CustomerImporter::rowsToImport(read.sheet), 2);

            // imported into another shop, the customers come back as they were
            test::TestShop other;
            const ImportOutcome out = CustomerImporter(other.db()).run(read.sheet);
            QVERIFY2(out.memo.isEmpty(), qPrintable(out.memo.join(u'\n')));
            const auto rows = other.db().rows(u"select * from 客户资料 order by id"_s);
            QCOMPARE(rows.size(), 2);
            QCOMPARE(rows[0].text(u"联系电话"_s), u"013800000001"_s);
            QCOMPARE(rows[0].text(u"生日"_s), u"1985-07-09"_s);
            QCOMPARE(rows[0].value(u"生日月"_s).toInt(), 7);
            QCOMPARE(rows[0].text(u"手工编码"_s), u"V001"_s);
            QCOMPARE(rows[0].value(u"积分"_s).toInt(), 12);
            QCOMPARE(rows[0].text(u"联系地址"_s), u"人民路1号, 3楼 \"A\""_s);
            QCOMPARE(rows[1].money(u"帐户余额"_s), Money::fromUnits(885000));
            QVERIFY(rows[1].isNull(u"生日"_s));
        }
    }

    void unwritablePlaceIsReported()
    {
        test::TestShop shop;
        const QString path = shop.path(u"no-such-folder/x.xlsx"_s);
        QVERIFY(!writeCustomersXlsx(shop.db(), allCustomers(CustomerOrder::ById), path).isEmpty());
        QVERIFY(!writeCustomersCsv(shop.db(), allCustomers(CustomerOrder::ById), path).isEmpty());
    }

    void malformedFiles_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("not a zip") << u"a.xlsx"_s << QByteArray("this is not a workbook");
        QTest::newRow("empty") << u"b.xlsx"_s << QByteArray();
        QTest::newRow("csv with an open quote") << u"c.csv"_s << QByteArray("a,b,\"c\r\nd,e,f");
        QTest::newRow("binary as csv") << u"d.csv"_s << QByteArray("\x00\x01\x02\xff\xfe", 5);
    }
    void malformedFiles()
    {
        QFETCH(QString, name);
        QFETCH(QByteArray, bytes);
        test::TestShop shop;
        test::writeFile(shop.path(name), bytes);
        const SheetRead read = readSheet(shop.path(name));
        QVERIFY(!read.ok());
        QVERIFY(read.sheet.rows.isEmpty());
    }

    void damagedWorkbookParts_data()
    {
        QTest::addColumn<QString>("part");
        QTest::addColumn<QByteArray>("content");
        QTest::newRow("sheet cut short") << u"xl/worksheets/sheet1.xml"_s
                                         << QByteArray("<worksheet><sheetData><row r=\"2\"><c r=\"H2\" t=\"s\"><v>0</v>");
        QTest::newRow("shared string out of range")
            << u"xl/worksheets/sheet1.xml"_s
            << QByteArray("<worksheet><sheetData><row r=\"2\"><c r=\"H2\" t=\"s\"><v>99</v></c></row></sheetData></worksheet>");
        QTest::newRow("bad reference") << u"xl/worksheets/sheet1.xml"_s
                                       << QByteArray("<worksheet><sheetData><row r=\"2\"><c r=\"2H\"><v>1</v></c></row></sheetData></worksheet>");
        QTest::newRow("workbook not xml") << u"xl/workbook.xml"_s << QByteArray("<<<");
    }
    void damagedWorkbookParts()
    {
        QFETCH(QString, part);
        QFETCH(QByteArray, content);
        test::TestShop shop;
        // a good workbook first, then one part replaced
        const QString good = shop.path(u"good.xlsx"_s);
        QList<Cell> cells = header();
        cells += customerRow(2, u"A"_s, u"1"_s, u"路"_s);
        writeSheet(good, cells);
        const QString bad = shop.path(u"bad.xlsx"_s);
        {
            QuaZip in(good), out(bad);
            QVERIFY(in.open(QuaZip::mdUnzip));
            QVERIFY(out.open(QuaZip::mdCreate));
            for (bool more = in.goToFirstFile(); more; more = in.goToNextFile()) {
                const QString name = in.getCurrentFileName();
                QuaZipFile src(&in);
                QVERIFY(src.open(QIODevice::ReadOnly));
                QByteArray data = src.readAll();
                src.close();
                if (name == part)
                    data = content;
                QuaZipFile dst(&out);
                QVERIFY(dst.open(QIODevice::WriteOnly, QuaZipNewInfo(name)));
                dst.write(data);
                dst.close();
            }
            out.close();
        }
        const SheetRead read = readSheet(bad);
        QVERIFY(!read.ok());
        QVERIFY(read.sheet.rows.isEmpty());
        QVERIFY(readSheet(good).ok());
    }

    void gbkCsv()
    {
        test::TestShop shop;
        QByteArray bytes = toGbkBytes(u"类型,地区,电话,姓名,单位,身份证,生日,地址\r\n"
                                       "普通,东区,\"138,139\",赵六,,,2001-2-3,新村5号\r\n"_s);
        test::writeFile(shop.path(u"gbk.csv"_s), bytes);
        const SheetRead read = readSheet(shop.path(u"gbk.csv"_s));
        QVERIFY2(read.ok(), qPrintable(read.error));
        const ImportOutcome out = CustomerImporter(shop.db()).run(read.sheet);
        QCOMPARE(out.imported, 1);
        const SqlRow r = shop.db().first(u"select * from 客户资料"_s);
        QCOMPARE(r.text(u"客户姓名"_s), u"赵六"_s);
        QCOMPARE(r.text(u"联系电话"_s), u"138,139"_s);
        QCOMPARE(r.text(u"生日"_s), u"2001-02-03"_s);
    }

private:
    static QByteArray toGbkBytes(const QString &s)
    {
        QStringEncoder enc("GBK");
        return enc.encode(s);
    }
};

QTEST_GUILESS_MAIN(TestCustomerSheet)
#include "tst_customersheet.moc"
