#include "tform1.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QFontDatabase>
#include <QFontMetrics>
#include <QFrame>
#include <QGridLayout>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QMimeData>
#include <QPainter>
#include <QScopeGuard>
#include <QScreen>
#include <QShortcut>
#include <QToolTip>
#include <utility>

#include "bit_btn.h"
#include "csv_location.h"
#include "display_text.h"
#include "error_report.h"
#include "figure_field.h"
#include "folder_mapping_dialogs.h"
#include "log_names.h"
#include "program_identity.h"
#ifdef VELTRA_WRITES_WORKBOOKS
#include "quarter_dialog.h"
#endif
#include "tfbrakinarodowosci.h"
#include "tflegenda.h"
#include "tgauge.h"
#include "titled_frame.h"
#include "user_settings.h"
#include "win_label.h"
#include "window_font.h"

namespace veltra {
namespace {

// Room in a title bar beside its text: the window's icon and its buttons.
constexpr int kTitleBarControls = 120;

// How often a run lets the window handle its messages: a few times within
// one frame of the screen.
constexpr qint64 kMessagesIntervalNs = 4'000'000;

// Long enough to read two lines, short enough not to linger.
constexpr int kSumNoteMilliseconds = 6000;
// How long names handed over are gathered before their run: the file
// manager starts the program once per log chosen, all within a moment.
constexpr int kGatheringMilliseconds = 500;

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

// The local files and folders of a drop; empty when anything dropped is not
// one. Which of them are logs the run decides, so that a file that is not
// one is refused with a word rather than a silent "no entry" cursor.
QStringList DroppedNames(const QMimeData* data) {
    QStringList names;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return {};
        }
        names << url.toLocalFile();
    }
    return names;
}

}  // namespace

TForm1::TForm1(QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      report_(display_, fileSystem_, *this),
      OpenDialog1(this) {
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("Veltra Raport v") + QLatin1String(kProgramVersion));
    setFont(WindowFont());
    setPalette(WindowPalette());
    setFixedSize(714, 502);
    setAcceptDrops(true);

    CreateTopPanel();
    CreateTitledPanels();
    CreateErrorCounts();
    CreateFigureFields();
    SetTabOrder();

    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { RunHandler([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this,
            [this] { RunHandler([this] { BitBtn2Click(); }); });
    connect(LBrakNarodowosc, &WinLabel::clicked, this,
            [this] { RunHandler([this] { LBrakNarodowoscClick(); }); });
    connect(LPokaz, &WinLabel::clicked, this,
            [this] { RunHandler([this] { LBrakNarodowoscClick(); }); });
    // A field with the focus copies its own selection; anywhere else Ctrl+C
    // copies the table row.
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &TForm1::CopyTableRow);
    Panel1->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(Panel1, &QWidget::customContextMenuRequested, this, &TForm1::ShowPanel1Menu);

    handedOverRun_.setSingleShot(true);
    handedOverRun_.setInterval(kGatheringMilliseconds);
    connect(&handedOverRun_, &QTimer::timeout, this, [this] {
        // A run or a dialog under way keeps them until it ends.
        if (report_.Running() || QApplication::activeModalWidget() != nullptr) {
            handedOverRun_.start();
            return;
        }
        const QStringList names = std::exchange(handedOverNames_, {});
        RunHandler([this, &names] { RunReport(names); });
    });

    FormCreate();
    CentreOnScreen();
}

TForm1::~TForm1() = default;

void TForm1::FormCreate() {
    // The tallies start at zero and the entry list empty with the report
    // itself; what is left to do at creation is the panels' one drawing.
    Prostokaty();
}

void TForm1::Prostokaty() {
    for (std::size_t i = 0; i < Images.size(); ++i) {
        Rysuj(Images[i], FromUtf8(FigurePanels()[i].title));
    }
}

void TForm1::Rysuj(QLabel* image, const QString& title) {
    image->setPixmap(QPixmap::fromImage(
        TitledFrame(image->width(), image->height(), title, devicePixelRatioF())));
}

void TForm1::BitBtn1Click() {
    RunLadujPliki();
}

void TForm1::RunReport(const QStringList& names) {
    if (report_.Running()) {
        return;
    }
    NamedLogs named =
        LogsNamedBy(names, FromUtf8(MissingNationalityCsvPath(fileSystem_, ExecutablePath())));
    if (!named.refusal.isEmpty()) {
        ShowErrorReport(named.refusal.toStdString());
        return;
    }
    givenLogs_ = std::move(named.logs);
    RunLadujPliki();
}

void TForm1::ReportHandedOver(const QStringList& names) {
    if (isMinimized()) {
        showNormal();
    }
    raise();
    activateWindow();
    if (names.isEmpty()) {
        return;
    }
    if (report_.Running()) {
        // Told without a box that would hold the run up.
        auto* note = new QMessageBox(
            QMessageBox::Information, QStringLiteral("Informacja"),
            QStringLiteral("Trwa raport. Te logi zostaną policzone w następnym, zaraz po nim:\n") +
                names.join(QLatin1Char('\n')),
            QMessageBox::Ok, this);
        note->setObjectName(QStringLiteral("HandedOverNote"));
        note->setAttribute(Qt::WA_DeleteOnClose);
        note->setModal(false);
        note->show();
    }
    handedOverNames_ << names;
    handedOverRun_.start();
}

void TForm1::RunLadujPliki() {
    // A press during a run reaches the report, which ignores it. However the
    // run ends, the fields show its last figures before any message, and a
    // close asked for during the run happens after it.
    logsBeingWritten_.clear();
    const auto afterRun = qScopeGuard([this] {
        ShowLatestProgress();
        if (closeRequested_) {
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        }
    });
    report_.LadujPliki();
    if (!closeRequested_) {
        ShowLogsBeingWritten();
    }
}

void TForm1::ShowLogsBeingWritten() {
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
    ShowInformation(this, QStringLiteral("Informacja"),
                    text + logsBeingWritten_.join(QLatin1Char('\n')));
}

void TForm1::BitBtn2Click() {
    TFLegenda legend(this);
    legend.exec();
}

void TForm1::LBrakNarodowoscClick() {
    const std::string path = MissingNationalityCsvPath(fileSystem_, ExecutablePath());
    if (!ShouldOpenMissingList(LBrakNarodowosc->text(), fileSystem_.IsRegularFile(path))) {
        return;
    }
    TFBrakiNarodowosci window(this);
    window.SciezkaPliku = QString::fromStdString(path);
    window.exec();
}

void TForm1::ShowPanel1Menu(const QPoint& position) {
    QMenu menu(this);
    menu.setObjectName(QStringLiteral("Panel1Menu"));
    // Where the file system finds the logs' Windows paths itself (on
    // Windows), there is nothing to map.
    if (!fileSystem_.FindsWindowsPaths()) {
        menu.addAction(QStringLiteral("Foldery ścieżek z logów..."), this, [this] {
            FolderMappingsDialog dialog(this);
            dialog.exec();
        });
    }
    QAction* copy =
        menu.addAction(QStringLiteral("Kopiuj wiersz tabeli"), this, &TForm1::CopyTableRow);
    copy->setShortcut(QKeySequence::Copy);
#ifdef VELTRA_WRITES_WORKBOOKS
    // The quarter runs in its dialog; this window's figures stay as they are.
    QAction* quarter = menu.addAction(QStringLiteral("Sprawozdanie kwartalne..."), this, [this] {
        QuarterDialog dialog(this);
        dialog.exec();
    });
    quarter->setEnabled(!report_.Running());
#endif
    menu.addSeparator();
    QAction* newReport = menu.addAction(QStringLiteral("Nowy raport (wyzeruj wyniki)"), this,
                                        &TForm1::StartNewReport);
    newReport->setEnabled(!report_.Running());
    menu.exec(Panel1->mapToGlobal(position));
}

void TForm1::CentreOnScreen() {
    if (const QScreen* screen = this->screen()) {
        const QRect frame(QPoint(), frameGeometry().size());
        move(screen->availableGeometry().center() - frame.center());
    }
}

void TForm1::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    // The window manager frames the window only after it is shown, so the
    // window was centred by its client area; once the frame is known, the
    // frame is centred instead.
    if (awaitingFrame_ && isVisible() && frameGeometry().size() != size()) {
        awaitingFrame_ = false;
        CentreOnScreen();
    }
}

void TForm1::closeEvent(QCloseEvent* event) {
    FormClose(event);
}

void TForm1::FormClose(QCloseEvent* event) {
    // A run in progress still uses the report; it stops after its current
    // line, and the window closes then.
    if (report_.Running()) {
        closeRequested_ = true;
        event->ignore();
        return;
    }
    event->accept();
}

void TForm1::dragEnterEvent(QDragEnterEvent* event) {
    if (!DroppedNames(event->mimeData()).isEmpty()) {
        event->acceptProposedAction();
    }
}

void TForm1::dropEvent(QDropEvent* event) {
    const QStringList names = DroppedNames(event->mimeData());
    if (names.isEmpty()) {
        return;
    }
    event->acceptProposedAction();
    RunHandler([this, &names] { RunReport(names); });
}

void TForm1::CopyTableRow() {
    const std::string row = TableRow([this](Field field) { return display_.Text(field); });
    QGuiApplication::clipboard()->setText(QString::fromStdString(row));
    // A row pasted into the regulator's form is one month's; the sum of two
    // runs looks just like one, so the user is told, without a box to close.
    if (runsInFigures_ > 1) {
        QToolTip::showText(
            Panel1->mapToGlobal(QPoint(BitBtn1->x(), Panel1->height())),
            QStringLiteral("Skopiowane czasy to suma %1 raportów.\nOd zera zaczyna „Nowy raport "
                           "(wyzeruj wyniki)”\nw menu tego paska (prawy przycisk myszy).")
                .arg(runsInFigures_),
            Panel1, QRect(), kSumNoteMilliseconds);
    }
}

void TForm1::StartNewReport() {
    if (report_.Running()) {
        return;
    }
    report_.Reset();
    for (std::size_t i = 0; i < kDisplayFieldCount; ++i) {
        const auto field = static_cast<Field>(i);
        display_.Publish(field, FieldInitialText(field));
    }
    display_.Flush();
    pendingProgress_ = {};
    for (TGauge* gauge : {Gauge1, Gauge2}) {
        gauge->SetProgress(0);
        gauge->SetMaxValue(kGaugeDefaultMaxValue);
    }
    LPokaz->setEnabled(false);
    runsInFigures_ = 0;
}

QString TForm1::LogBeingRead() const {
    if (runLogs_.isEmpty()) {
        return {};
    }
    return runLogs_[std::min<qsizetype>(filesDone_, runLogs_.size() - 1)];
}

std::optional<std::vector<std::string>> TForm1::ChooseFiles() {
    const std::optional<QStringList> chosen =
        givenLogs_ ? std::exchange(givenLogs_, std::nullopt) : OpenDialog1.Execute();
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

TGauge* TForm1::GaugeOf(Gauge gauge) const {
    return gauge == Gauge::Files ? Gauge1 : Gauge2;
}

void TForm1::SetGaugeMaxValue(Gauge gauge, std::int32_t value) {
    if (gauge == Gauge::Files) {
        filesDone_ = 0;
    }
    ShowGaugeProgress();
    GaugeOf(gauge)->SetMaxValue(value);
}

void TForm1::SetGaugeProgress(Gauge gauge, std::int32_t value) {
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

void TForm1::ShowGaugeProgress() {
    for (const Gauge gauge : {Gauge::Lines, Gauge::Files}) {
        if (std::optional<std::int32_t>& pending =
                pendingProgress_[static_cast<std::size_t>(gauge)]) {
            GaugeOf(gauge)->SetProgress(*std::exchange(pending, std::nullopt));
        }
    }
}

void TForm1::ShowLatestProgress() {
    display_.Flush();
    ShowGaugeProgress();
}

void TForm1::ProcessPendingMessages() {
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

void TForm1::SetPokazEnabled(bool enabled) {
    LPokaz->setEnabled(enabled);
}

std::string TForm1::ExecutablePath() const {
    return EnginePath(QCoreApplication::applicationFilePath());
}

void TForm1::ShowNotice(std::string_view text, std::string_view title) {
    ShowLatestProgress();
    ShowInformation(this, FromUtf8(title), FromUtf8(text));
}

void TForm1::NoteLogBeingWritten(std::string_view path) {
    logsBeingWritten_ << QDir::toNativeSeparators(FromUtf8(path));
}

FolderMappings TForm1::MappingsForRun() const {
    UserSettings settings;
    FolderMappings mappings(settings.LoadFolderMappings());
    ShowSettingsFailure(window(), settings.Failure());
    return mappings;
}

std::optional<std::string> TForm1::ChooseFolderFor(std::string_view root,
                                                   std::string_view exampleAudioPath,
                                                   std::string_view missingFolder) {
    // The figures and gauges so far are on screen while the user thinks.
    ShowLatestProgress();
    const QString prefix = FromUtf8(root);
    const std::optional<QString> folder = AskForMappedFolder(
        this, prefix, FromUtf8(exampleAudioPath), FromUtf8(missingFolder), LogBeingRead());
    if (!folder) {
        return std::nullopt;
    }
    // Used for this run even when it cannot be kept for the next.
    UserSettings settings;
    if (!settings.SaveFolderMapping(prefix, *folder)) {
        ShowSettingsFailure(this, settings.Failure());
    }
    return EnginePath(*folder);
}

}  // namespace veltra
