#pragma once

#include <gtest/gtest.h>

#include "model/configuration.h"
#include "support/record_printer.h"

namespace hvt {

// The records an image carries, compared field by field.
inline void ExpectSameRecords(const Configuration& actual, const Configuration& expected) {
  ASSERT_EQ(actual.Channels.Count, expected.Channels.Count);
  for (std::size_t i = 0; i < expected.Channels.Channels().size(); ++i) {
    EXPECT_EQ(actual.Channels.Entries[i], expected.Channels.Entries[i]) << "entry " << i;
  }
  EXPECT_EQ(actual.Options, expected.Options);
  EXPECT_EQ(actual.FiveTone, expected.FiveTone);
  EXPECT_EQ(actual.Dtmf, expected.Dtmf);
  for (std::size_t i = 0; i < expected.Book.Entries.size(); ++i) {
    // The radio keeps a short code NUL-filled where the record has blanks after its NUL.
    EXPECT_EQ(actual.Book.Entries[i].Code.Trimmed(), expected.Book.Entries[i].Code.Trimmed()) << i;
    EXPECT_EQ(actual.Book.Entries[i].Name, expected.Book.Entries[i].Name) << i;
  }
}

}  // namespace hvt
