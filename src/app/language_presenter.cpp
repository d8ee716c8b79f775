#include "app/language_presenter.h"

#include "i18n/language.h"
#include "i18n/text_keys.h"

namespace hvt {

LanguagePresenter::LanguagePresenter(AppContext& context, Prompter& prompter)
    : DialogPresenter(prompter), context_(context) {
  const LanguageTexts& texts = context_.Texts();
  state_.Title = texts.LanguageText(text_key::LanguageDialogCaption);
  state_.Label = state_.Title;
  state_.OkText = texts.LanguageText(text_key::OkButton);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
  state_.Languages.Entries = {{texts.LanguageText(text_key::LanguageEnglish), kEnglish},
                              {texts.LanguageText(text_key::LanguageChinese), kChinese}};
  if (!state_.Languages.SelectValue(context_.LanguageId())) state_.Languages.Selected = 0;
}

void LanguagePresenter::SelectEntry(int index) {
  const bool valid = index >= 0 && index < static_cast<int>(state_.Languages.Entries.size());
  if (valid) state_.Languages.Selected = index;
}

bool LanguagePresenter::Ok() {
  const int chosen = state_.Languages.SelectedValue(context_.LanguageId());
  if (chosen == context_.LanguageId()) return true;
  if (!context_.SwitchLanguage(chosen)) {
    const std::string reason = context_.Texts().LanguageText(text_key::LanguageFileRefused);
    const std::string file = context_.LanguageFileOf(chosen).string();
    prompter_.Tell(reason.empty() ? file : reason + "\n" + file, PromptIcon::Warning);
    return false;
  }
  changed_ = true;
  return true;
}

}  // namespace hvt
