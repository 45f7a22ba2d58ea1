#include "../../core/board/BoardFixtures.h"
#include "TestShop.h"
#include "board/ReceiptPicture.h"

#include <QFile>
#include <QtEndian>
#include <QtTest>

using namespace lanfan;
using namespace lanfan::test;
using namespace Qt::StringLiterals;

namespace {

// The value of a tag of the first directory of a little-endian TIFF file.
quint32 tiffTag(const QByteArray &file, quint16 tag)
{
    const auto *d = reinterpret_cast<const uchar *>(file.constData());
    const quint32 ifd = qFromLittleEndian<quint32>(d + 4);
    const quint16 count = qFromLittleEndian<quint16>(d + ifd);
    for (int i = 0; i < count; ++i) {
        const uchar *e = d + ifd + 2 + i * 12;
        if (qFromLittleEndian<quint16>(e) != tag)
            continue;
        return qFromLittleEndian<quint16>(e + 2) == 3 ? qFromLittleEndian<quint16>(e + 8)
                                                      : qFromLittleEndian<quint32>(e + 8);
    }
    return 0;
}

} // namespace

class TestReceiptPicture : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void tiffHoldsThePixels()
    {
        QImage image(7, 3, QImage::Format_RGB888);
        image.fill(Qt::white);
        image.setPixelColor(6, 2, QColor(10, 20, 30));
        QTemporaryDir dir;
        const QString path = dir.filePath(u"a.tif"_s);
        QString error;
        QVERIFY2(board::writeTiff(image, path, 200, &error), qPrintable(error));
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        const QByteArray bytes = f.readAll();
        QCOMPARE(bytes.left(4), QByteArray("II*\0", 4));
        QCOMPARE(tiffTag(bytes, 256), 7u);
        QCOMPARE(tiffTag(bytes, 257), 3u);
        QCOMPARE(tiffTag(bytes, 262), 2u);
        const quint32 strip = tiffTag(bytes, 273);
        QCOMPARE(tiffTag(bytes, 279), 7u * 3u * 3u);
        QCOMPARE(quint32(bytes.size()), strip + 63u);
        // The last pixel of the last row comes last.
        QCOMPARE(bytes.right(3), QByteArray("\x0a\x14\x1e", 3));
        QVERIFY(!board::writeTiff(QImage(), path, 200, &error));
    }

    void receiptOfASavedOrder()
    {
        TestShop shop;
        BoardOrder o;
        o.number = u"202612110001"_s;
        o.takenOn = QDate(2026, 12, 11);
        addBoardOrder(shop.db(), o);
        QString message;
        const QImage picture = board::receiptPicture(shop.context(), o.number, {u"默认打印机"_s}, &message);
        QVERIFY2(!picture.isNull(), qPrintable(message));
        QVERIFY(picture.height() > picture.width() / 2);
        // Something is drawn on the white page.
        bool ink = false;
        for (int y = 0; y < picture.height() && !ink; y += 2)
            for (int x = 0; x < picture.width() && !ink; x += 2)
                ink = picture.pixelColor(x, y).lightness() < 128;
        QVERIFY(ink);

        QVERIFY(board::receiptPicture(shop.context(), u"无此单"_s, {u"默认打印机"_s}, &message).isNull());
        QVERIFY(!message.isEmpty());
    }
};

QTEST_MAIN(TestReceiptPicture)
#include "tst_receiptpicture.moc"
