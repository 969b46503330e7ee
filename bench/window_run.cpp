// veltra-window-bench: runs the reference corpus through the real main
// window, from confirming the log dialog to the "Gotowe!" notice, and the
// command-line driver over the same corpus, interleaved in one run. Run it
// under a real display server (bench/run-window uses Xvfb). Prints medians,
// the window's repaint rate during a run, and whether its final figures equal
// the driver's.

#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QFileDialog>
#include <QJsonDocument>
#include <QJsonObject>
#include <QLineEdit>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <algorithm>
#include <cstdio>
#include <cstdlib>

#include "corpus.h"
#include "figure_field.h"
#include "modal_script.h"
#include "process_timing.h"
#include "tform1.h"
#include "veltra_application.h"
#include "win_label.h"
#include "window_font.h"

namespace {

namespace fs = std::filesystem;
using namespace veltra::bench;

struct Repaints {
    double perSecond = 0;
    double longestGapMs = 0;
};

struct WindowRun {
    double seconds = 0;
    Repaints figure;
    Repaints gauge;
    QJsonObject figures;
};

// Counts the paints of one figure field and of the lines gauge, and notes
// when the notice appears.
class RunObserver : public QObject {
public:
    explicit RunObserver(QElapsedTimer& clock) : clock_(clock) {}

    std::vector<qint64> figurePaints;
    std::vector<qint64> gaugePaints;
    qint64 noticeAt = -1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() == QEvent::Paint && watched->objectName() == "LabeledEdit1") {
            figurePaints.push_back(clock_.nsecsElapsed());
        } else if (event->type() == QEvent::Paint && watched->objectName() == "Gauge2") {
            gaugePaints.push_back(clock_.nsecsElapsed());
        } else if (event->type() == QEvent::Show && noticeAt < 0) {
            if (auto* box = qobject_cast<QMessageBox*>(watched)) {
                noticeAt = clock_.nsecsElapsed();
                QTimer::singleShot(0, box, &QMessageBox::accept);
            }
        }
        return false;
    }

private:
    QElapsedTimer& clock_;
};

QJsonObject Figures(const veltra::TForm1& form) {
    QJsonObject figures;
    for (std::size_t i = 0; i < veltra::kDisplayFieldCount; ++i) {
        const std::string_view name = veltra::FieldName(static_cast<veltra::Field>(i));
        const QString objectName = QString::fromLatin1(name.data(), qsizetype(name.size()));
        if (const auto* edit = form.findChild<QLineEdit*>(objectName)) {
            figures[objectName] = edit->text();
        } else if (const auto* label = form.findChild<veltra::WinLabel*>(objectName)) {
            figures[objectName] = label->text();
        }
    }
    return figures;
}

// How often something was painted between confirming the dialog and the
// notice, and the longest time it was not.
Repaints RepaintsDuring(const std::vector<qint64>& paints, qint64 from, qint64 to) {
    Repaints repaints;
    qint64 previous = from;
    int during = 0;
    for (const qint64 at : paints) {
        if (at > from && at <= to) {
            ++during;
            repaints.longestGapMs = std::max(repaints.longestGapMs, (at - previous) / 1e6);
            previous = at;
        }
    }
    repaints.longestGapMs = std::max(repaints.longestGapMs, (to - previous) / 1e6);
    repaints.perSecond = during / ((to - from) / 1e9);
    return repaints;
}

WindowRun RunWindow(const QString& logFolder, const QStringList& logNames) {
    QElapsedTimer clock;
    clock.start();
    RunObserver observer(clock);
    veltra::TForm1 form;
    form.show();
    qApp->installEventFilter(&observer);
    qint64 confirmedAt = 0;
    const auto answer = WhenModalAppears([&](QWidget* modal) {
        auto* dialog = qobject_cast<QFileDialog*>(modal);
        dialog->setDirectory(logFolder);
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
            ->setText(QLatin1Char('"') + logNames.join(QStringLiteral("\" \"")) + QLatin1Char('"'));
        confirmedAt = clock.nsecsElapsed();
        QMetaObject::invokeMethod(dialog, "accept");
    });
    form.BitBtn1Click();
    qApp->removeEventFilter(&observer);

    WindowRun run;
    run.seconds = (observer.noticeAt - confirmedAt) / 1e9;
    run.figure = RepaintsDuring(observer.figurePaints, confirmedAt, observer.noticeAt);
    run.gauge = RepaintsDuring(observer.gaugePaints, confirmedAt, observer.noticeAt);
    run.figures = Figures(form);
    return run;
}

QJsonObject DriverFigures(const std::vector<std::string>& command) {
    QProcess driver;
    QStringList arguments;
    for (std::size_t i = 1; i < command.size(); ++i) {
        arguments << QString::fromStdString(command[i]);
    }
    driver.start(QString::fromStdString(command[0]), arguments);
    driver.waitForFinished(-1);
    return QJsonDocument::fromJson(driver.readAllStandardOutput()).object();
}

}  // namespace

int main(int argc, char** argv) {
    veltra::VeltraApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("Veltra"));
    veltra::RegisterTahoma();
    const QStringList arguments = QApplication::arguments();
    if (arguments.size() < 2) {
        std::fprintf(stderr, "Usage: veltra-window-bench DRIVER [FOLDER] [RUNS]\n");
        return 2;
    }
    const std::string driverPath = fs::absolute(arguments[1].toStdString()).string();
    const fs::path folder = fs::absolute(arguments.size() > 2 ? arguments[2].toStdString()
                                                              : std::string("bench-corpus"));
    const int runs = arguments.size() > 3 ? std::max(1, arguments[3].toInt()) : 5;

    fs::remove_all(folder);
    const Corpus corpus = WriteCorpus(folder, 2024);
    // The logs name their audio files relative to the corpus folder.
    QDir::setCurrent(QString::fromStdString(folder.string()));
    const QString logFolder = QString::fromStdString(corpus.logs.front().parent_path().string());
    QStringList logNames;
    std::vector<std::string> driver{driverPath, "--json", "--csv", "braki.csv"};
    for (const fs::path& log : corpus.logs) {
        logNames << QString::fromStdString(log.filename().string());
        driver.push_back(fs::relative(log, folder).string());
    }

    const QJsonObject expected = DriverFigures(driver);
    TimeProcess(driver, folder);  // fills the page cache
    std::vector<double> driverSeconds;
    std::vector<double> windowSeconds;
    std::vector<double> figureRates;
    std::vector<double> gaugeRates;
    double longestFigureGap = 0;
    double longestGaugeGap = 0;
    bool exact = true;
    for (int run = 0; run < runs; ++run) {
        driverSeconds.push_back(TimeProcess(driver, folder).seconds);
        const WindowRun window = RunWindow(logFolder, logNames);
        windowSeconds.push_back(window.seconds);
        figureRates.push_back(window.figure.perSecond);
        gaugeRates.push_back(window.gauge.perSecond);
        longestFigureGap = std::max(longestFigureGap, window.figure.longestGapMs);
        longestGaugeGap = std::max(longestGaugeGap, window.gauge.longestGapMs);
        exact = exact && window.figures == expected;
    }

    const double driverMedian = Median(driverSeconds);
    const double windowMedian = Median(windowSeconds);
    std::printf("corpus: %zu logs of 1,500 lines; runs: %d of each, interleaved\n",
                corpus.logs.size(), runs);
    std::printf("driver, whole corpus (median):         %7.3f s\n", driverMedian);
    std::printf("window, dialog to notice (median):     %7.3f s\n", windowMedian);
    std::printf("window / driver:                       %7.1f x   goal <= 1.5\n",
                windowMedian / driverMedian);
    std::printf("figure repaints during a run (median): %7.0f /s  goal >= 30\n",
                Median(figureRates));
    std::printf("gauge repaints during a run (median):  %7.0f /s  goal >= 30\n",
                Median(gaugeRates));
    std::printf("longest gap between figure repaints:   %7.1f ms\n", longestFigureGap);
    std::printf("longest gap between gauge repaints:    %7.1f ms\n", longestGaugeGap);
    std::printf("final figures equal the driver's:      %7s\n", exact ? "yes" : "NO");
    return exact ? 0 : 1;
}
