#include "details_output.h"

#include <cstdint>
#include <memory>
#include <string_view>
#include <utility>

#include "cp1250.h"
#include "figure_output.h"
#include "file_access.h"
#include "file_system.h"
#include "log_record.h"
#include "run_details.h"

namespace veltra {

namespace {

constexpr std::string_view kIncompleteSuffix = "-incomplete.csv";
constexpr std::string_view kDebutsSuffix = "-debuts.csv";

bool EndsInCsv(const std::string& path) {
    return path.size() >= 4 &&
           EqualsAsciiUpper(std::string_view(path).substr(path.size() - 4), ".CSV");
}

// A file written in pieces, so that a list of a few hundred thousand records
// is never held as one text as well.
class PieceWriter {
public:
    PieceWriter(FileSystem& fileSystem, std::string path) : path_(std::move(path)) {
        try {
            file_ = fileSystem.StartReplacing(path_, SpecialTarget::WriteInPlace);
        } catch (const IoFailure& failure) {
            throw CannotCreateFile(path_, failure.what());
        }
        piece_.reserve(kPieceBytes);
    }

    std::string& Piece() { return piece_; }

    // Called after each record.
    void Written() {
        if (piece_.size() >= kPieceBytes) {
            Flush();
        }
    }

    void Commit() {
        Flush();
        try {
            file_->Commit();
        } catch (const IoFailure& failure) {
            throw CannotCreateFile(path_, failure.what());
        }
    }

private:
    static constexpr std::size_t kPieceBytes = 64 << 10;

    void Flush() {
        try {
            file_->Write(piece_);
        } catch (const IoFailure& failure) {
            throw CannotCreateFile(path_, failure.what());
        }
        piece_.clear();
    }

    std::string path_;
    std::unique_ptr<FileReplacement> file_;
    std::string piece_;
};

void AppendJsonNumber(std::string& out, std::string_view name, std::uint64_t value) {
    AppendJsonString(out, name);
    out.append(": ").append(std::to_string(value));
}

void AppendJsonText(std::string& out, std::string_view name, std::string_view text) {
    AppendJsonString(out, name);
    out.append(": ");
    AppendJsonString(out, text);
}

void WriteJson(FileSystem& fileSystem, const std::string& path, const RunDetails& details) {
    PieceWriter file(fileSystem, path);
    std::string& out = file.Piece();
    out.append("{\n  \"incomplete\": [");
    const char* separator = "\n";
    for (const RunDetails::IncompleteLine& line : details.IncompleteLines()) {
        out.append(separator).append("    {");
        AppendJsonText(out, "log", line.log);
        out.append(", ");
        AppendJsonNumber(out, "line", line.line);
        out.append(", ");
        AppendJsonNumber(out, "fields", line.fields);
        out.append("}");
        separator = ",\n";
        file.Written();
    }
    out.append(details.IncompleteLines().empty() ? "],\n" : "\n  ],\n");
    out.append("  \"polishDayItems\": [");
    separator = "\n";
    for (const RunDetails::PolishDayItem& item : details.PolishDayItems()) {
        out.append(separator).append("    {");
        AppendJsonText(out, "log", item.log);
        out.append(", ");
        AppendJsonNumber(out, "line", item.line);
        out.append(", ");
        AppendJsonText(out, "audio", Cp1250ToUtf8(item.audioPath));
        out.append(", ");
        AppendJsonText(out, "dat", item.datPath);
        out.append(", ");
        AppendJsonText(out, "outcome", OutcomeName(item.outcome));
        out.append("}");
        separator = ",\n";
        file.Written();
    }
    out.append(details.PolishDayItems().empty() ? "]" : "\n  ]");
    // Only a run past the memory limit has these.
    for (const auto& [name, count] :
         {std::pair{"incompleteLeftOut", details.IncompleteLinesLeftOut()},
          std::pair{"polishDayItemsLeftOut", details.PolishDayItemsLeftOut()}}) {
        if (count > 0) {
            out.append(",\n  ");
            AppendJsonNumber(out, name, count);
        }
    }
    out.append("\n}\n");
    file.Commit();
}

// Quoted when a spreadsheet would split or misread it.
void AppendCsvField(std::string& out, std::string_view text) {
    if (text.find_first_of(";\"\r\n") == std::string_view::npos) {
        out.append(text);
        return;
    }
    out.push_back('"');
    for (const char c : text) {
        if (c == '"') {
            out.push_back('"');
        }
        out.push_back(c);
    }
    out.push_back('"');
}

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

void WriteIncompleteCsv(FileSystem& fileSystem, const std::string& path,
                        const RunDetails& details) {
    PieceWriter file(fileSystem, path);
    std::string& out = file.Piece();
    out.append(kByteOrderMark).append("log;line;fields\r\n");
    for (const RunDetails::IncompleteLine& line : details.IncompleteLines()) {
        AppendCsvField(out, line.log);
        out.append(";").append(std::to_string(line.line));
        out.append(";").append(std::to_string(line.fields)).append("\r\n");
        file.Written();
    }
    file.Commit();
}

void WriteDebutsCsv(FileSystem& fileSystem, const std::string& path, const RunDetails& details) {
    PieceWriter file(fileSystem, path);
    std::string& out = file.Piece();
    out.append(kByteOrderMark).append("log;line;audio;dat;outcome\r\n");
    for (const RunDetails::PolishDayItem& item : details.PolishDayItems()) {
        AppendCsvField(out, item.log);
        out.append(";").append(std::to_string(item.line)).append(";");
        AppendCsvField(out, Cp1250ToUtf8(item.audioPath));
        out.append(";");
        AppendCsvField(out, item.datPath);
        out.append(";").append(OutcomeName(item.outcome)).append("\r\n");
        file.Written();
    }
    file.Commit();
}

}  // namespace

std::vector<std::string> DetailsFiles(const std::string& path) {
    if (!EndsInCsv(path)) {
        return {path};
    }
    const std::string stem = path.substr(0, path.size() - 4);
    return {stem + std::string(kIncompleteSuffix), stem + std::string(kDebutsSuffix)};
}

void WriteDetails(FileSystem& fileSystem, const std::string& path, const RunDetails& details) {
    const std::vector<std::string> files = DetailsFiles(path);
    if (files.size() == 1) {
        WriteJson(fileSystem, files[0], details);
        return;
    }
    WriteIncompleteCsv(fileSystem, files[0], details);
    WriteDebutsCsv(fileSystem, files[1], details);
}

}  // namespace veltra
