#include "app/channel_grid.h"

#include "i18n/channel_item_texts.h"
#include "i18n/text_keys.h"
#include "model/frequency.h"

namespace hvt {

namespace {

// The channel a row shows: the last in-use entry with its number, as drawing every entry in
// table order leaves it.
const ChannelRecord* ChannelOfRow(const ChannelTable& table, int row) {
  const ChannelRecord* shown = nullptr;
  for (const ChannelRecord& channel : table.Channels()) {
    if (channel.ChannelNumber == row && channel.InUse == 1) shown = &channel;
  }
  return shown;
}

}  // namespace

ChannelCells ChannelRowCells(const ChannelRecord& c, const LanguageTexts& texts) {
  return {FreqRecordToText(c.RxFreq.Raw()).Text,
          TxDisplayText(c.RxFreq.Raw(), c.OffsetDir, c.TxFreq.Raw()).Text,
          c.Name.Trimmed(),
          StepText(c.Step),
          BandwidthText(c.Bandwidth),
          ScanText(c.ScanAdd, texts),
          PowerText(c.Power, texts),
          DecodeSignallingText(c, texts),
          EncodeSignallingText(c, texts),
          OptionalSignallingText(c, texts)};
}

std::string GridRowLabel(int row) { return row == kRtChannel ? "TRF" : ChannelLabel(row); }

std::string GridHeaderText(GridColumn column, const LanguageTexts& texts) {
  const auto text = [&texts](std::int32_t key) { return texts.LanguageText(key); };
  switch (column) {
    case GridColumn::Label:
      return text(text_key::GridChannel);
    case GridColumn::Rx:
      return text(text_key::GridRx);
    case GridColumn::Tx:
      return text(text_key::GridTx);
    case GridColumn::Name:
      return text(text_key::GridName);
    case GridColumn::Step:
      return text(text_key::GridStep);
    case GridColumn::Bandwidth:
      return text(text_key::GridBandwidth);
    case GridColumn::Scan:
      return text(text_key::GridScan);
    case GridColumn::Power:
      return text(text_key::GridPower);
    case GridColumn::Decode:
      return text(text_key::GridTone) + "\n" + text(text_key::GridDecode);
    case GridColumn::Encode:
      return text(text_key::GridTone) + "\n" + text(text_key::GridEncode);
    case GridColumn::OptSignal:
      return text(text_key::GridOptSignal);
  }
  return {};
}

void ChannelGrid::DrawAll(const ChannelTable& table, const LanguageTexts& texts) {
  rows_.fill({});
  // Numbers outside 1-203 have no row (number 0 would land on the header).
  for (const ChannelRecord& channel : table.Channels()) {
    if (IsChannelRow(channel.ChannelNumber) && channel.InUse == 1) {
      rows_[static_cast<std::size_t>(channel.ChannelNumber)] = ChannelRowCells(channel, texts);
    }
  }
}

void ChannelGrid::DrawRow(const ChannelTable& table, const LanguageTexts& texts, int row) {
  if (!IsChannelRow(row)) return;
  const ChannelRecord* channel = ChannelOfRow(table, row);
  rows_[static_cast<std::size_t>(row)] = channel ? ChannelRowCells(*channel, texts) : ChannelCells{};
}

const ChannelCells& ChannelGrid::Row(int row) const {
  static const ChannelCells kEmpty{};
  return IsChannelRow(row) ? rows_[static_cast<std::size_t>(row)] : kEmpty;
}

}  // namespace hvt
