#include "quarter_dialog.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QSettings>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QtTest>

#include "fakes.h"
#include "modal_script.h"
#include "tform1.h"
#include "user_settings.h"

using veltra::QuarterDialog;

namespace {

// `count` Polish items of 10 minutes at 10:00 and `night` at 02:00, their
// audio files in no drive the user would be asked about.
QByteArray Log(int count, int night = 0) {
    std::string text;
    for (int i = 0; i < count + night; ++i) {
        text += veltra::testing::LogLine{.time = i < count ? "10:00:00" : "02:00:00",
                                         .path = "utwor.mp3",
                                         .duration = "00:10:00",
                                         .nationality = "POL"}
                    .Text() +
                "\r\n";
    }
    return QByteArray::fromStdString(text);
}

}  // namespace

class QuarterDialogTest : public QObject {
    Q_OBJECT

private slots:
    void init();

    void sortsPickedFilesIntoMonthsByTheirDates();
    void refusesALogPickedTwiceBeforeRunning();
    void calculatesTheRowsThenSavesTheWorkbook();
    void stopsMidQuarter();
    void opensFromTheTopPanelsMenuAndLeavesTheWindowsFigures();

private:
    QString Write(const QString& name, const QByteArray& bytes) {
        const QString path = dir_->filePath(name);
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
            qFatal("cannot write %s", qPrintable(path));
        }
        return path;
    }

    std::unique_ptr<QTemporaryDir> dir_;
};

void QuarterDialogTest::init() {
    dir_ = std::make_unique<QTemporaryDir>();
    QVERIFY(dir_->isValid());
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_->filePath("config"));
    qputenv("XDG_CONFIG_HOME", dir_->filePath("config").toUtf8());
    // The CSV of each month's run goes beside this test, or its fallback.
}

void QuarterDialogTest::sortsPickedFilesIntoMonthsByTheirDates() {
    QuarterDialog dialog;
    const QStringList files{Write("2026-11-02.hst", Log(1)), Write("2026-10-31.hst", Log(1)),
                            Write("20261101.hst", Log(1)),   Write("poranek.hst", Log(1)),
                            Write("2026-13-45.hst", Log(1)), Write("2026-07-01.hst", Log(1))};
    QString warning;
    const auto answer = WhenModalAppears([&warning](QWidget* modal) {
        warning = qobject_cast<QMessageBox*>(modal)->text();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    dialog.GroupByDate(files);

    QCOMPARE(dialog.findChild<QComboBox*>("QuarterBox")->currentText(), QStringLiteral("IV"));
    QCOMPARE(dialog.findChild<QSpinBox*>("YearBox")->value(), 2026);
    QCOMPARE(dialog.MonthLogs(0), QStringList{files[1]});
    QCOMPARE(dialog.MonthLogs(1), (QStringList{files[2], files[0]}));
    QVERIFY(dialog.MonthLogs(2).isEmpty());
    QCOMPARE(dialog.findChild<QLabel*>("Month1Count")->text(), QStringLiteral("2 pliki"));
    QCOMPARE(warning, QStringLiteral("Tych plików nie przydzielono do żadnego miesiąca:\n"
                                     "poranek.hst (bez daty w nazwie)\n"
                                     "2026-13-45.hst (2026-13-45 to nie data)\n"
                                     "2026-07-01.hst (2026-07-01 spoza kwartału)"));
}

void QuarterDialogTest::refusesALogPickedTwiceBeforeRunning() {
    QuarterDialog dialog;
    const QString log = Write("a.hst", Log(3));
    dialog.SetMonthLogs(0, {log});
    dialog.SetMonthLogs(2, {log});
    QString warning;
    const auto answer = WhenModalAppears([&warning](QWidget* modal) {
        warning = qobject_cast<QMessageBox*>(modal)->text();
        qobject_cast<QMessageBox*>(modal)->accept();
    });
    dialog.findChild<QPushButton*>("Calculate")->click();
    QVERIFY(
        warning.startsWith(QStringLiteral("Plik ") + log + QStringLiteral(" wybrano dwa razy")));
    QVERIFY(!dialog.Form());
    QCOMPARE(dialog.findChild<QProgressBar*>("FilesProgress")->value(), 0);
}

void QuarterDialogTest::calculatesTheRowsThenSavesTheWorkbook() {
    QuarterDialog dialog;
    dialog.findChild<QComboBox*>("QuarterBox")->setCurrentIndex(1);
    dialog.findChild<QSpinBox*>("YearBox")->setValue(2026);
    dialog.findChild<QLineEdit*>("ProgramEdit")->setText(QStringLiteral("Radio Łąka"));
    dialog.findChild<QDoubleSpinBox*>("DayPolishThreshold")->setValue(90);
    // April: 9 day items of 10 min and 1 at night, I = 90 %; June: 3 and 1.
    dialog.SetMonthLogs(0, {Write("kwiecien.hst", Log(9, 1))});
    dialog.SetMonthLogs(2, {Write("czerwiec.hst", Log(3, 1))});
    dialog.findChild<QPushButton*>("Calculate")->click();

    QVERIFY(dialog.Form());
    auto* results = dialog.findChild<QTableWidget*>("Results");
    QCOMPARE(results->item(0, 0)->text(), QStringLiteral("kwiecień 2026"));
    QCOMPARE(results->item(0, 1)->text(), QStringLiteral("01:40:00"));
    QCOMPARE(results->item(0, 3)->text(), QStringLiteral("01:30:00"));
    QCOMPARE(results->item(0, 4)->text(), QStringLiteral("00:10:00"));
    QCOMPARE(results->item(0, 6)->data(Qt::UserRole).toBool(), true);
    QCOMPARE(results->item(1, 1)->text(), QStringLiteral("bez logów"));
    QCOMPARE(results->item(2, 5)->text(), QStringLiteral("100,0% ✔"));
    QCOMPARE(results->item(2, 6)->text(), QStringLiteral("75,0% ✘"));
    QCOMPARE(results->item(2, 6)->data(Qt::UserRole).toBool(), false);
    QCOMPARE(results->item(2, 7)->text(), QStringLiteral("0"));
    QCOMPARE(dialog.findChild<QLabel*>("Verdict")->text(),
             QStringLiteral("Co najmniej jeden udział jest poniżej progu."));
    dialog.findChild<QDoubleSpinBox*>("DayPolishThreshold")->setValue(75);
    QCOMPARE(results->item(2, 6)->text(), QStringLiteral("75,0% ✔"));
    QCOMPARE(dialog.findChild<QLabel*>("Verdict")->text(),
             QStringLiteral("Wszystkie udziały spełniają progi."));

    // The header and thresholds are kept for the next quarter.
    QCOMPARE(veltra::UserSettings().LoadFormHeader().program, std::string("Radio Łąka"));
    QCOMPARE(veltra::UserSettings().LoadShareThresholds().dayPolish, 90.0);

    const QString saved = dir_->filePath("raporty/k.xlsx");
    QDir().mkpath(dir_->filePath("raporty"));
    QString offered;
    const auto answer = WhenModalAppears([&](QWidget* modal) {
        auto* files = qobject_cast<QFileDialog*>(modal);
        offered = files->selectedFiles().value(0);
        files->selectFile(saved);
        QMetaObject::invokeMethod(files, "accept");
    });
    dialog.findChild<QPushButton*>("SaveWorkbook")->click();
    QVERIFY(offered.endsWith(QStringLiteral("/sprawozdanie-2026-II-kwartal.xlsx")));
    QFile workbook(saved);
    QVERIFY(workbook.open(QIODevice::ReadOnly));
    QVERIFY(workbook.read(4) == QByteArray("PK\x03\x04", 4));
    QCOMPARE(veltra::UserSettings().LastFormFolder(), dir_->filePath("raporty"));
}

void QuarterDialogTest::stopsMidQuarter() {
    QuarterDialog dialog;
    dialog.SetMonthLogs(0, {Write("a.hst", Log(10))});
    dialog.SetMonthLogs(1, {Write("b.hst", Log(20000))});
    dialog.SetMonthLogs(2, {Write("c.hst", Log(10))});
    auto* files = dialog.findChild<QProgressBar*>("FilesProgress");
    auto* lines = dialog.findChild<QProgressBar*>("LinesProgress");
    QTimer stop;
    connect(&stop, &QTimer::timeout, [&] {
        if (files->value() == 1 && lines->value() > 10) {
            stop.stop();
            QVERIFY(!dialog.findChild<QPushButton*>("Calculate")->isEnabled());
            dialog.findChild<QPushButton*>("Stop")->click();
        }
    });
    stop.start(0);
    dialog.findChild<QPushButton*>("Calculate")->click();
    QVERIFY(!stop.isActive());
    QVERIFY(!dialog.Form());
    QVERIFY(!dialog.Running());
    QCOMPARE(files->value(), 1);
    QVERIFY(lines->value() < 20000);
    QVERIFY(!dialog.findChild<QPushButton*>("SaveWorkbook")->isEnabled());
    QVERIFY(dialog.findChild<QPushButton*>("Calculate")->isEnabled());
}

void QuarterDialogTest::opensFromTheTopPanelsMenuAndLeavesTheWindowsFigures() {
    veltra::TForm1 form;
    const QString log = Write("2026-10-01.hst", Log(5));
    bool ran = false;
    QTimer poll;
    connect(&poll, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            // Chosen from the menu's own event loop, as a user's key would.
            QTimer::singleShot(0, menu, [menu] {
                for (QAction* action : menu->actions()) {
                    if (action->text() == QStringLiteral("Sprawozdanie kwartalne...")) {
                        menu->setActiveAction(action);
                        QTest::keyClick(menu, Qt::Key_Return);
                    }
                }
            });
        } else if (auto* dialog = qobject_cast<QuarterDialog*>(QApplication::activeModalWidget())) {
            poll.stop();
            dialog->SetMonthLogs(0, {log});
            dialog->Calculate();
            ran = dialog->Form().has_value();
            dialog->reject();
        }
    });
    poll.start(1);
    emit form.findChild<QWidget*>(QStringLiteral("Panel1"))
        ->customContextMenuRequested(QPoint(300, 10));
    QTRY_VERIFY(!poll.isActive());
    QVERIFY(ran);
    QCOMPARE(form.report().tallies().Count(veltra::Category::Total), 0);
    QCOMPARE(form.findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"))->text(), QString());
}

QTEST_MAIN(QuarterDialogTest)
#include "quarter_dialog_test.moc"
