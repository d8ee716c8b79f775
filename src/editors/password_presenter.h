#pragma once

// The password dialog: one box of at most four characters, shown as "*", opening with the
// password remembered during this run. OK hands the entry on as typed; the check trims it.

#include <cstddef>
#include <string>
#include <string_view>

#include "editors/presenter.h"
#include "i18n/language_texts.h"

namespace hvt {

class PasswordPresenter final : public DialogPresenter {
 public:
  static constexpr std::size_t kMaxLength = 4;

  struct ViewState {
    std::string Title;
    std::string Label;
    std::string OkText;
    std::string CancelText;
    TextField Password;
  };

  PasswordPresenter(const LanguageTexts& texts, std::string_view remembered, Prompter& prompter);

  const ViewState& State() const { return state_; }

  // Keeps what the box may hold: characters of code 32 to 126, at most four of them.
  void EditText(std::string_view text);

  [[nodiscard]] bool Ok() override { return true; }
  const std::string& Password() const { return state_.Password.Text; }

 private:
  ViewState state_;
};

}  // namespace hvt
