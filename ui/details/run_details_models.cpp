#include "run_details_models.h"

#include <QDir>
#include <array>
#include <climits>
#include <span>

#include "display_text.h"
#include "run_details.h"

namespace veltra {

namespace {

// Logs are named as the user's file manager names them.
QString LogName(std::string_view log) {
    return QDir::toNativeSeparators(FromUtf8(log));
}

QVariant Header(std::span<const char* const> headers, int section, Qt::Orientation orientation,
                int role) {
    if (orientation != Qt::Horizontal || role != Qt::DisplayRole || section < 0 ||
        section >= static_cast<int>(headers.size())) {
        return {};
    }
    return QString::fromUtf8(headers[static_cast<std::size_t>(section)]);
}

int RowCount(std::size_t rows) {
    return static_cast<int>(std::min<std::size_t>(rows, INT_MAX));
}

}  // namespace

QString OutcomeText(DebutOutcome outcome) {
    switch (outcome) {
        case DebutOutcome::Debut:
            return QStringLiteral("debiut");
        case DebutOutcome::Other:
            return QStringLiteral("nie debiut");
        case DebutOutcome::NoDat:
            return QStringLiteral("brak pliku DAT");
        case DebutOutcome::Unmapped:
            return QStringLiteral("brak folderu dysku");
    }
    return {};
}

namespace {

constexpr std::array<const char*, 4> kIncompleteHeaders{"Log", "Wiersz", "Pola",
                                                        "Początek wiersza"};
constexpr std::array<const char*, 5> kPolishHeaders{"Log", "Wiersz", "Plik audio", "Plik DAT",
                                                    "Wynik"};

}  // namespace

IncompleteLinesModel::IncompleteLinesModel(const RunDetails& details, QObject* parent)
    : QAbstractTableModel(parent), details_(details) {}

int IncompleteLinesModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount(details_.IncompleteLines().size());
}

int IncompleteLinesModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kIncompleteHeaders.size());
}

QVariant IncompleteLinesModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() || (role != Qt::DisplayRole && role != kSortRole)) {
        return {};
    }
    const RunDetails::IncompleteLine& line =
        details_.IncompleteLines()[static_cast<std::size_t>(index.row())];
    switch (index.column()) {
        case 0:
            return LogName(line.log);
        case 1:
            return role == kSortRole ? QVariant(qulonglong{line.line})
                                     : QVariant(QString::number(line.line));
        case 2:
            return role == kSortRole ? QVariant(qulonglong{line.fields})
                                     : QVariant(QString::number(line.fields));
        default:
            return FromCp1250(ShownLineStart(line));
    }
}

QVariant IncompleteLinesModel::headerData(int section, Qt::Orientation orientation,
                                          int role) const {
    return Header(kIncompleteHeaders, section, orientation, role);
}

PolishDayItemsModel::PolishDayItemsModel(const RunDetails& details, QObject* parent)
    : QAbstractTableModel(parent), details_(details) {}

int PolishDayItemsModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : RowCount(details_.PolishDayItems().size());
}

int PolishDayItemsModel::columnCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : static_cast<int>(kPolishHeaders.size());
}

QVariant PolishDayItemsModel::data(const QModelIndex& index, int role) const {
    if (!index.isValid() ||
        (role != Qt::DisplayRole && role != kSortRole && role != kOutcomeRole)) {
        return {};
    }
    const RunDetails::PolishDayItem& item =
        details_.PolishDayItems()[static_cast<std::size_t>(index.row())];
    if (role == kOutcomeRole) {
        return FromUtf8(OutcomeName(item.outcome));
    }
    switch (index.column()) {
        case 0:
            return LogName(item.log);
        case 1:
            return role == kSortRole ? QVariant(qulonglong{item.line})
                                     : QVariant(QString::number(item.line));
        case 2:
            return FromCp1250(item.audioPath);
        case 3:
            return QDir::toNativeSeparators(FromUtf8(item.datPath));
        default:
            return OutcomeText(item.outcome);
    }
}

QVariant PolishDayItemsModel::headerData(int section, Qt::Orientation orientation, int role) const {
    return Header(kPolishHeaders, section, orientation, role);
}

}  // namespace veltra
