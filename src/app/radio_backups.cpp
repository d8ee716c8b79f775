#include "app/radio_backups.h"

#include <algorithm>
#include <cstdio>
#include <system_error>
#include <tuple>
#include <utility>

namespace hvt {

namespace {

constexpr std::string_view kExtension = ".dat";
constexpr std::size_t kStampLength = 17;  // "2026-12-11_010203"
constexpr std::size_t kLongestSerial = 32;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

std::string Stamp(const std::tm& time) {
  char text[80];
  std::snprintf(text, sizeof text, "%04d-%02d-%02d_%02d%02d%02d", time.tm_year + 1900, time.tm_mon + 1,
                time.tm_mday, time.tm_hour, time.tm_min, time.tm_sec);
  return text;
}

bool IsStamp(std::string_view text) {
  if (text.size() != kStampLength) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const bool separator = i == 4 || i == 7 || i == 10;
    if (separator ? text[i] != (i == 10 ? '_' : '-') : !IsDigit(text[i])) return false;
  }
  return true;
}

struct NameParts {
  std::string Radio;
  std::string Stamp;
  int Sequence = 1;  // the second read within one second is "-2"
};

// "<radio>_<stamp>[-n].dat" in its parts; nothing for any other name.
std::optional<NameParts> Parse(const std::string& name) {
  if (!name.ends_with(kExtension)) return std::nullopt;
  std::string stem = name.substr(0, name.size() - kExtension.size());
  int sequence = 1;
  const auto dash = stem.rfind('-');
  if (dash != std::string::npos && dash + 1 < stem.size() && dash + 3 >= stem.size() &&
      dash >= kStampLength &&
      std::all_of(stem.begin() + static_cast<std::ptrdiff_t>(dash) + 1, stem.end(), IsDigit) &&
      IsStamp(std::string_view(stem).substr(dash - kStampLength, kStampLength))) {
    sequence = std::stoi(stem.substr(dash + 1));
    stem.resize(dash);
  }
  if (stem.size() < kStampLength + 2 || stem[stem.size() - kStampLength - 1] != '_') return std::nullopt;
  const std::string stamp = stem.substr(stem.size() - kStampLength);
  if (!IsStamp(stamp)) return std::nullopt;
  return NameParts{stem.substr(0, stem.size() - kStampLength - 1), stamp, sequence};
}

std::string ReadableTime(const std::string& stamp) {
  return stamp.substr(0, 10) + " " + stamp.substr(11, 2) + ":" + stamp.substr(13, 2) + ":" +
         stamp.substr(15, 2);
}

}  // namespace

std::string RadioFileStem(std::string_view serial, std::string_view fallback) {
  const auto plainName = [](std::string_view text) {
    std::string name;
    for (const char c : text.substr(0, kLongestSerial)) {
      const bool plain = IsDigit(c) || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || c == '-';
      name.push_back(plain ? c : '_');
    }
    return name;
  };
  const std::string radio = plainName(serial);
  // A blank information block reads as no serial number at all.
  const bool named = std::ranges::any_of(radio, [](char c) { return c != '_' && c != '-'; });
  return named ? radio : plainName(fallback);
}

std::tm LocalNow() {
  const std::time_t now = std::time(nullptr);
  std::tm local{};
  localtime_r(&now, &local);
  return local;
}

std::string BackupFileName(std::string_view serial, const std::tm& time) {
  return RadioFileStem(serial) + "_" + Stamp(time) + std::string(kExtension);
}

std::vector<Backup> ListBackups(const std::filesystem::path& folder) {
  std::vector<std::pair<NameParts, std::filesystem::path>> found;
  std::error_code error;
  for (const auto& item : std::filesystem::directory_iterator(folder, error)) {
    if (!item.is_regular_file(error)) continue;
    if (auto parts = Parse(item.path().filename().string()))
      found.emplace_back(std::move(*parts), item.path());
  }
  std::ranges::sort(found, [](const auto& a, const auto& b) {
    return std::tie(a.first.Stamp, a.first.Sequence) > std::tie(b.first.Stamp, b.first.Sequence);
  });
  std::vector<Backup> backups;
  for (auto& [parts, file] : found) backups.push_back({file, parts.Radio, ReadableTime(parts.Stamp)});
  return backups;
}

BackupResult KeepBackup(const std::filesystem::path& folder, const Configuration& configuration,
                        std::string_view serial, const std::tm& time) {
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  if (error) return {std::nullopt, folder.string() + ": " + error.message()};
  const std::string name = BackupFileName(serial, time);
  std::filesystem::path file = folder / name;
  // Two reads within one second keep both.
  for (int n = 2; std::filesystem::exists(file, error) && n < 100; ++n) {
    file = folder / (name.substr(0, name.size() - kExtension.size()) + "-" + std::to_string(n) +
                     std::string(kExtension));
  }
  const FileCheckResult written = WriteConfigurationFile(file, configuration);
  if (written != FileCheck::Ok) return {std::nullopt, file.string() + ": " + written.Detail};
  const std::vector<Backup> backups = ListBackups(folder);
  for (std::size_t i = kBackupsKept; i < backups.size(); ++i) std::filesystem::remove(backups[i].File, error);
  return {file, {}};
}

}  // namespace hvt
