#pragma once

// The port dialog: the ports the system offers now, with the virtual radio last, the saved port
// selected while it is there. The list is read again on every Refresh(), which the view calls on
// a timer, so a cable plugged in or pulled out shows while the dialog is open.

#include <functional>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/port_choice.h"
#include "editors/presenter.h"

namespace hvt {

// The system's ports as they are now; tests give fixed lists.
using PortLister = std::function<std::vector<SerialPortEntry>()>;

class PortPresenter final : public DialogPresenter {
 public:
  struct ViewState {
    std::string Title;
    std::string Label;
    std::string OkText;
    std::string CancelText;
    ChoiceList Ports;  // an entry's value is its index in the list
  };

  PortPresenter(AppContext& context, Prompter& prompter, PortLister lister);

  const ViewState& State() const { return state_; }

  void SelectEntry(int index);
  // Lists the ports again, keeping the chosen one while it exists, else the first.
  void Refresh();

  // Saves the chosen port. When the settings file cannot be written the user is told, the port
  // stays as it was and the dialog closes all the same.
  [[nodiscard]] bool Ok() override;
  // True once Ok() has switched to another port and saved it.
  bool Changed() const { return changed_; }

 private:
  void Fill(const std::string& wanted);
  std::string SelectedName() const;

  AppContext& context_;
  PortLister lister_;
  std::vector<std::string> names_;  // by entry
  ViewState state_;
  bool changed_ = false;
};

}  // namespace hvt
