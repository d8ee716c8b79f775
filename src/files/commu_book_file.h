#pragma once

// Communication book files (".cb"): the book's 1792 record bytes, nothing else.

#include <filesystem>
#include <string>

#include "model/commu_book.h"

namespace hvt {

enum class CommuBookFileResult {
  Ok,
  CannotRead,   // missing, not a file, or unreadable
  TooShort,     // fewer bytes than one book
  CannotWrite,  // the old file, if any, is unchanged
};

// The result with the path and the reason; compares as its CommuBookFileResult.
struct CommuBookFileOutcome {
  CommuBookFileResult Result = CommuBookFileResult::Ok;
  std::string Detail;  // empty when Ok

  operator CommuBookFileResult() const { return Result; }  // NOLINT(google-explicit-constructor)
};

// Reads the first 1792 bytes; longer files, which older saves may have left, load with their
// tail ignored. On any failure the book is unchanged.
[[nodiscard]] CommuBookFileOutcome LoadCommuBookFile(const std::filesystem::path& path, CommuBook& book);

// Replaces the file with exactly one book, or leaves it as it was.
[[nodiscard]] CommuBookFileOutcome SaveCommuBookFile(const std::filesystem::path& path,
                                                     const CommuBook& book);

}  // namespace hvt
