#include "cli/channel_listing.h"

#include <algorithm>
#include <array>
#include <string>
#include <vector>

#include "app/channel_grid.h"
#include "i18n/text_keys.h"

namespace hvt::cli {

namespace {

constexpr std::size_t kColumns = 10;
using Row = std::array<std::string, kColumns>;

// Characters, not bytes, so that Chinese headers line up as well as a terminal allows.
std::size_t Width(const std::string& text) {
  return static_cast<std::size_t>(std::count_if(
      text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The grid's columns without the step, which the grid never shows either.
Row RowOf(const ChannelRecord& channel, const LanguageTexts& texts) {
  const ChannelCells cells = ChannelRowCells(channel, texts);
  Row row{GridRowLabel(channel.ChannelNumber)};
  std::size_t next = 1;
  for (int column = 1; column < kGridColumnCount; ++column) {
    if (GridColumnShown(static_cast<GridColumn>(column)))
      row[next++] = cells[static_cast<std::size_t>(column - 1)];
  }
  return row;
}

}  // namespace

void WriteChannelListing(const Configuration& configuration, const AppContext& context, std::ostream& out) {
  const LanguageTexts& texts = context.Texts();
  out << "Model:    " << configuration.ModelName.Trimmed() << "\n"
      << "Band:     " << context.BandText() << "\n"
      << "Version:  " << configuration.Version.Trimmed() << "\n"
      << "Channels: " << configuration.Channels.Count << "\n\n";

  std::vector<ChannelRecord> channels(configuration.Channels.Channels().begin(),
                                      configuration.Channels.Channels().end());
  std::sort(channels.begin(), channels.end(),
            [](const ChannelRecord& a, const ChannelRecord& b) { return a.ChannelNumber < b.ChannelNumber; });
  const auto text = [&texts](std::int32_t key) { return texts.LanguageText(key); };
  const std::string tone = text(text_key::GridTone) + " ";
  std::vector<Row> rows = {Row{
      text(text_key::GridChannel), text(text_key::GridRx), text(text_key::GridTx), text(text_key::GridName),
      text(text_key::GridBandwidth), text(text_key::GridScan), text(text_key::GridPower),
      tone + text(text_key::GridDecode), tone + text(text_key::GridEncode), text(text_key::GridOptSignal)}};
  for (const ChannelRecord& channel : channels) rows.push_back(RowOf(channel, texts));

  std::array<std::size_t, kColumns> widths{};
  for (const Row& row : rows) {
    for (std::size_t i = 0; i < kColumns; ++i) widths[i] = std::max(widths[i], Width(row[i]));
  }
  for (const Row& row : rows) {
    std::string line;
    for (std::size_t i = 0; i < kColumns; ++i) {
      line += row[i];
      if (i + 1 < kColumns) line += std::string(widths[i] - Width(row[i]) + 2, ' ');
    }
    out << line.substr(0, line.find_last_not_of(' ') + 1) << "\n";
  }
}

}  // namespace hvt::cli
