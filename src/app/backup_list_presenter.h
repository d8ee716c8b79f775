#pragma once

// File > Open Backup: the configurations kept from reads, newest first, each with the radio's
// serial number and the time of the read; OK opens the chosen one.

#include <string>
#include <vector>

#include "app/radio_backups.h"
#include "app/workspace.h"
#include "editors/presenter.h"

namespace hvt {

class BackupListPresenter final : public DialogPresenter {
 public:
  struct ViewState {
    std::string Title;
    std::string RadioHeader;
    std::string TimeHeader;
    std::string Ok;
    std::string Cancel;
    std::vector<Backup> Backups;
    int Selected = 0;  // -1 when there is none to choose
  };

  BackupListPresenter(Workspace& workspace, const AppContext& context, Prompter& prompter);

  const ViewState& State() const { return state_; }
  // False, after saying so, when there is no backup: the window need not open.
  bool HasBackups();

  void Select(int row);
  [[nodiscard]] bool Ok() override;

 private:
  Workspace& workspace_;
  const AppContext& context_;
  ViewState state_;
};

}  // namespace hvt
