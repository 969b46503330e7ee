#pragma once

#include <cstddef>
#include <list>
#include <memory>
#include <mutex>
#include <string>
#include <string_view>
#include <unordered_map>
#include <utility>
#include <vector>

namespace veltra {

// A folder's names, looked up as written or regardless of letter case.
class FolderListing {
public:
    explicit FolderListing(std::vector<std::string> names);
    // The foldings point into the names.
    FolderListing(const FolderListing&) = delete;
    FolderListing& operator=(const FolderListing&) = delete;

    // `name` itself when the folder holds it; else the first name in byte
    // order that differs from it only in letter case; else nullptr.
    const std::string* Find(const std::string& name) const;

    // Roughly what the listing takes in memory.
    std::size_t Bytes() const { return bytes_; }

private:
    std::vector<std::string> names_;  // sorted
    std::unordered_map<std::string, const std::string*> byFolding_;
    std::size_t bytes_ = 0;
};

// The folder listings of one run, kept by the folder's identity so that
// every spelling of a folder shares one listing, and the least recently used
// dropped once they take more than `byteLimit` together. The most recent one
// is always kept, however large. Safe to use from several threads at once.
class FolderListingCache {
public:
    explicit FolderListingCache(std::size_t byteLimit) : byteLimit_(byteLimit) {}

    // The listing kept for `identity`, or nullptr.
    std::shared_ptr<const FolderListing> Find(const std::string& identity);

    // Keeps `listing` for `identity` and returns the one kept: should two
    // threads list the same folder, the first listing stays.
    std::shared_ptr<const FolderListing> Keep(const std::string& identity,
                                              std::shared_ptr<const FolderListing> listing);

private:
    using Entry = std::pair<std::string, std::shared_ptr<const FolderListing>>;

    std::mutex mutex_;
    std::list<Entry> recent_;  // most recently used first
    std::unordered_map<std::string, std::list<Entry>::iterator> byIdentity_;
    std::size_t bytes_ = 0;
    const std::size_t byteLimit_;
};

}  // namespace veltra
