#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace veltra {

class FileSystem;

// The file's bytes: every entry as it is, each followed by CR LF; no header,
// no quoting. An empty list gives an empty file.
std::string MissingNationalityCsvBytes(const std::vector<std::string>& entries);

// Replaces the file at `csvPath` in one step, through a temporary file beside
// it, so a failure leaves the previous file whole and no partial one behind.
// Throws FileError "Cannot create file ...".
void SaveMissingNationalityCsv(FileSystem& fileSystem, const std::string& csvPath,
                               const std::vector<std::string>& entries);

}  // namespace veltra
