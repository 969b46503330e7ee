#include "folder_mappings.h"

#include <algorithm>

#include "case_folding.h"

namespace veltra {

namespace {

bool IsSeparator(char c) {
    return c == '\\' || c == '/';
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

// A Windows-form path taken apart: its drive or share, and the names below.
struct WindowsPath {
    std::string root;     // "D:\" or "\\server\share", as written
    std::string rootKey;  // the root as compared: folded, "\" only
    std::vector<std::string> names;
    bool hasDots = false;  // "." or ".." among the names
};

std::vector<std::string_view> SplitAtSeparators(std::string_view text) {
    std::vector<std::string_view> parts;
    while (!text.empty()) {
        const auto end = std::find_if(text.begin(), text.end(), IsSeparator);
        const auto length = static_cast<std::size_t>(end - text.begin());
        if (length > 0) {
            parts.push_back(text.substr(0, length));
        }
        text.remove_prefix(std::min(length + 1, text.size()));
    }
    return parts;
}

std::optional<WindowsPath> ParseWindowsPath(std::string_view path) {
    WindowsPath parsed;
    std::string_view rest;
    if (path.size() >= 2 && IsAsciiLetter(path[0]) && path[1] == ':' &&
        (path.size() == 2 || IsSeparator(path[2]))) {
        parsed.root = {static_cast<char>(path[0] & ~0x20), ':', '\\'};
        parsed.rootKey = parsed.root;
        rest = path.substr(2);
    } else if (path.starts_with("\\\\")) {
        const std::vector<std::string_view> parts = SplitAtSeparators(path.substr(2));
        if (parts.size() < 2 || parts[0] == "." || parts[0] == ".." || parts[1] == "." ||
            parts[1] == "..") {
            return std::nullopt;
        }
        parsed.root = "\\\\" + std::string(parts[0]) + "\\" + std::string(parts[1]);
        parsed.rootKey = FoldCase(parsed.root);
        const std::size_t shareEnd =
            static_cast<std::size_t>(parts[1].data() - path.data()) + parts[1].size();
        rest = path.substr(shareEnd);
    } else {
        return std::nullopt;
    }
    for (std::string_view name : SplitAtSeparators(rest)) {
        if (name == ".") {
            parsed.hasDots = true;
        } else if (name == "..") {
            // As on Windows, ".." at the root stays there.
            parsed.hasDots = true;
            if (!parsed.names.empty()) {
                parsed.names.pop_back();
            }
        } else {
            parsed.names.emplace_back(name);
        }
    }
    return parsed;
}

// Whether `path` starts with a prefix of the root `prefixRoot` and the names
// `prefixNames`, already folded.
bool StartsWith(const WindowsPath& path, std::string_view prefixRoot,
                const std::vector<std::string>& prefixNames) {
    if (path.rootKey != prefixRoot || path.names.size() < prefixNames.size()) {
        return false;
    }
    for (std::size_t i = 0; i < prefixNames.size(); ++i) {
        if (path.names[i] != prefixNames[i] && FoldCase(path.names[i]) != prefixNames[i]) {
            return false;
        }
    }
    return true;
}

}  // namespace

FolderMappings::Key FolderMappings::KeyOf(std::string_view prefix) {
    const std::optional<WindowsPath> parsed = ParseWindowsPath(prefix);
    Key key;
    if (parsed) {
        key.root = parsed->rootKey;
        for (const std::string& name : parsed->names) {
            key.names.push_back(FoldCase(name));
        }
    }
    return key;
}

FolderMappings::FolderMappings(const std::vector<FolderMapping>& mappings) {
    for (const FolderMapping& mapping : mappings) {
        if (IsPrefix(mapping.prefix)) {
            Set(mapping.prefix, mapping.folder);
        }
    }
}

bool FolderMappings::IsPrefix(std::string_view prefix) {
    const std::optional<WindowsPath> parsed = ParseWindowsPath(prefix);
    return parsed && !parsed->hasDots;
}

void FolderMappings::Set(std::string_view prefix, std::string folder) {
    Key key = KeyOf(prefix);
    const auto same = std::find(keys_.begin(), keys_.end(), key);
    if (same != keys_.end()) {
        entries_[static_cast<std::size_t>(same - keys_.begin())] = {std::string(prefix),
                                                                    std::move(folder)};
        return;
    }
    entries_.push_back({std::string(prefix), std::move(folder)});
    keys_.push_back(std::move(key));
}

bool FolderMappings::Remove(std::string_view prefix) {
    const auto same = std::find(keys_.begin(), keys_.end(), KeyOf(prefix));
    if (same == keys_.end()) {
        return false;
    }
    entries_.erase(entries_.begin() + (same - keys_.begin()));
    keys_.erase(same);
    return true;
}

std::optional<MappedPath> FolderMappings::Map(std::string_view windowsPath) const {
    const std::optional<WindowsPath> path = ParseWindowsPath(windowsPath);
    if (!path) {
        return std::nullopt;
    }
    const FolderMapping* best = nullptr;
    std::size_t bestLength = 0;
    for (std::size_t i = 0; i < entries_.size(); ++i) {
        const Key& key = keys_[i];
        if (StartsWith(*path, key.root, key.names) &&
            (best == nullptr || key.names.size() > bestLength)) {
            best = &entries_[i];
            bestLength = key.names.size();
        }
    }
    if (best == nullptr) {
        return std::nullopt;
    }
    return MappedPath{
        best->folder,
        std::vector<std::string>(path->names.begin() + static_cast<std::ptrdiff_t>(bestLength),
                                 path->names.end())};
}

std::string WindowsRoot(std::string_view path) {
    const std::optional<WindowsPath> parsed = ParseWindowsPath(path);
    return parsed ? parsed->root : std::string();
}

}  // namespace veltra
