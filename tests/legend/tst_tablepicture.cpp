#include <QFile>
#include <QImage>
#include <QLabel>
#include <QTest>
#include <QtEndian>

#include "proportional_size.h"
#include "tflegenda.h"

namespace {

const QString kPicturePath = QStringLiteral(":/legend/table_picture.bmp");

quint32 U32(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint32>(bytes.constData() + offset);
}

quint16 U16(const QByteArray& bytes, int offset) {
    return qFromLittleEndian<quint16>(bytes.constData() + offset);
}

bool IsDark(QRgb pixel) {
    return qGray(pixel) < 0x60;
}

}  // namespace

class TestTablePicture : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();

    void storedAsAPlainWindowsBitmap();
    void fills_data();
    void fills();
    void stripSeparatorsAtTheGridPositions();
    void formBordersAtTheGridPositions();
    void textLeavesTheBordersIntact();

    void proportionalSize_data();
    void proportionalSize();
    void shownShrunkAtTheTopLeft();

private:
    QByteArray bytes;
    QImage picture;
};

void TestTablePicture::initTestCase() {
    QFile file(kPicturePath);
    QVERIFY(file.open(QIODevice::ReadOnly));
    bytes = file.readAll();
    QVERIFY(picture.loadFromData(bytes, "BMP"));
    picture = picture.convertToFormat(QImage::Format_RGB32);
}

void TestTablePicture::storedAsAPlainWindowsBitmap() {
    QVERIFY(bytes.size() >= 54);
    QCOMPARE(bytes.left(2), QByteArray("BM"));
    QCOMPARE(U32(bytes, 2), quint32(bytes.size()));
    QCOMPARE(U32(bytes, 10), 54u);  // headers only: no palette before the pixels
    QCOMPARE(U32(bytes, 14), 40u);
    QCOMPARE(qint32(U32(bytes, 18)), 893);
    QCOMPARE(qint32(U32(bytes, 22)), 391);  // positive: rows stored bottom-up
    QCOMPARE(U16(bytes, 26), quint16(1));
    QCOMPARE(U16(bytes, 28), quint16(24));
    QCOMPARE(U32(bytes, 30), 0u);            // uncompressed
    QCOMPARE(U32(bytes, 34), 2680u * 391u);  // each row padded to 4 bytes
    QCOMPARE(U32(bytes, 38), 2835u);
    QCOMPARE(U32(bytes, 42), 2835u);
    QCOMPARE(U32(bytes, 46), 0u);
    QCOMPARE(U32(bytes, 50), 0u);
    QCOMPARE(bytes.size(), 54 + 2680 * 391);
}

void TestTablePicture::fills_data() {
    QTest::addColumn<QPoint>("at");
    QTest::addColumn<QRgb>("color");

    const QRgb strip = qRgb(0xF0, 0xF0, 0xF0);
    const QRgb label = qRgb(0xD9, 0xD9, 0xD9);
    const QRgb input = qRgb(0xFF, 0xFF, 0xFF);
    const QRgb result = qRgb(0xF2, 0xF2, 0xF2);
    QTest::newRow("letter strip above A") << QPoint(33, 3) << strip;
    QTest::newRow("letter strip above J") << QPoint(888, 18) << strip;
    QTest::newRow("number strip beside row 8") << QPoint(3, 240) << strip;
    QTest::newRow("number strip at the bottom") << QPoint(24, 389) << strip;
    QTest::newRow("label A3") << QPoint(200, 66) << label;
    QTest::newRow("label A7 to A9") << QPoint(32, 180) << label;
    QTest::newRow("label D9") << QPoint(333, 269) << label;
    QTest::newRow("label G7 to J7") << QPoint(540, 180) << label;
    QTest::newRow("H10") << QPoint(681, 325) << label;
    QTest::newRow("J12") << QPoint(860, 377) << label;
    QTest::newRow("input C3 to J3") << QPoint(560, 79) << input;
    QTest::newRow("input C5 to J5") << QPoint(240, 158) << input;
    QTest::newRow("input A10") << QPoint(83, 325) << input;
    QTest::newRow("input E12") << QPoint(471, 377) << input;
    QTest::newRow("spacer F9") << QPoint(526, 289) << input;
    // "0%" is centred, so the fill is sampled on the centre line beside it.
    for (const auto& [name, column] : {std::pair("G", 591), std::pair("I", 770)}) {
        for (const auto& [row, centre] :
             {std::pair(10, 325), std::pair(11, 351), std::pair(12, 377)}) {
            QTest::addRow("0%% cell %s%d", name, row) << QPoint(column - 30, centre) << result;
            QTest::addRow("0%% cell %s%d right", name, row)
                << QPoint(column + 30, centre) << result;
        }
    }
}

void TestTablePicture::fills() {
    QFETCH(QPoint, at);
    QFETCH(QRgb, color);
    QCOMPARE(QColor(picture.pixel(at)), QColor(color));
}

void TestTablePicture::stripSeparatorsAtTheGridPositions() {
    const QRgb strip = qRgb(0xF0, 0xF0, 0xF0);
    for (int end : {139, 233, 328, 423, 518, 533, 649, 712, 828}) {
        QVERIFY2(picture.pixel(end, 2) != strip, qPrintable(QString::number(end)));
        QCOMPARE(picture.pixel(end - 1, 2), strip);
        QCOMPARE(picture.pixel(end + 1, 2), strip);
    }
    for (int end : {49, 62, 95, 128, 161, 174, 228, 265, 312, 338, 364}) {
        QVERIFY2(picture.pixel(2, end) != strip, qPrintable(QString::number(end)));
        QCOMPARE(picture.pixel(2, end - 1), strip);
        QCOMPARE(picture.pixel(2, end + 1), strip);
    }
    // The strips end in a darker edge towards the sheet.
    QVERIFY(picture.pixel(27, 200) != strip);
    QVERIFY(picture.pixel(400, 21) != strip);
}

void TestTablePicture::formBordersAtTheGridPositions() {
    // Between label B3 and input C3.
    QVERIFY(IsDark(picture.pixel(233, 79)));
    QCOMPARE(picture.pixel(232, 79), qRgb(0xD9, 0xD9, 0xD9));
    QCOMPARE(picture.pixel(234, 79), qRgb(0xFF, 0xFF, 0xFF));
    // Above row 3, below row 9 and around the first month row.
    QVERIFY(IsDark(picture.pixel(100, 62)));
    QVERIFY(IsDark(picture.pixel(100, 312)));
    QVERIFY(IsDark(picture.pixel(100, 338)));
    QVERIFY(IsDark(picture.pixel(139, 325)));
    // The spacer column F has no borders inside it.
    QCOMPARE(picture.pixel(526, 325), qRgb(0xFF, 0xFF, 0xFF));
    QCOMPARE(picture.pixel(526, 338), qRgb(0xFF, 0xFF, 0xFF));
}

void TestTablePicture::textLeavesTheBordersIntact() {
    // The blocks whose text fills them most: C7 to E7 above its time columns,
    // B7 to B9 and the two shares G8 to H9 and I8 to J9.
    const QRgb border = qRgb(0x40, 0x40, 0x40);
    for (const QRect ring :
         {QRect(QPoint(233, 174), QPoint(518, 228)), QRect(QPoint(139, 174), QPoint(233, 312)),
          QRect(QPoint(533, 228), QPoint(712, 312)), QRect(QPoint(712, 228), QPoint(891, 312))}) {
        for (int x = ring.left(); x <= ring.right(); ++x) {
            for (const int y : {ring.top(), ring.bottom()}) {
                QVERIFY2(picture.pixel(x, y) == border,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
        for (int y = ring.top(); y <= ring.bottom(); ++y) {
            for (const int x : {ring.left(), ring.right()}) {
                QVERIFY2(picture.pixel(x, y) == border,
                         qPrintable(QStringLiteral("%1,%2").arg(x).arg(y)));
            }
        }
    }
}

void TestTablePicture::proportionalSize_data() {
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("control");
    QTest::addColumn<QSize>("shown");

    QTest::newRow("the table picture") << QSize(893, 391) << QSize(641, 281) << QSize(641, 280);
    QTest::newRow("smaller: never enlarged")
        << QSize(300, 100) << QSize(641, 281) << QSize(300, 100);
    QTest::newRow("exact fit") << QSize(641, 281) << QSize(641, 281) << QSize(641, 281);
    QTest::newRow("wide but limited by height")
        << QSize(800, 400) << QSize(641, 281) << QSize(562, 281);
    QTest::newRow("tall") << QSize(200, 600) << QSize(641, 281) << QSize(93, 281);
    QTest::newRow("tall, limited by width")
        << QSize(300, 310) << QSize(100, 281) << QSize(100, 103);
    QTest::newRow("empty picture") << QSize(0, 0) << QSize(641, 281) << QSize(0, 0);
}

void TestTablePicture::proportionalSize() {
    QFETCH(QSize, picture);
    QFETCH(QSize, control);
    QFETCH(QSize, shown);
    QCOMPARE(veltra::ProportionalSize(picture, control), shown);
}

void TestTablePicture::shownShrunkAtTheTopLeft() {
    veltra::TFLegenda legend;
    auto* image = legend.findChild<QLabel*>(QStringLiteral("Image1"));
    QVERIFY(image);
    QCOMPARE(image->geometry(), QRect(0, 0, 641, 281));
    QCOMPARE(image->pixmap().size(), QSize(641, 280));

    const QImage shown = image->grab().toImage();
    const QColor background = legend.palette().color(QPalette::Window);
    // The last row of the control shows the window, the row above it the
    // picture's bottom row of cells.
    QCOMPARE(QColor(shown.pixel(300, 280)), background);
    QVERIFY(QColor(shown.pixel(300, 279)) != background);
    // The strips stay at the top-left corner.
    QCOMPARE(QColor(shown.pixel(5, 5)), QColor(0xF0, 0xF0, 0xF0));
}

QTEST_MAIN(TestTablePicture)
#include "tst_tablepicture.moc"
