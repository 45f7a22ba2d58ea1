// Every ticket layout drawn through the one painter into a real PDF file.

#include "TestShop.h"
#include "printing/FixedLayouts.h"
#include "printing/PagePainter.h"
#include "printing/PrintSampleCommand.h"
#include "printing/ReportTemplate.h"

#include <QImage>
#include <QPainter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QtTest>

using namespace lanfan;
using namespace lanfan::printing;
using namespace Qt::StringLiterals;

namespace {

// Pages of a PDF: pdfinfo when poppler is there, else the page objects of the file.
int pdfPages(const QString &path)
{
    if (const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s); !pdfinfo.isEmpty()) {
        QProcess p;
        p.start(pdfinfo, {path});
        p.waitForFinished(10000);
        const auto m = QRegularExpression(u"Pages:\\s+(\\d+)"_s).match(QString::fromUtf8(p.readAllStandardOutput()));
        return m.hasMatch() ? m.captured(1).toInt() : -1;
    }
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    int pages = 0;
    auto it = QRegularExpression(u"/Type\\s*/Page[^s]"_s).globalMatch(QString::fromLatin1(f.readAll()));
    while (it.hasNext()) {
        it.next();
        ++pages;
    }
    return pages;
}

// Page size in millimetres from pdfinfo ("Page size: 215.433 x 408.189 pts").
QSizeF pdfPageMm(const QString &path)
{
    const QString pdfinfo = QStandardPaths::findExecutable(u"pdfinfo"_s);
    if (pdfinfo.isEmpty())
        return {};
    QProcess p;
    p.start(pdfinfo, {path});
    p.waitForFinished(10000);
    const auto m = QRegularExpression(u"Page size:\\s+([0-9.]+) x ([0-9.]+) pts"_s)
                       .match(QString::fromUtf8(p.readAllStandardOutput()));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble() * 25.4 / 72, m.captured(2).toDouble() * 25.4 / 72) : QSizeF();
}

} // namespace

class TestPdf : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void eachLayoutToPdf_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<int>("pages");
        QTest::addColumn<double>("width");
        QTest::newRow("76") << u"76"_s << 1 << 76.0;
        QTest::newRow("58") << u"58"_s << 1 << 58.0;
        QTest::newRow("feedback") << u"feedback"_s << 3 << 76.0;
        QTest::newRow("kitchen") << u"kitchen"_s << 1 << 76.0;
        QTest::newRow("custom") << u"custom"_s << 1 << 76.0;
        QTest::newRow("b") << u"b"_s << 1 << 76.0;
        QTest::newRow("c") << u"c"_s << 1 << 76.0;
        QTest::newRow("one dish per page") << u"onedish"_s << 5 << 76.0;
    }
    void eachLayoutToPdf()
    {
        QFETCH(QString, layout);
        QFETCH(int, pages);
        QFETCH(double, width);
        QTemporaryDir dir;
        const QString file = dir.filePath(layout + u".pdf"_s);
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        const int rc = runPrintSample({u"lanfan-admin"_s, u"print-sample"_s, u"--layout"_s, layout, u"--out"_s, file}, out, err);
        QVERIFY2(rc == 0, qPrintable(errText));
        QVERIFY(QFileInfo(file).size() > 1000);
        QCOMPARE(pdfPages(file), pages);
        const QSizeF size = pdfPageMm(file);
        if (size.isValid())
            QVERIFY2(qAbs(size.width() - width) < 0.5, qPrintable(QString::number(size.width())));
    }

    void sampleOfASavedOrder()
    {
        test::TestShop shop;
        shop.db().execute(u"insert into 产品销售开票 (单据编号,购物日期,时间,产品名称,数量,单价,应付货款,折后金额,打折) values "
                          "('202612110001','2026-12-11','10:00:00','蛋炒饭',2,12,24,24,10)"_s);
        QTemporaryDir dir;
        const QString file = dir.filePath(u"order.pdf"_s);
        QString outText, errText;
        QTextStream out(&outText), err(&errText);
        QCOMPARE(runPrintSample({u"lanfan-admin"_s, u"print-sample"_s, u"--data-dir"_s, shop.folder().root(), u"--layout"_s,
                                 u"kitchen"_s, u"--order"_s, u"202612110001"_s, u"--out"_s, file},
                                out, err),
                 0);
        QCOMPARE(pdfPages(file), 1);
        QCOMPARE(runPrintSample({u"lanfan-admin"_s, u"print-sample"_s, u"--data-dir"_s, shop.folder().root(), u"--layout"_s,
                                 u"kitchen"_s, u"--order"_s, u"209901010001"_s, u"--out"_s, file},
                                out, err),
                 1);
        QVERIFY(errText.contains(u"209901010001"_s));
    }

    void hiddenFlavourLeavesWhitePaper()
    {
        // The same ticket with and without flavours: only the flavour column differs, and it is blank.
        PrintOrder o = sampleOrder();
        LayoutOptions opt;
        opt.shopName = u"湘味"_s;
        auto render = [&](bool show) {
            opt.showFlavour = show;
            const PrintPage page = plainTicket(o, opt);
            QImage image(int(page.width), int(page.height), QImage::Format_RGB32);
            image.fill(Qt::white);
            QPainter p(&image);
            paintPage(p, page);
            return std::make_pair(image, page);
        };
        const auto [shown, page] = render(true);
        const auto [hidden, _] = render(false);
        const QRect flavour = page.findText(u"微辣"_s)->rect.toAlignedRect();
        bool inkShown = false, inkHidden = false;
        for (int y = flavour.top(); y < flavour.bottom(); ++y)
            for (int x = flavour.left(); x < flavour.right(); ++x) {
                inkShown = inkShown || qGray(shown.pixel(x, y)) < 128;
                inkHidden = inkHidden || qGray(hidden.pixel(x, y)) < 250;
            }
        QVERIFY(inkShown);
        QVERIFY(!inkHidden);
        // Outside the flavour column the two are the same picture.
        const QRect dish = page.findText(u"小炒黄牛肉"_s)->rect.toAlignedRect().adjusted(0, 0, -3, 0);
        QCOMPARE(shown.copy(dish), hidden.copy(dish));
    }
};

QTEST_MAIN(TestPdf)
#include "tst_pdf.moc"
