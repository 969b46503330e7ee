#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>
#include <array>

#include "csv_location.h"
#include "modal_script.h"
#include "native_file_system.h"
#include "program_start.h"
#include "tform1.h"

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void logsOnTheCommandLineAreReported();
    void aSecondStartHandsItsLogsToTheRunningWindow();
    void qtTextsArePolish();
};

namespace {

QTemporaryDir& ConfigFolder() {
    static QTemporaryDir folder;
    return folder;
}

void RemoveCsv() {
    veltra::NativeFileSystem fileSystem;
    QFile::remove(QString::fromStdString(veltra::MissingNationalityCsvPath(
        fileSystem, QCoreApplication::applicationFilePath().toStdString())));
}

}  // namespace

void ProgramStartTest::initTestCase() {
    // The user's settings, and with them the window that later starts find,
    // are this test's own, for the program it starts too.
    QVERIFY(ConfigFolder().isValid());
    qputenv("XDG_CONFIG_HOME", ConfigFolder().path().toUtf8());
}

void ProgramStartTest::logsOnTheCommandLineAreReported() {
    const auto removeCsv = qScopeGuard(RemoveCsv);
    QString notice;
    const auto dismiss = ExpectNotice(&notice);
    const auto form = veltra::StartMainWindow(
        {QStringLiteral("veltra"),
         QStringLiteral(VELTRA_SOURCE_DIR "/samples/examples/jeden-utwor.hst")});
    QVERIFY(form->isVisible());
    QTRY_COMPARE(notice, QStringLiteral("Informacja|Gotowe!"));
    QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))->text(),
             QStringLiteral("1"));
}

void ProgramStartTest::aSecondStartHandsItsLogsToTheRunningWindow() {
    const auto removeCsv = qScopeGuard(RemoveCsv);
    const auto form = veltra::StartMainWindow({QStringLiteral("veltra")});
    QVERIFY(form);
    QStringList boxes;
    const auto answer = AcceptEveryBox(&boxes);

    // As the file manager starts the program for each of two logs chosen.
    std::array<QProcess, 2> starts;
    const std::array<const char*, 2> logs{"jeden-utwor.hst", "debiut.hst"};
    for (std::size_t i = 0; i < starts.size(); ++i) {
        starts[i].start(
            QStringLiteral(VELTRA_APP_EXE),
            {QStringLiteral(VELTRA_SOURCE_DIR "/samples/examples/") + QLatin1String(logs[i])});
    }
    for (QProcess& start : starts) {
        QTRY_VERIFY_WITH_TIMEOUT(start.state() == QProcess::NotRunning, 30000);
        QCOMPARE(start.exitStatus(), QProcess::NormalExit);
        QCOMPARE(start.exitCode(), 0);
    }
    // One run over both.
    QTRY_COMPARE(boxes, QStringList{QStringLiteral("Informacja|Gotowe!")});
    QCOMPARE(form->findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))->text(),
             QStringLiteral("2"));
}

void ProgramStartTest::qtTextsArePolish() {
    QVERIFY(veltra::LoadQtTranslations());
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
}

QTEST_MAIN(ProgramStartTest)
#include "program_start_test.moc"
