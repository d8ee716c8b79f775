#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace hvt {

// The whole file, or no value when it is missing, unreadable or larger than maxSize.
std::optional<std::vector<std::uint8_t>> ReadWholeFile(const std::filesystem::path& path,
                                                       std::uintmax_t maxSize);

// Writes a temporary file beside the target and renames it over the target, so the target is
// either the old file or the complete new one. False when anything failed; the old file stays.
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path,
                                       std::span<const std::uint8_t> bytes);
[[nodiscard]] bool WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

}  // namespace hvt
