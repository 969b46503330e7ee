#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace veltra {

// One of the user's mappings: the start of a path as the playout PC writes
// it, a drive ("D:\") or a server's share ("\\serwer\audio"), possibly with
// folders below, and the folder that holds the same files here.
struct FolderMapping {
    std::string prefix;
    std::string folder;
};

// Where a Windows-form path leads: a mapped folder, and the path's folders
// and file name below it. The names are as the log writes them; "." and
// ".." have already been applied, never climbing above the drive or share,
// so nothing below the folder leads out of it.
struct MappedPath {
    std::string folder;
    std::vector<std::string> below;
};

// The user's folder mappings, all text in UTF-8. Prefixes compare as Windows
// compares paths: letter case, "\" against "/" and a closing separator make
// no difference.
class FolderMappings {
public:
    FolderMappings() = default;
    explicit FolderMappings(const std::vector<FolderMapping>& mappings);

    // Whether `prefix` names a drive or a share, optionally with folders
    // below, and nothing else ("D:", "d:/Muzyka", "\\serwer\audio\pl").
    static bool IsPrefix(std::string_view prefix);

    // Maps `prefix` (IsPrefix) to `folder`, replacing a mapping of the same
    // prefix.
    void Set(std::string_view prefix, std::string folder);

    // Forgets the mapping of `prefix`; false when there was none.
    bool Remove(std::string_view prefix);

    const std::vector<FolderMapping>& Entries() const { return entries_; }

    // The mapping of the longest prefix that `windowsPath` starts with, or
    // nullopt when none does or the path is not in Windows form.
    std::optional<MappedPath> Map(std::string_view windowsPath) const;

private:
    // A prefix as compared: its root and names folded, "\" only.
    struct Key {
        std::string root;
        std::vector<std::string> names;
        bool operator==(const Key&) const = default;
    };
    static Key KeyOf(std::string_view prefix);

    std::vector<FolderMapping> entries_;
    std::vector<Key> keys_;  // one for each entry
};

// The drive or share a Windows-form path starts with, in the form the user
// is asked about ("D:\", "\\serwer\audio"); "" for any other path.
std::string WindowsRoot(std::string_view path);

}  // namespace veltra
