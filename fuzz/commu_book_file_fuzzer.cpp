// Communication book files (".cb") as the program reads them from disk, then the book through
// its image codec as a write to the radio would take it.

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <span>

#include "files/commu_book_file.h"
#include "fuzz_support.h"
#include "model/commu_book_codec.h"
#include "model/record.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::span<const std::uint8_t> bytes(data, size);
  const auto file = hvt::fuzz::WriteScratchFile("book.cb", bytes);

  hvt::CommuBook book;
  hvt::ResetCommuBook(book);
  const hvt::CommuBook untouched = book;
  const auto result = hvt::LoadCommuBookFile(file, book);
  if (result != hvt::CommuBookFileResult::Ok) {
    HVT_FUZZ_CHECK(result == hvt::CommuBookFileResult::TooShort);
    HVT_FUZZ_CHECK(size < hvt::FileSize<hvt::CommuBook>());
    HVT_FUZZ_CHECK(book == untouched);
    return 0;
  }
  // The book's own bytes load unchanged, whatever follows them.
  const auto saved = hvt::ToFileBytes(book);
  HVT_FUZZ_CHECK(size >= saved.size() && std::equal(saved.begin(), saved.end(), data));

  // Decoding sorts the book.
  hvt::CommuBook decoded = book;
  hvt::RadioImage image;
  if (hvt::SetCommDataByDTMFCommuBook(book, image, nullptr)) hvt::GetCommDataByDTMFCommuBook(image, decoded);
  return 0;
}
