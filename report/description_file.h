#pragma once

#include <string>
#include <string_view>

namespace veltra {

// The path of the description file of an audio file, still in the log's
// bytes: the extension (from the last "." that follows every "\", ":" and
// "/") becomes ".dat"; a path without one gets ".dat" appended.
std::string DescriptionFilePath(std::string_view audioPath);

// Whether a description file's text marks a debut: the value of the first
// line "Kod=value" (the name in any case, not trimmed) holds an "n" or "N".
bool MarksDebut(std::string_view descriptionText);

}  // namespace veltra
