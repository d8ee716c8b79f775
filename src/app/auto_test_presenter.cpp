#include "app/auto_test_presenter.h"

#include "i18n/text_keys.h"

namespace hvt {

namespace {

// The factory knows the groups by these names whatever the language.
constexpr std::array<std::string_view, kAutoTestGroupCount> kGroupCaptions{
    "信道", "AM",    "收音机", "MSK",      "整机功能", "组信道",
    "DTMF", "2Tone", "5Tone",  "紧急报警", "通讯簿",   "信道扫描信息",
};

}  // namespace

AutoTestPresenter::AutoTestPresenter(AppContext& context, Workspace& workspace, Prompter& prompter)
    : DialogPresenter(prompter), workspace_(workspace) {
  const LanguageTexts& texts = context.Texts();
  state_.Title = texts.BuiltIn(BuiltInText::AutoTestTitle);
  state_.GroupsCaption = texts.BuiltIn(BuiltInText::AutoTestGroups);
  state_.ExportText = texts.BuiltIn(BuiltInText::AutoTestExport);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
  for (std::size_t i = 0; i < kAutoTestGroupCount; ++i) state_.GroupCaptions[i] = kGroupCaptions[i];
  state_.Groups[0].Checked = true;
}

void AutoTestPresenter::ToggleGroup(int index, bool checked) {
  if (index < 0 || index >= kAutoTestGroupCount) return;
  state_.Groups[static_cast<std::size_t>(index)].Checked = checked;
}

bool AutoTestPresenter::Export() {
  std::array<bool, kAutoTestGroupCount> groups{};
  for (std::size_t i = 0; i < kAutoTestGroupCount; ++i) groups[i] = state_.Groups[i].Checked;
  const auto path = prompter_.ChooseFileToSave(kEpmFileFilter, {});
  if (!path) return false;
  return workspace_.ExportProductionFile(groups, *path) == FileCommandResult::Done;
}

}  // namespace hvt
