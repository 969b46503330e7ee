#pragma once

#include <QTimer>
#include <QWidget>
#include <array>
#include <optional>

#include "companion_placement.h"
#include "native_file_system.h"
#include "open_dialog.h"
#include "report.h"
#include "window_run_host.h"

class QFrame;
class QLabel;
class QLineEdit;

namespace veltra {

class BitBtn;
class TGauge;
class WinLabel;

// The main window: the report's figures in five titled panels, the two error
// counts, the file-choice and legend buttons and the two progress gauges. It
// owns the report; its WindowRunHost stands between the report's runs and
// the widgets.
class TForm1 : public QWidget {
    Q_OBJECT
public:
    explicit TForm1(QWidget* parent = nullptr);
    ~TForm1() override;

    const Report& report() const { return report_; }

    // Handlers keep the form's event names.
    void BitBtn1Click();
    void BitBtn2Click();
    void LBrakNarodowoscClick();
    void LniepInformacjaClick();

    // The latest run's Polish day items with the outcome of each one's debut
    // test and the description file it read ("Debiuty i pliki DAT...").
    void ShowDebutDecisions();

    // The report run over files and folders named on the command line or
    // dropped on the window: the same run as BitBtn1Click's, with the logs
    // they stand for (LogsNamedBy) instead of the dialog's choice. Names that
    // are no logs are refused with a message before anything is reset; a
    // call during a run is ignored, like a second press.
    void RunReport(const QStringList& names);

    // Names given when the program started, or handed over by a later start
    // (WindowHandover): gathered for a moment, so that logs opened together
    // in the file manager, each starting the program, make one run; during
    // a run, kept for the next one, as the user is told. None only brings
    // the window forward.
    void ReportHandedOver(const QStringList& names);

    // Puts one month's row of the regulator's quarterly table on the
    // clipboard (Ctrl+C, or the top panel's menu). When the figures are the
    // sum of several runs, a note by the top panel says so.
    void CopyTableRow();

    // "Nowy raport (wyzeruj wyniki)": every figure, count and gauge back to
    // where a fresh start leaves them; the next run starts from zero. Not
    // during a run.
    void StartNewReport();

protected:
    void closeEvent(QCloseEvent* event) override;
    void moveEvent(QMoveEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;

private:
    void FormCreate();
    void FormClose(QCloseEvent* event);
    void Prostokaty();
    void Rysuj(QLabel* image, const QString& title);

    void CreateTopPanel();
    void CreateTitledPanels();
    void CreateErrorCounts();
    void CreateFigureFields();
    // Keeps "pokaż" clear of however many digits the count beside it has.
    void PlacePokaz();
    void SetTabOrder();
    // The top panel's context menu; every entry of it is added here.
    void ShowPanel1Menu(const QPoint& position);
    void CentreOnScreen();
    void RunLadujPliki();

    QFrame* Panel1 = nullptr;
    BitBtn* BitBtn1 = nullptr;
    BitBtn* BitBtn2 = nullptr;
    WinLabel* Label1 = nullptr;
    TGauge* Gauge1 = nullptr;
    TGauge* Gauge2 = nullptr;
    std::array<QLabel*, 5> Images{};
    WinLabel* LniepInformacja = nullptr;
    WinLabel* LBrakNarodowosc = nullptr;
    WinLabel* LPokaz = nullptr;
    std::array<QLineEdit*, 24> LabeledEdits{};

    CompanionPlacement companionPlacement_;
    OpenDialog OpenDialog1;
    NativeFileSystem fileSystem_;
    WindowRunHost runHost_;
    Report report_;
    // Handed over and not yet reported; run when the timer ends while no
    // run and no dialog is going on.
    QStringList handedOverNames_;
    QTimer handedOverRun_;
    bool awaitingFrame_ = true;
};

}  // namespace veltra
