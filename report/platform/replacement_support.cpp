#include "replacement_support.h"

#include <atomic>
#include <charconv>

namespace veltra {

namespace {

constexpr std::string_view kTemporaryPrefix = ".veltra-";
constexpr std::string_view kTemporarySuffix = ".tmp";

std::optional<unsigned long> ParseNumber(std::string_view digits) {
    unsigned long number = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
    if (digits.empty() || error != std::errc() || end != digits.data() + digits.size()) {
        return std::nullopt;
    }
    return number;
}

}  // namespace

std::string TemporaryName(unsigned long pid) {
    static std::atomic<unsigned> counter{0};
    std::string name(kTemporaryPrefix);
    name.append(std::to_string(pid)).append("-").append(std::to_string(++counter));
    name.append(kTemporarySuffix);
    return name;
}

std::optional<unsigned long> TemporaryOwner(std::string_view name) {
    if (!name.starts_with(kTemporaryPrefix) || !name.ends_with(kTemporarySuffix)) {
        return std::nullopt;
    }
    name.remove_prefix(kTemporaryPrefix.size());
    name.remove_suffix(kTemporarySuffix.size());
    const std::size_t dash = name.find('-');
    if (dash == std::string_view::npos || !ParseNumber(name.substr(dash + 1))) {
        return std::nullopt;
    }
    return ParseNumber(name.substr(0, dash));
}

}  // namespace veltra
