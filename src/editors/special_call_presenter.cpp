#include "editors/special_call_presenter.h"

#include <algorithm>
#include <cstdio>
#include <vector>

#include "i18n/text_keys.h"
#include "model/five_tone_code_text.h"

namespace hvt {

namespace {

namespace keys = text_key::five_tone;

constexpr std::string_view kHexDigits = "0123456789ABCDEF";
constexpr std::string_view kSelfId = "SelfID";

bool IsSelectable(const ChoiceList& list, int index) {
  return list.Enabled && index >= 0 && index < static_cast<int>(list.Entries.size());
}

std::string HexOf(std::string_view message) {
  std::string hex;
  for (const char c : message) {
    const auto value = static_cast<unsigned char>(c);
    hex += kHexDigits[value / 16];
    hex += kHexDigits[value % 16];
  }
  return hex;
}

}  // namespace

SpecialCallPresenter::SpecialCallPresenter(FiveTonePresenter& fiveTone, SpecialTarget target, int row,
                                           Prompter& prompter)
    : DialogPresenter(prompter), fiveTone_(fiveTone), target_(target) {
  const LanguageTexts& texts = fiveTone.Texts();
  const auto text = [&](std::string_view key) { return texts.SectionText(text_key::kOption, key); };
  const std::string dataMessage = text(keys::DataMessage);
  state_.Title = text(keys::SpecialCall);
  switch (target) {
    case SpecialTarget::ListEntry:
      state_.TargetLabel = text(keys::EntryNumber);
      break;
    case SpecialTarget::PttIdBegin:
      state_.TargetLabel = text(keys::PttIdBegin);
      break;
    case SpecialTarget::PttIdEnd:
      state_.TargetLabel = text(keys::PttIdEnd);
      break;
  }
  state_.TypeLabel = text(keys::CallType);
  state_.CalledIdLabel = text(keys::CalledId);
  state_.MessageLabel = text(keys::Message);
  state_.SeparatorLabel = text(keys::Separator);
  state_.DataFrameTitle = dataMessage;
  state_.AniFrameTitle = "ANI";
  state_.Ok = texts.LanguageText(text_key::OkButton);
  state_.Cancel = texts.LanguageText(text_key::CancelButton);

  std::vector<ListEntry> entries;
  for (int entry = 0; entry < kFiveToneCodeCount; ++entry) entries.push_back({std::to_string(entry), entry});
  state_.Entry = ChoiceListOf(std::move(entries), std::max(row, 0));
  state_.Entry.Visible = target == SpecialTarget::ListEntry;
  state_.Type = ChoiceListOf({{dataMessage, 0}, {"ANI", 1}}, 0);
  std::vector<ListEntry> separators;
  for (int digit = 0; digit < 16; ++digit) {
    separators.push_back({std::string(1, kHexDigits[static_cast<std::size_t>(digit)]), digit});
  }
  state_.Separator = ChoiceListOf(std::move(separators), fiveTone.WorkingCopy().Separator);
}

void SpecialCallPresenter::SelectEntry(int index) {
  if (IsSelectable(state_.Entry, index)) state_.Entry.Selected = index;
}

void SpecialCallPresenter::SelectType(int index) {
  if (!IsSelectable(state_.Type, index)) return;
  state_.Type.Selected = index;
  const bool ani = state_.Type.SelectedValue(0) == static_cast<int>(CallType::Ani);
  state_.AniFrameVisible = ani;
  state_.DataFrameVisible = !ani;
}

void SpecialCallPresenter::SelectSeparator(int index) {
  if (IsSelectable(state_.Separator, index)) state_.Separator.Selected = index;
}

std::string SpecialCallPresenter::TypeCalledId(CallType call, std::string_view typed) {
  std::string kept;
  for (char c : typed) {
    if (c == 'a') c = 'A';
    if (kept.size() < kCalledIdLength && ((c >= '0' && c <= '9') || c == 'A')) kept.push_back(c);
  }
  CalledId(call).Text = kept;
  return kept;
}

bool SpecialCallPresenter::LeaveCalledId(CallType call) {
  if (CalledId(call).Text.size() == kCalledIdLength) return true;
  prompter_.Tell(fiveTone_.Texts().SectionText(text_key::kMsg, text_key::IdTooShort), PromptIcon::Warning);
  return false;
}

std::string SpecialCallPresenter::TypeMessage(std::string_view typed) {
  std::string kept;
  for (char c : typed) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
    const bool letterOrDigit = (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z');
    if (kept.size() < kMessageLength && letterOrDigit) kept.push_back(c);
  }
  state_.Message.Text = kept;
  return kept;
}

bool SpecialCallPresenter::Ok() {
  const auto call = static_cast<CallType>(state_.Type.SelectedValue(0));
  const std::string& calledId = CalledId(call).Text;
  if (calledId.size() != kCalledIdLength) return false;
  const int separator = state_.Separator.SelectedValue(0);
  std::string code;
  if (call == CallType::Ani) {
    const std::string ownId =
        target_ == SpecialTarget::ListEntry ? std::string(kSelfId) : fiveTone_.State().OwnId.Text;
    code = calledId + kHexDigits[static_cast<std::size_t>(separator)] + ownId;
  } else {
    code = InsertRepeatTones("E1" + calledId + "E") + HexOf(state_.Message.Text);
  }
  fiveTone_.ApplySpecialCall(target_, state_.Entry.SelectedValue(0), code, separator);
  return true;
}

}  // namespace hvt
