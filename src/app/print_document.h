#pragma once

// What File > Print, Print Preview and Export PDF put on paper: the channel list with the main
// grid's columns and texts, then a summary of the settings as label and value pairs, cut into
// pages of a given height in lines. Every page carries the header (model, part, file, band,
// date) and its number "n / N". A renderer only measures a line and draws what it is given.

#include <chrono>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/workspace.h"
#include "model/configuration.h"

namespace hvt {

enum class PrintBlockKind {
  GridHeader,    // the shown column headers; a tone column's header takes two lines
  ChannelRow,    // the row label, then the shown cells
  SectionTitle,  // one text
  Setting,       // label, value
};

struct PrintBlock {
  PrintBlockKind Kind = PrintBlockKind::Setting;
  std::vector<std::string> Texts;
  bool Shaded = false;  // every even channel row, as in the grid

  bool operator==(const PrintBlock&) const = default;
};

// Height of a block in lines.
int LinesOf(PrintBlockKind kind);

struct PrintPage {
  // Two header lines, each a left and a right part.
  std::string TitleLeft;   // "HVT7300 - Channel list"
  std::string TitleRight;  // "Date: 2026-12-11"
  std::string InfoLeft;    // "File: radio.dat"
  std::string InfoRight;   // "Band: ..."
  std::vector<PrintBlock> Blocks;
  std::string Number;  // "2 / 5"
};

// Lines a page spends on its header (two lines and a gap) and footer (a gap and the number).
inline constexpr int kPrintHeaderLines = 3;
inline constexpr int kPrintFooterLines = 2;
// The least height that holds a header, the grid header, one row and the footer; a smaller page
// is laid out as if it had this height, so paging always ends.
inline constexpr int kPrintMinimumLines = kPrintHeaderLines + 2 + 1 + kPrintFooterLines;

// What a printout shows, taken from the workspace at the moment of printing.
struct PrintContent {
  Configuration Records;
  std::string FileName;  // empty: untitled
  std::string ModelTitle;
  std::string BandText;
  std::chrono::year_month_day Date{};
};

PrintContent PrintContentOf(const AppContext& context, const Workspace& workspace,
                            std::chrono::year_month_day date);

// The channel pages, then the settings pages, every one headed and numbered; a part with nothing
// to show has no page.
std::vector<PrintPage> LayOutPrint(const PrintContent& content, const LanguageTexts& texts, int linesPerPage);

// The settings summary before paging: section titles followed by their label and value pairs.
std::vector<PrintBlock> SettingsSummary(const Configuration& records, const LanguageTexts& texts);

}  // namespace hvt
