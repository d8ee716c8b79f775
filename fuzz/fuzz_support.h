#pragma once

// What the fuzz targets share: a check that stops the run, a scratch folder of this process on
// tmpfs (for parsers that only read from paths), and the data folder of the source tree.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <span>
#include <string>

namespace hvt::fuzz {

// A broken invariant is a finding just like a crash: abort, so libFuzzer keeps the input.
[[noreturn]] inline void Fail(const char* condition, const char* file, int line) {
  std::fprintf(stderr, "%s:%d: check failed: %s\n", file, line, condition);
  std::abort();
}

#define HVT_FUZZ_CHECK(condition) ((condition) ? void(0) : ::hvt::fuzz::Fail(#condition, __FILE__, __LINE__))

inline std::filesystem::path MakeScratchFolder() {
  std::error_code error;
  std::filesystem::path base = "/dev/shm";
  if (!std::filesystem::is_directory(base, error)) base = std::filesystem::temp_directory_path();
  const std::filesystem::path folder = base / ("hvt-fuzz-" + std::to_string(::getpid()));
  std::filesystem::remove_all(folder, error);
  std::filesystem::create_directories(folder);
  return folder;
}

// Created on first use, removed when the process exits normally.
inline const std::filesystem::path& ScratchFolder() {
  static const std::filesystem::path folder = MakeScratchFolder();
  static const bool removedAtExit = [] {
    return std::atexit([] {
             std::error_code ignored;
             std::filesystem::remove_all(ScratchFolder(), ignored);
           }) == 0;
  }();
  static_cast<void>(removedAtExit);
  return folder;
}

inline std::filesystem::path WriteScratchFile(const std::string& name, std::span<const std::uint8_t> bytes) {
  const std::filesystem::path path = ScratchFolder() / name;
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(reinterpret_cast<const char*>(bytes.data()),
            static_cast<std::streamsize>(bytes.size()));  // NOLINT
  out.close();
  HVT_FUZZ_CHECK(out.good());
  return path;
}

inline std::filesystem::path DataFolder() { return HVT_FUZZ_DATA_DIR; }

}  // namespace hvt::fuzz
