#include "editors/dtmf_special_presenter.h"

#include "i18n/text_keys.h"

namespace hvt {

DtmfSpecialPresenter::DtmfSpecialPresenter(DtmfPresenter& dtmf, Prompter& prompter)
    : DialogPresenter(prompter), dtmf_(dtmf) {
  const LanguageTexts& texts = dtmf.Texts();
  const auto option = [&texts](std::string_view key) { return texts.SectionText(text_key::kOption, key); };
  state_.Title = option(text_key::five_tone::SpecialCall);
  state_.TypeLabel = option(text_key::five_tone::CallType);
  state_.CalledIdLabel = option(text_key::five_tone::CalledId);
  state_.Ok = texts.LanguageText(text_key::OkButton);
  state_.Cancel = texts.LanguageText(text_key::CancelButton);
  state_.Type = ChoiceListOf({{"ANI", 0}}, 0);
}

std::string DtmfSpecialPresenter::TypeCalledId(std::string_view typed) {
  std::string kept;
  for (const char c : typed) {
    if (c >= '0' && c <= '9' && kept.size() < kCalledIdDigits) kept.push_back(c);
  }
  state_.CalledId.Text = kept;
  return kept;
}

void DtmfSpecialPresenter::LeaveCalledId() { state_.CalledId.Text.resize(kCalledIdDigits, '0'); }

bool DtmfSpecialPresenter::Ok() {
  LeaveCalledId();
  dtmf_.ApplyAniCode(state_.CalledId.Text);
  return true;
}

}  // namespace hvt
