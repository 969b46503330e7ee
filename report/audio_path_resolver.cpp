#include "audio_path_resolver.h"

#include <algorithm>
#include <utility>

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

AudioPathResolver::AudioPathResolver(const FileSystem& fileSystem, FolderMappings mappings,
                                     std::size_t listingBytes)
    : fileSystem_(fileSystem), mappings_(std::move(mappings)), listings_(listingBytes) {}

void AudioPathResolver::SetMapping(std::string_view prefix, std::string folder) {
    const std::unique_lock lock(mappingsMutex_);
    mappings_.Set(prefix, std::move(folder));
}

DescriptionLookup AudioPathResolver::ReadDescriptionFile(std::string_view audioPath,
                                                         std::string_view logFolder) const {
    // Log text is code page 1250; Linux file names are UTF-8. Most paths are
    // ASCII, the same in both.
    std::string path = DescriptionFilePath(audioPath);
    if (std::any_of(path.begin(), path.end(), [](char c) { return (c & 0x80) != 0; })) {
        path = Cp1250ToUtf8(path);
    }
    if (fileSystem_.FindsWindowsPaths()) {
        // Looked for as Windows looks for it: there is nothing to map, and
        // letter case makes no difference.
        std::optional<std::string> text = ReadRegularFileOrFail(fileSystem_, path);
        std::string read = text ? path : std::string();
        return {std::move(text), std::move(read), {}, {}};
    }
    const std::string root = WindowsRoot(path);
    return root.empty() ? ReadLinuxForm(std::move(path), logFolder) : ReadWindowsForm(path, root);
}

DescriptionLookup AudioPathResolver::ReadWindowsForm(const std::string& path,
                                                     const std::string& root) const {
    std::optional<MappedPath> mapped;
    {
        const std::shared_lock lock(mappingsMutex_);
        mapped = mappings_.Map(path);
    }
    if (!mapped) {
        return {std::nullopt, {}, root, {}};
    }
    std::string exact = Join(mapped->folder, mapped->below);
    if (std::optional<std::string> text = ReadRegularFileOrFail(fileSystem_, exact)) {
        return {std::move(text), std::move(exact), {}, {}};
    }
    Search search = ReadIgnoringCase(mapped->folder, mapped->below);
    if (search.startMissing) {
        return {std::nullopt, {}, root, mapped->folder};
    }
    return {std::move(search.text), std::move(search.path), {}, {}};
}

DescriptionLookup AudioPathResolver::ReadLinuxForm(std::string path,
                                                   std::string_view logFolder) const {
    // Exactly as written before any other spelling: what nearly every line
    // finds, so the other names are made only when it is not there.
    if (std::optional<std::string> text = ReadRegularFileOrFail(fileSystem_, path)) {
        return {std::move(text), std::move(path), {}, {}};
    }
    const std::vector<std::string> names = Names(path);
    const bool relative = !path.starts_with('/');
    const std::string start = relative ? "" : "/";
    const std::string fromLog = relative && !logFolder.empty() ? Join(logFolder, names) : "";
    // Then the other exact spellings, wherever they are, before any other
    // letter case; a Windows "\" between folders is one exact spelling too.
    const std::string slashed = Join(start, names);
    for (const std::string* exact : {&slashed, &fromLog}) {
        if (exact->empty() || (exact == &slashed && slashed == path)) {
            continue;
        }
        if (std::optional<std::string> text = ReadRegularFileOrFail(fileSystem_, *exact)) {
            return {std::move(text), *exact, {}, {}};
        }
    }
    Search search = ReadIgnoringCase(start, names);
    if (!search.text && !fromLog.empty()) {
        search = ReadIgnoringCase(std::string(logFolder), names);
    }
    return {std::move(search.text), std::move(search.path), {}, {}};
}

AudioPathResolver::Search AudioPathResolver::ReadIgnoringCase(
    std::string folder, const std::vector<std::string>& names) const {
    bool listedAny = false;
    bool renamed = false;
    for (const std::string& name : names) {
        if (name == "." || name == "..") {
            // Only paths that no mapping confines keep these, and the
            // system applies them as it does to any path.
            folder = Join(folder, name);
            continue;
        }
        const std::shared_ptr<const FolderListing> listing =
            ListingOf(folder.empty() ? "." : folder);
        const std::string* found = listing ? listing->Find(name) : nullptr;
        if (found == nullptr) {
            return {std::nullopt, !listing && !listedAny, {}};
        }
        listedAny = true;
        renamed = renamed || *found != name;
        folder = Join(folder, *found);
    }
    // Every name as written: that path has been tried already.
    if (!renamed) {
        return {};
    }
    std::optional<std::string> text = ReadRegularFileOrFail(fileSystem_, folder);
    if (!text) {
        return {};
    }
    return {std::move(text), false, std::move(folder)};
}

std::shared_ptr<const FolderListing> AudioPathResolver::ListingOf(const std::string& folder) const {
    try {
        std::string identity = fileSystem_.DirectoryIdentity(folder);
        if (std::shared_ptr<const FolderListing> kept = listings_.Find(identity)) {
            return kept;
        }
        // Listed outside the cache's lock so that other threads' lookups go
        // on meanwhile.
        return listings_.Keep(
            identity, std::make_shared<const FolderListing>(fileSystem_.ListDirectory(folder)));
    } catch (const IoFailure& failure) {
        if (MeansNothingThere(failure)) {
            return nullptr;
        }
        throw CannotOpenFolder(folder, failure.what());
    }
}

}  // namespace veltra
