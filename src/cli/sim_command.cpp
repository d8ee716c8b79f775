#include "cli/sim_command.h"

#include <atomic>
#include <chrono>
#include <cstdio>
#include <optional>
#include <string>

#include "app/workspace.h"
#include "cli/session.h"
#include "cli/stop_signals.h"
#include "files/file_io.h"
#include "model/codec_chain.h"
#include "radio/pty_server.h"
#include "radio/virtual_radio.h"

namespace hvt::cli {

namespace {

// "12.345 " since `start`, so pacing and time-outs can be read off the log.
std::string Elapsed(std::chrono::steady_clock::time_point start) {
  const auto ms =
      std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - start);
  char text[32];
  std::snprintf(text, sizeof text, "%lld.%03lld ", static_cast<long long>(ms.count() / 1000),
                static_cast<long long>(ms.count() % 1000));
  return text;
}

// The configuration the radio starts with: an image file, an encoded configuration file, or all
// 0x00. Sets the band from the configuration file unless `band` is given already.
std::optional<RadioImage> StartImage(const ParsedCommand& command, Session& session,
                                     std::optional<BandVariant>& band, int& exitCode) {
  RadioImage image;
  if (command.Has("--image")) {
    const std::string path = command.Value("--image");
    if (const auto problem = ReadImageFile(session, path, image)) {
      exitCode = session.Fail("sim", *problem);
      return std::nullopt;
    }
  } else if (command.Has("--config")) {
    Workspace workspace(session.Context(), session.Prompter());
    if (workspace.OpenFile(command.Value("--config")) != FileCheck::Ok) {
      exitCode = kExitFailure;  // the workspace has said why
      return std::nullopt;
    }
    if (const auto failure = EncodeAll(workspace.Current(), image)) {
      exitCode = session.Fail("sim", EncodeFailureLine(*failure), kExitEncoderFailure);
      return std::nullopt;
    }
    if (!band) band = BandVariantFromNumber(workspace.Current().BandVariant);
  }
  return image;
}

int RunSim(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  if (command.Has("--image") && command.Has("--config")) {
    return session.Fail("sim", "give --image or --config, not both", kExitUsage);
  }
  VirtualRadioSettings settings;
  if (command.Has("--model")) settings.Model = command.Value("--model");
  if (command.Has("--version")) settings.Version = command.Value("--version");
  settings.Password = command.Value("--password");
  settings.Paced = command.Has("--pace");
  std::optional<BandVariant> band;
  if (command.Has("--band")) {
    band = ParseBandOption(command.Value("--band"));
    if (!band) return session.Fail("sim", "--band takes 0 or 1", kExitUsage);
  }
  const RadioFaultsParse faults = ParseRadioFaults(command.Value("--fault"));
  if (!faults.Faults) return session.Fail("sim", faults.Error, kExitUsage);
  settings.Faults = *faults.Faults;
  if (const auto error = RadioSettingsError(settings)) return session.Fail("sim", *error, kExitUsage);

  int exitCode = kExitOk;
  const std::optional<RadioImage> image = StartImage(command, session, band, exitCode);
  if (!image) return exitCode;
  settings.Band = static_cast<std::uint8_t>(band.value_or(BandVariant::Full));

  VirtualRadio radio(settings);
  radio.LoadImage(*image);
  const auto start = std::chrono::steady_clock::now();
  radio.SetLog([&io, start](const std::string& line) { io.Err << Elapsed(start) << line << std::endl; });

  PtyServer server(radio);
  std::string error;
  if (!server.Open(error)) return session.Fail("sim", error);
  io.Out << server.SlavePath() << std::endl;
  io.Err << "virtual radio " << settings.Model << " " << settings.Version << ", band "
         << static_cast<int>(settings.Band) << ", "
         << (settings.Password.empty() ? "no password" : "password set")
         << (settings.Paced ? ", paced at 9600 baud" : "") << "; stop with Ctrl+C" << std::endl;

  const StopSignals signals;
  if (!server.Serve(StopSignals::Requested(), error)) return session.Fail("sim", error);
  io.Err << "stopped after " << radio.RepliesGiven() << " replies" << std::endl;
  return kExitOk;
}

}  // namespace

Command SimCommand() {
  return {
      "sim",
      "Serve a virtual radio on a pseudo-terminal, so the program can be used without hardware; prints the "
      "terminal's path, then logs every packet on standard error until Ctrl+C.",
      {
          {"--pty", "", "serve on a new pseudo-terminal", true},
          {"--image", "FILE.bin", "the radio's configuration: an image of 12960 bytes (default all 0x00)"},
          {"--config", "FILE.dat", "the radio's configuration: a configuration file, encoded"},
          {"--password", "P", "the radio's programming password, up to 4 characters (default none)"},
          {"--band", "0|1", "the band byte the radio reports (default the configuration's, else 1)"},
          {"--model", "M", "the model name the radio reports, up to 7 characters (default HVT7300)"},
          {"--version", "V", "the version the radio reports, up to 4 characters (default V100)"},
          {"--pace", "", "send at the line rate of 9600 baud 8N1, echo included"},
          {"--fault", "LIST",
           "faults, comma-separated, N a reply number from 1 as the log shows it: drop=N, corrupt=N, "
           "address=N, noise=N[:COUNT], split=N[:PIECES], delay=N:MS, silent-after=BLOCKS; misstore=ADDRESS "
           "keeps a block written there with its first byte inverted"},
      },
      {},
      RunSim};
}

}  // namespace hvt::cli
