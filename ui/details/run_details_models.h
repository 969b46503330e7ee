#pragma once

#include <QAbstractTableModel>

#include "debut_decision.h"

namespace veltra {

class RunDetails;

// The records of a run (RunDetails) as table rows, read straight from them:
// a list of a hundred thousand lines is not copied for the window. The
// records must not change while a model shows them, as no run goes on while
// a modal window is open over it.
//
// Qt::DisplayRole gives the texts shown; kSortRole the value a column sorts
// by, the number itself for line numbers and field counts.
inline constexpr int kSortRole = Qt::UserRole;

// How the window names an outcome: "debiut", "nie debiut", "brak pliku DAT",
// "brak folderu dysku".
QString OutcomeText(DebutOutcome outcome);

// "Log", "Wiersz", "Pola", "Początek wiersza".
class IncompleteLinesModel : public QAbstractTableModel {
public:
    IncompleteLinesModel(const RunDetails& details, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const RunDetails& details_;
};

// "Log", "Wiersz", "Plik audio", "Plik DAT", "Wynik". kOutcomeRole gives
// the outcome's name as exports write it ("debut", "no-dat"...).
class PolishDayItemsModel : public QAbstractTableModel {
public:
    static constexpr int kOutcomeColumn = 4;
    static constexpr int kOutcomeRole = Qt::UserRole + 1;

    PolishDayItemsModel(const RunDetails& details, QObject* parent);

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    const RunDetails& details_;
};

}  // namespace veltra
