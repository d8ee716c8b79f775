#include "cli/fleet_command.h"

#include <charconv>
#include <cstdio>
#include <set>

#include "app/fleet_reads.h"
#include "app/fleet_run.h"
#include "app/port_choice.h"
#include "app/workspace.h"
#include "cli/output_target.h"
#include "cli/serial_loop.h"
#include "cli/session.h"
#include "cli/stop_signals.h"
#include "model/codec_chain.h"

namespace hvt::cli {

namespace {

constexpr std::string_view kName = "fleet";
constexpr std::string_view kReadName = "fleet-read";

// How the tool names a radio's state during a write or a read.
struct Words {
  std::string_view Running;
  std::string_view Succeeded;
};
constexpr Words kWriting{"writing", "written"};
constexpr Words kReading{"reading", "read"};

std::string_view StateWord(FleetState state, const Words& words) {
  switch (state) {
    case FleetState::Waiting:
      return "waiting";
    case FleetState::Running:
      return words.Running;
    case FleetState::Succeeded:
      return words.Succeeded;
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
  FleetProgress(const FleetRun& fleet, const Words& words, std::ostream& err, bool terminal)
      : fleet_(fleet), words_(words), err_(err), terminal_(terminal) {}

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
      err_ << radio.PortName << ": " << StateWord(radio.State, words_) << "\n";
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
           << StateWord(radio.State, words_) << "\x1b[K\n";
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
  const Words& words_;
  std::ostream& err_;
  bool terminal_;
  std::size_t drawnLines_ = 0;
  std::vector<Shown> shown_;
};

// A table line per radio; `notes` (one per radio, may be empty) follow each detail.
void PrintResults(const FleetRun& fleet, const Words& words, const std::vector<std::string>& notes,
                  std::ostream& out) {
  const std::size_t portWidth = FleetProgress(fleet, words, out, false).PortWidth();
  out << FleetProgress::Padded("PORT", portWidth) << "  " << FleetProgress::Padded("RESULT", 11) << "  "
      << "TIME      DETAIL\n";
  for (std::size_t i = 0; i < fleet.Radios().size(); ++i) {
    const FleetRadioStatus& radio = fleet.Radios()[i];
    char seconds[32];
    std::snprintf(seconds, sizeof seconds, "%.1f s", std::chrono::duration<double>(radio.Elapsed).count());
    out << FleetProgress::Padded(radio.PortName, portWidth) << "  "
        << FleetProgress::Padded(StateWord(radio.State, words), 11) << "  "
        << FleetProgress::Padded(seconds, 8) << "  " << Readable(radio.Detail)
        << (i < notes.size() && !notes[i].empty() ? " " + notes[i] : "") << "\n";
  }
  out << fleet.Count(FleetState::Succeeded) << " of " << fleet.Radios().size() << " radios "
      << words.Succeeded << "\n";
}

// The options both commands share; false with the exit code set when one is wrong.
bool ReadOptions(const ParsedCommand& command, std::string_view name, Session& session, FleetOptions& options,
                 int& exitCode) {
  session.Prompter().SetAssumeYes(command.Has("--yes"));
  options.Verify = command.Has("--verify");
  if (command.Has("--password")) options.Password = command.Value("--password");
  if (command.Has("--retries")) {
    const std::string text = command.Value("--retries");
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), options.Retries);
    if (error != std::errc{} || end != text.data() + text.size() || options.Retries < 0) {
      exitCode = session.Fail(name, "--retries takes a whole number from 0", kExitUsage);
      return false;
    }
  }
  const std::vector<std::string> ports = command.Values("--port");
  // Caught before the confirmation, as every mistake of the command line is.
  if (std::set<std::string>(ports.begin(), ports.end()).size() != ports.size()) {
    exitCode = session.Fail(name, "a port is given twice", kExitUsage);
    return false;
  }
  for (const std::string& port : ports) {
    if (port == kVirtualPortName) {
      exitCode = session.Fail(name,
                              "the built-in virtual radio cannot be one of several; serve virtual radios on "
                              "pseudo-terminals with 'hvt7300-cli sim --pty' and give their paths",
                              kExitUsage);
      return false;
    }
  }
  return true;
}

// Asks once for the whole run; false when the user did not agree.
bool ConfirmRun(Session& session, BuiltInText question, std::size_t radios) {
  std::string text(session.Context().Texts().BuiltIn(question));
  if (const auto at = text.find("%1"); at != std::string::npos) text.replace(at, 2, std::to_string(radios));
  return session.Prompter().Ask(text, PromptButtons::OkCancel, PromptIcon::Question) == PromptAnswer::Ok;
}

// Runs a started fleet to its end with a progress line per radio; Ctrl+C cancels every radio.
// True when it was cancelled.
bool RunToTheEnd(FleetRun& fleet, FleetProgress& progress, SerialLoop& loop) {
  progress.Draw();
  const StopSignals stop(loop.WakeHandle());
  bool cancelled = false;
  loop.RunWhile([&] {
    if (StopSignals::Requested() && !cancelled) {
      cancelled = true;
      fleet.Cancel();
    }
    return fleet.IsRunning();
  });
  progress.Draw();
  return cancelled;
}

// Where a radio's read went: its file, or the recovery file, and its backup.
std::string ReadNote(const FleetReadFile& file) {
  std::string note;
  if (file.File) {
    note = "Saved as " + file.File->string() + ".";
  } else if (!file.Problem.empty()) {
    note = "It " + file.Problem +
           (file.Recovered ? "; kept in " + file.Recovered->string() : ", nor kept elsewhere") + ".";
  }
  if (file.Backup) note += " Backup: " + file.Backup->string() + ".";
  return note;
}

FleetLinkMaker SerialLinksOn(SerialLoop& loop) {
  return [&loop](const std::string& port) { return FleetLink{loop.NewPort(port), loop.NewTimer()}; };
}

int RunFleetWrite(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  FleetOptions options;
  int exitCode = kExitOk;
  if (!ReadOptions(command, kName, session, options, exitCode)) return exitCode;
  const std::vector<std::string> ports = command.Values("--port");
  Workspace workspace(session.Context(), session.Prompter());
  if (workspace.OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;
  // A configuration the encoders refuse never reaches a radio, and exits as 'encode' does.
  if (const auto failure = TrialEncode(workspace.Current()))
    return session.Fail(kName, EncodeFailureLine(*failure), kExitEncoderFailure);
  if (!ConfirmRun(session,
                  ports.size() == 1 ? BuiltInText::FleetConfirmationOne : BuiltInText::FleetConfirmation,
                  ports.size()))
    return session.Fail(kName, "nothing was written");

  const std::unique_ptr<SerialLoop> loop = NewSerialLoop();
  FleetRun fleet(session.Context().Texts(), SerialLinksOn(*loop));
  FleetProgress progress(fleet, kWriting, io.Err, io.ErrIsTerminal);
  fleet.SetListener(&progress);
  if (const auto problem = fleet.StartWrite(ports, workspace.Current(), session.Context().Band(), options))
    return session.Fail(kName, *problem, kExitUsage);
  const bool cancelled = RunToTheEnd(fleet, progress, *loop);
  PrintResults(fleet, kWriting, {}, io.Out);
  if (cancelled) return kExitCancelled;
  return fleet.Count(FleetState::Succeeded) == ports.size() ? kExitOk : kExitFailure;
}

int RunFleetRead(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  FleetOptions options;
  int exitCode = kExitOk;
  if (!ReadOptions(command, kReadName, session, options, exitCode)) return exitCode;
  const std::vector<std::string> ports = command.Values("--port");
  const std::filesystem::path folder = command.Value("-o");
  // Reads are worth nothing when they cannot be kept: the folder is checked first.
  if (const auto problem = OutputFolderProblem(folder))
    return session.Fail(kReadName, *problem + "; nothing was read");
  if (!ConfirmRun(session, BuiltInText::FleetReadConfirmation, ports.size()))
    return session.Fail(kReadName, "nothing was read");

  const std::unique_ptr<SerialLoop> loop = NewSerialLoop();
  FleetRun fleet(session.Context().Texts(), SerialLinksOn(*loop));
  FleetProgress progress(fleet, kReading, io.Err, io.ErrIsTerminal);
  fleet.SetListener(&progress);
  if (const auto problem = fleet.StartRead(ports, options))
    return session.Fail(kReadName, *problem, kExitUsage);
  const bool cancelled = RunToTheEnd(fleet, progress, *loop);
  std::vector<std::string> notes;
  bool allSaved = true;
  for (const FleetReadFile& file : SaveFleetReads(fleet, session.Context(), session.Prompter(), folder)) {
    notes.push_back(ReadNote(file));
    allSaved = allSaved && file.Problem.empty();
  }
  PrintResults(fleet, kReading, notes, io.Out);
  if (cancelled) return kExitCancelled;
  return fleet.Count(FleetState::Succeeded) == ports.size() && allSaved ? kExitOk : kExitFailure;
}

const OptionSpec kPorts{"--port", "PORT", "a serial port with a radio; give it once for each radio", true,
                        true};
const OptionSpec kPassword{"--password", "P", "the radios' password, when they have one"};
const OptionSpec kYes{"--yes", "", "answer the confirmation with OK"};
const OptionSpec kRetries{"--retries", "N",
                          "answer each radio's 'retry?' with Retry up to N times (default 0), then Cancel"};

}  // namespace

Command FleetCommand() {
  return {kName,
          "Write one configuration to the radios on several ports at once.",
          {kPorts,
           kPassword,
           kYes,
           kRetries,
           {"--verify", "", "after writing, read every written block back and compare"}},
          {{"FILE.dat", "the configuration file"}},
          RunFleetWrite};
}

Command FleetReadCommand() {
  return {
      kReadName,
      "Read the radios on several ports at once, each into a file of its own.",
      {kPorts,
       {"-o", "FOLDER", "where each radio's configuration goes, as SERIAL.dat (or the port's name)", true},
       kPassword,
       kYes,
       kRetries},
      {},
      RunFleetRead};
}

}  // namespace hvt::cli
