#include "details_window.h"

#include <QClipboard>
#include <QComboBox>
#include <QGuiApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QRegularExpression>
#include <QShortcut>
#include <QSortFilterProxyModel>
#include <QTableView>
#include <QVBoxLayout>
#include <algorithm>

#include "display_text.h"
#include "run_details.h"
#include "run_details_models.h"
#include "win_text_metrics.h"
#include "window_font.h"

namespace veltra {

namespace {

constexpr DebutOutcome kOutcomes[] = {DebutOutcome::Debut, DebutOutcome::Other, DebutOutcome::NoDat,
                                      DebutOutcome::Unmapped};

// Past the memory limit a run lists only part of what it counted.
QString LeftOutNote(const RunDetails& details, DetailsWindow::List list) {
    const std::uint64_t leftOut = list == DetailsWindow::List::IncompleteLines
                                      ? details.IncompleteLinesLeftOut()
                                      : details.PolishDayItemsLeftOut();
    if (leftOut == 0) {
        return {};
    }
    return QStringLiteral(
               "Lista niepełna: %1 kolejnych pozycji policzono, ale nie zapisano "
               "(za mało pamięci na ich listę).")
        .arg(leftOut);
}

}  // namespace

DetailsWindow::DetailsWindow(const RunDetails& details, List list, QWidget* parent)
    : QDialog(parent,
              Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint),
      ListView1(new QTableView(this)),
      rows_(new QSortFilterProxyModel(this)) {
    setFont(WindowFont());
    resize(910, 512);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);

    if (list == List::IncompleteLines) {
        setWindowTitle(QStringLiteral("Niepełna informacja - wiersze"));
        rows_->setSourceModel(new IncompleteLinesModel(details, rows_));
    } else {
        setWindowTitle(QStringLiteral("Debiuty i pliki DAT"));
        rows_->setSourceModel(new PolishDayItemsModel(details, rows_));
        rows_->setFilterKeyColumn(PolishDayItemsModel::kOutcomeColumn);
        rows_->setFilterRole(PolishDayItemsModel::kOutcomeRole);

        auto* choice = new QHBoxLayout;
        choice->setContentsMargins(6, 4, 6, 4);
        auto* label = new QLabel(QStringLiteral("Wynik:"), this);
        outcomes_ = new QComboBox(this);
        outcomes_->setObjectName(QStringLiteral("Wynik"));
        outcomes_->addItem(QStringLiteral("wszystkie"));
        for (const DebutOutcome outcome : kOutcomes) {
            outcomes_->addItem(OutcomeText(outcome), FromUtf8(OutcomeName(outcome)));
        }
        label->setBuddy(outcomes_);
        choice->addWidget(label);
        choice->addWidget(outcomes_);
        choice->addStretch();
        layout->addLayout(choice);
        connect(outcomes_, &QComboBox::currentIndexChanged, this, &DetailsWindow::ShowOutcome);
    }
    rows_->setSortRole(kSortRole);
    rows_->setSortLocaleAware(true);
    rows_->setSortCaseSensitivity(Qt::CaseSensitive);

    ListView1->setObjectName(QStringLiteral("ListView1"));
    ListView1->setModel(rows_);
    ListView1->setSelectionBehavior(QAbstractItemView::SelectRows);
    ListView1->setSelectionMode(QAbstractItemView::ExtendedSelection);
    ListView1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    ListView1->setWordWrap(false);
    ListView1->setTextElideMode(Qt::ElideMiddle);
    ListView1->verticalHeader()->hide();
    // One height for every row, so that a long list scrolls without
    // measuring its rows.
    ListView1->verticalHeader()->setSectionResizeMode(QHeaderView::Fixed);
    ListView1->verticalHeader()->setDefaultSectionSize(MeasureWinText(font()).height() + 4);
    QHeaderView* header = ListView1->horizontalHeader();
    header->setDefaultAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    header->setSectionsMovable(false);
    header->setStretchLastSection(true);
    // Rows keep the run's order until a header is clicked.
    header->setSortIndicator(-1, Qt::AscendingOrder);
    ListView1->setSortingEnabled(true);
    layout->addWidget(ListView1);

    const QString leftOut = LeftOutNote(details, list);
    if (!leftOut.isEmpty()) {
        auto* note = new QLabel(leftOut, this);
        note->setObjectName(QStringLiteral("Pominiete"));
        note->setContentsMargins(6, 4, 6, 4);
        layout->addWidget(note);
    }

    // Log and line numbers first, the long texts after them.
    const int log = 260;
    const int number = 60;
    ListView1->setColumnWidth(0, log);
    ListView1->setColumnWidth(1, number);
    if (list == List::IncompleteLines) {
        ListView1->setColumnWidth(2, number);
    } else {
        ListView1->setColumnWidth(2, 220);
        ListView1->setColumnWidth(3, 220);
    }

    ListView1->installEventFilter(this);
    connect(new QShortcut(QKeySequence::Copy, this), &QShortcut::activated, this,
            &DetailsWindow::CopySelectedRows);
}

bool DetailsWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == ListView1 &&
        (event->type() == QEvent::KeyPress || event->type() == QEvent::ShortcutOverride) &&
        static_cast<QKeyEvent*>(event)->matches(QKeySequence::Copy)) {
        if (event->type() == QEvent::KeyPress) {
            CopySelectedRows();
        }
        event->accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

void DetailsWindow::ShowOutcome(int choice) {
    const QString name = outcomes_->itemData(choice).toString();
    rows_->setFilterRegularExpression(name.isEmpty()
                                          ? QRegularExpression()
                                          : QRegularExpression(QRegularExpression::anchoredPattern(
                                                QRegularExpression::escape(name))));
}

QString DetailsWindow::SelectedRowsText() const {
    QModelIndexList selected = ListView1->selectionModel()->selectedRows();
    std::sort(selected.begin(), selected.end(),
              [](const QModelIndex& a, const QModelIndex& b) { return a.row() < b.row(); });
    QString text;
    for (const QModelIndex& row : selected) {
        for (int column = 0; column < rows_->columnCount(); ++column) {
            if (column > 0) {
                text += QLatin1Char('\t');
            }
            text += rows_->index(row.row(), column).data().toString();
        }
        text += QLatin1Char('\n');
    }
    return text;
}

void DetailsWindow::CopySelectedRows() const {
    const QString text = SelectedRowsText();
    if (!text.isEmpty()) {
        QGuiApplication::clipboard()->setText(text);
    }
}

}  // namespace veltra
