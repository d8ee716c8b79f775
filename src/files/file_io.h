#pragma once

#include <cstdint>
#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace hvt {

// Why a file could not be read or written.
struct FileFailure {
  std::filesystem::path Path;
  std::string Reason;  // the system's text ("Permission denied") or ours ("not a regular file")
  std::optional<std::uintmax_t> SizeFound;  // set when the file was larger than allowed
  int SystemError = 0;                      // the errno behind Reason; 0 for our own reasons

  // "path: reason", the line shown under the message.
  std::string Text() const { return Path.string() + ": " + Reason; }
};

inline constexpr std::string_view kNotARegularFile = "not a regular file";

// Success, or the failure with its path and reason.
class [[nodiscard]] FileWriteResult {
 public:
  FileWriteResult() = default;
  FileWriteResult(FileFailure failure) : failure_(std::move(failure)) {}  // NOLINT: a failure is a result

  bool Ok() const { return !failure_; }
  explicit operator bool() const { return Ok(); }
  const std::optional<FileFailure>& Failure() const { return failure_; }
  // The failure's text; empty on success.
  std::string Detail() const { return failure_ ? failure_->Text() : std::string(); }

 private:
  std::optional<FileFailure> failure_;
};

// The whole file, or the failure. Reads like std::optional for callers that need only the bytes.
class [[nodiscard]] FileReadResult {
 public:
  using Bytes = std::vector<std::uint8_t>;

  FileReadResult(Bytes bytes) : bytes_(std::move(bytes)) {}              // NOLINT
  FileReadResult(FileFailure failure) : failure_(std::move(failure)) {}  // NOLINT

  bool has_value() const { return bytes_.has_value(); }  // NOLINT(readability-identifier-naming)
  explicit operator bool() const { return has_value(); }
  const Bytes& operator*() const& { return *bytes_; }
  Bytes&& operator*() && { return *std::move(bytes_); }
  const Bytes* operator->() const { return &*bytes_; }
  Bytes value_or(Bytes fallback) const& { return bytes_.value_or(std::move(fallback)); }         // NOLINT
  Bytes value_or(Bytes fallback) && { return std::move(bytes_).value_or(std::move(fallback)); }  // NOLINT

  friend bool operator==(const FileReadResult& result, const Bytes& bytes) { return result.bytes_ == bytes; }

  const std::optional<FileFailure>& Failure() const { return failure_; }
  std::string Detail() const { return failure_ ? failure_->Text() : std::string(); }

 private:
  std::optional<Bytes> bytes_;
  std::optional<FileFailure> failure_;
};

// The whole file. Fails when it is missing, unreadable, not a regular file or larger than maxSize
// (the failure then carries the size found).
FileReadResult ReadWholeFile(const std::filesystem::path& path, std::uintmax_t maxSize);

// The file's first `count` bytes, fewer when it is shorter; fails as ReadWholeFile, never for size.
FileReadResult ReadFileStart(const std::filesystem::path& path, std::size_t count);

// Replaces the file so that it is always either the old file or the complete new one, flushed to
// disk before success is reported. A link is followed and stays a link; the replaced file keeps
// its permission bits and, where allowed, its owner. Devices, pipes, folders and kernel files are
// refused before anything is written. Each save writes through a hidden file of its own
// (TemporaryNameFor), so saves of one file at the same time all succeed and the last to finish
// wins whole. A save killed half-way leaves at most its hidden file, which the next save of that
// name removes; a save still going holds a lock on its file, so it is never taken for abandoned.
FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::span<const std::uint8_t> bytes);
FileWriteResult WriteFileAtomically(const std::filesystem::path& path, std::string_view text);

// The same through a named hidden file: the way taken where the file system has no anonymous
// files. Callers use WriteFileAtomically; this one is here so the fallback can be exercised.
FileWriteResult WriteFileAtomicallyThroughNamedFile(const std::filesystem::path& path,
                                                    std::span<const std::uint8_t> bytes);

// The hidden name a save of `fileName` uses beside it: ".name.TOKEN.hvt-tmp" with a token of 16
// hex digits, the name shortened (with a hash of the full name) so it never exceeds `nameMax`
// bytes.
std::string TemporaryNameFor(std::string_view fileName, std::string_view token, std::size_t nameMax);

// Whether `candidate` is a hidden name that some save of `fileName` may have used.
bool IsTemporaryNameFor(std::string_view candidate, std::string_view fileName, std::size_t nameMax);

}  // namespace hvt
