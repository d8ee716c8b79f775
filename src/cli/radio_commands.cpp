#include "cli/radio_commands.h"

#include <unistd.h>

#include <algorithm>
#include <charconv>
#include <iostream>

#include "app/radio_session.h"
#include "app/workspace.h"
#include "cli/link_driver.h"
#include "cli/session.h"
#include "files/file_io.h"
#include "qt/serial_ports.h"

namespace hvt::cli {

namespace {

const OptionSpec kPort{"--port", "PORT",
                       "serial port (see 'ports') or 'virtual' for the built-in virtual radio; "
                       "default: the port used last"};
const OptionSpec kPassword{"--password", "P", "the radio's password, when it has one"};
const OptionSpec kYes{"--yes", "", "answer the confirmations with OK"};
const OptionSpec kRetries{"--retries", "N", "answer 'retry?' with Retry up to N times (default 0), then Cancel"};
const OptionSpec kTestData{"--test-data", "FILE",
                           "carry the 64-byte test-mode area too: read saves it to FILE, write sends FILE"};
const OptionSpec kOutput{"-o", "FILE.dat", "the file to write after a successful read", true};

// Percentages as a bar on a terminal, as plain lines otherwise.
class ProgressPrinter {
 public:
  explicit ProgressPrinter(std::ostream& out) : out_(out), terminal_(isatty(STDERR_FILENO) == 1) {}
  ~ProgressPrinter() {
    if (terminal_ && shown_) out_ << "\n";
  }
  ProgressPrinter(const ProgressPrinter&) = delete;
  ProgressPrinter& operator=(const ProgressPrinter&) = delete;

  void Show(int percent) {
    shown_ = true;
    if (!terminal_) {
      out_ << percent << "%\n";
      return;
    }
    const int filled = percent * 40 / 100;
    out_ << "\r[" << std::string(static_cast<std::size_t>(filled), '#')
         << std::string(static_cast<std::size_t>(40 - filled), ' ') << "] " << percent << "%" << std::flush;
  }

 private:
  std::ostream& out_;
  bool terminal_;
  bool shown_ = false;
};

// Everything one radio command needs, set up from its options.
class RadioRun {
 public:
  RadioRun(const ParsedCommand& command, CommandIo& io, std::string_view name)
      : name_(name),
        session_(io),
        workspace_(session_.Context(), session_.Prompter()),
        portName_(command.Has("--port") ? command.Value("--port") : session_.Context().PortName()),
        driver_(portName_ == kVirtualPortName
                    ? VirtualLinkDriver(session_.Context().Folders().Settings / "virtual-radio.mem")
                    : SerialLinkDriver(portName_)),
        radio_(session_.Context(), workspace_, driver_->Port(), driver_->Timer(), session_.Prompter()),
        progress_(io.Err) {
    CliPrompter& prompter = session_.Prompter();
    prompter.SetAssumeYes(command.Has("--yes"));
    if (command.Has("--password")) prompter.SetPassword(command.Value("--password"));
    radio_.SetProgressListener([this](int percent) { progress_.Show(percent); });
    radio_.SetFinishedListener([this] { driver_->Wake(); });
  }

  Session& CommandSession() { return session_; }
  bool HasPort() const { return !portName_.empty(); }
  Workspace& Work() { return workspace_; }
  RadioSession& Radio() { return radio_; }

  // False with the exit code set when an option is wrong.
  bool ApplyRetries(const ParsedCommand& command, int& exitCode) {
    if (!command.Has("--retries")) return true;
    const std::string text = command.Value("--retries");
    int retries = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), retries);
    if (error != std::errc{} || end != text.data() + text.size() || retries < 0) {
      exitCode = session_.Fail(name_, "--retries takes a whole number from 0", kExitUsage);
      return false;
    }
    session_.Prompter().SetRetries(retries);
    return true;
  }

  // Runs a started operation to its end; true when it succeeded.
  bool Finish(bool started) {
    if (!started) {
      session_.Fail(name_, "nothing was transferred");
    } else {
      driver_->RunWhile([this] { return radio_.IsRunning(); });
    }
    if (!driver_->Finish()) session_.Fail(name_, "the virtual radio's memory could not be kept");
    const bool succeeded = started && radio_.LastResult() && radio_.LastResult()->Success;
    if (succeeded) {
      session_.Context().SetPortName(portName_);
      static_cast<void>(session_.Context().SavePortNumber());  // a convenience; the transfer stands
    }
    return succeeded;
  }

  // False with the exit code set when no port was given and none was used before.
  bool CheckPort(int& exitCode) {
    if (HasPort()) return true;
    exitCode = session_.Fail(name_, "no --port given and none used before (see 'hvt7300-cli ports')", kExitUsage);
    return false;
  }

 private:
  std::string name_;
  Session session_;
  Workspace workspace_;
  std::string portName_;
  std::unique_ptr<LinkDriver> driver_;
  RadioSession radio_;
  ProgressPrinter progress_;
};

int RunRead(const ParsedCommand& command, CommandIo& io) {
  RadioRun run(command, io, "read");
  int exitCode = kExitOk;
  if (!run.CheckPort(exitCode) || !run.ApplyRetries(command, exitCode)) return exitCode;
  run.Radio().SetTestDataOn(command.Has("--test-data"));
  if (!run.Finish(run.Radio().StartRead())) return kExitFailure;
  if (command.Has("--test-data") &&
      !WriteFileAtomically(command.Value("--test-data"), std::span<const std::uint8_t>(run.Radio().TestData()))) {
    return run.CommandSession().Fail("read", "the test-mode area could not be written to " + command.Value("--test-data"));
  }
  return run.Work().SaveFile(command.Value("-o")) == FileCheck::Ok ? kExitOk : kExitFailure;
}

int RunWrite(const ParsedCommand& command, CommandIo& io) {
  RadioRun run(command, io, "write");
  int exitCode = kExitOk;
  if (!run.CheckPort(exitCode) || !run.ApplyRetries(command, exitCode)) return exitCode;
  if (run.Work().OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;
  if (command.Has("--test-data")) {
    const auto area = ReadWholeFile(command.Value("--test-data"), kTestDataAreaSize);
    if (!area || area->size() != kTestDataAreaSize) {
      return run.CommandSession().Fail("write", command.Value("--test-data") + ": not a 64-byte test-mode area");
    }
    std::copy(area->begin(), area->end(), run.Radio().TestData().begin());
    run.Radio().SetTestDataOn(true);
  }
  return run.Finish(run.Radio().StartWrite()) ? kExitOk : kExitFailure;
}

int RunInfo(const ParsedCommand& command, CommandIo& io) {
  RadioRun run(command, io, "info");
  int exitCode = kExitOk;
  if (!run.CheckPort(exitCode) || !run.ApplyRetries(command, exitCode)) return exitCode;
  if (!run.Finish(run.Radio().StartInformationRead()) || !run.Radio().Information()) return kExitFailure;
  const EmbeddedInfo& info = *run.Radio().Information();
  const std::pair<const char*, const std::string*> lines[] = {
      {"Model", &info.Model},           {"Version", &info.Version},
      {"Serial number", &info.SerialNumber}, {"Production date", &info.ProductionDate},
      {"RF firmware", &info.RfFirmware}, {"LCD firmware", &info.LcdFirmware},
      {"Area code", &info.AreaCode},    {"Manufacture code", &info.ManufactureCode},
      {"User code", &info.UserCode},    {"Dealer code", &info.DealerCode},
      {"Stock date", &info.StockDate},  {"Sell date", &info.SellDate},
      {"Seller", &info.Seller},         {"Maintenance date", &info.MaintenanceDate},
      {"Maintenance reason", &info.MaintenanceReason},
  };
  io.Out << "Band index: " << info.BandIndex << "\n";
  for (const auto& [label, value] : lines) io.Out << label << ": " << *value << "\n";
  return kExitOk;
}

int RunPorts(const ParsedCommand&, CommandIo& io) {
  for (const SerialPortEntry& port : AvailableSerialPorts()) {
    io.Out << port.Name;
    if (!port.Description.empty()) io.Out << "  " << port.Description;
    io.Out << "\n";
  }
  return kExitOk;
}

}  // namespace

Command ReadCommand() {
  return {"read", "Read the configuration from the radio and save it.",
          {kPort, kOutput, kPassword, kYes, kRetries, kTestData}, {}, RunRead};
}

Command WriteCommand() {
  return {"write", "Write a configuration to the radio.", {kPort, kPassword, kYes, kRetries, kTestData},
          {{"FILE.dat", "the configuration file"}}, RunWrite};
}

Command InfoCommand() {
  return {"info", "Read the radio's service information (serial number, dates, dealer data).",
          {kPort, kPassword, kRetries}, {}, RunInfo};
}

Command PortsCommand() { return {"ports", "List the serial ports (and the virtual radio).", {}, {}, RunPorts}; }

}  // namespace hvt::cli
