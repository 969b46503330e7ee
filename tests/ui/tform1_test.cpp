#include <sys/stat.h>

#include <QClipboard>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QLayout>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPushButton>
#include <QSettings>
#include <QTableView>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QToolTip>
#include <QtTest>
#include <csignal>

#include "csv_location.h"
#include "details_window.h"
#include "error_report.h"
#include "fakes.h"
#include "figure_field.h"
#include "folder_mapping_dialogs.h"
#include "modal_script.h"
#include "native_file_system.h"
#include "termination_watch.h"
#include "tfbrakinarodowosci.h"
#include "tform1.h"
#include "tgauge.h"
#include "user_settings.h"
#include "win_label.h"
#include "window_font.h"

using veltra::TForm1;
using veltra::TGauge;
using veltra::WinLabel;

namespace {

// One history-log line, closed by the line break a log has.
QByteArray LogLine(std::string time, std::string path, std::string duration, std::string title,
                   std::string performer, std::string nationality) {
    const veltra::testing::LogLine line{std::move(time),      std::move(path),
                                        std::move(duration),  std::move(title),
                                        std::move(performer), std::move(nationality)};
    return QByteArray::fromStdString(line.Text() + "\r\n");
}

// A log of `count` foreign day-band items, long enough for a run to be
// caught in the middle.
QByteArray ForeignDayItems(int count) {
    QByteArray log;
    for (int i = 0; i < count; ++i) {
        log += LogLine("10:00:00", "a.mp3", "03:00", "T", "P", "GBR");
    }
    return log;
}

QString WriteFile(const QTemporaryDir& dir, const QString& name, const QByteArray& bytes) {
    const QString path = dir.filePath(name);
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

QString CsvPath() {
    veltra::NativeFileSystem fileSystem;
    return QString::fromStdString(veltra::MissingNationalityCsvPath(
        fileSystem, QCoreApplication::applicationFilePath().toStdString()));
}

// Answers the log dialog with the given files, as a user typing their names.
void AnswerLogDialog(QWidget* modal, const QStringList& paths) {
    auto* dialog = qobject_cast<QFileDialog*>(modal);
    QVERIFY(dialog);
    QCOMPARE(dialog->windowTitle(), QStringLiteral("Wybierz pliki..."));
    QString names;
    for (const QString& path : paths) {
        names += QLatin1Char('"') + QFileInfo(path).fileName() + QStringLiteral("\" ");
    }
    dialog->setDirectory(QFileInfo(paths.first()).absolutePath());
    dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(names.trimmed());
    QMetaObject::invokeMethod(dialog, "accept");
}

// Answers the log dialog when it appears; `duringRun` then runs at the run's
// first handling of pending messages.
[[nodiscard]] std::unique_ptr<QTimer> ChooseInDialog(const QStringList& paths,
                                                     std::function<void()> duringRun = {}) {
    return WhenModalAppears([paths, duringRun](QWidget* modal) {
        AnswerLogDialog(modal, paths);
        if (duringRun) {
            QTimer::singleShot(0, duringRun);
        }
    });
}

// Runs the report over `logs` as a user would: presses "Wybierz pliki do
// raportu", chooses them in the dialog and dismisses the closing notice,
// which it returns as "title|text".
QString RunThroughDialog(TForm1& form, const QStringList& logs) {
    const auto choose = ChooseInDialog(logs);
    QString notice;
    const auto dismiss = ExpectNotice(&notice);
    form.BitBtn1Click();
    return notice;
}

// What the edit field `name` shows.
QString FieldText(const QWidget& form, const char* name) {
    return form.findChild<QLineEdit*>(QString::fromLatin1(name))->text();
}

// Plays a whole run the way a user would: chooses `log` in the log dialog,
// answers each folder question with `answer` (nullopt cancels), and
// dismisses the closing notice. Counts the questions and keeps what they
// said.
class RunScript {
public:
    RunScript(QString log, std::optional<QString> answer)
        : log_(std::move(log)), answer_(std::move(answer)) {
        QObject::connect(&poll_, &QTimer::timeout, [this] { Act(); });
        poll_.start(1);
    }

    int questions = 0;
    QString explanation;
    // Where the question's folder list opened, and whether its text lay
    // between the list and the buttons.
    QString startFolder;
    bool explanationAboveButtons = false;
    QString notice;

private:
    void Act() {
        QWidget* modal = QApplication::activeModalWidget();
        if (modal == nullptr || modal == handled_) {
            return;
        }
        handled_ = modal;
        if (auto* box = qobject_cast<QMessageBox*>(modal)) {
            notice = box->text();
            box->accept();
            return;
        }
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        QVERIFY(dialog);
        if (dialog->objectName() == QStringLiteral("OpenDialog1")) {
            dialog->setDirectory(QFileInfo(log_).absolutePath());
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QFileInfo(log_).fileName());
            QMetaObject::invokeMethod(dialog, "accept");
            return;
        }
        QCOMPARE(dialog->objectName(), QStringLiteral("FolderQuestion"));
        ++questions;
        auto* label = dialog->findChild<QLabel*>(QStringLiteral("explanation"));
        explanation = label->text();
        startFolder = dialog->directory().absolutePath();
        dialog->layout()->activate();
        const QRect text = label->geometry();
        explanationAboveButtons =
            text.bottom() < dialog->findChild<QDialogButtonBox*>()->geometry().top() &&
            text.top() >
                dialog->findChild<QWidget*>(QStringLiteral("splitter"))->geometry().bottom();
        if (answer_) {
            dialog->setDirectory(*answer_);
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->clear();
            QMetaObject::invokeMethod(dialog, "accept");
        } else {
            dialog->reject();
        }
    }

    QString log_;
    std::optional<QString> answer_;
    QTimer poll_;
    QPointer<QWidget> handled_;
};

}  // namespace

class TForm1Test : public QObject {
    Q_OBJECT

private slots:
    void initTestCase();
    void cleanup();

    void windowFrame();
    void topPanel();
    void errorCounts();
    void pokazStaysClearOfTheCount();
    void figureFields_data();
    void figureFields();
    void titledPanels();
    void tabOrder();
    void enterPressesTheFocusedButton_data();
    void enterPressesTheFocusedButton();

    void runFillsFiguresAndWritesCsv();
    void cancelledDialogChangesNothing();
    void anOpenPopupIsClosedBeforeTheRun();
    void dialogOffersTheFirstFileOfTheLastChoice();
    void secondRunAddsToFigures();
    void pressDuringRunIsIgnored();
    void gaugesShowTheEndOfEveryLog();
    void closeDuringRunStopsAfterCurrentLine();
    void terminationSignalsEndTheWindowLikeAClose_data();
    void terminationSignalsEndTheWindowLikeAClose();
    void failureIsReportedAndRunStops();
    void everyConfirmedNameReachesTheRun_data();
    void everyConfirmedNameReachesTheRun();
    void missingListOpensOnlyWithEntriesAndFile();
    void unmappedDriveIsAskedAboutOnce_data();
    void unmappedDriveIsAskedAboutOnce();
    void mappingsAreReviewedFromThePanelsMenu();
    void detailListsOpenFromTheCountAndTheMenu();

    void givenAndDroppedLogsRunLikeTheDialog();
    void namesThatAreNoLogsAreRefusedBeforeAnythingResets();
    void aLogBeingWrittenIsNotedAfterTheRun();
    void logsHandedOverDuringARunMakeTheNextRun();
    void dialogStartsInTheLastFolderAfterARestart();
    void tableRowGoesToTheClipboard();
    void aNewReportStartsFromZero();
    void paletteHoldsUnderADarkApplicationPalette();

private:
    QTemporaryDir dir_;
};

void TForm1Test::initTestCase() {
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    veltra::RegisterTahoma();
    QVERIFY(dir_.isValid());
    // Qt's dialogs keep settings of their own; neither go to the real ones.
    QSettings::setPath(QSettings::IniFormat, QSettings::UserScope, dir_.filePath("config"));
    qputenv("XDG_CONFIG_HOME", dir_.filePath("settings").toUtf8());
}

void TForm1Test::cleanup() {
    veltra::SetErrorReportPresenter({});
    QFile::remove(CsvPath());
}

void TForm1Test::windowFrame() {
    TForm1 form;
    QCOMPARE(form.windowTitle(), QStringLiteral("Veltra Raport v1.23"));
    QCOMPARE(form.size(), QSize(714, 502));
    QCOMPARE(form.minimumSize(), form.maximumSize());
    QVERIFY(form.windowFlags() & Qt::WindowMinimizeButtonHint);
    QVERIFY(!(form.windowFlags() & Qt::WindowMaximizeButtonHint));
    QCOMPARE(form.font().pixelSize(), 11);
}

void TForm1Test::topPanel() {
    TForm1 form;
    QCOMPARE(form.findChild<QWidget*>(QStringLiteral("Panel1"))->geometry(), QRect(0, 0, 714, 57));
    auto* files = form.findChild<QPushButton*>(QStringLiteral("BitBtn1"));
    QCOMPARE(files->text(), QStringLiteral("Wybierz pliki do raportu"));
    QCOMPARE(files->geometry(), QRect(20, 2, 153, 52));
    auto* legend = form.findChild<QPushButton*>(QStringLiteral("BitBtn2"));
    QCOMPARE(legend->text(), QStringLiteral("Legenda"));
    QCOMPARE(legend->geometry(), QRect(622, 2, 75, 52));
    auto* progress = form.findChild<WinLabel*>(QStringLiteral("Label1"));
    QCOMPARE(progress->text(), QStringLiteral("Postęp:"));
    QCOMPARE(progress->geometry(), QRect(192, 5, 37, 13));
    for (const auto& [name, top] : {std::pair{"Gauge1", 20}, std::pair{"Gauge2", 36}}) {
        auto* gauge = form.findChild<TGauge*>(QString::fromLatin1(name));
        QCOMPARE(gauge->geometry(), QRect(192, top, 409, 14));
        QCOMPARE(gauge->ForeColor(), QColor(0x42, 0xAE, 0xD7));
        QCOMPARE(gauge->Progress(), 0);
        QCOMPARE(gauge->MaxValue(), 100);
    }
}

void TForm1Test::errorCounts() {
    TForm1 form;
    const struct {
        const char* name;
        const char* text;
        QPoint pos;
        bool bold;
    } labels[] = {
        {"Label2", "Niepełna informacja:", {42, 112}, false},
        {"LniepInformacja", "0", {147, 112}, true},
        {"Label3", "Brak pola narodowość:", {22, 131}, false},
        {"LBrakNarodowosc", "0", {137, 131}, true},
        {"LPokaz", "pokaż", {165, 131}, false},
        {"Label4",
         "Jako debiutanci traktowani są artyści, których nagrania w plikach DAT w polu KOD mają "
         "literę \"n\".",
         {8, 481},
         false},
    };
    for (const auto& expected : labels) {
        auto* label = form.findChild<WinLabel*>(QString::fromLatin1(expected.name));
        QVERIFY2(label, expected.name);
        QCOMPARE(label->text(), QString::fromUtf8(expected.text));
        QCOMPARE(label->pos(), expected.pos);
        QCOMPARE(label->font().bold(), expected.bold);
    }
    QVERIFY(!form.findChild<WinLabel*>(QStringLiteral("LPokaz"))->isEnabled());
    QCOMPARE(form.findChild<WinLabel*>(QStringLiteral("Label4"))->size(), QSize(466, 13));
}

void TForm1Test::pokazStaysClearOfTheCount() {
    TForm1 form;
    auto* count = form.findChild<WinLabel*>(QStringLiteral("LBrakNarodowosc"));
    auto* pokaz = form.findChild<WinLabel*>(QStringLiteral("LPokaz"));
    const QRect panel = form.findChild<QLabel*>(QStringLiteral("Image1"))->geometry();
    for (const char* text : {"1", "9999", "12345", "123456", "1234567", "0"}) {
        count->setText(QString::fromLatin1(text));
        const bool beside = pokaz->y() == count->y();
        QVERIFY2(!beside || pokaz->x() > count->geometry().right() + 2, text);
        QVERIFY2(panel.contains(pokaz->geometry().adjusted(0, 0, 1, 1)), text);
        if (qstrlen(text) <= 4) {
            QCOMPARE(pokaz->pos(), QPoint(165, 131));
        }
    }
}

void TForm1Test::figureFields_data() {
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("geometry");
    QTest::addColumn<QString>("caption");
    QTest::newRow("count in Emisje")
        << "LabeledEdit1" << QRect(232, 123, 121, 21) << "Całkowita ilość emisji:";
    QTest::newRow("debut count between 3 and 4")
        << "LabeledEdit23" << QRect(232, 267, 121, 21) << "Deb. pl w godz. 5-24:";
    QTest::newRow("night Polish duration")
        << "LabeledEdit18" << QRect(408, 416, 121, 21) << "Polskie w godz. 24-5:";
    QTest::newRow("caption without colon")
        << "LabeledEdit22" << QRect(568, 368, 121, 21) << "Czas pl do reszty g. 24-5";
    QTest::newRow("wide field in Veltra")
        << "LabeledEdit19" << QRect(20, 320, 165, 21) << "Stosunek il. pl w g. 24-5 do całości:";
    QTest::newRow("percent after a 5-pixel step")
        << "LabeledEdit12" << QRect(568, 320, 121, 21) << "Czas pl do reszty g. 5-24:";
}

void TForm1Test::figureFields() {
    QFETCH(QString, name);
    QFETCH(QRect, geometry);
    QFETCH(QString, caption);
    TForm1 form;
    auto* edit = form.findChild<QLineEdit*>(name);
    QVERIFY(edit);
    QCOMPARE(edit->geometry(), geometry);
    QVERIFY(edit->isReadOnly());
    QVERIFY(edit->font().bold());
    QVERIFY(edit->text().isEmpty());
    auto* label = form.findChild<WinLabel*>(name + QStringLiteral("Label"));
    QCOMPARE(label->text(), caption);
    QCOMPARE(label->pos(), geometry.topLeft() - QPoint(0, 16));
    QCOMPARE(label->height(), 13);
    QCOMPARE(
        form.findChildren<QLineEdit*>(QRegularExpression(QStringLiteral("^LabeledEdit"))).size(),
        24);
}

void TForm1Test::titledPanels() {
    TForm1 form;
    const QImage image = form.findChild<QLabel*>(QStringLiteral("Image1"))->pixmap().toImage();
    QCOMPARE(image.size(), QSize(193, 89));
    const QColor frame(0x42, 0xAE, 0xD7);
    QCOMPARE(image.pixelColor(0, 50), frame);
    QCOMPARE(image.pixelColor(192, 88), frame);
    QCOMPARE(image.pixelColor(1, 50), QColor(Qt::white));
    QCOMPARE(image.pixelColor(2, 19), frame);
    QCOMPARE(image.pixelColor(2, 20), QColor(Qt::white));
    // The bold title starts at row 3 with a 13-pixel text height: nothing
    // white above it in the band.
    int topWhite = -1;
    for (int y = 0; y < 20 && topWhite < 0; ++y) {
        for (int x = 1; x < 192; ++x) {
            if (image.pixelColor(x, y).lightness() > 200) {
                topWhite = y;
                break;
            }
        }
    }
    QVERIFY2(topWhite >= 3 && topWhite <= 6, qPrintable(QString::number(topWhite)));
}

void TForm1Test::tabOrder() {
    TForm1 form;
    QStringList chain;
    QWidget* widget = form.findChild<QWidget*>(QStringLiteral("BitBtn1"));
    for (int i = 0; i < 26; ++i) {
        chain << widget->objectName();
        do {
            widget = widget->nextInFocusChain();
        } while (widget->focusPolicy() == Qt::NoFocus);
    }
    QStringList expected{QStringLiteral("BitBtn1"), QStringLiteral("BitBtn2")};
    for (int n = 1; n <= 24; ++n) {
        expected << QStringLiteral("LabeledEdit%1").arg(n);
    }
    QCOMPARE(chain, expected);
}

void TForm1Test::enterPressesTheFocusedButton_data() {
    QTest::addColumn<QString>("button");
    QTest::addColumn<Qt::Key>("key");
    QTest::addColumn<QString>("opens");
    QTest::newRow("Enter on the file button")
        << "BitBtn1" << Qt::Key_Return << QStringLiteral("Wybierz pliki...");
    QTest::newRow("keypad Enter on the file button")
        << "BitBtn1" << Qt::Key_Enter << QStringLiteral("Wybierz pliki...");
    QTest::newRow("Enter on the legend button")
        << "BitBtn2" << Qt::Key_Return << QStringLiteral("Veltra - Legenda");
    QTest::newRow("keypad Enter on the legend button")
        << "BitBtn2" << Qt::Key_Enter << QStringLiteral("Veltra - Legenda");
}

void TForm1Test::enterPressesTheFocusedButton() {
    QFETCH(QString, button);
    QFETCH(Qt::Key, key);
    QFETCH(QString, opens);
    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    auto* target = form.findChild<QPushButton*>(button);
    target->setFocus(Qt::TabFocusReason);
    QString opened;
    const auto close = WhenModalAppears([&opened](QWidget* modal) {
        opened = modal->windowTitle();
        qobject_cast<QDialog*>(modal)->reject();
    });
    QTest::keyClick(form.windowHandle(), key,
                    key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
    QCOMPARE(opened, opens);
}

void TForm1Test::runFillsFiguresAndWritesCsv() {
    const QString log = WriteFile(
        dir_, QStringLiteral("day.hst"),
        LogLine("10:00:00", "a.mp3", "03:25", "Tytuł", "Wykonawca", "POL") +
            LogLine("11:00:00", "b.mp3", "00:02:00", "Song", "Band", "GBR") + "  \t \r\n" +
            LogLine("02:00:00", "c.mp3", "01:00", "Noc", "Nocny", "pol") +
            LogLine("12:00:00", "d.mp3", "03:00", "Bez", "Nikt", "") + "too;few;fields\n");
    TForm1 form;
    form.show();
    const QString notice = RunThroughDialog(form, {log});

    QCOMPARE(notice, QStringLiteral("Informacja|Gotowe!"));
    QCOMPARE(FieldText(form, "LabeledEdit1"), QStringLiteral("3"));
    QCOMPARE(FieldText(form, "LabeledEdit5"), QStringLiteral("00:06:25"));
    QCOMPARE(FieldText(form, "LabeledEdit2"), QStringLiteral("2"));
    QCOMPARE(FieldText(form, "LabeledEdit9"), QStringLiteral("66%"));
    QCOMPARE(FieldText(form, "LabeledEdit15"), QStringLiteral("1"));
    QCOMPARE(FieldText(form, "LabeledEdit17"), QStringLiteral("1"));
    QCOMPARE(form.findChild<WinLabel*>(QStringLiteral("LniepInformacja"))->text(),
             QStringLiteral("1"));
    QCOMPARE(form.findChild<WinLabel*>(QStringLiteral("LBrakNarodowosc"))->text(),
             QStringLiteral("1"));
    QVERIFY(form.findChild<WinLabel*>(QStringLiteral("LPokaz"))->isEnabled());
    auto* lines = form.findChild<TGauge*>(QStringLiteral("Gauge2"));
    QCOMPARE(lines->MaxValue(), 6);
    QCOMPARE(lines->Progress(), 6);
    QCOMPARE(form.findChild<TGauge*>(QStringLiteral("Gauge1"))->Percent(), 100);

    QFile csv(CsvPath());
    QVERIFY(csv.open(QIODevice::ReadOnly));
    QCOMPARE(csv.readAll(), QByteArray("Nikt;Bez;d.mp3\r\n"));
}

void TForm1Test::cancelledDialogChangesNothing() {
    TForm1 form;
    form.show();
    const auto cancel =
        WhenModalAppears([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    form.BitBtn1Click();
    QVERIFY(!QFile::exists(CsvPath()));
    QVERIFY(FieldText(form, "LabeledEdit1").isEmpty());
    QCOMPARE(form.findChild<TGauge*>(QStringLiteral("Gauge1"))->MaxValue(), 100);
}

void TForm1Test::anOpenPopupIsClosedBeforeTheRun() {
    const QString log = WriteFile(dir_, QStringLiteral("popup.hst"), ForeignDayItems(3));
    TForm1 form;
    form.show();
    bool popupDuringRun = true;
    const auto choose = WhenModalAppears([&log, &popupDuringRun](QWidget* dialog) {
        // The file-name completion list is still up when the dialog is
        // accepted with Enter.
        (new QWidget(dialog, Qt::Popup))->show();
        QVERIFY(QApplication::activePopupWidget());
        AnswerLogDialog(dialog, {log});
        QTimer::singleShot(0, [&popupDuringRun] {
            popupDuringRun = QApplication::activePopupWidget() != nullptr;
        });
    });
    QString notice;
    const auto dismiss = ExpectNotice(&notice);
    form.BitBtn1Click();
    QVERIFY(!popupDuringRun);
}

void TForm1Test::dialogOffersTheFirstFileOfTheLastChoice() {
    const QString first = WriteFile(dir_, QStringLiteral("remembered.hst"), {});
    const QString second = WriteFile(dir_, QStringLiteral("other.hst"), {});
    TForm1 form;
    form.show();
    QString offered = QStringLiteral("unset");
    const auto look = WhenModalAppears([&offered](QWidget* modal) {
        offered = modal->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->text();
        qobject_cast<QDialog*>(modal)->reject();
    });
    form.BitBtn1Click();
    QCOMPARE(offered, QString());

    RunThroughDialog(form, {first, second});
    auto* dialog = form.findChild<QFileDialog*>(QStringLiteral("OpenDialog1"));
    QCOMPARE(dialog->fileMode(), QFileDialog::ExistingFiles);
    QCOMPARE(dialog->nameFilters(), QStringList{QStringLiteral("Pliki HST (*.hst)")});
    QCOMPARE(dialog->selectedFiles(), QStringList{first});
}

void TForm1Test::secondRunAddsToFigures() {
    const QString log = WriteFile(dir_, QStringLiteral("twice.hst"),
                                  LogLine("10:00:00", "a.mp3", "03:25", "T", "P", "") +
                                      LogLine("10:05:00", "b.mp3", "03:25", "T", "P", "GBR"));
    TForm1 form;
    form.show();
    for (int run = 0; run < 2; ++run) {
        RunThroughDialog(form, {log});
    }
    QCOMPARE(FieldText(form, "LabeledEdit1"), QStringLiteral("2"));
    QCOMPARE(FieldText(form, "LabeledEdit5"), QStringLiteral("00:06:50"));
    // The missing-nationality count starts again with every run.
    QCOMPARE(form.findChild<WinLabel*>(QStringLiteral("LBrakNarodowosc"))->text(),
             QStringLiteral("1"));
}

void TForm1Test::pressDuringRunIsIgnored() {
    const QString log = WriteFile(dir_, QStringLiteral("many.hst"), ForeignDayItems(200));
    TForm1 form;
    form.show();
    bool pressedDuringRun = false;
    const auto choose = ChooseInDialog({log}, [&] {
        // Inside the run's message handling: a nested run would open a
        // second dialog, which no script answers.
        pressedDuringRun = form.report().Running();
        form.BitBtn1Click();
    });
    QString notice;
    const auto dismiss = ExpectNotice(&notice);
    form.BitBtn1Click();
    QVERIFY(pressedDuringRun);
    QCOMPARE(notice, QStringLiteral("Informacja|Gotowe!"));
    QCOMPARE(FieldText(form, "LabeledEdit1"), QStringLiteral("200"));
}

// Paints of the lines gauge as "progress/max".
class GaugePaints : public QObject {
public:
    explicit GaugePaints(TGauge* gauge) { gauge->installEventFilter(this); }
    QStringList seen;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            const auto* gauge = static_cast<TGauge*>(watched);
            seen << QStringLiteral("%1/%2").arg(gauge->Progress()).arg(gauge->MaxValue());
        }
        return false;
    }
};

void TForm1Test::gaugesShowTheEndOfEveryLog() {
    // The lines gauge follows the run at the display's pace, but shows where
    // each log ended before the next one begins.
    const QString first = WriteFile(dir_, QStringLiteral("first.hst"), ForeignDayItems(3000));
    const QString second = WriteFile(dir_, QStringLiteral("second.hst"), ForeignDayItems(7));
    TForm1 form;
    form.show();
    auto* lines = form.findChild<TGauge*>(QStringLiteral("Gauge2"));
    const GaugePaints paints(lines);
    RunThroughDialog(form, {first, second});
    QVERIFY(paints.seen.contains(QStringLiteral("3000/3000")));
    QCOMPARE(paints.seen.last(), QStringLiteral("7/7"));
    // Far fewer paints than whole percents passed.
    QVERIFY(paints.seen.size() < 100);
}

void TForm1Test::closeDuringRunStopsAfterCurrentLine() {
    const QString log = WriteFile(dir_, QStringLiteral("closing.hst"), ForeignDayItems(500));
    TForm1 form;
    form.show();
    const auto choose = ChooseInDialog({log}, [&form] { form.close(); });
    bool noticeShown = false;
    const auto watch = WhenModalAppears([&noticeShown](QWidget* modal) {
        noticeShown = true;
        modal->close();
    });
    form.BitBtn1Click();
    const std::int64_t handled = form.report().tallies().Count(veltra::Category::Total);
    QVERIFY(handled < 500);
    // The gauge shows where the run stopped.
    QCOMPARE(form.findChild<TGauge*>(QStringLiteral("Gauge2"))->Progress(), handled);
    QVERIFY(form.isVisible());
    QTRY_VERIFY(!form.isVisible());
    QVERIFY(!noticeShown);
    QVERIFY(!QFile::exists(CsvPath()));
}

void TForm1Test::terminationSignalsEndTheWindowLikeAClose_data() {
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << SIGTERM;
    QTest::newRow("SIGINT") << SIGINT;
    QTest::newRow("SIGHUP") << SIGHUP;
}

void TForm1Test::terminationSignalsEndTheWindowLikeAClose() {
    QFETCH(int, signal);
    const QString csv = CsvPath();
    {
        QFile previous(csv);
        QVERIFY(previous.open(QIODevice::WriteOnly));
        previous.write("old\r\n");
    }
    // Long enough to take many of the run's rounds of pending messages: the
    // signal reaches the window through one of them.
    const QString log =
        WriteFile(dir_, QStringLiteral("signalled.hst"),
                  ForeignDayItems(50000) + LogLine("10:00:00", "a.mp3", "03:00", "T", "P", ""));
    {
        TForm1 form;
        const veltra::TerminationWatch watch(form);
        form.show();
        const auto choose = ChooseInDialog({log}, [signal] { ::raise(signal); });
        form.BitBtn1Click();
        QVERIFY(form.report().tallies().Count(veltra::Category::Total) < 50000);
        QTRY_VERIFY(!form.isVisible());
    }
    QFile previous(csv);
    QVERIFY(previous.open(QIODevice::ReadOnly));
    QCOMPARE(previous.readAll(), QByteArray("old\r\n"));
    QCOMPARE(QDir(QFileInfo(csv).absolutePath())
                 .entryList({QStringLiteral(".veltra-*")}, QDir::Files | QDir::Hidden),
             QStringList());

    // A dialog open at the time is closed, and the window with it.
    TForm1 form;
    const veltra::TerminationWatch watch(form);
    form.show();
    const auto answer = WhenModalAppears([signal](QWidget*) { ::raise(signal); });
    form.BitBtn1Click();
    QTRY_VERIFY(!form.isVisible());
}

void TForm1Test::everyConfirmedNameReachesTheRun_data() {
    QTest::addColumn<QString>("name");
    QTest::newRow("pipe") << QStringLiteral("pipe.hst");
    QTest::newRow("link to a device") << QStringLiteral("zero.hst");
}

void TForm1Test::everyConfirmedNameReachesTheRun() {
    QFETCH(QString, name);
    const QString log = WriteFile(dir_, QStringLiteral("real.hst"),
                                  LogLine("10:00:00", "a.mp3", "03:00", "T", "P", "GBR"));
    const QString special = dir_.filePath(name);
    QFile::remove(special);
    if (name == QStringLiteral("pipe.hst")) {
        QCOMPARE(::mkfifo(QFile::encodeName(special).constData(), 0600), 0);
    } else {
        QVERIFY(QFile::link(QStringLiteral("/dev/zero"), special));
    }
    QString reported;
    veltra::SetErrorReportPresenter([&reported](const QString& text) { reported = text; });
    TForm1 form;
    form.show();
    // A run over the real log alone would end with its notice.
    std::unique_ptr<QTimer> dismiss;
    const auto choose = ChooseInDialog({log, special}, [&dismiss] {
        dismiss = WhenModalAppears([](QWidget* modal) { modal->close(); });
    });
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);
    QCOMPARE(reported, QStringLiteral("Cannot open file \"%1\". Not a regular file.").arg(special));
    QFile::remove(special);
}

void TForm1Test::failureIsReportedAndRunStops() {
    const QString first = WriteFile(dir_, QStringLiteral("first.hst"),
                                    LogLine("10:00:00", "a.mp3", "03:00", "T", "P", "GBR"));
    const QString second = WriteFile(dir_, QStringLiteral("second.hst"),
                                     LogLine("10:00:00", "a.mp3", "03:00", "T", "P", "GBR"));
    QString reported;
    veltra::SetErrorReportPresenter([&reported](const QString& text) { reported = text; });
    TForm1 form;
    form.show();
    // Gone by the time the run reaches it, as a file another program removed.
    const auto choose = ChooseInDialog({first, second}, [second] { QFile::remove(second); });
    QTest::mouseClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::LeftButton);

    QCOMPARE(reported,
             QStringLiteral("Cannot open file \"%1\". No such file or directory.").arg(second));
    QCOMPARE(FieldText(form, "LabeledEdit1"), QStringLiteral("1"));
    QVERIFY(!QFile::exists(CsvPath()));
    QVERIFY(!form.report().Running());
}

void TForm1Test::missingListOpensOnlyWithEntriesAndFile() {
    TForm1 form;
    form.show();
    // A file left by an earlier use of the program is not shown while the
    // count reads 0.
    QFile stale(CsvPath());
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.write("Old;Entry;x.mp3\r\n");
    stale.close();
    bool opened = false;
    {
        const auto watch = WhenModalAppears([&opened](QWidget* modal) {
            opened = true;
            modal->close();
        });
        form.LBrakNarodowoscClick();
    }
    QVERIFY(!opened);

    const QString log = WriteFile(dir_, QStringLiteral("missing.hst"),
                                  LogLine("10:00:00", "a.mp3", "03:00", "T", "P", ""));
    RunThroughDialog(form, {log});

    QString shownType;
    const auto watchList = WhenModalAppears([&shownType](QWidget* modal) {
        shownType = QString::fromLatin1(modal->metaObject()->className());
        modal->close();
    });
    QTest::mouseClick(form.findChild<WinLabel*>(QStringLiteral("LPokaz")), Qt::LeftButton);
    QCOMPARE(shownType, QStringLiteral("veltra::TFBrakiNarodowosci"));

    QFile::remove(CsvPath());
    opened = false;
    const auto watchGone = WhenModalAppears([&opened](QWidget* modal) {
        opened = true;
        modal->close();
    });
    form.LBrakNarodowoscClick();
    QVERIFY(!opened);
}

void TForm1Test::unmappedDriveIsAskedAboutOnce_data() {
    QTest::addColumn<bool>("answered");
    QTest::newRow("answered") << true;
    QTest::newRow("cancelled") << false;
}

void TForm1Test::unmappedDriveIsAskedAboutOnce() {
    QFETCH(bool, answered);
    veltra::UserSettings().SaveFolderMappings({});
    const QString drive = dir_.filePath(QStringLiteral("dysk-x"));
    QVERIFY(QDir().mkpath(drive + QStringLiteral("/Muzyka")));
    WriteFile(dir_, QStringLiteral("dysk-x/Muzyka/utwor.dat"), "Kod=n\r\n");
    const QString log =
        WriteFile(dir_, QStringLiteral("windows.hst"),
                  LogLine("10:00:00", "X:\\MUZYKA\\Utwor.mp3", "03:00", "T", "P", "POL") +
                      LogLine("11:00:00", "x:/muzyka/utwor.mp3", "03:00", "T", "P", "POL") +
                      LogLine("12:00:00", "X:\\Inne\\brak.mp3", "03:00", "T", "P", "POL"));

    TForm1 form;
    form.show();
    RunScript script(log, answered ? std::optional<QString>(drive) : std::nullopt);
    form.BitBtn1Click();

    QCOMPARE(script.questions, 1);
    QCOMPARE(script.startFolder, QFileInfo(log).absolutePath());
    QVERIFY(script.explanationAboveButtons);
    QVERIFY2(script.explanation.contains(QStringLiteral("„X:\\”")) &&
                 script.explanation.contains(QStringLiteral("X:\\MUZYKA\\Utwor.mp3")),
             qPrintable(script.explanation));
    // Cancelled, the drive's three items are counted as no debut, unchecked.
    QCOMPARE(script.notice,
             answered ? QStringLiteral("Gotowe!")
                      : QStringLiteral("Gotowe!\nPozycje polskie, których nie sprawdzono pod "
                                       "kątem debiutu (brak folderu dysku lub udziału): 3"));
    QCOMPARE(FieldText(form, "LabeledEdit23"), answered ? QStringLiteral("2") : QString());
    QCOMPARE(FieldText(form, "LabeledEdit4"), answered ? QStringLiteral("1") : QStringLiteral("3"));
    const std::vector<veltra::FolderMapping> saved = veltra::UserSettings().LoadFolderMappings();
    if (answered) {
        QCOMPARE(saved.size(), std::size_t{1});
        QCOMPARE(QString::fromStdString(saved[0].prefix), QStringLiteral("X:\\"));
        QCOMPARE(QString::fromStdString(saved[0].folder), drive);
    } else {
        QVERIFY(saved.empty());
    }
}

void TForm1Test::mappingsAreReviewedFromThePanelsMenu() {
    veltra::UserSettings().SaveFolderMappings(
        {{"D:\\", dir_.path().toStdString()}, {"\\\\serwer\\audio", "/srv/audio"}});
    TForm1 form;
    form.show();
    QStringList entries;
    QStringList rows;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
            menu && entries.isEmpty()) {
            QCOMPARE(menu->objectName(), QStringLiteral("Panel1Menu"));
            for (QAction* action : menu->actions()) {
                entries << action->text();
            }
            // Chosen outside this timer's call, which the dialog's own
            // wait would otherwise block.
            QTimer::singleShot(0, menu, [menu] {
                QTest::keyClick(menu, Qt::Key_Down);
                QTest::keyClick(menu, Qt::Key_Return);
            });
        } else if (auto* dialog = qobject_cast<veltra::FolderMappingsDialog*>(
                       QApplication::activeModalWidget())) {
            poll.stop();
            auto* table = dialog->findChild<QTableWidget*>(QStringLiteral("mappings"));
            for (int row = 0; row < table->rowCount(); ++row) {
                rows << table->item(row, 0)->text() + QLatin1Char('=') +
                            table->item(row, 1)->text();
            }
            table->selectRow(0);
            dialog->findChild<QPushButton*>(QStringLiteral("remove"))->click();
            dialog->accept();
        }
    });
    poll.start(1);
    auto* panel = form.findChild<QWidget*>(QStringLiteral("Panel1"));
    // Anywhere on the panel, over its controls too.
    emit panel->customContextMenuRequested(QPoint(300, 10));
    QTRY_VERIFY(!poll.isActive());

    QCOMPARE(entries, (QStringList{QStringLiteral("Foldery ścieżek z logów..."),
                                   QStringLiteral("Kopiuj wiersz tabeli"),
                                   QStringLiteral("Debiuty i pliki DAT..."),
                                   QStringLiteral("Sprawozdanie kwartalne..."), QString(),
                                   QStringLiteral("Nowy raport (wyzeruj wyniki)")}));
    QCOMPARE(rows, (QStringList{QStringLiteral("D:\\=") + dir_.path(),
                                QStringLiteral("\\\\serwer\\audio=/srv/audio")}));
    const std::vector<veltra::FolderMapping> saved = veltra::UserSettings().LoadFolderMappings();
    QCOMPARE(saved.size(), std::size_t{1});
    QCOMPARE(saved[0].prefix, std::string("\\\\serwer\\audio"));
}

namespace {

// Right-clicks the top panel and picks the entry of its menu with this text;
// false when the menu has no such entry or it is disabled.
bool PickFromPanelMenu(TForm1& form, const QString& text) {
    QTimer pick;
    bool picked = false;
    QObject::connect(&pick, &QTimer::timeout, [&] {
        if (auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget())) {
            pick.stop();
            for (QAction* action : menu->actions()) {
                if (action->text() == text && action->isEnabled()) {
                    picked = true;
                    action->trigger();
                }
            }
            menu->close();
        }
    });
    pick.start(1);
    auto* panel = form.findChild<QWidget*>(QStringLiteral("Panel1"));
    QContextMenuEvent click(QContextMenuEvent::Mouse, QPoint(180, 10),
                            panel->mapToGlobal(QPoint(180, 10)));
    QCoreApplication::sendEvent(panel, &click);
    return picked;
}

// What the next modal window is, and the rows of its list; closes it.
struct ListSeen {
    QString title;
    QStringList rows;
};

[[nodiscard]] std::unique_ptr<QTimer> WatchList(ListSeen* seen) {
    return WhenModalAppears([seen](QWidget* modal) {
        seen->title = modal->windowTitle();
        if (auto* list = modal->findChild<QTableView*>(QStringLiteral("ListView1"))) {
            for (int row = 0; row < list->model()->rowCount(); ++row) {
                QStringList cells;
                for (int column = 1; column < list->model()->columnCount(); ++column) {
                    cells << list->model()->index(row, column).data().toString();
                }
                seen->rows << cells.join(QLatin1Char('|'));
            }
        }
        modal->close();
    });
}

// A drop of local files onto the window, as a file manager sends it.
bool Drop(QWidget& window, const QStringList& paths) {
    QMimeData data;
    QList<QUrl> urls;
    for (const QString& path : paths) {
        urls << QUrl::fromLocalFile(path);
    }
    data.setUrls(urls);
    QDragEnterEvent enter(QPoint(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &enter);
    if (!enter.isAccepted()) {
        return false;
    }
    QDropEvent drop(QPointF(300, 300), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(&window, &drop);
    return drop.isAccepted();
}

}  // namespace

void TForm1Test::givenAndDroppedLogsRunLikeTheDialog() {
    const QString log = WriteFile(dir_, QStringLiteral("given.hst"), ForeignDayItems(200));
    TForm1 form;
    form.show();
    QString notice;
    {
        const auto dismiss = ExpectNotice(&notice);
        form.RunReport({log});
    }
    QCOMPARE(notice, QStringLiteral("Informacja|Gotowe!"));
    QCOMPARE(FieldText(form, "LabeledEdit1"), QStringLiteral("200"));

    // A drop runs the same report; a second drop while it runs is ignored,
    // as a second press of the button is, and so is anything not a file.
    QVERIFY(!Drop(form, {}));
    bool droppedDuringRun = false;
    QTimer duringRun;
    QObject::connect(&duringRun, &QTimer::timeout, [&] {
        if (form.report().Running() && !droppedDuringRun) {
            droppedDuringRun = true;
            Drop(form, {log});
        }
    });
    duringRun.start(0);
    notice.clear();
    const auto dismiss = ExpectNotice(&notice);
    QVERIFY(Drop(form, {log}));
    QVERIFY(droppedDuringRun);
    QCOMPARE(notice, QStringLiteral("Informacja|Gotowe!"));
    QCOMPARE(FieldText(form, "LabeledEdit1"), QStringLiteral("400"));
}

void TForm1Test::namesThatAreNoLogsAreRefusedBeforeAnythingResets() {
    QDir(dir_.path()).mkpath(QStringLiteral("quarter"));
    QDir(dir_.path()).mkpath(QStringLiteral("nothing"));
    WriteFile(dir_, QStringLiteral("quarter/b.hst"), ForeignDayItems(2));
    WriteFile(dir_, QStringLiteral("quarter/a.hst"),
              LogLine("10:00:00", "a.mp3", "03:00", "T", "P", "GBR") +
                  LogLine("10:00:00", "b.mp3", "03:00", "T", "P", ""));
    const QString other = WriteFile(dir_, QStringLiteral("quarter/notes.txt"), "x\r\n");
    TForm1 form;
    form.show();
    QString notice;
    {
        // A folder is its logs; the one without a nationality is listed.
        const auto dismiss = ExpectNotice(&notice);
        QVERIFY(Drop(form, {dir_.filePath(QStringLiteral("quarter"))}));
    }
    QCOMPARE(notice, QStringLiteral("Informacja|Gotowe!"));
    const auto text = [&form](const char* name) {
        const QString objectName = QString::fromLatin1(name);
        if (auto* edit = form.findChild<QLineEdit*>(objectName)) {
            return edit->text();
        }
        return form.findChild<WinLabel*>(objectName)->text();
    };
    QCOMPARE(text("LabeledEdit1"), QStringLiteral("3"));
    QCOMPARE(text("LBrakNarodowosc"), QStringLiteral("1"));
    const QByteArray csv = [] {
        QFile file(CsvPath());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    QVERIFY(!csv.isEmpty());

    // Neither a drop nor a name from the command line that is no log starts
    // a run: the count, "pokaż" and the list stay the last run's.
    QStringList reported;
    veltra::SetErrorReportPresenter([&reported](const QString& text) { reported << text; });
    QVERIFY(Drop(form, {other}));
    QVERIFY(Drop(form, {dir_.filePath(QStringLiteral("nothing"))}));
    QVERIFY(Drop(form, {CsvPath()}));
    form.RunReport({dir_.filePath(QStringLiteral("quarter/a.hst")), other});
    QCOMPARE(reported.size(), 4);
    QVERIFY2(reported[1].contains(QStringLiteral("nothing")), qPrintable(reported[1]));
    QCOMPARE(text("LabeledEdit1"), QStringLiteral("3"));
    QCOMPARE(text("LBrakNarodowosc"), QStringLiteral("1"));
    QVERIFY(form.findChild<WinLabel*>(QStringLiteral("LPokaz"))->isEnabled());
    QFile file(CsvPath());
    QVERIFY(file.open(QIODevice::ReadOnly));
    QCOMPARE(file.readAll(), csv);
}

void TForm1Test::aLogBeingWrittenIsNotedAfterTheRun() {
    const QString log = WriteFile(dir_, QStringLiteral("today.hst"), ForeignDayItems(3));
    // The playout system holds the log and is halfway through a line.
    QFile writer(log);
    QVERIFY(writer.open(QIODevice::WriteOnly | QIODevice::Append));
    writer.write("23:59:00;a.mp3;");
    writer.flush();
    TForm1 form;
    form.show();
    QStringList boxes;
    const auto answer = AcceptEveryBox(&boxes);
    form.RunReport({log});
    QCOMPARE(boxes, (QStringList{QStringLiteral("Informacja|Gotowe!"),
                                 QStringLiteral("Informacja|Log był w trakcie zapisu, więc "
                                                "pominięto jego ostatni, niedokończony wiersz:\n") +
                                     QDir::toNativeSeparators(log)}));
    // The figures are those of the finished lines.
    QCOMPARE(FieldText(form, "LabeledEdit1"), QStringLiteral("3"));
    QCOMPARE(form.findChild<WinLabel*>(QStringLiteral("LniepInformacja"))->text(),
             QStringLiteral("0"));

    // A choice cancelled afterwards is no run: the note is not told again.
    boxes.clear();
    const auto cancel =
        WhenModalAppears([](QWidget* modal) { qobject_cast<QDialog*>(modal)->reject(); });
    form.BitBtn1Click();
    QCOMPARE(boxes, QStringList());
}

void TForm1Test::logsHandedOverDuringARunMakeTheNextRun() {
    const QString first = WriteFile(dir_, QStringLiteral("first.hst"), ForeignDayItems(3000));
    const QString later = WriteFile(dir_, QStringLiteral("later.hst"), ForeignDayItems(2));
    TForm1 form;
    form.show();
    QStringList boxes;
    QString note;
    QTimer answer;
    QObject::connect(&answer, &QTimer::timeout, [&] {
        if (form.report().Running() && note.isEmpty()) {
            form.ReportHandedOver({later});
            auto* shown = form.findChild<QMessageBox*>(QStringLiteral("HandedOverNote"));
            note = shown && shown->isVisible() && !shown->isModal() ? shown->text() : "none";
        }
        if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
            boxes << box->text();
            box->accept();
        }
    });
    answer.start(1);
    form.ReportHandedOver({first});
    QTRY_COMPARE(boxes, (QStringList{QStringLiteral("Gotowe!"), QStringLiteral("Gotowe!")}));
    QCOMPARE(note, QStringLiteral("Trwa raport. Te logi zostaną policzone w następnym, zaraz po "
                                  "nim:\n") +
                       later);
    QCOMPARE(FieldText(form, "LabeledEdit1"), QStringLiteral("3002"));
}

void TForm1Test::dialogStartsInTheLastFolderAfterARestart() {
    QDir(dir_.path()).mkpath(QStringLiteral("logs"));
    const QString log = WriteFile(dir_, QStringLiteral("logs/restart.hst"),
                                  LogLine("10:00:00", "a.mp3", "03:00", "T", "P", "GBR"));
    {
        TForm1 form;
        form.show();
        RunThroughDialog(form, {log});
    }
    TForm1 restarted;
    restarted.show();
    QString offered;
    const auto look = WhenModalAppears([&offered](QWidget* modal) {
        offered = qobject_cast<QFileDialog*>(modal)->directory().absolutePath();
        qobject_cast<QDialog*>(modal)->reject();
    });
    restarted.BitBtn1Click();
    QCOMPARE(offered, QFileInfo(log).absolutePath());
}

void TForm1Test::tableRowGoesToTheClipboard() {
    const QString log = WriteFile(dir_, QStringLiteral("row.hst"),
                                  LogLine("10:00:00", "a.mp3", "03:25", "T", "P", "POL") +
                                      LogLine("02:00:00", "b.mp3", "01:00", "T", "P", "POL"));
    TForm1 form;
    form.show();
    {
        QString notice;
        const auto dismiss = ExpectNotice(&notice);
        form.RunReport({log});
    }
    form.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QGuiApplication::clipboard()->clear();
    QTest::keyClick(form.findChild<QPushButton*>(QStringLiteral("BitBtn1")), Qt::Key_C,
                    Qt::ControlModifier);
    // Columns B to E: total time, Polish debut and other Polish time of the
    // day band, Polish time at night.
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("00:04:25\t\t00:03:25\t00:01:00"));

    QGuiApplication::clipboard()->clear();
    QVERIFY(PickFromPanelMenu(form, QStringLiteral("Kopiuj wiersz tabeli")));
    QCOMPARE(QGuiApplication::clipboard()->text(),
             QStringLiteral("00:04:25\t\t00:03:25\t00:01:00"));
}

namespace {

// What the window shows: every display field's text, both gauges and
// whether "pokaż" reacts.
QStringList Shown(const TForm1& form) {
    QStringList shown;
    for (std::size_t i = 0; i < veltra::kDisplayFieldCount; ++i) {
        const std::string_view name = veltra::FieldName(static_cast<veltra::Field>(i));
        const QString objectName = QString::fromLatin1(name.data(), qsizetype(name.size()));
        if (const auto* edit = form.findChild<QLineEdit*>(objectName)) {
            shown << objectName + QLatin1Char('=') + edit->text();
        } else {
            shown << objectName + QLatin1Char('=') + form.findChild<WinLabel*>(objectName)->text();
        }
    }
    for (const char* name : {"Gauge1", "Gauge2"}) {
        const auto* gauge = form.findChild<TGauge*>(QString::fromLatin1(name));
        shown << QStringLiteral("%1=%2/%3-%4")
                     .arg(QLatin1String(name))
                     .arg(gauge->Progress())
                     .arg(gauge->MinValue())
                     .arg(gauge->MaxValue());
    }
    shown << QStringLiteral("LPokaz=%1")
                 .arg(form.findChild<WinLabel*>(QStringLiteral("LPokaz"))->isEnabled());
    return shown;
}

}  // namespace

void TForm1Test::aNewReportStartsFromZero() {
    const QString log =
        WriteFile(dir_, QStringLiteral("month.hst"),
                  LogLine("10:00:00", "a.mp3", "03:25", "T", "P", "POL") +
                      LogLine("02:00:00", "b.mp3", "01:00", "T", "P", "") + "incomplete;line\r\n");
    const TForm1 fresh;
    TForm1 form;
    form.show();
    const auto run = [&form, &log] {
        QString notice;
        const auto dismiss = ExpectNotice(&notice);
        form.RunReport({log});
        QCOMPARE(notice, QStringLiteral("Informacja|Gotowe!"));
    };
    run();
    QToolTip::hideText();
    form.CopyTableRow();
    QVERIFY(!QToolTip::isVisible());
    const QStringList afterOneRun = Shown(form);
    const QString oneRow = QGuiApplication::clipboard()->text();

    // The second run adds to the first, and copying its row says so.
    run();
    QVERIFY(Shown(form) != afterOneRun);
    form.CopyTableRow();
    QTRY_VERIFY(QToolTip::isVisible());
    QVERIFY2(QToolTip::text().contains(QStringLiteral("suma 2 raportów")),
             qPrintable(QToolTip::text()));
    QToolTip::hideText();

    QVERIFY(PickFromPanelMenu(form, QStringLiteral("Nowy raport (wyzeruj wyniki)")));
    QCOMPARE(Shown(form), Shown(fresh));
    const veltra::Tallies& tallies = form.report().tallies();
    QCOMPARE(tallies.IncompleteLines(), 0);
    QCOMPARE(tallies.Count(veltra::Category::Total), 0);
    QCOMPARE(tallies.Seconds(veltra::Category::NightPolish), 0);
    QVERIFY(form.report().MissingNationalityList().empty());
    form.CopyTableRow();
    QCOMPARE(QGuiApplication::clipboard()->text(), QStringLiteral("\t\t\t"));

    // The next run starts from zero: the figures of one run, no note.
    run();
    QCOMPARE(Shown(form), afterOneRun);
    form.CopyTableRow();
    QCOMPARE(QGuiApplication::clipboard()->text(), oneRow);
    QVERIFY(!QToolTip::isVisible());
}

void TForm1Test::paletteHoldsUnderADarkApplicationPalette() {
    const QPalette before = QApplication::palette();
    QPalette dark(QColor(0x20, 0x20, 0x20));
    dark.setColor(QPalette::WindowText, Qt::white);
    dark.setColor(QPalette::Text, Qt::white);
    dark.setColor(QPalette::ButtonText, Qt::white);
    dark.setColor(QPalette::Base, QColor(0x30, 0x30, 0x30));
    QApplication::setPalette(dark);
    const auto restore = qScopeGuard([&before] { QApplication::setPalette(before); });

    TForm1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    auto* caption = form.findChild<QWidget*>(QStringLiteral("LabeledEdit1Label"));
    const QImage captionPixels = form.grab(caption->geometry()).toImage();
    int darkest = 255;
    for (int y = 0; y < captionPixels.height(); ++y) {
        for (int x = 0; x < captionPixels.width(); ++x) {
            darkest = std::min(darkest, qGray(captionPixels.pixel(x, y)));
        }
    }
    // Black text on the panel's white face.
    QVERIFY2(darkest < 60, qPrintable(QString::number(darkest)));
    QCOMPARE(captionPixels.pixelColor(0, 0), QColor(Qt::white));
    auto* field = form.findChild<QLineEdit*>(QStringLiteral("LabeledEdit1"));
    QCOMPARE(field->palette().color(QPalette::Text), QColor(Qt::black));
    QCOMPARE(field->palette().color(QPalette::Base), QColor(Qt::white));
    QCOMPARE(form.palette().color(QPalette::Window), QColor(0xF0, 0xF0, 0xF0));
}

void TForm1Test::detailListsOpenFromTheCountAndTheMenu() {
    TForm1 form;
    form.show();
    // Nothing to list before a run.
    ListSeen before;
    {
        const auto watch = WatchList(&before);
        QTest::mouseClick(form.findChild<WinLabel*>(QStringLiteral("LniepInformacja")),
                          Qt::LeftButton);
    }
    QVERIFY(before.title.isEmpty());

    const QString log = WriteFile(
        dir_, QStringLiteral("szczegoly.hst"),
        "niepelny;\twiersz;\r\n\r\n" + LogLine("10:00:00", "brak.mp3", "03:00", "T", "P", "POL"));
    {
        const auto choose = ChooseInDialog({log});
        QString notice;
        const auto dismiss = ExpectNotice(&notice);
        form.BitBtn1Click();
    }

    ListSeen incomplete;
    {
        const auto watch = WatchList(&incomplete);
        QTest::mouseClick(form.findChild<WinLabel*>(QStringLiteral("LniepInformacja")),
                          Qt::LeftButton);
    }
    QCOMPARE(incomplete.title, QStringLiteral("Niepełna informacja - wiersze"));
    QCOMPARE(incomplete.rows, QStringList{QStringLiteral("1|2|niepelny;\\twiersz;")});

    ListSeen debuts;
    {
        const auto watch = WatchList(&debuts);
        QVERIFY(PickFromPanelMenu(form, QStringLiteral("Debiuty i pliki DAT...")));
    }
    QCOMPARE(debuts.title, QStringLiteral("Debiuty i pliki DAT"));
    QCOMPARE(debuts.rows, QStringList{QStringLiteral("3|brak.mp3||brak pliku DAT")});
}

QTEST_MAIN(TForm1Test)
#include "tform1_test.moc"
