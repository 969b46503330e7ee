#include "audio_path_resolver.h"

#include <algorithm>

#include "case_folding.h"
#include "cp1250.h"
#include "file_access.h"
#include "file_system.h"
#include "log_record.h"
#include "text_lines.h"

namespace veltra {

namespace {

std::string Join(std::string_view folder, std::string_view name) {
    std::string path(folder);
    if (!path.empty() && !path.ends_with('/')) {
        path += '/';
    }
    path += name;
    return path;
}

std::string Join(std::string_view folder, const std::vector<std::string>& names) {
    std::string path(folder);
    for (const std::string& name : names) {
        path = Join(path, name);
    }
    return path;
}

// A log written on Windows separates a relative path's folders by "\".
std::vector<std::string> Names(std::string_view path) {
    std::vector<std::string> names;
    std::size_t start = 0;
    while (start <= path.size()) {
        const std::size_t end = std::min(path.find_first_of("\\/", start), path.size());
        if (end > start) {
            names.emplace_back(path.substr(start, end - start));
        }
        start = end + 1;
    }
    return names;
}

}  // namespace

std::string DescriptionFilePath(std::string_view audioPath) {
    // Logs written on Windows use "\" and drive colons; Linux paths use "/".
    const std::size_t nameStart = audioPath.find_last_of("\\:/") + 1;  // npos + 1 is 0
    const std::size_t dot = audioPath.rfind('.');
    const std::size_t stemEnd =
        dot != std::string_view::npos && dot >= nameStart ? dot : audioPath.size();
    std::string path(audioPath.substr(0, stemEnd));
    path += ".dat";
    return path;
}

bool MarksDebut(std::string_view descriptionText) {
    LineReader lines(descriptionText);
    while (const std::optional<std::string_view> next = lines.Next()) {
        const std::string_view line = *next;
        const std::size_t equals = line.find('=');
        if (equals == std::string_view::npos || !EqualsAsciiUpper(line.substr(0, equals), "KOD")) {
            continue;
        }
        return line.find_first_of("nN", equals + 1) != std::string_view::npos;
    }
    return false;
}

AudioPathResolver::AudioPathResolver(const FileSystem& fileSystem, FolderMappings mappings)
    : fileSystem_(fileSystem), mappings_(std::move(mappings)) {}

void AudioPathResolver::SetMapping(std::string_view prefix, std::string folder) {
    const std::unique_lock lock(mappingsMutex_);
    mappings_.Set(prefix, std::move(folder));
}

DescriptionLookup AudioPathResolver::ReadDescriptionFile(std::string_view audioPath,
                                                         std::string_view logFolder) const {
    // Log text is code page 1250; Linux file names are UTF-8.
    const std::string path = Cp1250ToUtf8(DescriptionFilePath(audioPath));
    if (std::optional<std::string> text = ReadIfRegular(path)) {
        return {std::move(text), {}};
    }
    if (fileSystem_.FindsWindowsPaths()) {
        // Looked for as Windows looks for it: there is nothing to map, and
        // letter case made no difference.
        return {};
    }

    const std::string root = WindowsRoot(path);
    std::optional<MappedPath> mapped;
    if (!root.empty()) {
        const std::shared_lock lock(mappingsMutex_);
        mapped = mappings_.Map(path);
    }
    std::string mappedPath;
    if (mapped) {
        mappedPath = Join(mapped->folder, mapped->below);
        if (std::optional<std::string> text = ReadIfRegular(mappedPath)) {
            return {std::move(text), {}};
        }
    }
    const bool relative = root.empty() && !path.starts_with('/');
    std::string fromLog;
    if (relative && !logFolder.empty()) {
        fromLog = Join(logFolder, path);
        if (std::optional<std::string> text = ReadIfRegular(fromLog)) {
            return {std::move(text), {}};
        }
    }

    // Letter case only once no exact name was found anywhere.
    std::optional<std::string> text;
    if (root.empty()) {
        text = ReadIgnoringCase(relative ? "" : "/", Names(path), path);
    }
    if (!text && mapped) {
        text = ReadIgnoringCase(mapped->folder, mapped->below, mappedPath);
    }
    if (!text && !fromLog.empty()) {
        text = ReadIgnoringCase(std::string(logFolder), Names(path), fromLog);
    }
    if (text) {
        return {std::move(text), {}};
    }
    return {std::nullopt, mapped ? std::string() : root};
}

std::optional<std::string> AudioPathResolver::ReadIfRegular(const std::string& path) const {
    return ReadRegularFileOrFail(fileSystem_, path);
}

std::optional<std::string> AudioPathResolver::ReadIgnoringCase(
    std::string folder, const std::vector<std::string>& names, const std::string& triedPath) const {
    for (const std::string& name : names) {
        if (name == "." || name == "..") {
            // Only paths that no mapping confines keep these, and the
            // system applies them as it does to any path.
            folder = Join(folder, name);
            continue;
        }
        const std::optional<std::string> found = FindName(folder, name);
        if (!found) {
            return std::nullopt;
        }
        folder = Join(folder, *found);
    }
    // Every name as written: that path has been tried already.
    if (folder == triedPath) {
        return std::nullopt;
    }
    return ReadIfRegular(folder);
}

std::optional<std::string> AudioPathResolver::FindName(const std::string& folder,
                                                       const std::string& name) const {
    const std::shared_ptr<const Listing> listing = ListingOf(folder.empty() ? "." : folder);
    if (std::binary_search(listing->names.begin(), listing->names.end(), name)) {
        return name;
    }
    const auto found = listing->byFolding.find(FoldCase(name));
    if (found == listing->byFolding.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::shared_ptr<const AudioPathResolver::Listing> AudioPathResolver::ListingOf(
    const std::string& folder) const {
    {
        const std::lock_guard lock(listingsMutex_);
        if (const auto cached = listings_.find(folder); cached != listings_.end()) {
            return cached->second;
        }
    }
    // Listed outside the lock so that other threads' lookups go on; should
    // two threads list the same folder, the first listing is kept.
    auto listing = std::make_shared<Listing>();
    try {
        listing->names = fileSystem_.ListDirectory(folder);
    } catch (const IoFailure&) {
        // Not a folder, or one that cannot be read: nothing is found there.
    }
    std::sort(listing->names.begin(), listing->names.end());
    for (const std::string& name : listing->names) {
        // Sorted, so the first name of each folding is the one kept.
        listing->byFolding.emplace(FoldCase(name), name);
    }
    const std::lock_guard lock(listingsMutex_);
    return listings_.emplace(folder, std::move(listing)).first->second;
}

}  // namespace veltra
