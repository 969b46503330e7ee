#include "folder_listing_cache.h"

#include <algorithm>

#include "case_folding.h"

namespace veltra {

namespace {

// A name's share of a listing: its text twice (as written and folded), the
// strings themselves, and a hash node.
std::size_t NameBytes(const std::string& name) {
    constexpr std::size_t kShortString = 15;
    const std::size_t heap = name.size() > kShortString ? name.size() + 1 : 0;
    return 2 * (sizeof(std::string) + heap) + 4 * sizeof(void*);
}

}  // namespace

FolderListing::FolderListing(std::vector<std::string> names) : names_(std::move(names)) {
    std::sort(names_.begin(), names_.end());
    byFolding_.reserve(names_.size());
    bytes_ = sizeof(*this);
    for (const std::string& name : names_) {
        // Sorted, so the first name of each folding is the one kept.
        byFolding_.emplace(FoldCase(name), &name);
        bytes_ += NameBytes(name);
    }
}

const std::string* FolderListing::Find(const std::string& name) const {
    const auto exact = std::lower_bound(names_.begin(), names_.end(), name);
    if (exact != names_.end() && *exact == name) {
        return &*exact;
    }
    const auto folded = byFolding_.find(FoldCase(name));
    return folded == byFolding_.end() ? nullptr : folded->second;
}

std::shared_ptr<const FolderListing> FolderListingCache::Find(const std::string& identity) {
    const std::lock_guard lock(mutex_);
    const auto found = byIdentity_.find(identity);
    if (found == byIdentity_.end()) {
        return nullptr;
    }
    recent_.splice(recent_.begin(), recent_, found->second);
    return found->second->second;
}

std::shared_ptr<const FolderListing> FolderListingCache::Keep(
    const std::string& identity, std::shared_ptr<const FolderListing> listing) {
    const std::lock_guard lock(mutex_);
    if (const auto found = byIdentity_.find(identity); found != byIdentity_.end()) {
        recent_.splice(recent_.begin(), recent_, found->second);
        return found->second->second;
    }
    bytes_ += listing->Bytes();
    recent_.emplace_front(identity, std::move(listing));
    byIdentity_.emplace(identity, recent_.begin());
    while (bytes_ > byteLimit_ && recent_.size() > 1) {
        bytes_ -= recent_.back().second->Bytes();
        byIdentity_.erase(recent_.back().first);
        recent_.pop_back();
    }
    return recent_.front().second;
}

}  // namespace veltra
