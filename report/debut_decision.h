#pragma once

#include <string>
#include <string_view>

namespace veltra {

// How the debut test of a Polish day item came out.
enum class DebutOutcome : unsigned char {
    Debut,     // its description file marks a debut
    Other,     // its description file does not
    NoDat,     // no description file was found, or the item names no audio file
    Unmapped,  // its drive or share has no folder here, so nothing was looked at
};

// The outcome, and the description file it rests on.
struct DebutDecision {
    DebutOutcome outcome = DebutOutcome::NoDat;
    // The file read, after folder mappings and letter case, in the file
    // system's encoding; "" when none was read.
    std::string datPath;

    bool IsDebut() const { return outcome == DebutOutcome::Debut; }
};

// "debut", "other", "no-dat" or "unmapped", as exports name the outcomes.
std::string_view OutcomeName(DebutOutcome outcome);

}  // namespace veltra
