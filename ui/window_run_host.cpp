#include "window_run_host.h"

#include <QCoreApplication>
#include <QDir>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QGridLayout>
#include <QMessageBox>
#include <QWidget>
#include <algorithm>
#include <utility>

#include "display_text.h"
#include "folder_mapping_dialogs.h"
#include "open_dialog.h"
#include "tgauge.h"

namespace veltra {
namespace {

// Room in a title bar beside its text: the window's icon and its buttons.
constexpr int kTitleBarControls = 120;

// How often a run lets the window handle its messages: a few times within
// one frame of the screen.
constexpr qint64 kMessagesIntervalNs = 4'000'000;

// Qt sizes a message box by its text alone; a box as narrow as "Gotowe!"
// leaves the window manager room for only the first letter of its title.
// The box is widened to fit the title as well.
void ShowInformation(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox box(QMessageBox::Information, title, text, QMessageBox::Ok, parent);
    const int titleWidth =
        QFontMetrics(QFontDatabase::systemFont(QFontDatabase::TitleFont)).horizontalAdvance(title);
    if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        grid->addItem(new QSpacerItem(titleWidth + kTitleBarControls, 0, QSizePolicy::Minimum,
                                      QSizePolicy::Fixed),
                      grid->rowCount(), 0, 1, grid->columnCount());
    }
    box.exec();
}

}  // namespace

WindowRunHost::WindowRunHost(QWidget& window, OpenDialog& dialog)
    : window_(window), dialog_(dialog) {}

void WindowRunHost::AttachControls(TGauge& files, TGauge& lines, QWidget& pokaz) {
    gauges_ = {&files, &lines};
    pokaz_ = &pokaz;
}

void WindowRunHost::Restart() {
    pendingProgress_ = {};
    runsInFigures_ = 0;
}

std::optional<std::vector<std::string>> WindowRunHost::ChooseFiles() {
    logsBeingWritten_.clear();
    const std::optional<QStringList> chosen =
        givenLogs_ ? std::exchange(givenLogs_, std::nullopt) : dialog_.Execute();
    if (!chosen) {
        return std::nullopt;
    }
    ++runsInFigures_;
    runLogs_ = *chosen;
    std::vector<std::string> paths;
    paths.reserve(static_cast<std::size_t>(chosen->size()));
    for (const QString& path : *chosen) {
        paths.push_back(EnginePath(path));
    }
    return paths;
}

QString WindowRunHost::LogBeingRead() const {
    if (runLogs_.isEmpty()) {
        return {};
    }
    return runLogs_[std::min<qsizetype>(filesDone_, runLogs_.size() - 1)];
}

void WindowRunHost::SetGaugeMaxValue(Gauge gauge, std::int32_t value) {
    if (gauge == Gauge::Files) {
        filesDone_ = 0;
    }
    ShowGaugeProgress();
    GaugeOf(gauge).SetMaxValue(value);
}

void WindowRunHost::SetGaugeProgress(Gauge gauge, std::int32_t value) {
    if (gauge == Gauge::Files) {
        filesDone_ = value;
    }
    // The lines gauge moves once per line, and each whole percent repaints it
    // at once: its progress waits for the display's pace like the figures.
    // The files gauge moves at the end of a log, which both then show exactly.
    pendingProgress_[static_cast<std::size_t>(gauge)] = value;
    if (gauge == Gauge::Files) {
        ShowGaugeProgress();
    }
}

void WindowRunHost::ShowGaugeProgress() {
    for (const Gauge gauge : {Gauge::Lines, Gauge::Files}) {
        if (std::optional<std::int32_t>& pending =
                pendingProgress_[static_cast<std::size_t>(gauge)]) {
            GaugeOf(gauge).SetProgress(*std::exchange(pending, std::nullopt));
        }
    }
}

void WindowRunHost::ShowLatestProgress() {
    display_.Flush();
    ShowGaugeProgress();
}

void WindowRunHost::ProcessPendingMessages() {
    // Asking the window system for its messages after every line of a
    // quarter (138,000 lines) was most of the window's time over the
    // driver's; a few milliseconds apart is as prompt as a user can tell.
    if (sinceMessages_.isValid() && sinceMessages_.nsecsElapsed() < kMessagesIntervalNs) {
        return;
    }
    sinceMessages_.start();
    if (display_.FlushIfDue()) {
        ShowGaugeProgress();
    }
    QCoreApplication::processEvents();
}

void WindowRunHost::SetPokazEnabled(bool enabled) {
    pokaz_->setEnabled(enabled);
}

std::string WindowRunHost::ExecutablePath() const {
    return EnginePath(QCoreApplication::applicationFilePath());
}

void WindowRunHost::ShowNotice(std::string_view text, std::string_view title) {
    ShowLatestProgress();
    ShowInformation(&window_, FromUtf8(title), FromUtf8(text));
}

void WindowRunHost::NoteLogBeingWritten(std::string_view path) {
    logsBeingWritten_ << QDir::toNativeSeparators(FromUtf8(path));
}

void WindowRunHost::ShowLogsBeingWritten() {
    if (logsBeingWritten_.isEmpty()) {
        return;
    }
    // A note beside the figures, which stay as they are: the lines left out
    // are counted by the next run, once the playout system has finished them.
    const QString text = logsBeingWritten_.size() == 1
                             ? QStringLiteral(
                                   "Log był w trakcie zapisu, więc pominięto jego ostatni, "
                                   "niedokończony wiersz:\n")
                             : QStringLiteral(
                                   "Logi były w trakcie zapisu, więc pominięto ich ostatnie, "
                                   "niedokończone wiersze:\n");
    ShowInformation(&window_, QStringLiteral("Informacja"),
                    text + logsBeingWritten_.join(QLatin1Char('\n')));
}

FolderMappings WindowRunHost::MappingsForRun() const {
    return veltra::MappingsForRun(&window_);
}

std::optional<std::string> WindowRunHost::ChooseFolderFor(std::string_view root,
                                                          std::string_view exampleAudioPath,
                                                          std::string_view missingFolder) {
    // The figures and gauges so far are on screen while the user thinks.
    ShowLatestProgress();
    return ChooseFolderForRun(&window_, root, exampleAudioPath, missingFolder, LogBeingRead());
}

}  // namespace veltra
