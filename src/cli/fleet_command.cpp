#include "cli/fleet_command.h"

#include <QEventLoop>
#include <QString>
#include <QTimer>
#include <charconv>
#include <cstdio>

#include "app/fleet_run.h"
#include "app/port_choice.h"
#include "app/workspace.h"
#include "cli/session.h"
#include "cli/stop_signals.h"
#include "model/codec_chain.h"
#include "qt/qt_reply_timer.h"
#include "qt/serial_link_port.h"

namespace hvt::cli {

namespace {

constexpr std::string_view kName = "fleet";

std::string_view StateWord(FleetState state) {
  switch (state) {
    case FleetState::Waiting:
      return "waiting";
    case FleetState::Running:
      return "writing";
    case FleetState::Succeeded:
      return "written";
    case FleetState::Failed:
      return "failed";
    case FleetState::Cancelled:
      return "cancelled";
    case FleetState::NotStarted:
      return "not started";
  }
  return "";
}

// A line per radio: on a terminal the lines are drawn again in place whenever one changes;
// otherwise a line is printed for each tenth a radio reaches and when it ends.
class FleetProgress final : public FleetListener {
 public:
  FleetProgress(const FleetRun& fleet, std::ostream& err, bool terminal)
      : fleet_(fleet), err_(err), terminal_(terminal) {}

  void OnRadioChanged(std::size_t index) override {
    if (terminal_) {
      Draw();
      return;
    }
    const FleetRadioStatus& radio = fleet_.Radios()[index];
    shown_.resize(fleet_.Radios().size(), {-1, FleetState::Waiting});
    Shown& shown = shown_[index];
    const int tenth = radio.Percent / 10;
    if (radio.State == FleetState::Running && tenth != shown.Tenth) {
      err_ << radio.PortName << ": " << radio.Percent << "%\n";
    } else if (radio.State != FleetState::Running && radio.State != shown.State) {
      err_ << radio.PortName << ": " << StateWord(radio.State) << "\n";
    }
    shown = {tenth, radio.State};
  }
  void OnFleetFinished() override {}

  // Draws the lines once more; after it the cursor is below them.
  void Draw() {
    if (!terminal_) return;
    const auto& radios = fleet_.Radios();
    if (drawnLines_ > 0) err_ << "\x1b[" << drawnLines_ << "A";
    for (const FleetRadioStatus& radio : radios) {
      const int filled = radio.Percent * 30 / 100;
      err_ << "\r" << Padded(radio.PortName, PortWidth()) << " ["
           << std::string(static_cast<std::size_t>(filled), '#')
           << std::string(static_cast<std::size_t>(30 - filled), ' ') << "] " << radio.Percent << "% "
           << StateWord(radio.State) << "\x1b[K\n";
    }
    err_ << std::flush;
    drawnLines_ = radios.size();
  }

  std::size_t PortWidth() const {
    std::size_t width = 4;
    for (const FleetRadioStatus& radio : fleet_.Radios()) width = std::max(width, radio.PortName.size());
    return width;
  }
  static std::string Padded(std::string_view text, std::size_t width) {
    std::string padded(text);
    padded.resize(std::max(width, text.size()), ' ');
    return padded;
  }

 private:
  struct Shown {
    int Tenth;
    FleetState State;
  };
  const FleetRun& fleet_;
  std::ostream& err_;
  bool terminal_;
  std::size_t drawnLines_ = 0;
  std::vector<Shown> shown_;
};

void PrintResults(const FleetRun& fleet, std::ostream& out) {
  const std::size_t portWidth = FleetProgress(fleet, out, false).PortWidth();
  out << FleetProgress::Padded("PORT", portWidth) << "  " << FleetProgress::Padded("RESULT", 11) << "  "
      << "TIME      DETAIL\n";
  for (const FleetRadioStatus& radio : fleet.Radios()) {
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", std::chrono::duration<double>(radio.Elapsed).count());
    out << FleetProgress::Padded(radio.PortName, portWidth) << "  "
        << FleetProgress::Padded(StateWord(radio.State), 11) << "  " << FleetProgress::Padded(seconds, 8)
        << "  " << Readable(radio.Detail) << "\n";
  }
  out << fleet.Count(FleetState::Succeeded) << " of " << fleet.Radios().size() << " radios written\n";
}

int RunFleet(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  CliPrompter& prompter = session.Prompter();
  prompter.SetAssumeYes(command.Has("--yes"));
  FleetOptions options{.Verify = command.Has("--verify")};
  if (command.Has("--password")) options.Password = command.Value("--password");
  if (command.Has("--retries")) {
    const std::string text = command.Value("--retries");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), options.Retries);
    if (error != std::errc{} || end != text.data() + text.size() || options.Retries < 0)
      return session.Fail(kName, "--retries takes a whole number from 0", kExitUsage);
  }
  const std::vector<std::string> ports = command.Values("--port");
  for (const std::string& port : ports) {
    if (port == kVirtualPortName) {
      return session.Fail(kName,
                          "the built-in virtual radio cannot be one of several; serve virtual radios on "
                          "pseudo-terminals with 'hvt7300-cli sim --pty' and give their paths",
                          kExitUsage);
    }
  }
  Workspace workspace(session.Context(), prompter);
  if (workspace.OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;

  // A configuration the encoders refuse never reaches a radio, and exits as 'encode' does.
  if (const auto failure = TrialEncode(workspace.Current()))
    return session.Fail(kName, EncodeFailureLine(*failure), kExitEncoderFailure);

  std::string question(session.Context().Texts().BuiltIn(BuiltInText::FleetConfirmation));
  question.replace(question.find("%1"), 2, std::to_string(ports.size()));
  if (prompter.Ask(question, PromptButtons::OkCancel, PromptIcon::Question) != PromptAnswer::Ok)
    return session.Fail(kName, "nothing was written");

  FleetRun fleet(session.Context().Texts(), [](const std::string& port) {
    return FleetLink{std::make_unique<SerialLinkPort>(QString::fromStdString(port)),
                     std::make_unique<QtReplyTimer>()};
  });
  FleetProgress progress(fleet, io.Err, io.ErrIsTerminal);
  fleet.SetListener(&progress);
  const StopSignals stop;
  if (const auto problem = fleet.StartWrite(ports, workspace.Current(), session.Context().Band(), options)) {
    return session.Fail(kName, *problem, kExitUsage);
  }
  progress.Draw();
  QEventLoop loop;
  QTimer look;
  QObject::connect(&look, &QTimer::timeout, &loop, &QEventLoop::quit);
  look.start(50);
  bool cancelled = false;
  while (fleet.IsRunning()) {
    if (StopSignals::Requested() && !cancelled) {
      cancelled = true;
      fleet.Cancel();
    }
    loop.exec();
  }
  progress.Draw();
  PrintResults(fleet, io.Out);
  if (cancelled) return kExitCancelled;
  return fleet.Count(FleetState::Succeeded) == ports.size() ? kExitOk : kExitFailure;
}

}  // namespace

Command FleetCommand() {
  return {
      kName,
      "Write one configuration to the radios on several ports at once.",
      {{"--port", "PORT", "a serial port with a radio; give it once for each radio", true, true},
       {"--password", "P", "the radios' password, when they have one"},
       {"--yes", "", "answer the confirmation with OK"},
       {"--retries", "N", "answer each radio's 'retry?' with Retry up to N times (default 0), then Cancel"},
       {"--verify", "", "after writing, read every written block back and compare"}},
      {{"FILE.dat", "the configuration file"}},
      RunFleet};
}

}  // namespace hvt::cli
