#include "app/print_document.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/channel_grid.h"
#include "editors/scan_presenter.h"
#include "i18n/text_keys.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

using namespace std::chrono;

constexpr year_month_day kDay{year{2026}, month{12}, day{11}};

class PrintDocumentTest : public testing::Test {
 protected:
  TempFolder settings_;
  AppContext context_ = AppContext::Start({HVT_DATA_DIR, settings_.Path()}, "en_US");
  ScriptedPrompter prompter_;
  Workspace workspace_{context_, prompter_};

  PrintContent Content() { return PrintContentOf(context_, workspace_, kDay); }

  // Channels 1..count (at most 200), each with its own receive frequency.
  void UseNormalChannels(int count) {
    ChannelTable& table = workspace_.Current().Channels;
    table = {};
    for (int n = 1; n <= count; ++n) {
      ASSERT_TRUE(AddChannel(table, CreateChannel(n, n % 2 ? "145.50000" : "438.02500"))) << n;
    }
  }

  static std::vector<const PrintBlock*> Rows(const std::vector<PrintPage>& pages) {
    std::vector<const PrintBlock*> rows;
    for (const PrintPage& page : pages) {
      for (const PrintBlock& block : page.Blocks) {
        if (block.Kind == PrintBlockKind::ChannelRow) rows.push_back(&block);
      }
    }
    return rows;
  }
};

TEST_F(PrintDocumentTest, ChannelRowsShowTheGridsTextsForExistingChannelsInNumberOrder) {
  ChannelTable& table = workspace_.Current().Channels;
  table = {};
  // Table order differs from number order; the special channels print with their grid labels.
  for (const int n : {203, 5, 201, 1}) ASSERT_TRUE(AddChannel(table, CreateChannel(n, "438.02500")));
  table.Entries[1].Name = FixedText<5>("RPT");  // channel 5

  const std::vector<PrintPage> pages = LayOutPrint(Content(), context_.Texts(), 60);
  const auto rows = Rows(pages);
  ASSERT_EQ(rows.size(), 4U);
  const std::vector<std::pair<int, std::string>> shown = {{1, "1"}, {5, "5"}, {201, "VFO1"}, {203, "TRF"}};
  for (std::size_t i = 0; i < rows.size(); ++i) {
    const auto& [number, label] = shown[i];
    const ChannelCells cells = ChannelRowCells(*table.Find(number), context_.Texts());
    std::vector<std::string> expected = {label};
    for (int column = 1; column < kGridColumnCount; ++column) {
      if (GridColumnShown(static_cast<GridColumn>(column)))
        expected.push_back(cells[static_cast<std::size_t>(column - 1)]);
    }
    EXPECT_EQ(rows[i]->Texts, expected) << label;
    EXPECT_EQ(rows[i]->Shaded, GridRowShaded(number));
  }
  EXPECT_EQ(rows[1]->Texts[3], "RPT");

  const PrintBlock& header = pages.front().Blocks.front();
  ASSERT_EQ(header.Kind, PrintBlockKind::GridHeader);
  EXPECT_EQ(header.Texts.size(), rows[0]->Texts.size());
  EXPECT_EQ(header.Texts.front(), GridHeaderText(GridColumn::Label, context_.Texts()));
  EXPECT_EQ(std::ranges::count(header.Texts, GridHeaderText(GridColumn::Step, context_.Texts())), 0)
      << "the step column is not shown in the grid";
}

TEST_F(PrintDocumentTest, PagesHoldWholeRowsUnderTheGridHeaderAndAreNumbered) {
  struct Case {
    int Channels;
    int LinesPerPage;
    std::size_t ChannelPages;
  };
  // Body lines = page - 5; the grid header takes 2 of them.
  for (const Case c : {Case{200, 30, 9},    // 23 rows a page
                       Case{200, 60, 4},    // 53 rows a page
                       Case{23, 30, 1},     // exactly full
                       Case{24, 30, 2},     // one row over
                       Case{200, 0, 200}})  // a page too small still takes a row and ends
  {
    UseNormalChannels(c.Channels);
    const std::vector<PrintPage> pages = LayOutPrint(Content(), context_.Texts(), c.LinesPerPage);
    const int lines = std::max(c.LinesPerPage, kPrintMinimumLines);
    std::size_t channelPages = 0;
    for (std::size_t i = 0; i < pages.size(); ++i) {
      const PrintPage& page = pages[i];
      EXPECT_EQ(page.Number, std::to_string(i + 1) + " / " + std::to_string(pages.size()));
      EXPECT_EQ(page.InfoLeft, "File: Untitled");
      EXPECT_EQ(page.TitleRight, "Date: 2026-12-11");
      EXPECT_NE(page.InfoRight.find("UHF{Rx(400 - 490 MHz)"), std::string::npos);
      int used = kPrintHeaderLines + kPrintFooterLines;
      for (const PrintBlock& block : page.Blocks) used += LinesOf(block.Kind);
      EXPECT_LE(used, lines) << "page " << i + 1;
      ASSERT_FALSE(page.Blocks.empty());
      const bool hasRows = std::ranges::any_of(
          page.Blocks, [](const PrintBlock& b) { return b.Kind == PrintBlockKind::ChannelRow; });
      if (hasRows) {
        ++channelPages;
        EXPECT_EQ(page.Blocks.front().Kind, PrintBlockKind::GridHeader) << "page " << i + 1;
        EXPECT_NE(page.TitleLeft.find("Channel list"), std::string::npos);
      }
    }
    EXPECT_EQ(channelPages, c.ChannelPages) << c.Channels << " channels, " << c.LinesPerPage << " lines";
    const auto rows = Rows(pages);
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(c.Channels));
    for (std::size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i]->Texts.front(), std::to_string(i + 1));
  }
}

TEST_F(PrintDocumentTest, HeaderAndSummaryFollowTheLanguageAndTheFile) {
  struct Case {
    const char* Locale;
    const char* File;
    const char* FileLine;
    const char* DateLine;
    const char* ChannelPart;
    const char* SettingsPart;
  };
  for (const Case c : {Case{"en_US", "", "File: Untitled", "Date: 2026-12-11", "HVT7300 - Channel list",
                            "HVT7300 - Settings Summary"},
                       Case{"zh_CN", "radio.dat", "文件: radio.dat", "日期: 2026-12-11", "HVT7300 - 信道列表",
                            "HVT7300 - 设置摘要"}}) {
    const AppContext context = AppContext::Start({HVT_DATA_DIR, settings_.Path()}, c.Locale);
    PrintContent content = PrintContentOf(context, workspace_, kDay);
    content.FileName = c.File;
    const std::vector<PrintPage> pages = LayOutPrint(content, context.Texts(), 60);
    ASSERT_GE(pages.size(), 2U);
    EXPECT_EQ(pages.front().InfoLeft, c.FileLine);
    EXPECT_EQ(pages.front().TitleRight, c.DateLine);
    EXPECT_EQ(pages.front().TitleLeft, c.ChannelPart);
    EXPECT_EQ(pages.back().TitleLeft, c.SettingsPart);
    std::vector<std::string> sections;
    for (const PrintBlock& block : SettingsSummary(workspace_.Current(), context.Texts())) {
      if (block.Kind == PrintBlockKind::SectionTitle) sections.push_back(block.Texts.front());
    }
    const auto text = [&context](std::int32_t key) { return context.Texts().LanguageText(key); };
    EXPECT_EQ(sections, (std::vector<std::string>{text(text_key::TreeOptions), text(text_key::TreeKeys),
                                                  text(text_key::TreeScan), text(text_key::TreeAlert),
                                                  text(text_key::TreeDtmf), text(text_key::TreeFiveTone)}));
  }
}

TEST_F(PrintDocumentTest, SummaryShowsWhatTheEditorsShowWithoutChangingTheRecords) {
  Configuration& records = workspace_.Current();
  records.Scan.ScanType = 1;
  records.Scan.RxResumeDelay = 250;  // outside its list: the editor would correct it on OK only
  const Configuration before = records;

  const std::vector<PrintBlock> summary = SettingsSummary(records, context_.Texts());
  EXPECT_EQ(records, before);

  ScanSettings scan = records.Scan;
  const ScanPresenter editor(scan, records.Channels, context_.Texts(), prompter_);
  const auto value = [&summary](const std::string& label) -> std::string {
    const auto found = std::ranges::find_if(summary, [&label](const PrintBlock& b) {
      return b.Kind == PrintBlockKind::Setting && b.Texts.front() == label;
    });
    return found == summary.end() ? "(missing " + label + ")" : found->Texts[1];
  };
  const ChoiceList& type = editor.State().ScanType;
  EXPECT_EQ(value(editor.State().Caption.ScanType),
            type.Entries[static_cast<std::size_t>(type.Selected)].Text);
  EXPECT_EQ(value(context_.Texts().LanguageText(text_key::OptionPasswordEnabled)),
            context_.Texts().LanguageText(records.Options.PowerOnPasswordEnabled != 0 ? text_key::OptionOn
                                                                                      : text_key::OptionOff));
  for (const PrintBlock& block : summary) {
    ASSERT_EQ(block.Texts.size(), block.Kind == PrintBlockKind::Setting ? 2U : 1U);
    EXPECT_EQ(block.Texts.front().find('&'), std::string::npos) << block.Texts.front();
    EXPECT_FALSE(block.Texts.front().ends_with(":")) << block.Texts.front();
  }
}

TEST_F(PrintDocumentTest, ASectionTitleNeverEndsAPage) {
  UseNormalChannels(0);
  for (int lines = kPrintMinimumLines; lines <= 40; ++lines) {
    for (const PrintPage& page : LayOutPrint(Content(), context_.Texts(), lines)) {
      EXPECT_NE(page.Blocks.back().Kind, PrintBlockKind::SectionTitle)
          << lines << " lines, page " << page.Number;
    }
  }
}

}  // namespace
}  // namespace hvt
