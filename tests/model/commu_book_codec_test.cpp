#include "model/commu_book_codec.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <vector>

#include "support/image_bytes.h"
#include "support/record_printer.h"
#include "support/rich_configuration.h"

namespace hvt {
namespace {

Bytes Text(std::string_view text) { return {text.begin(), text.end()}; }

int CodeAt(int entry) { return 10464 + 8 * entry; }
int NameAt(int entry) { return 11488 + 8 * entry; }

CommuBook ResetBook() {
  CommuBook book;
  ResetCommuBook(book);
  return book;
}

TEST(CommuBookCodec, EncoderSortsTheLiveBookAndWritesNulFilledTexts) {
  CommuBook book = ResetBook();
  book.Entries[0] = {0, "30", "ABCDEF"};
  book.Entries[1] = {1, "4", "ABCDEFG"};
  book.Entries[2] = {2, std::string_view("\0", 1), "EMPTY"};
  book.Entries[3] = {3, "12345", "X Y  "};
  book.Entries[4] = {4, "ABC", std::string_view("Z\0", 2)};
  RadioImage image;
  Put(image, 10464, Bytes(2048, 0xEE));  // shows which bytes the encoder leaves alone

  ASSERT_TRUE(SetCommDataByDTMFCommuBook(book, image, nullptr));

  struct Case {
    int Number;
    Bytes Code;
    Bytes Name;
  };
  const Case expected[] = {
      {1, Text(std::string_view("4\0\0\0\0", 5)), Text("ABCDEFG")},
      {0, Text(std::string_view("30\0\0\0", 5)), Text(std::string_view("ABCDEF\0", 7))},
      {3, Text("12345"), Text(std::string_view("X Y\0\0\0\0", 7))},
      {2, Bytes(5, 0x00), Text(std::string_view("EMPTY\0\0", 7))},
      {4, Bytes(5, 0x00), Text(std::string_view("Z\0\0\0\0\0\0", 7))},
      {5, Bytes(5, 0x00), Bytes(7, 0x00)},
  };
  for (int i = 0; i < 6; ++i) {
    const Case& c = expected[i];
    EXPECT_EQ(book.Entries[static_cast<std::size_t>(i)].Number, c.Number) << "the live book stays sorted";
    EXPECT_EQ(Slice(image, CodeAt(i), 5), c.Code) << i;
    EXPECT_EQ(Slice(image, NameAt(i), 7), c.Name) << i;
  }
  for (int i = 0; i < 128; ++i) {
    EXPECT_EQ(Slice(image, CodeAt(i) + 5, 3), Bytes(3, 0xEE)) << i;
    EXPECT_EQ(image[static_cast<std::size_t>(NameAt(i) + 7)], 0xEE) << i;
  }
}

TEST(CommuBookCodec, AutomaticTestMarksBlocks654To781Only) {
  AutoTestRecording recording;
  recording.Groups.fill(false);
  recording.Groups[10] = true;
  CommuBook book = ResetBook();
  RadioImage image;
  ASSERT_TRUE(SetCommDataByDTMFCommuBook(book, image, &recording));
  for (int block = 0; block < 810; ++block) {
    EXPECT_EQ(recording.Blocks.IsMarked(block), block >= 654 && block <= 781) << block;
  }

  recording.Groups.fill(true);
  recording.Groups[10] = false;
  recording.Blocks.Clear();
  ASSERT_TRUE(SetCommDataByDTMFCommuBook(book, image, &recording));
  EXPECT_FALSE(recording.Blocks.IsMarked(654));
}

TEST(CommuBookCodec, DecoderNumbersEntriesAndReadsNamesUpToTheirEnd) {
  struct Case {
    Bytes NameSlot;  // all 8 bytes
    std::string Name;
  };
  const Case cases[] = {
      {Text(std::string_view("ABC\0\0\0\0\0", 8)), std::string("ABC\0", 4)},
      {{0xFF, 'A', 'B', 0, 0, 0, 0, 0}, std::string("\0", 1)},
      {{'A', 'B', 0xFF, 'C', 0, 0, 0, 0}, std::string("AB\0", 3)},
      {Text("ABCDEFGH"), "ABCDEFG"},
      {Text(std::string_view("ABCDEFG\0", 8)), "ABCDEFG"},
      {Text(std::string_view("AB  \0XYZ", 8)), std::string("AB  \0", 5)},  // blanks before the NUL stay
      {Text(std::string_view("a-1\0\0\0\0\0", 8)), std::string("a-1\0", 4)},
  };
  RadioImage image;
  for (int i = 0; i < 7; ++i) Put(image, NameAt(i), cases[i].NameSlot);
  Put(image, CodeAt(0), Text(std::string_view("12\0\0\0", 5)));
  Put(image, CodeAt(1), Text("1A*  "));
  CommuBook book = ResetBook();
  for (auto& entry : book.Entries) entry.Number = 999;

  GetCommDataByDTMFCommuBook(image, book);
  for (int i = 0; i < 7; ++i) {
    const CommuBookEntry& entry = book.Entries[static_cast<std::size_t>(i)];
    EXPECT_EQ(entry.Name, FixedText<7>(cases[i].Name)) << i;
  }
  for (int i = 0; i < 128; ++i) EXPECT_EQ(book.Entries[static_cast<std::size_t>(i)].Number, i);
  EXPECT_EQ(book.Entries[0].Code.Raw(), std::string_view("12\0\0\0", 5)) << "codes are kept as they are";
  EXPECT_EQ(book.Entries[1].Code.Raw(), "1A*  ");
  EXPECT_EQ(book.Entries[7].Code.Raw(), std::string_view("\0\0\0\0\0", 5));
}

TEST(CommuBookCodec, BookSurvivesEncodeAndDecode) {
  const CommuBook book = RichBook();
  CommuBook encoded = book;
  RadioImage image;
  ASSERT_TRUE(SetCommDataByDTMFCommuBook(encoded, image, nullptr));
  CommuBook decoded;
  GetCommDataByDTMFCommuBook(image, decoded);
  for (std::size_t i = 0; i < 128; ++i) {
    EXPECT_EQ(decoded.Entries[i].Number, book.Entries[i].Number) << i;
    EXPECT_EQ(decoded.Entries[i].Code.Trimmed(), book.Entries[i].Code.Trimmed()) << i;
    EXPECT_EQ(decoded.Entries[i].Name, book.Entries[i].Name) << i;
  }
}

TEST(CommuBookCodec, ImageSurvivesDecodeAndEncode) {
  RadioImage image;
  Put(image, CodeAt(0), Text("0"));
  Put(image, CodeAt(1), Text("00012"));
  Put(image, CodeAt(2), Text("13"));
  Put(image, CodeAt(3), Text("99999"));
  Put(image, NameAt(0), Text("ZERO"));
  Put(image, NameAt(1), Text("TWELVE7"));
  Put(image, NameAt(3), Text("A B"));
  Put(image, NameAt(127), Text("LAST"));  // a name without a code
  const RadioImage original = image;

  CommuBook book;
  GetCommDataByDTMFCommuBook(original, book);
  RadioImage encoded;
  ASSERT_TRUE(SetCommDataByDTMFCommuBook(book, encoded, nullptr));
  EXPECT_EQ(Slice(encoded, 10464, 2048), Slice(original, 10464, 2048));
}

}  // namespace
}  // namespace hvt
