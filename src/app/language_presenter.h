#pragma once

// The language dialog: English or Chinese, preselected at the current language. A language whose
// file is missing or unreadable is refused with a message naming the file, and the current one
// stays, rather than leaving every caption blank.

#include <string>

#include "app/app_context.h"
#include "editors/presenter.h"

namespace hvt {

class LanguagePresenter final : public DialogPresenter {
 public:
  struct ViewState {
    std::string Title;
    std::string Label;
    std::string OkText;
    std::string CancelText;
    ChoiceList Languages;  // an entry's value is the language id
  };

  LanguagePresenter(AppContext& context, Prompter& prompter);

  const ViewState& State() const { return state_; }

  void SelectEntry(int index);

  // Switches to the chosen language. A refused file keeps the current language and the dialog
  // open, so the user may choose again or cancel.
  [[nodiscard]] bool Ok() override;
  // True once Ok() has switched to another language.
  bool Changed() const { return changed_; }

 private:
  AppContext& context_;
  ViewState state_;
  bool changed_ = false;
};

}  // namespace hvt
