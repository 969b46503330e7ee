#pragma once

#include <QDialog>
#include <QStringList>
#include <array>
#include <optional>

#include "native_file_system.h"
#include "quarter.h"
#include "report_host.h"

class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QProgressBar;
class QPushButton;
class QSpinBox;
class QTableWidget;
class QTreeWidget;

namespace veltra {

// "Sprawozdanie kwartalne": the regulator's quarterly form filled in from
// three months of logs. The months run here, each from zero, with progress
// and a way to stop; the main window's figures stay as they were. The
// header texts and thresholds are kept in the user's settings.
class QuarterDialog : public QDialog, private ReportHost {
    Q_OBJECT
public:
    explicit QuarterDialog(QWidget* parent = nullptr);
    ~QuarterDialog() override;

    // The logs of the quarter's month at `index` (0 to 2), replacing those
    // picked before; what a pick or a drop on the month's row does.
    void SetMonthLogs(int index, const QStringList& logs);
    QStringList MonthLogs(int index) const;

    // Sorts the files into the months by the dates in their names, taking
    // the quarter most of them name; files without a date or from another
    // quarter are listed to the user and left out.
    void GroupByDate(const QStringList& files);

    // "Oblicz": runs the months; a doubled log is refused before any runs.
    void Calculate();
    // "Zapisz arkusz...": the workbook of the last calculation.
    void SaveWorkbook();

    const std::optional<QuarterForm>& Form() const { return form_; }
    bool Running() const { return running_; }

    // While the months run, the run stops instead, and the dialog stays.
    void reject() override;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    struct MonthRow {
        QWidget* row = nullptr;
        QLabel* name = nullptr;
        QLabel* count = nullptr;
        QStringList logs;
    };

    QWidget* CreateQuarterBox();
    QWidget* CreateHeaderBox();
    QWidget* CreateMonthsBox();
    QWidget* CreateResultsBox();

    QuarterId Quarter() const;
    void SetQuarter(QuarterId quarter);
    void PickMonthLogs(int index);
    void PickQuarterFiles();
    void ShowMonths();
    void ShowResults();
    void SetRunning(bool running);
    FormHeader Header() const;
    ShareThresholds Thresholds() const;
    void SaveHeaderAndThresholds() const;

    // ReportHost
    std::optional<std::vector<std::string>> ChooseFiles() override { return std::nullopt; }
    void SetGaugeMaxValue(Gauge gauge, std::int32_t value) override;
    void SetGaugeProgress(Gauge gauge, std::int32_t value) override;
    void ProcessPendingMessages() override;
    bool StopRequested() const override { return stopRequested_; }
    void SetPokazEnabled(bool) override {}
    std::string ExecutablePath() const override;
    void ShowNotice(std::string_view, std::string_view) override {}
    void NoteLogBeingWritten(std::string_view path) override;
    FolderMappings MappingsForRun() const override;
    std::optional<std::string> ChooseFolderFor(std::string_view root,
                                               std::string_view exampleAudioPath,
                                               std::string_view missingFolder) override;

    QComboBox* quarterBox_ = nullptr;
    QSpinBox* yearBox_ = nullptr;
    QLineEdit* program_ = nullptr;
    QLineEdit* licence_ = nullptr;
    QLineEdit* person_ = nullptr;
    QDoubleSpinBox* polishThreshold_ = nullptr;
    QDoubleSpinBox* dayPolishThreshold_ = nullptr;
    std::array<MonthRow, 3> months_;
    QTreeWidget* grouping_ = nullptr;
    QPushButton* pickQuarter_ = nullptr;
    QPushButton* calculate_ = nullptr;
    QPushButton* stop_ = nullptr;
    QPushButton* save_ = nullptr;
    QProgressBar* filesBar_ = nullptr;
    QProgressBar* linesBar_ = nullptr;
    QTableWidget* results_ = nullptr;
    QLabel* verdict_ = nullptr;

    NativeFileSystem fileSystem_;
    std::optional<QuarterForm> form_;
    // Of the last calculation: logs whose unfinished last line was left out.
    QStringList logsBeingWritten_;
    bool running_ = false;
    bool stopRequested_ = false;
};

}  // namespace veltra
