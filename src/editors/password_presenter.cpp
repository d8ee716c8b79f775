#include "editors/password_presenter.h"

#include <utility>

#include "i18n/text_keys.h"

namespace hvt {

PasswordPresenter::PasswordPresenter(const LanguageTexts& texts, std::string_view remembered,
                                     Prompter& prompter)
    : DialogPresenter(prompter) {
  state_.Title = texts.LanguageText(text_key::PasswordTitle);
  state_.Label = texts.LanguageText(text_key::PasswordLabel);
  state_.OkText = texts.LanguageText(text_key::OkButton);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
  EditText(remembered);
}

void PasswordPresenter::EditText(std::string_view text) {
  std::string kept;
  for (const char c : text) {
    if (kept.size() == kMaxLength) break;
    // The radio stores one byte a character; anything outside printable ASCII cannot be typed.
    if (c >= 0x20 && c <= 0x7E) kept.push_back(c);
  }
  state_.Password.Text = std::move(kept);
}

}  // namespace hvt
