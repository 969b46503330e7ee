#pragma once

#include <QDialog>

class QComboBox;
class QSortFilterProxyModel;
class QTableView;

namespace veltra {

class RunDetails;

// A list of what the latest run's figures rest on, opened modally over the
// main window: its incomplete lines ("Niepełna informacja - wiersze"), or
// its Polish day items with the debut test's outcome, which a choice above
// the list narrows to one outcome ("Debiuty i pliki DAT"). A click on a
// column's header sorts by it, a second one the other way; Ctrl+C copies the
// selected rows as shown, a tab between columns, for a spreadsheet.
class DetailsWindow : public QDialog {
    Q_OBJECT
public:
    enum class List { IncompleteLines, PolishDayItems };

    DetailsWindow(const RunDetails& details, List list, QWidget* parent = nullptr);

    // The selected rows in the order shown, one line each.
    QString SelectedRowsText() const;
    void CopySelectedRows() const;

protected:
    // The list copies its current cell on Ctrl+C; here the selected rows.
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void ShowOutcome(int choice);

    QTableView* ListView1;
    QSortFilterProxyModel* rows_;
    QComboBox* outcomes_ = nullptr;
};

}  // namespace veltra
