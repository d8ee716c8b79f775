#include "cli/radio_commands.h"

#include <algorithm>
#include <charconv>
#include <ctime>

#include "app/radio_session.h"
#include "app/virtual_radio_memory.h"
#include "app/workspace.h"
#include "cli/link_driver.h"
#include "cli/output_target.h"
#include "cli/session.h"
#include "cli/stop_signals.h"
#include "files/file_io.h"
#include "model/codec_chain.h"
#include "qt/serial_ports.h"

namespace hvt::cli {

namespace {

const OptionSpec kPort{"--port", "PORT",
                       "serial port (see 'ports') or 'virtual' for the built-in virtual radio; "
                       "default: the port used last"};
const OptionSpec kPassword{"--password", "P", "the radio's password, when it has one"};
const OptionSpec kYes{"--yes", "", "answer the confirmations with OK"};
const OptionSpec kRetries{"--retries", "N",
                          "answer 'retry?' with Retry up to N times (default 0), then Cancel"};
const OptionSpec kTestData{"--test-data", "FILE",
                           "carry the 64-byte test-mode area too: read saves it to FILE, write sends FILE"};
const OptionSpec kVerify{
    "--verify", "", "after writing, read every written block back and compare; a difference fails the write"};
const OptionSpec kOutput{"-o", "FILE.dat", "the file to write after a successful read", true};

// Everything one radio command needs, set up from its options.
class RadioRun {
 public:
  RadioRun(const ParsedCommand& command, CommandIo& io, std::string_view name)
      : name_(name),
        session_(io),
        workspace_(session_.Context(), session_.Prompter()),
        portName_(command.Has("--port") ? command.Value("--port") : session_.Context().PortName()),
        driver_(portName_ == kVirtualPortName
                    ? VirtualLinkDriver(VirtualRadioMemory::FileIn(session_.Context().Folders().Settings))
                    : SerialLinkDriver(portName_)),
        radio_(session_.Context(), workspace_, driver_->Port(), driver_->Timer(), session_.Prompter()) {
    CliPrompter& prompter = session_.Prompter();
    prompter.SetAssumeYes(command.Has("--yes"));
    if (command.Has("--password")) prompter.SetPassword(command.Value("--password"));
    radio_.SetProgressListener([&prompter](int percent) { prompter.ShowProgress(percent); });
    radio_.SetFinishedListener([this] { driver_->Wake(); });
  }

  Session& CommandSession() { return session_; }
  Workspace& Work() { return workspace_; }
  RadioSession& Radio() { return radio_; }
  int Fail(std::string_view message, int exitCode = kExitFailure) {
    return session_.Fail(name_, message, exitCode);
  }

  // False with the exit code set when an option is wrong.
  bool ApplyRetries(const ParsedCommand& command, int& exitCode) {
    if (!command.Has("--retries")) return true;
    const std::string text = command.Value("--retries");
    int retries = -1;
    const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), retries);
    if (error != std::errc{} || end != text.data() + text.size() || retries < 0) {
      exitCode = Fail("--retries takes a whole number from 0", kExitUsage);
      return false;
    }
    session_.Prompter().SetRetries(retries);
    return true;
  }

  // Runs a started operation to its end; true when it succeeded. Ctrl+C cancels it.
  bool Finish(bool started) {
    if (started) {
      const StopSignals stop(driver_->WakeHandle());
      driver_->RunWhile([this] {
        if (StopSignals::Requested() && !cancelRequested_) {
          cancelRequested_ = true;
          radio_.Cancel();
        }
        return radio_.IsRunning();
      });
    }
    session_.Prompter().EndProgressLine();
    if (!driver_->Finish()) Fail("the virtual radio's memory could not be kept");
    const bool succeeded = started && radio_.LastResult() && radio_.LastResult()->Success;
    if (succeeded) {
      KeepPortUsed();
    } else if (!started && driver_->OpenFailed()) {
      Fail("the port " + portName_ + " could not be opened");
    } else if (!started) {
      Fail("nothing was transferred");
    } else if (Cancelled() && radio_.LastResult()->Data.BlocksWritten) {
      Fail("cancelled: the radio now holds a partly written configuration; write it again", kExitCancelled);
    } else if (Cancelled()) {
      // Stopped before the first block: the radio is as it was.
      Fail(radio_.LastResult()->Kind == OperationKind::Write ? "cancelled: nothing was written"
                                                             : "cancelled: nothing was kept",
           kExitCancelled);
    } else if (radio_.LastResult()->Data.PasswordWrong) {
      Fail("wrong password: the radio did not accept it");
    } else if (radio_.LastResult()->Data.RetryDeclined && !radio_.LastResult()->Data.BlocksWritten) {
      // The link tells nothing after the Retry question; the question line ends in its answer.
      Fail(radio_.LastResult()->Kind == OperationKind::Write
               ? "the radio did not respond; nothing was written"
               : "the radio did not respond; nothing was kept");
    }
    return succeeded;
  }

  // Where the configuration read was kept as a backup; why it was not, the outcome message said.
  void TellBackup() {
    const BackupResult& backup = radio_.LastBackup();
    if (backup.File) session_.Prompter().Tell("backup of what the radio held: " + backup.File->string());
  }

  // The exit code of an operation that did not succeed.
  int FailureExit() const { return Cancelled() ? kExitCancelled : kExitFailure; }

  // False with the exit code set when no port was given and none was used before, or the port
  // cannot be used.
  bool CheckPort(int& exitCode) {
    if (portName_.empty()) {
      exitCode = Fail("no --port given and none used before (see 'hvt7300-cli ports')", kExitUsage);
      return false;
    }
    if (const auto problem = driver_->Problem()) {
      exitCode = Fail(*problem);
      return false;
    }
    return true;
  }

 private:
  // The port that worked becomes the default; the settings file is written only when it changes.
  void KeepPortUsed() {
    AppContext& context = session_.Context();
    if (context.PortName() == portName_) return;
    context.SetPortName(portName_);
    if (!context.SavePortNumber()) {
      session_.Prompter().Tell("the port used could not be kept as the default (settings file not written)");
    }
  }

  std::string name_;
  Session session_;
  Workspace workspace_;
  std::string portName_;
  std::unique_ptr<LinkDriver> driver_;
  bool Cancelled() const { return radio_.LastResult() && radio_.LastResult()->Cancelled; }

  RadioSession radio_;
  bool cancelRequested_ = false;
};

// The configuration (and the test-mode area) of a successful read go to a recovery file in the
// settings folder when the chosen files cannot be written; the paths are printed.
int KeepInRecovery(RadioRun& run, const std::optional<std::string>& testDataPath) {
  const std::filesystem::path folder = run.CommandSession().Context().Folders().Settings / "recovered";
  std::error_code error;
  std::filesystem::create_directories(folder, error);
  const std::filesystem::path configuration = RecoveryPath(folder, std::time(nullptr), ".dat");
  if (run.Work().SaveFile(configuration) != FileCheck::Ok) {
    return run.Fail("the configuration read from the radio could not be saved, not even in " +
                    folder.string());
  }
  std::string kept = "the configuration read from the radio is kept in " + configuration.string();
  if (testDataPath) {
    std::filesystem::path area = configuration;
    area.replace_filename(configuration.stem().string() + "-test.bin");
    if (WriteFileAtomically(area, std::span<const std::uint8_t>(run.Radio().TestData()))) {
      kept += ", its test-mode area in " + area.string();
    }
  }
  return run.Fail(kept);
}

// Puts a file back as it was before a write: its old bytes, or no file.
void Restore(const std::filesystem::path& path, const std::optional<std::vector<std::uint8_t>>& previous) {
  std::error_code ignored;
  if (previous) {
    static_cast<void>(WriteFileAtomically(path, std::span<const std::uint8_t>(*previous)));
  } else {
    std::filesystem::remove(path, ignored);
  }
}

int RunRead(const ParsedCommand& command, CommandIo& io) {
  RadioRun run(command, io, "read");
  int exitCode = kExitOk;
  if (!run.CheckPort(exitCode) || !run.ApplyRetries(command, exitCode)) return exitCode;
  const std::filesystem::path output = command.Value("-o");
  const std::optional<std::string> testDataPath =
      command.Has("--test-data") ? std::optional(command.Value("--test-data")) : std::nullopt;
  // A read is worth nothing when its result cannot be kept: both targets are checked first.
  for (const std::optional<std::string>& target : {std::optional(output.string()), testDataPath}) {
    if (!target) continue;
    if (const auto problem = OutputTargetProblem(*target)) return run.Fail(*problem + "; nothing was read");
  }
  run.Radio().SetTestDataOn(testDataPath.has_value());
  if (!run.Finish(run.Radio().StartRead())) return run.FailureExit();

  // The small area first, the configuration second; if the configuration fails, the area file is
  // put back as it was, so the two files never come from different reads.
  std::optional<std::vector<std::uint8_t>> previousArea;
  if (testDataPath) {
    std::error_code error;
    if (std::filesystem::exists(*testDataPath, error)) {
      FileReadResult old = ReadWholeFile(*testDataPath, 1024 * 1024);
      if (!old) {
        run.Fail("the test-mode area could not be written to " + *testDataPath +
                 " (its old content is unreadable: " + old.Detail() + ")");
        return KeepInRecovery(run, testDataPath);
      }
      previousArea = *std::move(old);
    }
    const FileWriteResult written =
        WriteFileAtomically(*testDataPath, std::span<const std::uint8_t>(run.Radio().TestData()));
    if (!written) {
      run.Fail("the test-mode area could not be written: " + written.Detail());
      return KeepInRecovery(run, testDataPath);
    }
  }
  if (run.Work().SaveFile(output) != FileCheck::Ok) {
    if (testDataPath) Restore(*testDataPath, previousArea);
    run.Fail("the configuration could not be written to " + output.string());
    return KeepInRecovery(run, testDataPath);
  }
  run.TellBackup();
  return kExitOk;
}

int RunWrite(const ParsedCommand& command, CommandIo& io) {
  RadioRun run(command, io, "write");
  int exitCode = kExitOk;
  if (!run.CheckPort(exitCode) || !run.ApplyRetries(command, exitCode)) return exitCode;
  if (run.Work().OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;
  // A configuration the encoders refuse never reaches the radio, and exits as 'encode' does.
  if (const auto failure = TrialEncode(run.Work().Current()))
    return run.Fail(EncodeFailureLine(*failure), kExitEncoderFailure);
  if (command.Has("--test-data")) {
    const auto area = ReadWholeFile(command.Value("--test-data"), kTestDataAreaSize);
    if (!area) return run.Fail(area.Detail());
    if (area->size() != kTestDataAreaSize) {
      return run.Fail(command.Value("--test-data") + ": " + std::to_string(area->size()) +
                      " bytes, expected a 64-byte test-mode area");
    }
    std::copy(area->begin(), area->end(), run.Radio().TestData().begin());
    run.Radio().SetTestDataOn(true);
  }
  run.Radio().SetVerifyAfterWrite(command.Has("--verify"));
  return run.Finish(run.Radio().StartWrite()) ? kExitOk : run.FailureExit();
}

int RunInfo(const ParsedCommand& command, CommandIo& io) {
  RadioRun run(command, io, "info");
  int exitCode = kExitOk;
  if (!run.CheckPort(exitCode) || !run.ApplyRetries(command, exitCode)) return exitCode;
  if (!run.Finish(run.Radio().StartInformationRead()) || !run.Radio().Information()) return run.FailureExit();
  const EmbeddedInfo& info = *run.Radio().Information();
  const std::pair<const char*, const std::string*> lines[] = {
      {"Model", &info.Model},
      {"Version", &info.Version},
      {"Serial number", &info.SerialNumber},
      {"Production date", &info.ProductionDate},
      {"RF firmware", &info.RfFirmware},
      {"LCD firmware", &info.LcdFirmware},
      {"Area code", &info.AreaCode},
      {"Manufacture code", &info.ManufactureCode},
      {"User code", &info.UserCode},
      {"Dealer code", &info.DealerCode},
      {"Stock date", &info.StockDate},
      {"Sell date", &info.SellDate},
      {"Seller", &info.Seller},
      {"Maintenance date", &info.MaintenanceDate},
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
  return {"read",
          "Read the configuration from the radio and save it.",
          {kPort, kOutput, kPassword, kYes, kRetries, kTestData},
          {},
          RunRead};
}

Command WriteCommand() {
  return {"write",
          "Write a configuration to the radio.",
          {kPort, kPassword, kYes, kRetries, kVerify, kTestData},
          {{"FILE.dat", "the configuration file"}},
          RunWrite};
}

Command InfoCommand() {
  return {"info",
          "Read the radio's service information (serial number, dates, dealer data).",
          {kPort, kPassword, kRetries},
          {},
          RunInfo};
}

Command PortsCommand() {
  return {"ports", "List the serial ports (and the virtual radio).", {}, {}, RunPorts, false};
}

}  // namespace hvt::cli
