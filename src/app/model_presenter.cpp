#include "app/model_presenter.h"

#include "i18n/text_keys.h"
#include "model/band.h"

namespace hvt {

ModelPresenter::ModelPresenter(AppContext& context, Workspace& workspace, Prompter& prompter)
    : DialogPresenter(prompter), context_(context), workspace_(workspace) {
  const LanguageTexts& texts = context_.Texts();
  state_.Title = texts.LanguageText(text_key::ModelDialogTitle);
  state_.ModelLabel = texts.LanguageText(text_key::ModelLabel);
  state_.BandLabel = texts.LanguageText(text_key::BandLabel);
  state_.OkText = texts.LanguageText(text_key::OkButton);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
  state_.Models = {.Entries = {{context_.ModelTitle(), 0}}, .Selected = 0, .Enabled = false};
  state_.Bands.Entries = {
      {texts.LanguageText(text_key::BandEntries[0]), static_cast<int>(BandVariant::Restricted)},
      {texts.LanguageText(text_key::BandEntries[1]), static_cast<int>(BandVariant::Full)}};
  SelectBand(state_.Bands.IndexOf(static_cast<int>(context_.Band())));
}

void ModelPresenter::SelectBand(int index) {
  if (index < 0 || index >= static_cast<int>(state_.Bands.Entries.size())) return;
  state_.Bands.Selected = index;
  state_.BandText.Text = BandTextTwoLines(state_.Bands.SelectedValue(0));
}

bool ModelPresenter::Ok() {
  if (!workspace_.OfferToSaveChanges()) return false;
  if (prompter_.Ask(context_.Texts().BuiltIn(BuiltInText::ClearWarning), PromptButtons::OkCancel,
                    PromptIcon::Warning) != PromptAnswer::Ok) {
    return true;
  }
  const auto band = BandVariantFromNumber(state_.Bands.SelectedValue(static_cast<int>(context_.Band())));
  context_.ApplyBandVariant(band.value_or(context_.Band()));
  workspace_.NewConfiguration();
  replaced_ = true;
  return true;
}

}  // namespace hvt
