#include "quarter_dialog.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDate>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QMimeData>
#include <QProgressBar>
#include <QPushButton>
#include <QScopeGuard>
#include <QSpinBox>
#include <QTableWidget>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "dated_logs.h"
#include "display_text.h"
#include "error_report.h"
#include "file_dialogs.h"
#include "folder_mapping_dialogs.h"
#include "number_text.h"
#include "quarter_workbook.h"
#include "report.h"
#include "user_settings.h"

namespace veltra {

namespace {

const QString kLogFilter = QStringLiteral("Pliki HST (*.hst);;Wszystkie pliki (*)");

// The quarter a report is usually made for: the last one that has ended.
QuarterId LastEndedQuarter() {
    const QDate today = QDate::currentDate();
    const QuarterId current = QuarterId::Of({today.year(), today.month()});
    return current.quarter == 1 ? QuarterId{current.year - 1, 4}
                                : QuarterId{current.year, current.quarter - 1};
}

QString LogCount(int count) {
    if (count == 1) {
        return QStringLiteral("1 plik");
    }
    const int lastDigit = count % 10;
    const int lastTwo = count % 100;
    const bool few = lastDigit >= 2 && lastDigit <= 4 && (lastTwo < 12 || lastTwo > 14);
    return QStringLiteral("%1 %2").arg(count).arg(few ? QStringLiteral("pliki")
                                                      : QStringLiteral("plików"));
}

QStringList DroppedFiles(const QMimeData* data) {
    QStringList files;
    for (const QUrl& url : data->urls()) {
        if (!url.isLocalFile()) {
            return {};
        }
        files << url.toLocalFile();
    }
    return files;
}

std::vector<std::string> EnginePaths(const QStringList& paths) {
    std::vector<std::string> out;
    for (const QString& path : paths) {
        out.push_back(EnginePath(path));
    }
    return out;
}

QStringList QtPaths(const std::vector<std::string>& paths) {
    QStringList out;
    for (const std::string& path : paths) {
        out << QDir::fromNativeSeparators(FromUtf8(path));
    }
    return out;
}

// The log dialog, in the folder the logs were last picked from.
QStringList PickLogs(QWidget* parent, const QString& title) {
    QFileDialog dialog(parent, title, UserSettings().LastLogFolder(), kLogFilter);
    dialog.setObjectName(QStringLiteral("QuarterLogsDialog"));
    dialog.setFileMode(QFileDialog::ExistingFiles);
    if (ExecFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return {};
    }
    const QStringList files = dialog.selectedFiles();
    UserSettings().SaveLastLogFolder(QFileInfo(files.first()).absolutePath());
    return files;
}

QTableWidgetItem* Cell(const QString& text) {
    auto* item = new QTableWidgetItem(text);
    item->setFlags(Qt::ItemIsEnabled | Qt::ItemIsSelectable);
    item->setTextAlignment(Qt::AlignCenter);
    return item;
}

// A share with its verdict, green when it meets its threshold, red when not.
QTableWidgetItem* ShareCell(double share, bool met, double threshold) {
    QTableWidgetItem* item =
        Cell(FromUtf8(ShareText(share)) + (met ? QStringLiteral(" ✔") : QStringLiteral(" ✘")));
    item->setData(Qt::UserRole, met);
    item->setForeground(met ? QColor(0x1B, 0x5E, 0x20) : QColor(0xB7, 0x1C, 0x1C));
    item->setToolTip(met ? QStringLiteral("Spełnia próg %1%").arg(threshold)
                         : QStringLiteral("Poniżej progu %1%").arg(threshold));
    return item;
}

}  // namespace

QuarterDialog::QuarterDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("QuarterDialog"));
    setWindowTitle(QStringLiteral("Sprawozdanie kwartalne"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(CreateQuarterBox());
    layout->addWidget(CreateHeaderBox());
    layout->addWidget(CreateMonthsBox());
    layout->addWidget(CreateResultsBox());

    auto* buttons = new QDialogButtonBox(this);
    calculate_ = buttons->addButton(QStringLiteral("Oblicz"), QDialogButtonBox::ActionRole);
    calculate_->setObjectName(QStringLiteral("Calculate"));
    stop_ = buttons->addButton(QStringLiteral("Zatrzymaj"), QDialogButtonBox::ActionRole);
    stop_->setObjectName(QStringLiteral("Stop"));
    save_ = buttons->addButton(QStringLiteral("Zapisz arkusz..."), QDialogButtonBox::ActionRole);
    save_->setObjectName(QStringLiteral("SaveWorkbook"));
    buttons->addButton(QStringLiteral("Zamknij"), QDialogButtonBox::RejectRole);
    layout->addWidget(buttons);
    stop_->setEnabled(false);
    save_->setEnabled(false);
    calculate_->setDefault(true);

    connect(calculate_, &QPushButton::clicked, this,
            [this] { RunHandler([this] { Calculate(); }); });
    connect(stop_, &QPushButton::clicked, this, [this] { stopRequested_ = true; });
    connect(save_, &QPushButton::clicked, this, [this] { RunHandler([this] { SaveWorkbook(); }); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QuarterDialog::reject);
    SetQuarter(LastEndedQuarter());
}

QuarterDialog::~QuarterDialog() = default;

QWidget* QuarterDialog::CreateQuarterBox() {
    auto* box = new QWidget(this);
    auto* layout = new QHBoxLayout(box);
    layout->setContentsMargins(0, 0, 0, 0);
    quarterBox_ = new QComboBox(box);
    quarterBox_->setObjectName(QStringLiteral("QuarterBox"));
    for (int quarter = 1; quarter <= 4; ++quarter) {
        quarterBox_->addItem(FromUtf8(QuarterNumeral(quarter)));
    }
    yearBox_ = new QSpinBox(box);
    yearBox_->setObjectName(QStringLiteral("YearBox"));
    yearBox_->setRange(2000, 2100);
    auto* quarterLabel = new QLabel(QStringLiteral("&Kwartał:"), box);
    quarterLabel->setBuddy(quarterBox_);
    auto* yearLabel = new QLabel(QStringLiteral("&Rok:"), box);
    yearLabel->setBuddy(yearBox_);
    pickQuarter_ = new QPushButton(QStringLiteral("Wybierz pliki kwartału..."), box);
    pickQuarter_->setObjectName(QStringLiteral("PickQuarterFiles"));
    layout->addWidget(quarterLabel);
    layout->addWidget(quarterBox_);
    layout->addWidget(yearLabel);
    layout->addWidget(yearBox_);
    layout->addStretch();
    layout->addWidget(pickQuarter_);
    connect(quarterBox_, &QComboBox::currentIndexChanged, this, &QuarterDialog::ShowMonths);
    connect(yearBox_, &QSpinBox::valueChanged, this, &QuarterDialog::ShowMonths);
    connect(pickQuarter_, &QPushButton::clicked, this, &QuarterDialog::PickQuarterFiles);
    return box;
}

QWidget* QuarterDialog::CreateHeaderBox() {
    auto* box = new QGroupBox(QStringLiteral("Nagłówek formularza i progi"), this);
    auto* form = new QFormLayout(box);
    UserSettings settings;
    const FormHeader header = settings.LoadFormHeader();
    const ShareThresholds thresholds = settings.LoadShareThresholds();
    const auto edit = [&](const char* name, const std::string& text) {
        auto* line = new QLineEdit(FromUtf8(text), box);
        line->setObjectName(QLatin1String(name));
        return line;
    };
    program_ = edit("ProgramEdit", header.program);
    licence_ = edit("LicenceEdit", header.licence);
    person_ = edit("PersonEdit", header.person);
    person_->setPlaceholderText(QStringLiteral("imię, nazwisko, kontakt tel./e-mail"));
    const auto threshold = [&](const char* name, double value) {
        auto* spin = new QDoubleSpinBox(box);
        spin->setObjectName(QLatin1String(name));
        spin->setRange(0, 100);
        spin->setDecimals(1);
        spin->setSuffix(QStringLiteral(" %"));
        spin->setValue(value);
        return spin;
    };
    polishThreshold_ = threshold("PolishThreshold", thresholds.polish);
    dayPolishThreshold_ = threshold("DayPolishThreshold", thresholds.dayPolish);
    // The marks follow a changed threshold without running the months again.
    for (QDoubleSpinBox* spin : {polishThreshold_, dayPolishThreshold_}) {
        connect(spin, &QDoubleSpinBox::valueChanged, this, &QuarterDialog::ShowResults);
    }
    form->addRow(QStringLiteral("Nazwa programu:"), program_);
    form->addRow(QStringLiteral("Numer koncesji:"), licence_);
    form->addRow(QStringLiteral("Osoba sporządzająca:"), person_);
    form->addRow(QStringLiteral("Próg udziału polskich (G):"), polishThreshold_);
    form->addRow(QStringLiteral("Próg polskich w godz. 5-24 (I):"), dayPolishThreshold_);
    return box;
}

QWidget* QuarterDialog::CreateMonthsBox() {
    auto* box = new QGroupBox(QStringLiteral("Miesiące (pliki można też upuścić na wiersz)"), this);
    auto* layout = new QVBoxLayout(box);
    for (int index = 0; index < 3; ++index) {
        MonthRow& month = months_[static_cast<std::size_t>(index)];
        month.row = new QWidget(box);
        month.row->setObjectName(QStringLiteral("Month%1").arg(index));
        month.row->setAcceptDrops(true);
        month.row->installEventFilter(this);
        auto* row = new QHBoxLayout(month.row);
        row->setContentsMargins(0, 0, 0, 0);
        month.name = new QLabel(month.row);
        month.name->setMinimumWidth(140);
        month.count = new QLabel(month.row);
        month.count->setObjectName(QStringLiteral("Month%1Count").arg(index));
        auto* pick = new QPushButton(QStringLiteral("Wybierz logi..."), month.row);
        pick->setObjectName(QStringLiteral("Month%1Pick").arg(index));
        row->addWidget(month.name);
        row->addWidget(month.count, 1);
        row->addWidget(pick);
        layout->addWidget(month.row);
        connect(pick, &QPushButton::clicked, this, [this, index] { PickMonthLogs(index); });
    }
    grouping_ = new QTreeWidget(box);
    grouping_->setObjectName(QStringLiteral("Grouping"));
    grouping_->setHeaderHidden(true);
    grouping_->setMinimumHeight(90);
    layout->addWidget(grouping_);
    return box;
}

QWidget* QuarterDialog::CreateResultsBox() {
    auto* box = new QGroupBox(QStringLiteral("Formularz"), this);
    auto* layout = new QVBoxLayout(box);
    auto* progress = new QHBoxLayout;
    filesBar_ = new QProgressBar(box);
    filesBar_->setObjectName(QStringLiteral("FilesProgress"));
    linesBar_ = new QProgressBar(box);
    linesBar_->setObjectName(QStringLiteral("LinesProgress"));
    for (QProgressBar* bar : {filesBar_, linesBar_}) {
        bar->setValue(0);
        progress->addWidget(bar);
    }
    results_ = new QTableWidget(3, 9, box);
    results_->setObjectName(QStringLiteral("Results"));
    results_->setHorizontalHeaderLabels(
        {QStringLiteral("miesiąc"), QStringLiteral("B"), QStringLiteral("C"), QStringLiteral("D"),
         QStringLiteral("E"), QStringLiteral("G"), QStringLiteral("I"),
         QStringLiteral("Niepełna informacja"), QStringLiteral("Brak pola narodowość")});
    results_->verticalHeader()->hide();
    results_->horizontalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);
    results_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    results_->setMinimumWidth(760);
    results_->setFixedHeight(results_->horizontalHeader()->sizeHint().height() +
                             3 * results_->verticalHeader()->defaultSectionSize() + 4);
    verdict_ = new QLabel(box);
    verdict_->setObjectName(QStringLiteral("Verdict"));
    verdict_->setWordWrap(true);
    layout->addLayout(progress);
    layout->addWidget(results_);
    layout->addWidget(verdict_);
    return box;
}

QuarterId QuarterDialog::Quarter() const {
    return {yearBox_->value(), quarterBox_->currentIndex() + 1};
}

void QuarterDialog::SetQuarter(QuarterId quarter) {
    const QSignalBlocker quarterBlocked(quarterBox_);
    const QSignalBlocker yearBlocked(yearBox_);
    quarterBox_->setCurrentIndex(quarter.quarter - 1);
    yearBox_->setValue(quarter.year);
    ShowMonths();
}

void QuarterDialog::SetMonthLogs(int index, const QStringList& logs) {
    months_.at(static_cast<std::size_t>(index)).logs = logs;
    ShowMonths();
}

QStringList QuarterDialog::MonthLogs(int index) const {
    return months_.at(static_cast<std::size_t>(index)).logs;
}

void QuarterDialog::PickMonthLogs(int index) {
    const QString month = FromUtf8(MonthName(Quarter().Month(index)));
    const QStringList logs = PickLogs(this, QStringLiteral("Logi: %1").arg(month));
    if (!logs.isEmpty()) {
        SetMonthLogs(index, logs);
    }
}

void QuarterDialog::PickQuarterFiles() {
    const QStringList files = PickLogs(this, QStringLiteral("Wybierz pliki kwartału..."));
    if (!files.isEmpty()) {
        GroupByDate(files);
    }
}

void QuarterDialog::GroupByDate(const QStringList& files) {
    const std::vector<std::string> paths = EnginePaths(files);
    const std::optional<QuarterId> quarter = LikeliestQuarter(paths);
    if (quarter) {
        SetQuarter(*quarter);
        const DateGrouping grouping = GroupLogsByDate(paths, *quarter);
        for (int index = 0; index < 3; ++index) {
            months_[static_cast<std::size_t>(index)].logs =
                QtPaths(grouping.months[static_cast<std::size_t>(index)].logs);
        }
        ShowMonths();
        if (grouping.unplaced.empty()) {
            return;
        }
        QString list;
        for (const UnplacedLog& log : grouping.unplaced) {
            list += QStringLiteral("\n%1 (%2)")
                        .arg(QDir::toNativeSeparators(QFileInfo(FromUtf8(log.path)).fileName()),
                             FromUtf8(UnplacedReason(log)));
        }
        QMessageBox::warning(
            this, QStringLiteral("Pliki spoza kwartału"),
            QStringLiteral("Tych plików nie przydzielono do żadnego miesiąca:%1").arg(list));
        return;
    }
    QMessageBox::warning(this, QStringLiteral("Pliki bez dat"),
                         QStringLiteral("Żaden z wybranych plików nie ma daty w nazwie "
                                        "(np. 2026-10-01, 20261001, 01.10.2026). Wybierz "
                                        "logi każdego miesiąca osobno."));
}

void QuarterDialog::ShowMonths() {
    grouping_->clear();
    for (int index = 0; index < 3; ++index) {
        MonthRow& month = months_[static_cast<std::size_t>(index)];
        const QString name = FromUtf8(MonthName(Quarter().Month(index)));
        month.name->setText(name);
        month.count->setText(LogCount(static_cast<int>(month.logs.size())));
        auto* item = new QTreeWidgetItem(
            grouping_,
            {name + QStringLiteral(": ") + LogCount(static_cast<int>(month.logs.size()))});
        for (const QString& log : month.logs) {
            auto* child = new QTreeWidgetItem(item, {QFileInfo(log).fileName()});
            child->setToolTip(0, QDir::toNativeSeparators(log));
        }
    }
}

FormHeader QuarterDialog::Header() const {
    return {program_->text().toStdString(), licence_->text().toStdString(),
            person_->text().toStdString()};
}

ShareThresholds QuarterDialog::Thresholds() const {
    return {polishThreshold_->value(), dayPolishThreshold_->value()};
}

void QuarterDialog::SaveHeaderAndThresholds() const {
    UserSettings settings;
    settings.SaveFormHeader(Header());
    settings.SaveShareThresholds(Thresholds());
}

void QuarterDialog::SetRunning(bool running) {
    running_ = running;
    stopRequested_ = false;
    for (QWidget* widget :
         std::initializer_list<QWidget*>{quarterBox_, yearBox_, pickQuarter_, calculate_, save_,
                                         months_[0].row, months_[1].row, months_[2].row}) {
        widget->setEnabled(!running);
    }
    save_->setEnabled(!running && form_.has_value());
    stop_->setEnabled(running);
}

void QuarterDialog::Calculate() {
    if (running_) {
        return;
    }
    std::vector<QuarterMonth> months;
    for (int index = 0; index < 3; ++index) {
        months.push_back(
            {Quarter().Month(index), EnginePaths(months_[static_cast<std::size_t>(index)].logs)});
    }
    try {
        CheckQuarter(months);
    } catch (const QuarterRefusal& refusal) {
        QMessageBox::warning(this, QStringLiteral("Sprawozdanie kwartalne"),
                             FromUtf8(refusal.what()));
        return;
    }
    SaveHeaderAndThresholds();
    form_.reset();
    logsBeingWritten_.clear();
    ShowResults();
    SetRunning(true);
    const auto idle = qScopeGuard([this] { SetRunning(false); });
    // The list "pokaż" shows stays that of the main window's own runs.
    form_ = QuarterRun(fileSystem_, *this, {}, QuarterRun::List::Kept).Run(months);
    ShowResults();
}

void QuarterDialog::ShowResults() {
    results_->clearContents();
    verdict_->clear();
    if (!form_) {
        return;
    }
    const ShareThresholds thresholds = Thresholds();
    bool met = true;
    for (int index = 0; index < 3; ++index) {
        const std::optional<FormRow>& row = form_->rows[static_cast<std::size_t>(index)];
        results_->setItem(index, 0, Cell(FromUtf8(MonthName(form_->quarter.Month(index)))));
        if (!row) {
            results_->setItem(index, 1, Cell(QStringLiteral("bez logów")));
            continue;
        }
        const std::int64_t seconds[] = {row->totalSeconds, row->dayPolishDebutSeconds,
                                        row->dayPolishOtherSeconds, row->nightPolishSeconds};
        for (int column = 0; column < 4; ++column) {
            results_->setItem(index, column + 1, Cell(FromUtf8(SekundyNaCzas(seconds[column]))));
        }
        const bool polishMet = row->PolishShareMet(thresholds);
        const bool dayPolishMet = row->DayPolishShareMet(thresholds);
        met = met && polishMet && dayPolishMet;
        results_->setItem(index, 5, ShareCell(row->PolishShare(), polishMet, thresholds.polish));
        results_->setItem(index, 6,
                          ShareCell(row->DayPolishShare(), dayPolishMet, thresholds.dayPolish));
        results_->setItem(index, 7, Cell(QString::number(row->incompleteLines)));
        results_->setItem(index, 8, Cell(QString::number(row->missingNationality)));
    }
    QString verdict = met ? QStringLiteral("Wszystkie udziały spełniają progi.")
                          : QStringLiteral("Co najmniej jeden udział jest poniżej progu.");
    std::int64_t unchecked = 0;
    for (const std::optional<FormRow>& row : form_->rows) {
        unchecked += row ? row->uncheckedItems : 0;
    }
    if (unchecked > 0) {
        verdict +=
            QLatin1Char('\n') + FromUtf8(UncheckedItemsNote(static_cast<std::size_t>(unchecked)));
    }
    if (!logsBeingWritten_.isEmpty()) {
        verdict += QStringLiteral(
                       "\nLogi w trakcie zapisu, bez ostatniego, niedokończonego "
                       "wiersza: ") +
                   logsBeingWritten_.join(QStringLiteral(", "));
    }
    verdict_->setText(verdict);
}

void QuarterDialog::SaveWorkbook() {
    if (!form_) {
        return;
    }
    QString folder = UserSettings().LastFormFolder();
    if (folder.isEmpty() || !QFileInfo(folder).isDir()) {
        folder = QDir::homePath();
    }
    QFileDialog dialog(this, QStringLiteral("Zapisz arkusz..."),
                       QDir(folder).filePath(FromUtf8(QuarterWorkbookName(form_->quarter))),
                       QStringLiteral("Arkusz Excel (*.xlsx)"));
    dialog.setObjectName(QStringLiteral("SaveWorkbookDialog"));
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setDefaultSuffix(QStringLiteral("xlsx"));
    if (ExecFileDialog(dialog) != QDialog::Accepted || dialog.selectedFiles().isEmpty()) {
        return;
    }
    const QString path = dialog.selectedFiles().first();
    SaveHeaderAndThresholds();
    SaveQuarterWorkbook(fileSystem_, EnginePath(path), SpecialTarget::Refuse, *form_, Header());
    UserSettings().SaveLastFormFolder(QFileInfo(path).absolutePath());
}

void QuarterDialog::reject() {
    if (running_) {
        stopRequested_ = true;
        return;
    }
    QDialog::reject();
}

bool QuarterDialog::eventFilter(QObject* watched, QEvent* event) {
    for (int index = 0; index < 3; ++index) {
        if (watched != months_[static_cast<std::size_t>(index)].row) {
            continue;
        }
        if (event->type() == QEvent::DragEnter) {
            auto* drag = static_cast<QDragEnterEvent*>(event);
            if (!DroppedFiles(drag->mimeData()).isEmpty()) {
                drag->acceptProposedAction();
            }
            return true;
        }
        if (event->type() == QEvent::Drop) {
            auto* drop = static_cast<QDropEvent*>(event);
            const QStringList files = DroppedFiles(drop->mimeData());
            if (!files.isEmpty()) {
                drop->acceptProposedAction();
                SetMonthLogs(index, files);
            }
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void QuarterDialog::SetGaugeMaxValue(Gauge gauge, std::int32_t value) {
    (gauge == Gauge::Files ? filesBar_ : linesBar_)->setMaximum(value);
}

void QuarterDialog::SetGaugeProgress(Gauge gauge, std::int32_t value) {
    (gauge == Gauge::Files ? filesBar_ : linesBar_)->setValue(value);
}

void QuarterDialog::ProcessPendingMessages() {
    QCoreApplication::processEvents();
}

std::string QuarterDialog::ExecutablePath() const {
    return EnginePath(QCoreApplication::applicationFilePath());
}

void QuarterDialog::NoteLogBeingWritten(std::string_view path) {
    logsBeingWritten_ << QDir::toNativeSeparators(FromUtf8(path));
}

FolderMappings QuarterDialog::MappingsForRun() const {
    return veltra::MappingsForRun(window());
}

std::optional<std::string> QuarterDialog::ChooseFolderFor(std::string_view root,
                                                          std::string_view exampleAudioPath,
                                                          std::string_view missingFolder) {
    return ChooseFolderForRun(this, root, exampleAudioPath, missingFolder, QString());
}

}  // namespace veltra
