#include "tform1.h"

#include <QApplication>
#include <QClipboard>
#include <QCloseEvent>
#include <QFrame>
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
#include "details_window.h"
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
#include "win_label.h"
#include "window_font.h"

namespace veltra {
namespace {

// Long enough to read two lines, short enough not to linger.
constexpr int kSumNoteMilliseconds = 6000;
// How long names handed over are gathered before their run: the file
// manager starts the program once per log chosen, all within a moment.
constexpr int kGatheringMilliseconds = 500;

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
      OpenDialog1(this),
      runHost_(*this, OpenDialog1),
      report_(runHost_.Figures(), fileSystem_, runHost_) {
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
    runHost_.AttachControls(*Gauge1, *Gauge2, *LPokaz);

    connect(BitBtn1, &QPushButton::clicked, this,
            [this] { RunHandler([this] { BitBtn1Click(); }); });
    connect(BitBtn2, &QPushButton::clicked, this,
            [this] { RunHandler([this] { BitBtn2Click(); }); });
    connect(LBrakNarodowosc, &WinLabel::clicked, this,
            [this] { RunHandler([this] { LBrakNarodowoscClick(); }); });
    connect(LPokaz, &WinLabel::clicked, this,
            [this] { RunHandler([this] { LBrakNarodowoscClick(); }); });
    connect(LniepInformacja, &WinLabel::clicked, this,
            [this] { RunHandler([this] { LniepInformacjaClick(); }); });
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

    // The lists behind the error count and the debut figures.
    report_.SetKeepsDetails(true);
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
    NamedLogs named = LogsNamedBy(
        names, FromUtf8(MissingNationalityCsvPath(fileSystem_, runHost_.ExecutablePath())));
    if (!named.refusal.isEmpty()) {
        ShowErrorReport(named.refusal.toStdString());
        return;
    }
    runHost_.GiveLogs(std::move(named.logs));
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
    const auto afterRun = qScopeGuard([this] {
        runHost_.ShowLatestProgress();
        if (runHost_.StopRequested()) {
            QMetaObject::invokeMethod(this, &QWidget::close, Qt::QueuedConnection);
        }
    });
    report_.LadujPliki();
    // Shown once the run has ended, not after a press it ignored.
    if (!runHost_.StopRequested() && !report_.Running()) {
        runHost_.ShowLogsBeingWritten();
    }
}

void TForm1::BitBtn2Click() {
    TFLegenda legend(this);
    legend.exec();
}

void TForm1::LBrakNarodowoscClick() {
    const std::string path = MissingNationalityCsvPath(fileSystem_, runHost_.ExecutablePath());
    if (!ShouldOpenMissingList(LBrakNarodowosc->text(), fileSystem_.IsRegularFile(path))) {
        return;
    }
    TFBrakiNarodowosci window(this);
    window.SciezkaPliku = QString::fromStdString(path);
    window.exec();
}

// The count adds up every run since the last new report; the list is of the
// latest run, and opens only when that has lines to show.
void TForm1::LniepInformacjaClick() {
    const RunDetails& details = report_.Details();
    if (details.IncompleteLines().empty() && details.IncompleteLinesLeftOut() == 0) {
        return;
    }
    DetailsWindow window(details, DetailsWindow::List::IncompleteLines, this);
    window.exec();
}

void TForm1::ShowDebutDecisions() {
    DetailsWindow window(report_.Details(), DetailsWindow::List::PolishDayItems, this);
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
    menu.addAction(QStringLiteral("Debiuty i pliki DAT..."), this, &TForm1::ShowDebutDecisions);
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
        runHost_.RequestStop();
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
    const std::string row =
        TableRow([this](Field field) { return runHost_.Figures().Text(field); });
    QGuiApplication::clipboard()->setText(QString::fromStdString(row));
    // A row pasted into the regulator's form is one month's; the sum of two
    // runs looks just like one, so the user is told, without a box to close.
    if (runHost_.RunsInFigures() > 1) {
        QToolTip::showText(
            Panel1->mapToGlobal(QPoint(BitBtn1->x(), Panel1->height())),
            QStringLiteral("Skopiowane czasy to suma %1 raportów.\nOd zera zaczyna „Nowy raport "
                           "(wyzeruj wyniki)”\nw menu tego paska (prawy przycisk myszy).")
                .arg(runHost_.RunsInFigures()),
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
        runHost_.Figures().Publish(field, InitialFigure(field));
    }
    runHost_.Figures().Flush();
    runHost_.Restart();
    for (TGauge* gauge : {Gauge1, Gauge2}) {
        gauge->SetProgress(0);
        gauge->SetMaxValue(kGaugeDefaultMaxValue);
    }
    LPokaz->setEnabled(false);
}

}  // namespace veltra
