#pragma once

#include <string>
#include <vector>

namespace veltra {

class FileSystem;
class RunDetails;

// --details PATH: what the run's figures rest on, the incomplete lines and
// the Polish day items with their debut outcomes, written as one JSON
// document in UTF-8:
//   {"incomplete": [{"log", "line", "fields"}...],
//    "polishDayItems": [{"log", "line", "audio", "dat", "outcome"}...]}
// or, for a PATH ending in ".csv", as two CSV files for a spreadsheet beside
// it: NAME-incomplete.csv and NAME-debuts.csv, UTF-8 with a byte order mark,
// ";" between fields, the same names in a header line.

// The files that --details PATH writes.
std::vector<std::string> DetailsFiles(const std::string& path);

// Writes them, each replaced whole or not at all. Failures leave as
// FileError "Cannot create file ...".
void WriteDetails(FileSystem& fileSystem, const std::string& path, const RunDetails& details);

}  // namespace veltra
