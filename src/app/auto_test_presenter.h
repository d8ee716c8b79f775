#pragma once

// The automatic test window: the feature groups whose blocks the production file (.EPM) marks,
// and the export. Nothing goes to the radio.

#include <array>
#include <string>

#include "app/app_context.h"
#include "app/workspace.h"
#include "editors/presenter.h"
#include "model/auto_test_recording.h"

namespace hvt {

// The factory's own name for its production files, in every language.
inline constexpr std::string_view kEpmFileFilter = "电调生产频 (*.EPM)|*.EPM";

class AutoTestPresenter final : public DialogPresenter {
 public:
  struct ViewState {
    std::string Title;
    std::string GroupsCaption;
    std::string ExportText;
    std::string CancelText;
    std::array<std::string, kAutoTestGroupCount> GroupCaptions;
    std::array<CheckField, kAutoTestGroupCount> Groups;  // group 0 ticked at first
  };

  AutoTestPresenter(AppContext& context, Workspace& workspace, Prompter& prompter);

  const ViewState& State() const { return state_; }

  void ToggleGroup(int index, bool checked);

  // Asks for the file and writes it from the current configuration. True, and the window closes,
  // only when the file was written; a cancelled dialog, an encoder's refusal (nothing written) or
  // a write error keep it open.
  [[nodiscard]] bool Export();
  [[nodiscard]] bool Ok() override { return Export(); }

 private:
  Workspace& workspace_;
  ViewState state_;
};

}  // namespace hvt
