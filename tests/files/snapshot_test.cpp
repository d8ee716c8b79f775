#include "files/snapshot.h"

#include <gtest/gtest.h>

#include <functional>

#include "support/rich_configuration.h"

namespace hvt {
namespace {

class SnapshotTest : public testing::Test {
 protected:
  void SetUp() override {
    current_ = RichConfiguration();
    TakeSnapshot(current_, snapshot_, BandVariant::Full);
  }
  Configuration current_;
  Configuration snapshot_;
};

TEST_F(SnapshotTest, TakingItStampsTheHeaderAndCopiesTheChannelsInUse) {
  current_.ModelName = "OLD";
  current_.Version = "V000";
  snapshot_.Channels.Entries[150].Name = "KEEP";
  current_.Channels.Entries[150].Name = "OTHER";
  TakeSnapshot(current_, snapshot_, BandVariant::Restricted);
  EXPECT_EQ(current_.ModelName.Raw(), "HVT7300 ");
  EXPECT_EQ(current_.Version.Raw(), "V100");
  EXPECT_EQ(current_.BandVariant, 0);
  EXPECT_EQ(snapshot_.BandVariant, 0);
  EXPECT_EQ(snapshot_.Channels.Entries[150].Name.Trimmed(), "KEEP") << "slots above the count stay";
  EXPECT_FALSE(IsModified(current_, snapshot_));
}

TEST_F(SnapshotTest, EveryEditableFieldCounts) {
  struct Case {
    const char* What;
    std::function<void(Configuration&)> Change;
  };
  const Case cases[] = {
      {"channel step", [](Configuration& c) { c.Channels.Entries[2].Step = 5; }},
      {"channel name", [](Configuration& c) { c.Channels.Entries[0].Name = "NEW"; }},
      {"channel reserved word", [](Configuration& c) { c.Channels.Entries[0].Reserved[48] = 1; }},
      {"channel count",
       [](Configuration& c) { c.Channels.Count = static_cast<std::int16_t>(c.Channels.Count - 1); }},
      {"channel number", [](Configuration& c) { c.Channels.Entries[1].ChannelNumber = 150; }},
      {"tone tip", [](Configuration& c) { c.ToneTips.Sets[7].InterTime = 3; }},
      {"DTMF own ID", [](Configuration& c) { c.Dtmf.OwnId = "123"; }},
      {"DTMF code digit", [](Configuration& c) { c.Dtmf.DtmfCodes[0].Code.Bytes()[0] = '9'; }},
      {"DTMF digit count", [](Configuration& c) { c.Dtmf.DtmfCodes[0].DigitCount = 2; }},
      {"2-tone entry name", [](Configuration& c) { c.TwoTone.TwoToneEntries[31].Name = "X"; }},
      {"2-tone frequency", [](Configuration& c) { c.TwoTone.ToneFrequencies[2] = 1; }},
      {"5-tone code digit", [](Configuration& c) { c.FiveTone.Codes[3].Code.Bytes()[0] = 'F'; }},
      {"5-tone name", [](Configuration& c) { c.FiveTone.InfoCodes[1].Name = "Z"; }},
      {"key assignment", [](Configuration& c) { c.Options.KeyFunction[5] = 0; }},
      {"power-on text", [](Configuration& c) { c.Options.PowerOnDisplayText = "HELLO"; }},
      {"communication book code", [](Configuration& c) { c.Book.Entries[127].Code = "9"; }},
      {"scan", [](Configuration& c) { c.Scan.Reserved12 = 1; }},
      {"alert", [](Configuration& c) { c.Alert.LoneWorkerTime = 9; }},
  };
  for (const Case& c : cases) {
    Configuration changed = current_;
    c.Change(changed);
    EXPECT_TRUE(IsModified(changed, snapshot_)) << c.What;
  }
}

TEST_F(SnapshotTest, WhatTheCheckIgnores) {
  struct Case {
    const char* What;
    std::function<void(Configuration&)> Change;
  };
  using namespace std::string_view_literals;
  const Case cases[] = {
      {"model, version and band",
       [](Configuration& c) {
         c.ModelName = "X";
         c.Version = "V2";
         c.BandVariant = 0;
       }},
      {"reserved word", [](Configuration& c) { c.Reserved = 9; }},
      {"broadcast-FM list", [](Configuration& c) { c.Aux[0].Used = 1; }},
      {"slot above the count", [](Configuration& c) { c.Channels.Entries[200].Power = 2; }},
      {"name ending in NUL instead of blanks", [](Configuration& c) { c.Channels.Entries[3].Name = "AB1"; }},
      {"DTMF digits beyond the count", [](Configuration& c) { c.Dtmf.DtmfCodes[0].Code.Bytes()[10] = 'A'; }},
      {"5-tone digits beyond the count",
       [](Configuration& c) { c.FiveTone.Codes[3].Code.Bytes()[39] = '7'; }},
      {"channels in another slot order",
       [](Configuration& c) { std::swap(c.Channels.Entries[0], c.Channels.Entries[4]); }},
  };
  for (const Case& c : cases) {
    Configuration changed = current_;
    c.Change(changed);
    EXPECT_FALSE(IsModified(changed, snapshot_)) << c.What;
  }
}

TEST_F(SnapshotTest, ApplyingItRestoresTheHeaderAndChannelsInUse) {
  Configuration changed = current_;
  changed.Options.KeyBeep = 0;
  changed.Channels.Count = 2;
  changed.Channels.Entries[120].Power = 2;
  ApplySnapshot(snapshot_, changed);
  EXPECT_FALSE(IsModified(changed, snapshot_));
  EXPECT_EQ(changed.Channels.Count, current_.Channels.Count);
  EXPECT_EQ(changed.Channels.Entries[120].Power, 2) << "slots above the count are not copied";
}

}  // namespace
}  // namespace hvt
