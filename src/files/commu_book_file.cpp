#include "files/commu_book_file.h"

#include "files/file_io.h"

namespace hvt {

namespace {

constexpr std::size_t kBookSize = FileSize<CommuBook>();

}  // namespace

CommuBookFileOutcome LoadCommuBookFile(const std::filesystem::path& path, CommuBook& book) {
  // Only the book's own bytes are read, however long the file is.
  const auto bytes = ReadFileStart(path, kBookSize);
  if (!bytes) return {CommuBookFileResult::CannotRead, bytes.Detail()};
  const std::string shortDetail =
      path.string() + ": " + std::to_string(bytes->size()) + " bytes, expected " + std::to_string(kBookSize);
  if (bytes->size() != kBookSize) return {CommuBookFileResult::TooShort, shortDetail};
  CommuBook loaded;
  if (!FromFileBytes(*bytes, loaded)) return {CommuBookFileResult::TooShort, shortDetail};
  book = loaded;
  return {};
}

CommuBookFileOutcome SaveCommuBookFile(const std::filesystem::path& path, const CommuBook& book) {
  const FileWriteResult written = WriteFileAtomically(path, ToFileBytes(book));
  if (!written) return {CommuBookFileResult::CannotWrite, written.Detail()};
  return {};
}

}  // namespace hvt
