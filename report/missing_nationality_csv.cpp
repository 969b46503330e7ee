#include "missing_nationality_csv.h"

#include "file_access.h"

namespace veltra {

MissingNationalityCsvWriter::MissingNationalityCsvWriter(FileSystem& fileSystem,
                                                         std::string csvPath, SpecialTarget special)
    : csvPath_(std::move(csvPath)) {
    try {
        file_ = fileSystem.ReplaceFile(csvPath_, special);
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(csvPath_, failure.what());
    }
}

MissingNationalityCsvWriter::~MissingNationalityCsvWriter() = default;

void MissingNationalityCsvWriter::Add(std::string_view entry) {
    try {
        file_->Write(entry);
        file_->Write(kCsvLineEnd);
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(csvPath_, failure.what());
    }
}

void MissingNationalityCsvWriter::Commit() {
    try {
        file_->Commit();
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(csvPath_, failure.what());
    }
}

}  // namespace veltra
