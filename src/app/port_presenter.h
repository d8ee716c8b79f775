#pragma once

// The port dialog: the ports the system offers now, with the virtual radio last, the saved port
// selected while it is there. The list is read again on every Refresh(), which the view calls on
// a timer, so a cable plugged in or pulled out shows while the dialog is open.
//
// The user may also type a port the system does not list (an adapter it does not report, the
// pseudo-terminal of the command-line tool's simulator); OK takes it only when it is there and is
// a character device.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_context.h"
#include "app/port_choice.h"
#include "editors/presenter.h"

namespace hvt {

// The system's ports as they are now; tests give fixed lists.
using PortLister = std::function<std::vector<SerialPortEntry>()>;

enum class PortPathKind { Missing, NotADevice, Device };
// What is at a typed port's path; tests give their own answer.
using PortPathChecker = std::function<PortPathKind(const std::string&)>;
// The file system's answer: a character device is a port.
PortPathKind CheckPortPath(const std::string& path);

class PortPresenter final : public DialogPresenter {
 public:
  struct ViewState {
    std::string Title;
    std::string Label;
    std::string OkText;
    std::string CancelText;
    ChoiceList Ports;      // an entry's value is its index in the list
    std::string PortText;  // what the box shows: the text typed, else the chosen entry's
  };

  PortPresenter(AppContext& context, Prompter& prompter, PortLister lister,
                PortPathChecker checker = CheckPortPath);

  const ViewState& State() const { return state_; }

  void SelectEntry(int index);
  // The user typed in the box; the text survives refreshes until an entry is chosen.
  void EditPortText(std::string_view text);
  // Lists the ports again, keeping the chosen one while it exists, else the first.
  void Refresh();

  // Saves the chosen port, or the typed one. A typed port that is not there, or is no character
  // device, is refused with a message naming it, and the dialog stays open. When the settings file
  // cannot be written the user is told, the port stays as it was and the dialog closes all the
  // same.
  [[nodiscard]] bool Ok() override;
  // True once Ok() has switched to another port and saved it.
  bool Changed() const { return changed_; }

 private:
  void Fill(const std::string& wanted);
  std::string SelectedName() const;
  // The typed text's port: a listed one by its entry text or name, else the path if usable; no
  // value after telling the user why it is refused.
  std::optional<std::string> TypedPort(std::string_view typed);

  AppContext& context_;
  PortLister lister_;
  PortPathChecker checker_;
  std::optional<std::string> typed_;
  std::vector<std::string> names_;  // by entry
  ViewState state_;
  bool changed_ = false;
};

}  // namespace hvt
