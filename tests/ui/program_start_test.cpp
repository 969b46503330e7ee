#include <QDialogButtonBox>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "csv_location.h"
#include "modal_script.h"
#include "native_file_system.h"
#include "program_start.h"
#include "tform1.h"

class ProgramStartTest : public QObject {
    Q_OBJECT

private slots:
    void logsOnTheCommandLineAreReported();
    void qtTextsArePolishOnACLocale();
};

void ProgramStartTest::logsOnTheCommandLineAreReported() {
    const auto removeCsv = qScopeGuard([] {
        veltra::NativeFileSystem fileSystem;
        QFile::remove(QString::fromStdString(veltra::MissingNationalityCsvPath(
            fileSystem, QCoreApplication::applicationFilePath().toStdString())));
    });
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

void ProgramStartTest::qtTextsArePolishOnACLocale() {
    QVERIFY(veltra::LoadQtTranslations(QLocale::c()));
    const QDialogButtonBox buttons(QDialogButtonBox::Cancel);
    QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("Anuluj"));
}

QTEST_MAIN(ProgramStartTest)
#include "program_start_test.moc"
