#include "missing_nationality_csv.h"

#include <algorithm>
#include <array>

#include "file_access.h"
#include "log_record.h"
#include "text_lines.h"

namespace veltra {

namespace {

constexpr std::string_view kLineEnd = "\r\n";

}  // namespace

std::string MissingNationalityEntry(const LogRecord& record) {
    std::string entry;
    entry.reserve(record.Performer().size() + record.Title().size() + record.AudioPath().size() +
                  2);
    entry.append(record.Performer())
        .append(";")
        .append(record.Title())
        .append(";")
        .append(record.AudioPath());
    return entry;
}

MissingNationalityCsvWriter::MissingNationalityCsvWriter(FileSystem& fileSystem,
                                                         std::string csvPath, SpecialTarget special)
    : csvPath_(std::move(csvPath)) {
    try {
        file_ = fileSystem.StartReplacing(csvPath_, special);
    } catch (const IoFailure& failure) {
        throw CannotCreateFile(csvPath_, failure.what());
    }
}

MissingNationalityCsvWriter::~MissingNationalityCsvWriter() = default;

void MissingNationalityCsvWriter::Add(std::string_view entry) {
    try {
        file_->Write(entry);
        file_->Write(kLineEnd);
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

MissingEntryFields SplitMissingEntry(std::string_view line) {
    std::array<std::string_view, 3> fields;
    std::size_t start = 0;
    for (std::string_view& field : fields) {
        if (start > line.size()) {
            break;
        }
        const std::size_t end = std::min(line.find(';', start), line.size());
        field = line.substr(start, end - start);
        start = end + 1;
    }
    return {fields[0], fields[1], fields[2]};
}

std::vector<MissingEntryFields> ReadMissingEntries(std::string_view text) {
    std::vector<MissingEntryFields> entries;
    for (const std::string_view line : SplitLines(text)) {
        if (!line.empty()) {
            entries.push_back(SplitMissingEntry(line));
        }
    }
    return entries;
}

}  // namespace veltra
