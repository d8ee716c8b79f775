#include "editors/dtmf_presenter.h"

#include <algorithm>
#include <cstdint>
#include <utility>
#include <vector>

#include "i18n/text_keys.h"
#include "model/text.h"

namespace hvt {

namespace {

namespace keys = text_key::dtmf;

constexpr std::array<std::string_view, 6> kSeparatorKeys = {"A", "B", "C", "D", "*", "#"};
constexpr int kFirstSeparator = 10;
constexpr int kDefaultSeparator = 14;
constexpr std::size_t kCalledIdDigits = 3;
constexpr std::size_t kShortestOwnId = 3;
constexpr std::size_t kCodeDigits = 16;
constexpr std::size_t kRemoteCodeDigits = 14;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }
bool IsDigits(std::string_view text) { return !text.empty() && std::ranges::all_of(text, IsDigit); }

std::string Padded(std::string text, std::size_t length) {
  text.resize(std::max(text.size(), length), '0');
  return text;
}

std::vector<ListEntry> SeparatorEntries() {
  std::vector<ListEntry> entries;
  for (std::size_t i = 0; i < kSeparatorKeys.size(); ++i) {
    entries.push_back({std::string(kSeparatorKeys[i]), kFirstSeparator + static_cast<int>(i)});
  }
  return entries;
}

std::vector<ListEntry> MillisecondEntries(int first) {
  std::vector<ListEntry> entries;
  for (int units = first; units <= 250; ++units) entries.push_back({std::to_string(units * 10), units});
  return entries;
}

template <class Entry>
std::string Shown(const Entry& entry) {
  const std::string shown = DtmfStoreToShow(TextTrim(entry.Code.Raw()));
  return shown.substr(0, static_cast<std::size_t>(std::max<int>(entry.DigitCount, 0)));
}

template <class Entry>
void Store(Entry& entry, std::string_view shown) {
  entry.Code = DtmfShowToStore(shown);
  entry.DigitCount = static_cast<std::int16_t>(shown.size());
}

}  // namespace

DtmfPresenter::DtmfPresenter(DtmfSettings& dtmf, const LanguageTexts& texts, Prompter& prompter)
    : DialogPresenter(prompter), dtmf_(dtmf), texts_(texts) {
  const auto text = [&texts](std::int32_t key) { return texts.LanguageText(key); };
  const auto option = [&texts](std::string_view key) { return texts.SectionText(text_key::kOption, key); };
  state_.Title = text(text_key::TreeDtmf);
  state_.CodesFrame = text(keys::CodesFrame);
  state_.PttIdFrame = text(keys::PttIdFrame);
  state_.RemoteFrame = text(keys::RemoteFrame);
  state_.SettingsFrame = text(keys::SettingsFrame);
  for (int box = 0; box < kDtmfCodeCount; ++box) {
    state_.CodeLabels[static_cast<std::size_t>(box)] = "M" + std::to_string(box + 1);
  }
  state_.CodeLabels[kPttIdBeginBox] = option(text_key::five_tone::PttIdBegin);
  state_.CodeLabels[kPttIdEndBox] = option(text_key::five_tone::PttIdEnd);
  state_.CodeLabels[kKillBox] = option(text_key::five_tone::Functions[3]);
  state_.CodeLabels[kStunBox] = option(text_key::five_tone::Functions[4]);
  state_.OwnIdLabel = text(keys::OwnId);
  state_.ListLabels = {text(keys::Ani),
                       text(keys::SendTime),
                       text(keys::PttIdMode),
                       text(keys::Separator),
                       text(keys::GroupCode),
                       text(keys::DecodeResponse),
                       text(keys::FirstDigitDelay),
                       text(keys::PreSendDelay),
                       text(keys::ResetTime),
                       text(keys::PostSendDelay),
                       text(keys::PauseTime),
                       text(keys::IdDisplay)};
  state_.SpecialCallText = text(keys::SpecialCall);
  state_.Ok = text(text_key::OkButton);
  state_.Cancel = text(text_key::CancelButton);

  const std::string off = text(text_key::BusyLockOff);
  std::vector<ListEntry> sendTimes;
  for (const int ms : {50, 100, 200, 300, 500}) {
    sendTimes.push_back({std::to_string(ms) + text(keys::Milliseconds), static_cast<int>(sendTimes.size())});
  }
  std::vector<ListEntry> pttModes;
  for (std::size_t i = 0; i < text_key::PttIdModes.size(); ++i) {
    pttModes.push_back({text(text_key::PttIdModes[i]), static_cast<int>(i)});
  }
  std::vector<ListEntry> groups = {{off, kDtmfGroupCodeOff}};
  for (const ListEntry& entry : SeparatorEntries()) groups.push_back(entry);
  std::vector<ListEntry> responses;
  for (std::size_t i = 0; i < keys::Responses.size(); ++i) {
    responses.push_back({text(keys::Responses[i]), static_cast<int>(i)});
  }
  std::vector<ListEntry> resetTimes;
  for (int tenths = 0; tenths <= 250; ++tenths) {
    resetTimes.push_back({std::to_string(tenths / 10) + "." + std::to_string(tenths % 10), tenths});
  }
  std::vector<ListEntry> pauses = {{off, 0}};
  for (int value = 5; value <= 75; ++value) pauses.push_back({std::to_string(value), value});
  std::vector<ListEntry> firstDelays = MillisecondEntries(0);

  const DtmfSettings& d = dtmf_;
  List(DtmfList::Ani) = ChoiceListOf({{off, 0}, {text(keys::AniOn), 1}}, d.AniEnabled);
  List(DtmfList::SendTime) = ChoiceListOf(std::move(sendTimes), d.SendTime);
  List(DtmfList::PttIdMode) = ChoiceListOf(std::move(pttModes), d.PttIdMode);
  List(DtmfList::PttIdMode).Visible = false;
  List(DtmfList::Separator) = ChoiceListOf(SeparatorEntries(), d.Separator);
  List(DtmfList::GroupCode) = ChoiceListOf(std::move(groups), d.GroupCode);
  List(DtmfList::DecodeResponse) = ChoiceListOf(std::move(responses), d.DecodeResponse);
  List(DtmfList::FirstDigitDelay) = ChoiceListOf(std::move(firstDelays), d.FirstDigitDelay);
  List(DtmfList::PreSendDelay) = ChoiceListOf(MillisecondEntries(1), d.PreSendDelay);
  List(DtmfList::ResetTime) = ChoiceListOf(std::move(resetTimes), d.ResetTime);
  List(DtmfList::PostSendDelay) = ChoiceListOf(MillisecondEntries(1), d.PostSendDelay);
  List(DtmfList::PauseTime) = ChoiceListOf(std::move(pauses), d.PauseTime);
  List(DtmfList::IdDisplay) =
      ChoiceListOf({{text(keys::OffOn[0]), 0}, {text(keys::OffOn[1]), 1}}, d.IdDisplay);
  if (List(DtmfList::Separator).IndexOf(d.Separator) == ChoiceList::kNone) {
    List(DtmfList::Separator).SelectValueOrFirst(kDefaultSeparator);
  }

  for (int box = 0; box < kCodeBoxCount; ++box) {
    state_.Codes[static_cast<std::size_t>(box)].Text = CodeShown(box);
    opened_[static_cast<std::size_t>(box)] = CodeShown(box);
  }
  const std::size_t length = d.IdLength >= 3 && d.IdLength <= 5 ? static_cast<std::size_t>(d.IdLength) : 3;
  const std::string stored(TextTrim(d.OwnId.Raw()));
  const std::string ownId =
      IsDigits(stored) ? Padded(stored.substr(0, length), length) : std::string(length, '0');
  state_.OwnId.Text = ownId;
  openedOwnId_ = ownId;
  ownId_ = ownId;
}

std::string DtmfPresenter::CodeShown(int box) const {
  if (box < kDtmfCodeCount) return Shown(dtmf_.DtmfCodes[static_cast<std::size_t>(box)]);
  switch (box) {
    case kPttIdBeginBox:
      return Shown(dtmf_.PttIdBegin);
    case kPttIdEndBox:
      return Shown(dtmf_.PttIdEnd);
    case kKillBox:
      return Shown(dtmf_.KillCode);
    default:
      return Shown(dtmf_.StunCode);
  }
}

std::string DtmfPresenter::SeparatorText() const {
  const int separator =
      state_.Lists[static_cast<std::size_t>(DtmfList::Separator)].SelectedValue(kDefaultSeparator);
  return std::string(kSeparatorKeys[static_cast<std::size_t>(std::clamp(separator - kFirstSeparator, 0, 5))]);
}

void DtmfPresenter::SelectEntry(DtmfList list, int index) {
  ChoiceList& choices = List(list);
  if (index < 0 || index >= static_cast<int>(choices.Entries.size())) return;
  // ANI cannot be switched off here.
  if (list == DtmfList::Ani && index == 0) index = 1;
  const std::string before = SeparatorText();
  choices.Selected = index;
  if (list != DtmfList::Separator) return;
  const std::string after = SeparatorText();
  const std::size_t idLength = ownId_.size();
  for (int box = 0; box <= kPttIdEndBox; ++box) {
    std::string& code = state_.Codes[static_cast<std::size_t>(box)].Text;
    if (!code.ends_with(ownId_)) continue;
    const std::string_view head = std::string_view(code).substr(0, code.size() - idLength);
    if (head == before) {
      code = after + ownId_;
    } else if (head.size() == kCalledIdDigits + 1 && IsDigits(head.substr(0, kCalledIdDigits)) &&
               head.substr(kCalledIdDigits) == before) {
      code = std::string(head.substr(0, kCalledIdDigits)) + after + ownId_;
    }
  }
}

std::string DtmfPresenter::TypeCode(int box, std::string_view typed) {
  if (box < 0 || box >= kCodeBoxCount) return {};
  const std::size_t length = box >= kKillBox ? kRemoteCodeDigits : kCodeDigits;
  std::string kept;
  for (char c : typed) {
    if (c >= 'a' && c <= 'd') c = static_cast<char>(c - 'a' + 'A');
    const bool key = IsDigit(c) || (c >= 'A' && c <= 'D') || c == '*' || c == '#';
    if (key && kept.size() < length) kept.push_back(c);
  }
  state_.Codes[static_cast<std::size_t>(box)].Text = kept;
  return kept;
}

std::string DtmfPresenter::TypeOwnId(std::string_view typed) {
  std::string kept;
  for (const char c : typed) {
    if (IsDigit(c) && kept.size() < kOwnIdMaxDigits) kept.push_back(c);
  }
  state_.OwnId.Text = kept;
  return kept;
}

void DtmfPresenter::EnterCodeBox(int box) {
  if (box < 0 || box > kPttIdEndBox) return;
  codeBox_ = box;
  state_.SpecialCallEnabled = true;
}

// Only codes addressed with the own ID being replaced follow it: the separator alone, or a
// three-digit called ID and the separator, in front of it.
void DtmfPresenter::LeaveOwnId() {
  std::string& ownId = state_.OwnId.Text;
  ownId = Padded(ownId, kShortestOwnId);
  if (ownId == ownId_) return;
  const std::string separator = SeparatorText();
  for (int box = 0; box <= kPttIdEndBox; ++box) {
    std::string& code = state_.Codes[static_cast<std::size_t>(box)].Text;
    if (!code.ends_with(ownId_)) continue;
    const std::string_view head = std::string_view(code).substr(0, code.size() - ownId_.size());
    const bool separatorOnly = head == separator;
    const bool withCalledId = head.size() == kCalledIdDigits + 1 &&
                              IsDigits(head.substr(0, kCalledIdDigits)) &&
                              head.substr(kCalledIdDigits) == separator;
    if (separatorOnly || withCalledId) code = std::string(head) + ownId;
  }
  ownId_ = ownId;
}

void DtmfPresenter::ApplyAniCode(std::string_view calledId) {
  if (codeBox_ < 0 || codeBox_ > kPttIdEndBox) return;
  state_.Codes[static_cast<std::size_t>(codeBox_)].Text =
      std::string(calledId) + SeparatorText() + state_.OwnId.Text;
}

void DtmfPresenter::StoreCode(int box) {
  const std::string& shown = state_.Codes[static_cast<std::size_t>(box)].Text;
  if (shown == opened_[static_cast<std::size_t>(box)]) return;
  if (box < kDtmfCodeCount) {
    Store(dtmf_.DtmfCodes[static_cast<std::size_t>(box)], shown);
  } else if (box == kPttIdBeginBox) {
    Store(dtmf_.PttIdBegin, shown);
  } else if (box == kPttIdEndBox) {
    Store(dtmf_.PttIdEnd, shown);
  } else if (box == kKillBox) {
    Store(dtmf_.KillCode, shown);
  } else {
    Store(dtmf_.StunCode, shown);
  }
}

bool DtmfPresenter::Ok() {
  const std::string& kill = state_.Codes[kKillBox].Text;
  if (!kill.empty() && kill == state_.Codes[kStunBox].Text) {
    state_.FocusBox = kKillBox;
    prompter_.Tell(texts_.LanguageText(keys::KillEqualsStun), PromptIcon::Warning);
    return false;
  }
  state_.FocusBox = -1;
  DtmfSettings& d = dtmf_;
  const auto value = [this](DtmfList list) {
    const ChoiceList& choices = state_.Lists[static_cast<std::size_t>(list)];
    return static_cast<std::int16_t>(choices.SelectedValue(choices.Entries.front().Value));
  };
  d.AniEnabled = value(DtmfList::Ani);
  d.SendTime = value(DtmfList::SendTime);
  d.PttIdMode = value(DtmfList::PttIdMode);
  d.Separator = value(DtmfList::Separator);
  d.GroupCode = value(DtmfList::GroupCode);
  d.DecodeResponse = value(DtmfList::DecodeResponse);
  d.FirstDigitDelay = value(DtmfList::FirstDigitDelay);
  d.PreSendDelay = value(DtmfList::PreSendDelay);
  d.ResetTime = value(DtmfList::ResetTime);
  d.PostSendDelay = value(DtmfList::PostSendDelay);
  d.PauseTime = value(DtmfList::PauseTime);
  d.IdDisplay = value(DtmfList::IdDisplay);
  const std::string ownId = Padded(state_.OwnId.Text, kShortestOwnId);
  if (ownId != openedOwnId_) {
    d.IdLength = static_cast<std::int16_t>(ownId.size());
    d.OwnId = ownId + '\0';
  }
  for (int box = 0; box < kCodeBoxCount; ++box) StoreCode(box);
  return true;
}

}  // namespace hvt
