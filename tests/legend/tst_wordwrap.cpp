#include <QFontMetrics>
#include <QTest>

#include "legend_entries.h"
#include "window_font.h"
#include "word_wrap.h"

using veltra::WrapWords;

class TestWordWrap : public QObject {
    Q_OBJECT

private slots:
    void initTestCase() { veltra::RegisterTahoma(); }

    void breaksLikeWindows_data();
    void breaksLikeWindows();
    void cutsAWordWiderThanTheBox();
    void keepsEveryWordOfTheLegend();
};

void TestWordWrap::breaksLikeWindows_data() {
    QTest::addColumn<QString>("text");
    // The box is as wide as this sample, so the sample just fits on a line.
    QTest::addColumn<QString>("widestLine");
    QTest::addColumn<QStringList>("lines");

    const QString wide = QStringLiteral("wide enough for any of these lines");
    QTest::newRow("no text, no line") << QString() << wide << QStringList();
    QTest::newRow("a space alone is a line") << QStringLiteral(" ") << wide << QStringList{" "};
    QTest::newRow("CR starts a line, a space line counts")
        << QStringLiteral("one\rtwo\r \rthree") << wide << QStringList{"one", "two", " ", "three"};
    QTest::newRow("LF and CR LF each start one line")
        << QStringLiteral("one\ntwo\r\nthree") << wide << QStringList{"one", "two", "three"};
    QTest::newRow("two CRs leave an empty line")
        << QStringLiteral("one\r\rtwo") << wide << QStringList{"one", "", "two"};
    QTest::newRow("a final CR opens no line")
        << QStringLiteral("one\r") << wide << QStringList{"one"};
    QTest::newRow("breaks between words")
        << QStringLiteral("aaa bbb ccc") << QStringLiteral("aaa bbb")
        << QStringList{"aaa bbb", "ccc"};
    QTest::newRow("one pixel less moves the second word down")
        << QStringLiteral("aaa bbb ccc") << QStringLiteral("aaa bb")
        << QStringList{"aaa", "bbb", "ccc"};
    QTest::newRow("spaces at a break are dropped")
        << QStringLiteral("aaa    aaa") << QStringLiteral("aaa") << QStringList{"aaa", "aaa"};
    QTest::newRow("trailing spaces take no room")
        << QStringLiteral("aaa     ") << QStringLiteral("aaa") << QStringList{"aaa"};
    QTest::newRow("leading spaces are kept")
        << QStringLiteral("  aaa") << wide << QStringList{"  aaa"};
}

void TestWordWrap::breaksLikeWindows() {
    QFETCH(QString, text);
    QFETCH(QString, widestLine);
    QFETCH(QStringList, lines);
    const QFontMetrics metrics(veltra::WindowFont());
    QCOMPARE(WrapWords(text, metrics, metrics.horizontalAdvance(widestLine)), lines);
}

void TestWordWrap::cutsAWordWiderThanTheBox() {
    const QFontMetrics metrics(veltra::WindowFont());
    const QString word = QStringLiteral("Przepisujemywartościzkolumny");
    const int width = metrics.horizontalAdvance(QStringLiteral("Przepis"));
    const QStringList lines = WrapWords(QStringLiteral("ab ") + word, metrics, width);

    QCOMPARE(lines.first(), QStringLiteral("ab"));
    QCOMPARE(lines.mid(1).join(QString()), word);
    for (const QString& line : lines) {
        QVERIFY2(metrics.horizontalAdvance(line) <= width, qPrintable(line));
    }
    // Narrower than a single character: still one character per line.
    QCOMPARE(WrapWords(QStringLiteral("abc"), metrics, 1), (QStringList{"a", "b", "c"}));
}

void TestWordWrap::keepsEveryWordOfTheLegend() {
    const QFontMetrics metrics(veltra::WindowFont());
    constexpr int kBoxWidth = 614;
    for (const veltra::LegendEntry& entry : veltra::LegendTexts()) {
        const QStringList lines = WrapWords(entry.Explanation, metrics, kBoxWidth);
        for (const QString& line : lines) {
            QVERIFY2(metrics.horizontalAdvance(line) <= kBoxWidth, qPrintable(line));
        }
        QString expected = entry.Explanation;
        QCOMPARE(lines.join(u' '), expected.replace(u'\r', u' '));
    }
}

QTEST_MAIN(TestWordWrap)
#include "tst_wordwrap.moc"
