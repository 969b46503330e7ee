#include "missing_entries.h"

#include <QTest>
#include <string>
#include <vector>

#include "missing_nationality_csv.h"

using veltra::MissingEntryFields;
using veltra::ReadMissingEntries;

namespace {

QString Joined(const MissingEntryFields& entry) {
    return QString::fromStdString(std::string(entry.performer) + "|" + std::string(entry.title) +
                                  "|" + std::string(entry.path));
}

QStringList Rows(std::string_view text) {
    QStringList rows;
    for (const MissingEntryFields& entry : ReadMissingEntries(text)) {
        rows.append(Joined(entry));
    }
    return rows;
}

}  // namespace

class MissingEntriesTest : public QObject {
    Q_OBJECT

private slots:
    void readsFieldsAsWritten_data();
    void readsFieldsAsWritten();
    void readsLinesLikeTheLogs_data();
    void readsLinesLikeTheLogs();
    void readsBackEveryEntryTheRunWrites();
};

// Each row lists the three columns as "performer|title|path".
void MissingEntriesTest::readsFieldsAsWritten_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("three fields") << QByteArray("A;B;C\r\n") << QStringList{"A|B|C"};
    QTest::newRow("empty performer and path") << QByteArray(";B;\r\n") << QStringList{"|B|"};
    QTest::newRow("all empty") << QByteArray(";;\r\n") << QStringList{"||"};
    QTest::newRow("blanks belong to the fields")
        << QByteArray(" A ;\tB ; C:\\x y.mp3 \r\n") << QStringList{" A |\tB | C:\\x y.mp3 "};
    QTest::newRow("a quoted word starting the title")
        << QByteArray("Bowie;\"Heroes\" (live);D:\\h.mp3\r\n")
        << QStringList{"Bowie|\"Heroes\" (live)|D:\\h.mp3"};
    QTest::newRow("doubled quotes stay doubled")
        << QByteArray("A;\"Say \"\"hi\"\"\";C\r\n") << QStringList{"A|\"Say \"\"hi\"\"\"|C"};
    QTest::newRow("an unclosed quote") << QByteArray("\"A;B;C\r\n") << QStringList{"\"A|B|C"};
    QTest::newRow("fields after the third are dropped")
        << QByteArray("A;B;C;D\r\n") << QStringList{"A|B|C"};
    QTest::newRow("a short line leaves columns empty and the rest is read")
        << QByteArray("A;B\r\nA\r\nX;Y;Z\r\n") << QStringList{"A|B|", "A||", "X|Y|Z"};
}

void MissingEntriesTest::readsFieldsAsWritten() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, rows);
    QCOMPARE(Rows(std::string_view(text.constData(), text.size())), rows);
}

void MissingEntriesTest::readsLinesLikeTheLogs_data() {
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("rows");

    QTest::newRow("zero bytes") << QByteArray() << QStringList{};
    QTest::newRow("no break after the last line")
        << QByteArray("A;B;C\r\nD;E;F") << QStringList{"A|B|C", "D|E|F"};
    QTest::newRow("CR, LF and CR LF mixed")
        << QByteArray("A;B;C\rD;E;F\nG;H;I\r\n") << QStringList{"A|B|C", "D|E|F", "G|H|I"};
    QTest::newRow("empty lines give no rows")
        << QByteArray("\r\n\r\nA;B;C\n\rD;E;F\r\n\r\n") << QStringList{"A|B|C", "D|E|F"};
    QTest::newRow("the text ends at NUL")
        << QByteArray("A;B;C\r\nD;E\0F;G;H\r\n", 18) << QStringList{"A|B|C", "D|E|"};
}

void MissingEntriesTest::readsLinesLikeTheLogs() {
    QFETCH(QByteArray, text);
    QFETCH(QStringList, rows);
    QCOMPARE(Rows(std::string_view(text.constData(), text.size())), rows);
}

// Whatever the report run writes comes back field for field, byte for byte.
void MissingEntriesTest::readsBackEveryEntryTheRunWrites() {
    const std::vector<std::string> written = {
        "Zesp\xf3\xb3 \xa3\xf3"
        "d\x9f;\x8cpiew \"na\" \xbf\xf3\xb3to;D:\\Muzyka\\a.mp3",
        "\"Quoted\";\"\";\"",
        ";;",
        "A;;",
        ";B;",
        "A;B;C",
        "A;B;C"};

    std::string bytes;
    for (const std::string& entry : written) {
        bytes.append(entry).append(veltra::kCsvLineEnd);
    }
    QStringList read;
    for (const MissingEntryFields& entry : ReadMissingEntries(bytes)) {
        read.append(QString::fromLatin1(std::string(entry.performer) + ";" +
                                        std::string(entry.title) + ";" + std::string(entry.path)));
    }
    QStringList expected;
    for (const std::string& entry : written) {
        expected.append(QString::fromLatin1(entry));
    }
    QCOMPARE(read, expected);
}

QTEST_APPLESS_MAIN(MissingEntriesTest)
#include "missing_entries_test.moc"
