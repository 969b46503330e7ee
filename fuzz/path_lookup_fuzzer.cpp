// Feeds arbitrary bytes to the folder mappings and to the lookup of audio
// paths over a small tree of files held in memory. Each input line is one
// of:
//   map PREFIX=FOLDER   a mapping, as --map and the settings file give it
//   file PATH           a description file in the tree
//   fail ERROR PATH     PATH fails to open or list with one of a few errors
//   anything else       an audio path of a log, looked up from "/logs"
// Checks that a found file is one of the tree's, that a failure comes only
// from a failing path, and that the mappings keep what they promise.

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>
#include <system_error>
#include <vector>

#include "audio_path_resolver.h"
#include "fakes.h"
#include "file_access.h"
#include "folder_mappings.h"

namespace {

using namespace veltra;

void Require(bool condition) {
    if (!condition) {
        std::abort();
    }
}

constexpr std::errc kErrors[] = {std::errc::no_such_file_or_directory,
                                 std::errc::filename_too_long,
                                 std::errc::too_many_symbolic_link_levels,
                                 std::errc::no_such_device_or_address,
                                 std::errc::permission_denied,
                                 std::errc::io_error};

void CheckMapping(FolderMappings& mappings, std::string_view prefix, const std::string& folder) {
    if (!FolderMappings::IsPrefix(prefix)) {
        return;
    }
    mappings.Set(prefix, folder);
    // Whatever lies below a prefix maps into its folder, or a longer one's.
    const std::optional<MappedPath> mapped = mappings.Map(std::string(prefix) + "\\x.dat");
    Require(mapped.has_value());
    Require(!WindowsRoot(prefix).empty());
    for (const std::string& name : mapped->below) {
        Require(name != "." && name != ".." && !name.empty());
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view input(reinterpret_cast<const char*>(data), size);
    testing::FakeFileSystem tree;
    FolderMappings mappings;
    std::vector<std::string> audioPaths;
    std::size_t start = 0;
    while (start <= input.size()) {
        const std::size_t end = std::min(input.find('\n', start), input.size());
        const std::string_view line = input.substr(start, end - start);
        start = end + 1;
        if (line.starts_with("map ")) {
            const std::string_view mapping = line.substr(4);
            const std::size_t equals = mapping.find('=');
            if (equals != std::string_view::npos) {
                CheckMapping(mappings, mapping.substr(0, equals),
                             std::string(mapping.substr(equals + 1)));
            }
        } else if (line.starts_with("file ")) {
            tree.files[std::string(line.substr(5))] = "Kod=n";
        } else if (line.starts_with("fail ") && line.size() > 6) {
            const std::errc error =
                kErrors[static_cast<unsigned char>(line[5]) % std::size(kErrors)];
            const std::string path(line.substr(6));
            tree.unreadable[path] = error;
            tree.unlistable[path] = error;
        } else {
            audioPaths.emplace_back(line);
        }
    }

    const AudioPathResolver resolver(tree, mappings, 4096);
    for (const std::string& audioPath : audioPaths) {
        try {
            const DescriptionLookup lookup = resolver.ReadDescriptionFile(audioPath, "/logs");
            Require(!lookup.text || *lookup.text == "Kod=n");
            Require(lookup.unmappedRoot.empty() || !lookup.text);
            Require(lookup.missingFolder.empty() || !lookup.unmappedRoot.empty());
        } catch (const FileError&) {
            // Only a path made to fail with something other than absence.
            Require(!tree.unreadable.empty());
        }
    }
    return 0;
}
