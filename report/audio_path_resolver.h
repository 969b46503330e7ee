#pragma once

#include <cstddef>
#include <memory>
#include <optional>
#include <shared_mutex>
#include <string>
#include <string_view>
#include <vector>

#include "folder_listing_cache.h"
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
    // The path it was read from, in the file system's encoding.
    std::string path;
    // When there is none and the audio path is in Windows form with no
    // usable mapping for its drive or share: that drive or share ("D:\").
    std::string unmappedRoot;
    // When that is because the folder mapped to it is not there (a share not
    // mounted today): that folder.
    std::string missingFolder;
};

// Finds the description file of an audio path as a playout log writes it and
// reads it. Logs come from Windows, so a path is tried, in this order:
//   1. a relative or Linux path as written, and with "\" read as "/", a
//      relative one from the working folder;
//   2. a drive or share path through the longest matching folder mapping
//      (never as a Linux name: no Linux file is called "D:\Muzyka\x.dat");
//   3. a relative one from the folder of the log that names it;
// and when none of these names an existing file, the same again with every
// name below the starting folder matched regardless of letter case, as
// Windows matches it. A name that exists exactly as written always wins;
// of several that differ from it only in letter case, the first in byte
// order is taken. Only regular files are read. On a file system that finds
// Windows paths itself (on Windows) a path is only tried as written.
//
// What each try meets is one of two things (MeansNothingThere):
//   - nothing there: no such entry, not a folder, a name or path too long,
//     a loop of links, a socket, device or pipe. The next try follows, and
//     after the last the item is no debut.
//   - something there that cannot be read: permission denied or an I/O
//     error on a folder or description file on the way the log names,
//     including a folder that cannot be listed in the search by letter
//     case. The run fails, naming the path and the cause.
//
// One resolver serves one report run: it keeps folder listings by the
// folder's identity, the least recently used dropped beyond a memory limit
// (a description file's content is read afresh every time), so one log line
// costs at most one listing per folder it passes. All its operations may be
// called from several threads at once.
class AudioPathResolver {
public:
    static constexpr std::size_t kListingBytes = 64 << 20;

    AudioPathResolver(const FileSystem& fileSystem, FolderMappings mappings,
                      std::size_t listingBytes = kListingBytes);
    AudioPathResolver(const AudioPathResolver&) = delete;
    AudioPathResolver& operator=(const AudioPathResolver&) = delete;

    // Maps `prefix` (FolderMappings::IsPrefix) to `folder` from now on.
    void SetMapping(std::string_view prefix, std::string folder);

    // The description file of `audioPath` (log bytes, code page 1250), named
    // in a log in `logFolder` ("" when unknown). Throws FileError when
    // something on the way cannot be read.
    DescriptionLookup ReadDescriptionFile(std::string_view audioPath,
                                          std::string_view logFolder) const;

private:
    // What the search by letter case found below one starting folder.
    struct Search {
        std::optional<std::string> text;
        bool startMissing = false;  // the starting folder is not there
        std::string path;           // of the file read
    };

    DescriptionLookup ReadWindowsForm(const std::string& path, const std::string& root) const;
    DescriptionLookup ReadLinuxForm(std::string path, std::string_view logFolder) const;
    Search ReadIgnoringCase(std::string folder, const std::vector<std::string>& names) const;
    // nullptr when nothing is there; throws FileError when it cannot be read.
    std::shared_ptr<const FolderListing> ListingOf(const std::string& folder) const;

    const FileSystem& fileSystem_;
    mutable std::shared_mutex mappingsMutex_;
    FolderMappings mappings_;
    mutable FolderListingCache listings_;
};

}  // namespace veltra
