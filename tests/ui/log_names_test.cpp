#include <sys/stat.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

#include "log_names.h"

using veltra::LogsNamedBy;

class LogNamesTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void namesStandForLogs_data();
    void namesStandForLogs();

private:
    void Touch(const QString& name) {
        QFile file(dir_.filePath(name));
        QVERIFY(file.open(QIODevice::WriteOnly));
    }

    QTemporaryDir dir_;
};

// The folder holds logs in both letter cases, other files, a folder named
// like a log, a pipe named like a log, the program's list, and a folder
// with nothing that is a log.
void LogNamesTest::initTestCase() {
    QDir dir(dir_.path());
    QVERIFY(dir.mkpath(QStringLiteral("logs/wrzesien.hst")));
    QVERIFY(dir.mkpath(QStringLiteral("empty")));
    for (const char* name : {"logs/2026-10-02.hst", "logs/2026-10-01.HST", "logs/notes.txt",
                             "logs/braki naradowosci.csv", "empty/readme.txt", "single.hst",
                             "single.txt", "renamed list.hst"}) {
        Touch(QString::fromLatin1(name));
    }
    QCOMPARE(::mkfifo(QFile::encodeName(dir_.filePath(QStringLiteral("logs/pipe.hst"))).constData(),
                      0600),
             0);
}

void LogNamesTest::namesStandForLogs_data() {
    QTest::addColumn<QStringList>("names");
    QTest::addColumn<QString>("csv");
    QTest::addColumn<QStringList>("logs");
    QTest::addColumn<QString>("refusalStart");

    const QString list = QStringLiteral("logs/braki naradowosci.csv");
    QTest::newRow("a log") << QStringList{"single.hst"} << list << QStringList{"single.hst"}
                           << QString();
    QTest::newRow("a folder: its logs in name order, no pipe, no folder")
        << QStringList{"logs"} << list << QStringList{"logs/2026-10-01.HST", "logs/2026-10-02.hst"}
        << QString();
    QTest::newRow("logs and folders keep the given order")
        << QStringList{"single.hst", "logs"} << list
        << QStringList{"single.hst", "logs/2026-10-01.HST", "logs/2026-10-02.hst"} << QString();
    QTest::newRow("another extension")
        << QStringList{"single.hst", "single.txt"} << list << QStringList{} << QStringLiteral("„");
    QTest::newRow("a folder without logs")
        << QStringList{"empty"} << list << QStringList{} << QStringLiteral("W folderze „");
    QTest::newRow("the program's list")
        << QStringList{list} << list << QStringList{} << QStringLiteral("„");
    QTest::newRow("the program's list under a log's name")
        << QStringList{"renamed list.hst"} << QStringLiteral("renamed list.hst") << QStringList{}
        << QStringLiteral("„");
    QTest::newRow("the program's list in a folder of logs is left out")
        << QStringList{"logs"} << QStringLiteral("logs/2026-10-02.hst")
        << QStringList{"logs/2026-10-01.HST"} << QString();
    QTest::newRow("a pipe") << QStringList{"logs/pipe.hst"} << list << QStringList{}
                            << QStringLiteral("„");
    QTest::newRow("a name that is not there")
        << QStringList{"gone.hst"} << list << QStringList{} << QStringLiteral("Nie ma pliku „");
}

void LogNamesTest::namesStandForLogs() {
    QFETCH(QStringList, names);
    QFETCH(QString, csv);
    QFETCH(QStringList, logs);
    QFETCH(QString, refusalStart);
    QDir::setCurrent(dir_.path());
    const veltra::NamedLogs named = LogsNamedBy(names, dir_.filePath(csv));
    QStringList expected;
    for (const QString& log : logs) {
        expected << dir_.filePath(log);
    }
    QCOMPARE(named.logs, expected);
    if (refusalStart.isEmpty()) {
        QCOMPARE(named.refusal, QString());
    } else {
        QVERIFY2(named.refusal.startsWith(refusalStart), qPrintable(named.refusal));
        // The message names what was refused.
        QVERIFY2(named.refusal.contains(QFileInfo(names.last()).fileName()),
                 qPrintable(named.refusal));
    }
}

QTEST_MAIN(LogNamesTest)
#include "log_names_test.moc"
