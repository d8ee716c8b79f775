#include "cli/cli.h"

#include <QString>
#include <algorithm>
#include <optional>

#include "cli/command.h"
#include "qt/app_folders.h"

namespace hvt::cli {

namespace {

constexpr std::string_view kProgram = "hvt7300-cli";

void PrintUsage(std::ostream& out) {
  out << "Usage: " << kProgram << " [--home DIR] COMMAND [OPTIONS] [ARGUMENTS]\n"
      << "Programs the HVT7300 radio and works with its configuration files.\n\n"
      << "Global options:\n"
      << "  --help        show this help, or a command's help with COMMAND --help\n"
      << "  --version     show the program version\n"
      << "  --home DIR    data folder (language files, band templates) that also keeps the settings\n";
  if (!Commands().empty()) {
    out << "\nCommands:\n";
    for (const Command& command : Commands()) {
      out << "  " << command.Name << std::string(14 - std::min<std::size_t>(command.Name.size(), 12), ' ')
          << command.Summary << "\n";
    }
  }
  out << "\nExit codes:\n"
      << "  0  success\n"
      << "  1  failure (the message says why)\n"
      << "  2  usage error\n"
      << "  3  an encoder refused the configuration\n"
      << "  130  cancelled with Ctrl+C (a transfer stops after the packet in flight)\n";
}

void PrintCommandHelp(const Command& command, std::ostream& out) {
  out << "Usage: " << kProgram << " " << command.Name;
  if (!command.Options.empty()) out << " [OPTIONS]";
  for (const ArgumentSpec& argument : command.Arguments) out << " " << argument.Name;
  out << "\n" << command.Summary << "\n";
  if (!command.Arguments.empty()) {
    out << "\nArguments:\n";
    for (const ArgumentSpec& argument : command.Arguments)
      out << "  " << argument.Name << "  " << argument.Help << "\n";
  }
  out << "\nOptions:\n  --help  show this help\n";
  for (const OptionSpec& option : command.Options) {
    out << "  " << option.Name;
    if (!option.ValueName.empty()) out << " " << option.ValueName;
    if (option.Repeatable) out << " ...";
    out << "  " << option.Help << (option.Required ? " (required)" : "") << "\n";
  }
}

const Command* FindCommand(std::string_view name) {
  for (const Command& command : Commands()) {
    if (command.Name == name) return &command;
  }
  return nullptr;
}

// A word that cannot be an option's value: it reads as the next option.
bool LooksLikeOption(std::string_view word) { return word.starts_with("--"); }

struct ParseOutcome {
  std::optional<ParsedCommand> Parsed;
  bool HelpWanted = false;
  std::string Error;
};

ParseOutcome ParseCommand(const Command& command, std::span<const std::string> words) {
  ParsedCommand parsed;
  const auto fail = [](std::string error) { return ParseOutcome{.Error = std::move(error)}; };
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!word.starts_with("-") || word == "-") {
      parsed.Arguments.push_back(word);
      continue;
    }
    if (word == "--help") return {.HelpWanted = true};
    const auto declared = std::find_if(command.Options.begin(), command.Options.end(),
                                       [&word](const OptionSpec& option) { return option.Name == word; });
    if (declared == command.Options.end()) return fail("unknown option " + word);
    if (declared->ValueName.empty()) {
      parsed.Options[word] = "";
      continue;
    }
    const std::string needsValue =
        "option " + word + " needs a value (" + std::string(declared->ValueName) + ")";
    if (i + 1 == words.size()) return fail(needsValue);
    if (LooksLikeOption(words[i + 1])) return fail(needsValue + ", not " + words[i + 1]);
    if (parsed.Has(word) && !declared->Repeatable) return fail("option " + word + " is given twice");
    parsed.Options[word] = words[++i];
    if (declared->Repeatable) parsed.Repeated[word].push_back(words[i]);
  }
  for (const OptionSpec& option : command.Options) {
    if (option.Required && !parsed.Has(option.Name)) {
      return fail("missing option " + std::string(option.Name) + " " + std::string(option.ValueName));
    }
  }
  if (parsed.Arguments.size() != command.Arguments.size()) {
    return fail("expected " + std::to_string(command.Arguments.size()) + " argument(s), got " +
                std::to_string(parsed.Arguments.size()));
  }
  return {.Parsed = std::move(parsed)};
}

int UsageError(std::ostream& err, std::string_view message) {
  err << kProgram << ": " << message << "\nTry '" << kProgram << " --help'.\n";
  return kExitUsage;
}

// Nothing runs on a data folder without its language files; the message names what is missing.
std::optional<std::string> DataFolderProblem(const AppFolders& folders) {
  std::error_code error;
  if (!std::filesystem::is_directory(folders.Data, error)) {
    return "the data folder " + folders.Data.string() + " does not exist (give one with --home DIR)";
  }
  const std::vector<std::filesystem::path> missing = MissingDataFiles(folders.Data);
  if (missing.empty()) return std::nullopt;
  std::string names;
  for (const std::filesystem::path& file : missing)
    names += (names.empty() ? "" : ", ") + file.generic_string();
  return "the data folder " + folders.Data.string() + " lacks " + names +
         " (language files; give another with --home DIR)";
}

}  // namespace

int Run(const std::vector<std::string>& arguments, const Console& console) {
  std::ostream& out = console.Out;
  std::ostream& err = console.Err;
  std::optional<std::string> home;
  std::size_t next = 0;
  while (next < arguments.size() && arguments[next].starts_with("--")) {
    const std::string& option = arguments[next];
    const std::size_t extra = arguments.size() - next - 1;
    if (option == "--help") {
      if (extra == 0) {
        PrintUsage(out);
        return kExitOk;
      }
      if (const Command* command = FindCommand(arguments[next + 1]); command != nullptr && extra == 1) {
        PrintCommandHelp(*command, out);
        return kExitOk;
      }
      return UsageError(err, "--help takes no arguments but a command's name");
    }
    if (option == "--version") {
      if (extra != 0) return UsageError(err, "--version takes no arguments");
      out << kProgram << " " << HVT_VERSION << "\n";
      return kExitOk;
    }
    if (option != "--home") return UsageError(err, "unknown option " + option);
    if (home) return UsageError(err, "option --home is given twice");
    if (extra == 0 || arguments[next + 1].empty() || LooksLikeOption(arguments[next + 1])) {
      return UsageError(err, "option --home needs a folder");
    }
    home = arguments[next + 1];
    next += 2;
  }
  if (next == arguments.size()) {
    PrintUsage(err);
    return kExitUsage;
  }
  const Command* command = FindCommand(arguments[next]);
  if (command == nullptr) return UsageError(err, "unknown command '" + arguments[next] + "'");
  const std::span<const std::string> words(arguments.begin() + static_cast<std::ptrdiff_t>(next) + 1,
                                           arguments.end());
  const ParseOutcome parsed = ParseCommand(*command, words);
  if (parsed.HelpWanted) {
    PrintCommandHelp(*command, out);
    return kExitOk;
  }
  if (!parsed.Parsed) {
    err << kProgram << " " << command->Name << ": " << parsed.Error << "\nTry '" << kProgram << " "
        << command->Name << " --help'.\n";
    return kExitUsage;
  }
  CommandIo io{
      .Out = out, .Err = err, .Folders = {}, .Input = console.Input, .ErrIsTerminal = console.ErrIsTerminal};
  if (command->NeedsDataFolder) {
    io.Folders = LocateAppFolders(QString::fromStdString(home.value_or(std::string())));
    if (const auto problem = DataFolderProblem(io.Folders)) {
      err << kProgram << " " << command->Name << ": " << *problem << "\n";
      return kExitFailure;
    }
  }
  return command->Run(*parsed.Parsed, io);
}

}  // namespace hvt::cli
