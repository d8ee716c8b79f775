#include "editors/key_presenter.h"

#include "i18n/text_keys.h"
#include "model/key_functions.h"

namespace hvt {

namespace {

ChoiceList FunctionList(int first, int last) {
  ChoiceList list;
  for (int code = first; code <= last; ++code)
    list.Entries.push_back({std::string(KeyFunctionName(code)), code});
  return list;
}

void Select(ChoiceList& list, int index) {
  if (index >= 0 && index < static_cast<int>(list.Entries.size())) list.Selected = index;
}

std::int16_t StoredCode(const ChoiceList& list, int fallback) {
  return static_cast<std::int16_t>(list.SelectedValue(fallback));
}

}  // namespace

KeyPresenter::KeyPresenter(OptionSettings& options, const LanguageTexts& texts, Prompter& prompter)
    : DialogPresenter(prompter), options_(options) {
  state_.Title = texts.LanguageText(text_key::KeyDialogTitle);
  for (std::size_t mode = 0; mode < kKeyModes; ++mode) {
    state_.KeyModeTitles[mode] = texts.LanguageText(text_key::KeyModeFrame) + " " + std::to_string(mode + 1);
  }
  state_.ShortcutTitle = texts.LanguageText(text_key::KeyShortcutFrame);
  for (std::size_t i = 0; i < kKeysPerMode; ++i) state_.KeyLabels[i] = "P" + std::to_string(i + 1);
  for (std::size_t i = 0; i < kShortcuts; ++i)
    state_.ShortcutLabels[i] = std::string("P") + static_cast<char>('A' + i);

  for (std::size_t i = 0; i < kKeys; ++i) {
    ChoiceList& list = state_.Keys[i];
    list = FunctionList(kFirstKeyFunction, kNoKeyFunction);
    // Selecting by name maps every code without one, 0 included, to "NULL".
    list.SelectValue(KeyFunctionCode(KeyFunctionName(options_.KeyFunction[i])));
  }
  for (std::size_t i = 0; i < kShortcuts; ++i) {
    ChoiceList& list = state_.Shortcuts[i];
    list = FunctionList(kFirstShortcutFunction, kLastShortcutFunction);
    list.SelectValueOrFirst(options_.ShortcutKey[i]);
  }
  state_.OkText = texts.LanguageText(text_key::OkButton);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
}

void KeyPresenter::SelectKey(std::size_t key, int index) {
  if (key < kKeys) Select(state_.Keys[key], index);
}

void KeyPresenter::SelectShortcut(std::size_t shortcut, int index) {
  if (shortcut < kShortcuts) Select(state_.Shortcuts[shortcut], index);
}

bool KeyPresenter::Ok() {
  for (std::size_t i = 0; i < kKeys; ++i)
    options_.KeyFunction[i] = StoredCode(state_.Keys[i], kNoKeyFunction);
  for (std::size_t i = 0; i < kShortcuts; ++i) {
    options_.ShortcutKey[i] = StoredCode(state_.Shortcuts[i], kFirstShortcutFunction);
  }
  return true;
}

}  // namespace hvt
