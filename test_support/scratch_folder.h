#pragma once

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>
#include <string>
#include <string_view>
#include <vector>

namespace veltra::testing {

// A new, empty folder in the system's temporary folder, named `prefix` and
// random letters, as mkdtemp makes one (which Windows lacks): a name that
// exists already is never taken, so builds and test runs side by side never
// share one.
inline std::filesystem::path MakeUniqueFolder(std::string_view prefix) {
    static constexpr std::string_view kLetters = "abcdefghijklmnopqrstuvwxyz0123456789";
    std::random_device random;
    std::uniform_int_distribution<std::size_t> letter(0, kLetters.size() - 1);
    for (;;) {
        std::string name(prefix);
        for (int i = 0; i < 8; ++i) {
            name += kLetters[letter(random)];
        }
        std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
        if (std::filesystem::create_directory(folder)) {
            return folder;
        }
    }
}

// A folder of its own for each test, removed afterwards.
class ScratchFolderTest : public ::testing::Test {
protected:
    void SetUp() override { folder = MakeUniqueFolder("veltra-fs-"); }
    void TearDown() override { std::filesystem::remove_all(folder); }

    std::string Path(const std::string& name) const { return (folder / name).string(); }

    void Write(const std::string& name, const std::string& bytes) const {
        std::ofstream(Path(name), std::ios::binary) << bytes;
    }

    std::string Read(const std::string& name) const {
        std::ifstream in(Path(name), std::ios::binary);
        return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    }

    // The names in the folder, hidden ones included, sorted.
    std::vector<std::string> Entries() const {
        std::vector<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder)) {
            names.push_back(entry.path().filename().string());
        }
        std::sort(names.begin(), names.end());
        return names;
    }

    std::filesystem::path folder;
};

}  // namespace veltra::testing
