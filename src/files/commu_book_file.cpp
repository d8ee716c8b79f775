#include "files/commu_book_file.h"

#include <array>
#include <cstdint>
#include <fstream>

#include "files/file_io.h"

namespace hvt {

namespace {

constexpr std::size_t kBookSize = FileSize<CommuBook>();

}  // namespace

CommuBookFileResult LoadCommuBookFile(const std::filesystem::path& path, CommuBook& book) {
  std::error_code error;
  if (!std::filesystem::is_regular_file(path, error)) return CommuBookFileResult::CannotRead;
  std::ifstream in(path, std::ios::binary);
  if (!in) return CommuBookFileResult::CannotRead;
  // Only the book's own bytes are read, however long the file is.
  std::array<std::uint8_t, kBookSize> bytes{};
  in.read(reinterpret_cast<char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));  // NOLINT
  if (in.bad()) return CommuBookFileResult::CannotRead;
  if (in.gcount() != static_cast<std::streamsize>(bytes.size())) return CommuBookFileResult::TooShort;
  CommuBook loaded;
  if (!FromFileBytes(bytes, loaded)) return CommuBookFileResult::TooShort;
  book = loaded;
  return CommuBookFileResult::Ok;
}

CommuBookFileResult SaveCommuBookFile(const std::filesystem::path& path, const CommuBook& book) {
  return WriteFileAtomically(path, ToFileBytes(book)) ? CommuBookFileResult::Ok
                                                      : CommuBookFileResult::CannotWrite;
}

}  // namespace hvt
