#pragma once

// Whole files read and written in tests, byte for byte. A file that cannot be read reads as empty,
// so a test compares it like any other content; a file that cannot be written fails the test.

#include <gtest/gtest.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace hvt {

inline std::vector<std::uint8_t> FileBytes(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline std::string FileText(const std::filesystem::path& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

inline void WriteFileBytes(const std::filesystem::path& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  out.close();
  if (!out) ADD_FAILURE() << "could not write " << path;
}

inline void WriteFileBytes(const std::filesystem::path& path, std::span<const std::uint8_t> bytes) {
  WriteFileBytes(path, std::string_view(reinterpret_cast<const char*>(bytes.data()),  // NOLINT
                                        bytes.size()));
}

}  // namespace hvt
