#pragma once

// A command of the command-line tool declares its name, help, options and arguments as data, so
// that help texts and argument errors come out the same for every command.

#include <map>
#include <ostream>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "app/app_context.h"
#include "cli/terminal.h"

namespace hvt::cli {

struct OptionSpec {
  std::string_view Name;       // "--band"
  std::string_view ValueName;  // "0|1"; empty for a flag
  std::string_view Help;
  bool Required = false;
  bool Repeatable = false;  // may be given several times; Values() has them all
};

struct ArgumentSpec {
  std::string_view Name;  // "FILE.dat"
  std::string_view Help;
};

struct ParsedCommand {
  std::map<std::string, std::string, std::less<>> Options;  // flags map to ""; the last value given
  std::map<std::string, std::vector<std::string>, std::less<>>
      Repeated;  // every value of a repeatable option
  std::vector<std::string> Arguments;

  std::vector<std::string> Values(std::string_view option) const {
    const auto found = Repeated.find(option);
    return found == Repeated.end() ? std::vector<std::string>{} : found->second;
  }

  bool Has(std::string_view option) const { return Options.contains(option); }
  std::string Value(std::string_view option) const {
    const auto found = Options.find(option);
    return found == Options.end() ? std::string{} : found->second;
  }
};

struct CommandIo {
  std::ostream& Out;
  std::ostream& Err;
  AppFolders Folders;          // the data folder, checked, and the settings folder
  Terminal* Input = nullptr;   // where answers are typed; none without a terminal
  bool ErrIsTerminal = false;  // progress may update one line in place
};

struct Command {
  std::string_view Name;
  std::string_view Summary;
  std::vector<OptionSpec> Options;
  std::vector<ArgumentSpec> Arguments;
  int (*Run)(const ParsedCommand& command, CommandIo& io);
  bool NeedsDataFolder = true;  // language files and band templates
};

// Exit codes shared by every command.
inline constexpr int kExitOk = 0;
inline constexpr int kExitFailure = 1;
inline constexpr int kExitUsage = 2;
inline constexpr int kExitEncoderFailure = 3;
inline constexpr int kExitCancelled = 130;  // as a shell reports Ctrl+C

std::span<const Command> Commands();

}  // namespace hvt::cli
