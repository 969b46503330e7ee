#include "csv_location.h"

#include "file_access.h"
#include "file_system.h"

namespace veltra {

namespace {

// "naradowosci" is misspelt on purpose: the file has always had this name,
// and the stations' own scripts and spreadsheets look for it by it.
constexpr std::string_view kCsvName = "braki naradowosci.csv";

// The folder of a path, with its closing separator; "" for a bare name.
std::string FolderOf(std::string_view path) {
    const std::size_t separator = path.find_last_of(PathSeparators());
    return std::string(separator == std::string_view::npos ? std::string_view()
                                                           : path.substr(0, separator + 1));
}

}  // namespace

std::string MissingNationalityCsvPath(FileSystem& fileSystem, std::string_view executablePath,
                                      const UserDataEnvironment& environment) {
    const std::string programFolder = FolderOf(executablePath);
    if (fileSystem.IsWritableDirectory(programFolder.empty() ? "." : programFolder)) {
        return programFolder + std::string(kCsvName);
    }
    const std::string dataFolder = UserDataFolder(environment);
    if (dataFolder.empty()) {
        // No home to fall back to: the writer names the program's folder and
        // why it cannot be written.
        return programFolder + std::string(kCsvName);
    }
    const std::string path = dataFolder + std::string(kCsvName);
    try {
        fileSystem.CreateDirectories(dataFolder);
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(path, failure.what());
    }
    return path;
}

std::string MissingNationalityCsvPath(FileSystem& fileSystem, std::string_view executablePath) {
    return MissingNationalityCsvPath(fileSystem, executablePath,
                                     UserDataEnvironment::FromProcess());
}

}  // namespace veltra
