#include "app/progress_presenter.h"

#include <algorithm>

#include "i18n/text_keys.h"

namespace hvt {

ProgressPresenter::ProgressPresenter(OperationKind kind, const LanguageTexts& texts) {
  // Reading the radio's information shows no progress; should it ever, it is a read.
  state_.Title =
      texts.BuiltIn(kind == OperationKind::Write ? BuiltInText::WriteTitle : BuiltInText::ReadTitle);
  state_.Caption = texts.BuiltIn(BuiltInText::ProgressLabel);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
}

void ProgressPresenter::SetPercent(int percent) {
  state_.Percent = std::clamp(percent, 0, 100);
  state_.PercentText = std::to_string(state_.Percent) + "%";
}

}  // namespace hvt
