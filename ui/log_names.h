#pragma once

#include <QString>
#include <QStringList>

namespace veltra {

// What the names handed to the window (dropped on it, given on the command
// line, passed by "open with" or by a second start) stand for: the logs to
// report, or why none of them will be. A run resets the missing-nationality
// count and list at its start, so anything that would make it fail is
// refused here, before it starts.
struct NamedLogs {
    QStringList logs;  // absolute paths, in the order to report them
    QString refusal;   // empty when the logs can be reported
};

// A folder stands for the logs (.hst, any letter case) directly in it, in
// the order of their names; a file must be a regular .hst file. The program's
// own list of items without a nationality (`csvPath`), which a run would
// overwrite, is never a log, whatever its name; nor are pipes and devices,
// which a run cannot read whole. The first name that is none of these is
// refused, and with it the whole lot.
NamedLogs LogsNamedBy(const QStringList& names, const QString& csvPath);

}  // namespace veltra
