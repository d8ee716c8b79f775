#pragma once

// Program > Write to Several Radios: the serial ports with a check box each, the options of the
// run (verify, password, retries), and per port the state of its radio with a bar. Start asks
// once for the whole run, then every checked port gets the workspace's configuration at once;
// nobody is asked anything on the way. While radios are written the choices are locked, Cancel
// stops them all, and closing the window first asks whether to stop.
//
// The view renders State() and forwards the user's events; the presenter owns the run and tells
// the view (as a FleetListener) which row to redraw and when the run has ended.

#include <cstddef>
#include <string>
#include <vector>

#include "app/app_context.h"
#include "app/fleet_run.h"
#include "app/port_presenter.h"
#include "app/workspace.h"
#include "editors/presenter.h"

namespace hvt {

class FleetPresenter final : private FleetListener {
 public:
  static constexpr int kMaxRetries = 9;

  struct Row {
    std::string Port;
    std::string Description;
    CheckField Checked;
    std::string StateText;   // empty until the port takes part in a run
    int Percent = 0;         // 0-100, for the bar
    std::string Detail;      // what the link told, in full
    std::string DetailLine;  // its first line, for the column

    bool operator==(const Row&) const = default;
  };

  struct ViewState {
    std::string Title;
    std::string PortHeader;
    std::string DescriptionHeader;
    std::string ProgressHeader;
    std::string StateHeader;
    std::string DetailHeader;
    std::vector<Row> Rows;
    std::string NoPorts;  // shown instead of the rows when there is none; empty otherwise
    // Every state text a row can show at its widest, so the column never cuts one off.
    std::vector<std::string> StateSamples;

    std::string VerifyText;
    CheckField Verify;
    std::string PasswordLabel;
    TextField Password;
    std::string RetriesLabel;
    int Retries = 1;
    bool RetriesEnabled = true;

    std::string StartText;
    std::string CancelText;
    std::string CloseText;
    bool StartEnabled = false;
    bool CancelEnabled = false;
    std::string Summary;  // after a run
    // The user asked to close while radios were written; the view closes once the run ends.
    bool CloseWhenEnded = false;
  };

  // `lister` gives the system's ports (the virtual radio among them is left out: it runs on a
  // simulated clock); `makeLink` a port and timer for each radio of a run.
  FleetPresenter(const AppContext& context, const Workspace& workspace, Prompter& prompter, PortLister lister,
                 FleetLinkMaker makeLink);
  ~FleetPresenter() override;

  const ViewState& State() const { return state_; }
  // Told after the state changed: a row's state or bar, and the end of a run.
  void SetView(FleetListener* view) { view_ = view; }
  // From Start() until the run has told its end (the last radio's link may still be winding down
  // its own steps at that moment).
  bool IsRunning() const { return !ended_; }

  void SetChecked(int row, bool checked);
  void SetVerify(bool verify);
  void SetPassword(std::string_view password);
  void SetRetries(int retries);
  // Lists the ports again, keeping the check boxes of the ports still there; not during a run nor
  // while the confirmation is open.
  // True when the rows changed.
  bool Refresh();

  // Asks the user, then writes to every checked port; true when the run has started.
  bool Start();
  // Every radio stops after its packet in flight.
  void Cancel();
  // The window's Close, Escape or close box: true when the window may close now. During a run
  // the user is asked whether to stop it; then the window closes when every radio has stopped.
  [[nodiscard]] bool Close();

 private:
  void OnRadioChanged(std::size_t index) override;
  void OnFleetFinished() override;
  // The lister's ports that can take part, each once.
  std::vector<SerialPortEntry> ListedPorts() const;
  void Fill(const std::vector<SerialPortEntry>& ports);
  void RenderRow(std::size_t row, const FleetRadioStatus& status);
  void RenderControls();
  std::vector<std::size_t> CheckedRows() const;

  const AppContext& context_;
  const Workspace& workspace_;
  Prompter& prompter_;
  PortLister lister_;
  FleetRun run_;
  FleetListener* view_ = nullptr;
  std::vector<std::size_t> runRows_;  // the row of each radio of the run
  bool cancelling_ = false;
  bool ended_ = true;
  bool asking_ = false;
  ViewState state_;
};

}  // namespace hvt
