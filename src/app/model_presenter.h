#pragma once

// The model dialog: the one model the program serves, and the band variant of the configuration.
// Because channel frequencies depend on the band, OK replaces the configuration by a new one for
// the chosen band, after offering to save unsaved changes and after the "cleared" warning.

#include <string>

#include "app/app_context.h"
#include "app/workspace.h"
#include "editors/presenter.h"

namespace hvt {

class ModelPresenter final : public DialogPresenter {
 public:
  struct ViewState {
    std::string Title;
    std::string ModelLabel;
    std::string BandLabel;
    std::string OkText;
    std::string CancelText;
    ChoiceList Models;   // the model title alone, selected and disabled
    ChoiceList Bands;    // an entry's value is the band variant
    TextField BandText;  // two lines, read-only
  };

  ModelPresenter(AppContext& context, Workspace& workspace, Prompter& prompter);

  const ViewState& State() const { return state_; }

  void SelectBand(int index);

  // Cancel in the unsaved-changes question keeps the dialog open with nothing changed; otherwise
  // the warning decides, and the dialog closes either way.
  [[nodiscard]] bool Ok() override;
  // True once Ok() has applied the band and started a new configuration.
  bool Replaced() const { return replaced_; }

 private:
  AppContext& context_;
  Workspace& workspace_;
  ViewState state_;
  bool replaced_ = false;
};

}  // namespace hvt
