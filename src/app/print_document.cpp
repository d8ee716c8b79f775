#include "app/print_document.h"

#include <algorithm>
#include <array>
#include <cstdio>

#include "app/channel_grid.h"
#include "editors/alert_presenter.h"
#include "editors/dtmf_presenter.h"
#include "editors/five_tone_presenter.h"
#include "editors/key_presenter.h"
#include "editors/option_presenter.h"
#include "editors/scan_presenter.h"
#include "i18n/text_keys.h"

namespace hvt {

namespace {

// A dialog caption as a label on paper: no accelerator, no trailing colon.
std::string Plain(std::string_view caption) {
  std::string text;
  for (std::size_t i = 0; i < caption.size(); ++i) {
    if (caption[i] == '&' && i + 1 < caption.size()) ++i;
    text += caption[i];
  }
  for (bool trimmed = true; trimmed;) {
    trimmed = false;
    for (const std::string_view tail : {":", " ", "\xEF\xBC\x9A" /* full-width colon */}) {
      if (text.size() >= tail.size() && text.ends_with(tail)) {
        text.resize(text.size() - tail.size());
        trimmed = true;
      }
    }
  }
  return text;
}

std::string Shown(const ChoiceList& list) {
  return list.HasSelection() ? list.Entries[static_cast<std::size_t>(list.Selected)].Text : std::string();
}

class Summary {
 public:
  explicit Summary(const LanguageTexts& texts) : texts_(texts) {}

  void Section(std::int32_t key) {
    blocks_.push_back({PrintBlockKind::SectionTitle, {texts_.LanguageText(key)}});
  }
  void Pair(std::string_view label, std::string value) {
    blocks_.push_back({PrintBlockKind::Setting, {Plain(label), std::move(value)}});
  }
  void List(std::string_view label, const ChoiceList& list) {
    if (list.Visible) Pair(label, Shown(list));
  }
  void Check(std::string_view label, const CheckField& check) {
    if (check.Visible)
      Pair(label, texts_.LanguageText(check.Checked ? text_key::OptionOn : text_key::OptionOff));
  }
  std::vector<PrintBlock> Take() { return std::move(blocks_); }

 private:
  const LanguageTexts& texts_;
  std::vector<PrintBlock> blocks_;
};

std::string IsoDate(std::chrono::year_month_day date) {
  std::array<char, 16> text{};
  std::snprintf(text.data(), text.size(), "%04d-%02u-%02u", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()));
  return text.data();
}

std::vector<PrintBlock> ChannelBlocks(const ChannelTable& table, const LanguageTexts& texts) {
  ChannelGrid grid;
  grid.DrawAll(table, texts);
  std::array<bool, kChannelCount + 1> present{};
  for (const ChannelRecord& channel : table.Channels()) {
    if (ChannelGrid::IsChannelRow(channel.ChannelNumber) && channel.InUse == 1) {
      present[static_cast<std::size_t>(channel.ChannelNumber)] = true;
    }
  }
  std::vector<PrintBlock> rows;
  for (int row = 1; row <= kChannelCount; ++row) {
    if (!present[static_cast<std::size_t>(row)]) continue;
    PrintBlock block{PrintBlockKind::ChannelRow, {GridRowLabel(row)}, GridRowShaded(row)};
    const ChannelCells& cells = grid.Row(row);
    for (int column = 1; column < kGridColumnCount; ++column) {
      if (GridColumnShown(static_cast<GridColumn>(column))) {
        block.Texts.push_back(cells[static_cast<std::size_t>(column - 1)]);
      }
    }
    rows.push_back(std::move(block));
  }
  return rows;
}

PrintBlock GridHeader(const LanguageTexts& texts) {
  PrintBlock header{PrintBlockKind::GridHeader, {}};
  for (int column = 0; column < kGridColumnCount; ++column) {
    const auto id = static_cast<GridColumn>(column);
    if (GridColumnShown(id)) header.Texts.push_back(GridHeaderText(id, texts));
  }
  return header;
}

// Fills pages of one part; `repeat` opens every page of the part (the grid header).
void Paginate(std::vector<PrintPage>& pages, const std::string& part, const std::vector<PrintBlock>& blocks,
              const std::vector<PrintBlock>& repeat, int bodyLines) {
  int repeatLines = 0;
  for (const PrintBlock& block : repeat) repeatLines += LinesOf(block.Kind);
  int used = bodyLines;  // forces a first page
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    int need = LinesOf(blocks[i].Kind);
    // A section title never stays alone at the foot of a page.
    if (blocks[i].Kind == PrintBlockKind::SectionTitle && i + 1 < blocks.size())
      need += LinesOf(blocks[i + 1].Kind);
    if (used + need > bodyLines) {
      PrintPage page;
      page.TitleLeft = part;
      page.Blocks = repeat;
      pages.push_back(std::move(page));
      used = repeatLines;
    }
    pages.back().Blocks.push_back(blocks[i]);
    used += LinesOf(blocks[i].Kind);
  }
}

}  // namespace

int LinesOf(PrintBlockKind kind) { return kind == PrintBlockKind::GridHeader ? 2 : 1; }

PrintContent PrintContentOf(const AppContext& context, const Workspace& workspace,
                            std::chrono::year_month_day date) {
  return {workspace.Current(),
          workspace.Untitled() ? std::string() : workspace.FileName().filename().string(),
          context.ModelTitle(), std::string(context.BandText()), date};
}

std::vector<PrintBlock> SettingsSummary(const Configuration& records, const LanguageTexts& texts) {
  // The editors work on copies: showing them must not touch the configuration.
  Configuration copy = records;
  SilentPrompter silent;
  Summary summary(texts);

  summary.Section(text_key::TreeOptions);
  {
    const OptionPresenter options(copy.Options, copy.Channels, texts, silent);
    const auto& state = options.State();
    for (const OptionPresenter::LabelledList& list : state.Lists) summary.List(list.Label, list.List);
    summary.Check(state.PasswordEnabledCaption, state.PasswordEnabled);
  }

  summary.Section(text_key::TreeKeys);
  {
    const KeyPresenter keys(copy.Options, texts, silent);
    const auto& state = keys.State();
    for (std::size_t mode = 0; mode < KeyPresenter::kKeyModes; ++mode) {
      for (std::size_t key = 0; key < KeyPresenter::kKeysPerMode; ++key) {
        summary.List(state.KeyModeTitles[mode] + " " + state.KeyLabels[key],
                     state.Keys[mode * KeyPresenter::kKeysPerMode + key]);
      }
    }
    for (std::size_t shortcut = 0; shortcut < KeyPresenter::kShortcuts; ++shortcut) {
      summary.List(state.ShortcutTitle + " " + state.ShortcutLabels[shortcut], state.Shortcuts[shortcut]);
    }
  }

  summary.Section(text_key::TreeScan);
  {
    const ScanPresenter scan(copy.Scan, copy.Channels, texts, silent);
    const auto& s = scan.State();
    const auto& c = s.Caption;
    summary.List(c.ScanType, s.ScanType);
    summary.List(c.PriorityMode, s.PriorityMode);
    summary.List(c.Priority1Group1, s.Priority1Group1);
    summary.List(c.Priority2Group1, s.Priority2Group1);
    summary.List(c.Priority1Group2, s.Priority1Group2);
    summary.List(c.Priority2Group2, s.Priority2Group2);
    summary.List(c.Priority1Group3, s.Priority1Group3);
    summary.List(c.Priority2Group3, s.Priority2Group3);
    summary.List(c.RevertChannel, s.RevertChannel);
    summary.List(c.ScanBackTimeA, s.ScanBackTimeA);
    summary.List(c.ScanBackTimeB, s.ScanBackTimeB);
    summary.List(c.RxResumeDelay, s.RxResumeDelay);
    summary.List(c.TxResumeDelay, s.TxResumeDelay);
    summary.Check(c.EntryTone, s.EntryTone);
  }

  summary.Section(text_key::TreeAlert);
  {
    const AlertPresenter alert(copy.Alert, copy.Channels, copy.Dtmf, copy.FiveTone, texts, silent);
    const auto& s = alert.State();
    const auto& c = s.Caption;
    summary.List(c.AlarmType, s.AlarmType);
    summary.List(c.IdCodeType, s.IdCodeType);
    summary.List(c.IdCode, s.IdCode);
    summary.List(c.AlarmTime, s.AlarmTime);
    summary.List(c.TxTime, s.TxTime);
    summary.List(c.RxTime, s.RxTime);
    summary.List(c.ChannelMode, s.ChannelMode);
    summary.List(c.Channel, s.Channel);
    summary.List(c.Cycle, s.Cycle);
    summary.Check(Plain(c.LoneWorkerGroup) + " " + c.LoneWorker,
                  s.LoneWorker);  // "Enable" alone says nothing
    summary.List(c.PreAlertTime, s.PreAlertTime);
    summary.List(c.LoneWorkerTime, s.LoneWorkerTime);
  }

  summary.Section(text_key::TreeDtmf);
  {
    const DtmfPresenter dtmf(copy.Dtmf, texts, silent);
    summary.Pair(dtmf.State().OwnIdLabel, dtmf.State().OwnId.Text);
  }

  summary.Section(text_key::TreeFiveTone);
  {
    const FiveTonePresenter fiveTone(copy, texts, silent);
    summary.Pair(fiveTone.State().OwnIdLabel, fiveTone.State().OwnId.Text);
  }
  return summary.Take();
}

std::vector<PrintPage> LayOutPrint(const PrintContent& content, const LanguageTexts& texts,
                                   int linesPerPage) {
  const int bodyLines = std::max(linesPerPage, kPrintMinimumLines) - kPrintHeaderLines - kPrintFooterLines;
  const std::string model = content.ModelTitle + " - ";

  std::vector<PrintPage> pages;
  Paginate(pages, model + texts.LanguageText(text_key::ChannelListName),
           ChannelBlocks(content.Records.Channels, texts), {GridHeader(texts)}, bodyLines);
  Paginate(pages, model + texts.LanguageText(text_key::PrintSettingsSummary),
           SettingsSummary(content.Records, texts), {}, bodyLines);

  const std::string file =
      content.FileName.empty() ? texts.LanguageText(text_key::PrintUntitled) : content.FileName;
  const std::string count = std::to_string(pages.size());
  for (std::size_t i = 0; i < pages.size(); ++i) {
    PrintPage& page = pages[i];
    page.TitleRight = texts.LanguageText(text_key::PrintDate) + ": " + IsoDate(content.Date);
    page.InfoLeft = texts.LanguageText(text_key::TitleFileLabel) + ": " + file;
    page.InfoRight = texts.LanguageText(text_key::BandLabel) + ": " + content.BandText;
    page.Number = std::to_string(i + 1) + " / " + count;
  }
  return pages;
}

}  // namespace hvt
