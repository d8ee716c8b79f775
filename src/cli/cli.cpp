#include "cli/cli.h"

#include <algorithm>
#include <optional>

#include "cli/command.h"

namespace hvt::cli {

namespace {

constexpr std::string_view kProgram = "hvt7300-cli";

void PrintUsage(std::ostream& out) {
  out << "Usage: " << kProgram << " [--home DIR] COMMAND [OPTIONS] [ARGUMENTS]\n"
      << "Programs the HVT7300 radio and works with its configuration files.\n\n"
      << "Global options:\n"
      << "  --help        show this help, or a command's help with COMMAND --help\n"
      << "  --version     show the program version\n"
      << "  --home DIR    data folder (language files, templates, settings)\n";
  if (!Commands().empty()) {
    out << "\nCommands:\n";
    for (const Command& command : Commands()) {
      out << "  " << command.Name << std::string(14 - std::min<std::size_t>(command.Name.size(), 12), ' ')
          << command.Summary << "\n";
    }
  }
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
    out << "  " << option.Help << (option.Required ? " (required)" : "") << "\n";
  }
}

const Command* FindCommand(std::string_view name) {
  for (const Command& command : Commands()) {
    if (command.Name == name) return &command;
  }
  return nullptr;
}

// The parsed command, or an error message.
std::optional<ParsedCommand> ParseCommand(const Command& command, std::span<const std::string> words,
                                          std::string& error) {
  ParsedCommand parsed;
  for (std::size_t i = 0; i < words.size(); ++i) {
    const std::string& word = words[i];
    if (!word.starts_with("-") || word == "-") {
      parsed.Arguments.push_back(word);
      continue;
    }
    const auto declared = std::find_if(command.Options.begin(), command.Options.end(),
                                   [&word](const OptionSpec& option) { return option.Name == word; });
    if (declared == command.Options.end()) {
      error = "unknown option " + word;
      return std::nullopt;
    }
    if (declared->ValueName.empty()) {
      parsed.Options[word] = "";
    } else if (i + 1 < words.size()) {
      parsed.Options[word] = words[++i];
    } else {
      error = "option " + word + " needs a value (" + std::string(declared->ValueName) + ")";
      return std::nullopt;
    }
  }
  for (const OptionSpec& option : command.Options) {
    if (option.Required && !parsed.Has(option.Name)) {
      error = "missing option " + std::string(option.Name) + " " + std::string(option.ValueName);
      return std::nullopt;
    }
  }
  if (parsed.Arguments.size() != command.Arguments.size()) {
    error = "expected " + std::to_string(command.Arguments.size()) + " argument(s), got " +
            std::to_string(parsed.Arguments.size());
    return std::nullopt;
  }
  return parsed;
}

}  // namespace

int Run(const std::vector<std::string>& arguments, std::ostream& out, std::ostream& err) {
  CommandIo io{out, err, {}};
  std::size_t next = 0;
  while (next < arguments.size() && arguments[next].starts_with("--")) {
    const std::string& option = arguments[next];
    if (option == "--help") {
      PrintUsage(out);
      return kExitOk;
    }
    if (option == "--version") {
      out << kProgram << " " << HVT_VERSION << "\n";
      return kExitOk;
    }
    if (option == "--home" && next + 1 < arguments.size()) {
      io.Home = arguments[next + 1];
      next += 2;
      continue;
    }
    err << kProgram << ": "
        << (option == "--home" ? "option --home needs a folder" : "unknown option " + option) << "\nTry '"
        << kProgram << " --help'.\n";
    return kExitUsage;
  }
  if (next == arguments.size()) {
    PrintUsage(err);
    return kExitUsage;
  }
  const Command* command = FindCommand(arguments[next]);
  if (command == nullptr) {
    err << kProgram << ": unknown command '" << arguments[next] << "'\nTry '" << kProgram << " --help'.\n";
    return kExitUsage;
  }
  const std::span<const std::string> words(arguments.begin() + static_cast<std::ptrdiff_t>(next) + 1,
                                           arguments.end());
  if (std::find(words.begin(), words.end(), "--help") != words.end()) {
    PrintCommandHelp(*command, out);
    return kExitOk;
  }
  std::string error;
  const auto parsed = ParseCommand(*command, words, error);
  if (!parsed) {
    err << kProgram << " " << command->Name << ": " << error << "\nTry '" << kProgram << " " << command->Name
        << " --help'.\n";
    return kExitUsage;
  }
  return command->Run(*parsed, io);
}

}  // namespace hvt::cli
