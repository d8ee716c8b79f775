#pragma once

// What every command that works on configurations starts with: the process-wide state from the
// data folder (--home or the installed one), read without writing anything, and the command
// line's prompter.

#include <filesystem>
#include <optional>
#include <string>
#include <string_view>

#include "app/app_context.h"
#include "cli/cli_prompter.h"
#include "cli/command.h"
#include "model/band.h"
#include "model/codec_chain.h"

namespace hvt::cli {

class Session {
 public:
  explicit Session(CommandIo& io);

  AppContext& Context() { return context_; }
  CliPrompter& Prompter() { return prompter_; }

  // The system's file error, then the path and the reason on the next line.
  std::string FileErrorLine(std::string_view detail) const;

  // Prints "hvt7300-cli COMMAND: message" on standard error and returns the exit code.
  int Fail(std::string_view command, std::string_view message, int exitCode = kExitFailure);

 private:
  CommandIo& io_;
  AppContext context_;
  CliPrompter prompter_;
};

std::optional<BandVariant> ParseBandOption(std::string_view text);

// Reads a radio image file into `image`; the message to show when it cannot.
std::optional<std::string> ReadImageFile(Session& session, const std::string& path, RadioImage& image);

}  // namespace hvt::cli
