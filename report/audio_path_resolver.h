#pragma once

#include <memory>
#include <mutex>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "folder_mappings.h"

namespace veltra {

class FileSystem;

// The path of the description file of an audio file, still in the log's
// bytes: the extension (from the last "." that follows every "\", ":" and
// "/") becomes ".dat"; a path without one gets ".dat" appended.
std::string DescriptionFilePath(std::string_view audioPath);

// Whether a description file's text marks a debut: the value of the first
// line "Kod=value" (the name in any case, not trimmed) holds an "n" or "N".
bool MarksDebut(std::string_view descriptionText);

// What looking for an audio file's description file found.
struct DescriptionLookup {
    // The description file's bytes; nullopt when there is none.
    std::optional<std::string> text;
    // When there is none and the audio path is in Windows form with no
    // mapping for its drive or share: that drive or share ("D:\").
    std::string unmappedRoot;
};

// Finds the description file of an audio path as a playout log writes it and
// reads it. Logs come from Windows, so a path is tried, in this order:
//   1. as written, a relative one from the working folder;
//   2. a drive or share path through the longest matching folder mapping;
//   3. a relative one from the folder of the log that names it;
// and when none of these names an existing file, the same again with every
// name below the starting folder matched regardless of letter case, as
// Windows matches it. A name that exists exactly as written always wins;
// of several that differ from it only in letter case, the first in byte
// order is taken. Only regular files are read. On a file system that finds
// Windows paths itself (on Windows) a path is only tried as written.
//
// One resolver serves one report run: it keeps the folder listings it has
// made until it is destroyed (a description file's content is read afresh
// every time). All its operations may be called from several threads at once.
class AudioPathResolver {
public:
    AudioPathResolver(const FileSystem& fileSystem, FolderMappings mappings);
    AudioPathResolver(const AudioPathResolver&) = delete;
    AudioPathResolver& operator=(const AudioPathResolver&) = delete;

    // Maps `prefix` (FolderMappings::IsPrefix) to `folder` from now on.
    void SetMapping(std::string_view prefix, std::string folder);

    // The description file of `audioPath` (log bytes, code page 1250), named
    // in a log in `logFolder` ("" when unknown). Throws FileError when a
    // file is found but cannot be read.
    DescriptionLookup ReadDescriptionFile(std::string_view audioPath,
                                          std::string_view logFolder) const;

private:
    // A folder's names, and for each folding of them the first such name in
    // byte order.
    struct Listing {
        std::unordered_map<std::string, std::string> byFolding;
        std::vector<std::string> names;  // sorted
    };

    std::optional<std::string> ReadIfRegular(const std::string& path) const;
    std::optional<std::string> ReadIgnoringCase(std::string folder,
                                                const std::vector<std::string>& names,
                                                const std::string& triedPath) const;
    std::optional<std::string> FindName(const std::string& folder, const std::string& name) const;
    std::shared_ptr<const Listing> ListingOf(const std::string& folder) const;

    const FileSystem& fileSystem_;
    mutable std::shared_mutex mappingsMutex_;
    FolderMappings mappings_;
    mutable std::mutex listingsMutex_;
    mutable std::unordered_map<std::string, std::shared_ptr<const Listing>> listings_;
};

}  // namespace veltra
