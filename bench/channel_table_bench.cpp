// 200 channels through the CSV channel table, the sorts and undo: how long an export, an import,
// a sort and the undo of that sort take. Each must stay well under 10 ms so that the menu
// commands feel instant, and the undo no slower than the step it takes back.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <string>
#include <vector>

#include "app/undo_history.h"
#include "files/channel_csv.h"
#include "model/channel_arrangement.h"
#include "model/frequency.h"

namespace {

using Clock = std::chrono::steady_clock;

hvt::ChannelTable FullTable() {
  hvt::ChannelTable table;
  for (int n = 1; n <= hvt::kNormalChannelCount; ++n) {
    hvt::ChannelRecord c = hvt::CreateChannel(n, hvt::FormatMHz(43'000'000 + n * 2'500));
    c.OffsetDir = static_cast<std::int16_t>(n % 3);
    c.TxFreq = hvt::FreqTextToRecord(c.OffsetDir == 0 ? "0" : "5");
    c.EncodeType = static_cast<std::int16_t>(n % 3);
    c.DecodeType = static_cast<std::int16_t>((n / 3) % 3);
    c.EncodeCtcss = static_cast<std::int16_t>(n % 51);
    c.DecodeCtcss = static_cast<std::int16_t>(n % 51);
    c.Name = "CH" + std::to_string(n % 1000);
    static_cast<void>(hvt::AddChannel(table, c));
  }
  return table;
}

// The median of `runs` runs of `work`, in milliseconds.
template <class Work>
double MedianMilliseconds(int runs, Work work) {
  std::vector<double> times;
  for (int i = 0; i < runs; ++i) {
    const auto start = Clock::now();
    work();
    times.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
  }
  std::ranges::sort(times);
  return times[times.size() / 2];
}

}  // namespace

int main() {
  const hvt::ChannelTable table = FullTable();
  const hvt::BandLimits limits = hvt::LimitsOf(hvt::BandVariant::Full);
  std::string csv;
  const double exportMs = MedianMilliseconds(50, [&] { csv = hvt::ChannelsToCsv(table); });
  std::size_t taken = 0;
  const double importMs = MedianMilliseconds(50, [&] {
    const hvt::ChannelCsvImport import = hvt::ChannelsFromCsv(csv, limits);
    hvt::ChannelTable into;
    hvt::ApplyChannelImport(into, import.Channels, true);
    taken = import.Channels.size();
  });
  hvt::ChannelTable sorted;
  const double sortFrequencyMs = MedianMilliseconds(50, [&] {
    sorted = table;
    hvt::SortChannels(sorted, hvt::ChannelOrder::ByFrequency);
  });
  const double sortNameMs = MedianMilliseconds(50, [&] {
    sorted = table;
    hvt::SortChannels(sorted, hvt::ChannelOrder::ByName);
  });
  // A full history, as after a long session: each run records the sort, then undoes it.
  hvt::UndoHistory history;
  hvt::Configuration configuration;
  configuration.Channels = table;
  for (std::size_t i = 0; i < hvt::UndoHistory::kDepth; ++i) {
    hvt::Configuration before = configuration;
    before.Channels.Entries[0].Name = "STEP" + std::to_string(i % 10);
    history.Record("step", before, configuration);
  }
  hvt::Configuration before;
  const double stepMs = MedianMilliseconds(50, [&] {
    before = configuration;
    hvt::SortChannels(configuration.Channels, hvt::ChannelOrder::ByFrequency);
    hvt::SortChannels(configuration.Channels, hvt::ChannelOrder::ByName);
    history.Record("Sort", before, configuration);
  });
  const double undoMs = MedianMilliseconds(50, [&] { static_cast<void>(history.Undo(configuration)); });
  std::printf("CSV channel table, %zu channels, %zu bytes (median of 50 runs)\n", taken, csv.size());
  std::printf("  export: %.3f ms\n", exportMs);
  std::printf("  import: %.3f ms (parse, check against the bands, put into a table)\n", importMs);
  std::printf("Sorting 200 channels: by frequency %.3f ms, by name %.3f ms\n", sortFrequencyMs, sortNameMs);
  std::printf("Undo: a sort with its undo step recorded %.3f ms, its undo %.3f ms (history of %zu steps)\n",
              stepMs, undoMs, hvt::UndoHistory::kDepth);
  const bool fast = exportMs < 10 && importMs < 10 && sortFrequencyMs < 10 && sortNameMs < 10 &&
                    undoMs < 10 && undoMs <= stepMs;
  return taken == hvt::kNormalChannelCount && fast ? 0 : 1;
}
