#pragma once

#include <array>
#include <cstddef>
#include <optional>
#include <string_view>

namespace veltra {

// One line of a playout history log split into its fields. Every ";" ends a
// field and each field loses its outer bytes of 0x20 or less; text after the
// last ";" belongs to no field. The views point into the line.
class LogRecord {
public:
    static constexpr std::size_t kRecordFieldCount = 21;

    // nullopt unless the line holds exactly kRecordFieldCount fields.
    static std::optional<LogRecord> FromLine(std::string_view line);

    std::string_view AiringTime() const { return fields_[0]; }
    std::string_view AudioPath() const { return fields_[1]; }
    std::string_view Duration() const { return fields_[4]; }
    std::string_view Title() const { return fields_[5]; }
    std::string_view Performer() const { return fields_[7]; }
    std::string_view Nationality() const { return fields_[17]; }
    std::string_view ItemType() const { return fields_[18]; }

private:
    LogRecord() = default;

    std::array<std::string_view, kRecordFieldCount> fields_;
};

// The text without its leading and trailing bytes of 0x20 or less (blanks and
// control characters).
std::string_view TrimControls(std::string_view text);

// Equality ignoring the case of the ASCII letters a to z only.
bool EqualsAsciiUpper(std::string_view text, std::string_view upper);

}  // namespace veltra
