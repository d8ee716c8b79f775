#include "cli/configuration_commands.h"

#include <algorithm>
#include <charconv>
#include <string>
#include <vector>

#include "app/channel_exchange.h"
#include "app/factory_template.h"
#include "app/workspace.h"
#include "cli/channel_listing.h"
#include "cli/json_writer.h"
#include "cli/session.h"
#include "files/file_io.h"
#include "model/codec_chain.h"

namespace hvt::cli {

namespace {

const OptionSpec kOutput{"-o", "FILE", "the file to write", true};
const OptionSpec kBand{"--band", "0|1", "band variant: 0 restricted transmit ranges, 1 full ranges"};

// Applies --band before anything reads the templates; false after a usage error.
bool ApplyBand(const ParsedCommand& command, Session& session, std::string_view name, int& exitCode) {
  if (!command.Has("--band")) return true;
  const auto band = ParseBandOption(command.Value("--band"));
  if (!band) {
    exitCode = session.Fail(name, "--band takes 0 or 1", kExitUsage);
    return false;
  }
  session.Context().ApplyBandVariant(*band);
  return true;
}

int SaveTo(Workspace& workspace, const ParsedCommand& command) {
  return workspace.SaveFile(command.Value("-o")) == FileCheck::Ok ? kExitOk : kExitFailure;
}

int RunNew(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  int exitCode = kExitOk;
  if (!ApplyBand(command, session, "new", exitCode)) return exitCode;
  Workspace workspace(session.Context(), session.Prompter());
  return SaveTo(workspace, command);
}

int RunShow(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  Workspace workspace(session.Context(), session.Prompter());
  if (workspace.OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;
  if (command.Has("--json")) {
    io.Out << ToJson(workspace.Current()) << "\n";
  } else {
    WriteChannelListing(workspace.Current(), session.Context(), io.Out);
  }
  return kExitOk;
}

int RunEncode(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  Workspace workspace(session.Context(), session.Prompter());
  if (workspace.OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;
  RadioImage image;
  if (const auto failure = EncodeAll(workspace.Current(), image)) {
    return session.Fail("encode", EncodeFailureLine(*failure), kExitEncoderFailure);
  }
  if (const FileWriteResult written = WriteFileAtomically(command.Value("-o"), image.Bytes()); !written) {
    return session.Fail("encode", session.FileErrorLine(written.Detail()));
  }
  return kExitOk;
}

int RunDecode(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  int exitCode = kExitOk;
  RadioImage image;
  if (const auto problem = ReadImageFile(session, command.Arguments[0], image)) {
    return session.Fail("decode", *problem);
  }
  Workspace workspace(session.Context(), session.Prompter());
  if (command.Has("--base") && workspace.OpenFile(command.Value("--base")) != FileCheck::Ok)
    return kExitFailure;
  if (!ApplyBand(command, session, "decode", exitCode)) return exitCode;
  workspace.AcceptImage(image, session.Context().Band());
  return SaveTo(workspace, command);
}

int RunTemplate(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  const auto band = ParseBandOption(command.Value("--band"));
  if (!band) return session.Fail("template", "--band takes 0 or 1", kExitUsage);
  const auto written = WriteConfigurationFile(command.Value("-o"), FactoryTemplate(*band));
  if (written != FileCheck::Ok) return session.Fail("template", session.FileErrorLine(written.Detail));
  return kExitOk;
}

std::optional<std::array<bool, kAutoTestGroupCount>> ParseGroups(std::string_view text) {
  std::array<bool, kAutoTestGroupCount> groups{};
  for (;;) {
    const auto comma = text.find(',');
    const std::string_view item = text.substr(0, comma);
    int group = -1;
    const auto [end, error] = std::from_chars(item.data(), item.data() + item.size(), group);
    if (error != std::errc{} || end != item.data() + item.size() || group < 0 ||
        group >= kAutoTestGroupCount) {
      return std::nullopt;
    }
    groups[static_cast<std::size_t>(group)] = true;
    if (comma == std::string_view::npos) return groups;
    text.remove_prefix(comma + 1);
  }
}

// The exit code of a workspace's export or import, whose message has been shown.
int ExitCodeOf(FileCommandResult result) {
  switch (result) {
    case FileCommandResult::Done:
      return kExitOk;
    case FileCommandResult::EncoderFailed:
      return kExitEncoderFailure;
    case FileCommandResult::FileFailed:
      break;
  }
  return kExitFailure;
}

int RunExportEpm(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  const auto groups = ParseGroups(command.Has("--groups") ? command.Value("--groups") : "0");
  if (!groups)
    return session.Fail("export-epm", "--groups takes numbers 0-11 separated by commas", kExitUsage);
  Workspace workspace(session.Context(), session.Prompter());
  if (workspace.OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;
  const CommandNameScope named(session.Prompter(), "export-epm");
  return ExitCodeOf(workspace.ExportProductionFile(*groups, command.Value("-o")));
}

int RunCommuBookExport(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  Workspace workspace(session.Context(), session.Prompter());
  if (workspace.OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;
  const CommandNameScope named(session.Prompter(), "cb-export");
  return ExitCodeOf(workspace.ExportBook(command.Value("-o")));
}

int RunCommuBookImport(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  Workspace workspace(session.Context(), session.Prompter());
  if (workspace.OpenFile(command.Arguments[1]) != FileCheck::Ok) return kExitFailure;
  {
    const CommandNameScope named(session.Prompter(), "cb-import");
    if (const FileCommandResult imported = workspace.ImportBook(command.Arguments[0]);
        imported != FileCommandResult::Done)
      return ExitCodeOf(imported);
  }
  return SaveTo(workspace, command);
}

int RunChannelsExport(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  Workspace workspace(session.Context(), session.Prompter());
  if (workspace.OpenFile(command.Arguments[0]) != FileCheck::Ok) return kExitFailure;
  const CommandNameScope named(session.Prompter(), "csv-export");
  return ExitCodeOf(
      ExportChannels(workspace.Current(), command.Value("-o"), session.Context(), session.Prompter()));
}

int RunChannelsImport(const ParsedCommand& command, CommandIo& io) {
  Session session(io);
  Workspace workspace(session.Context(), session.Prompter());
  if (workspace.OpenFile(command.Arguments[1]) != FileCheck::Ok) return kExitFailure;
  {
    const CommandNameScope named(session.Prompter(), "csv-import");
    const BadRows badRows = command.Has("--skip-bad-rows") ? BadRows::Take : BadRows::Refuse;
    if (const FileCommandResult imported = ImportChannels(
            workspace.Current(), command.Arguments[0],
            {.Replace = command.Has("--replace"), .Renumber = command.Has("--renumber"), .WhenBad = badRows},
            session.Context(), session.Prompter());
        imported != FileCommandResult::Done)
      return ExitCodeOf(imported);
  }
  return SaveTo(workspace, command);
}

}  // namespace

Command NewCommand() {
  return {"new",
          "Write a new configuration as start-up makes it (band templates included).",
          {kBand, kOutput},
          {},
          RunNew};
}

Command ShowCommand() {
  return {
      "show",
      "Show a configuration: model, band, version and the channel list; --json gives every record and field.",
      {{"--json", "", "the whole configuration as JSON"}},
      {{"FILE.dat", "the configuration file"}},
      RunShow};
}

Command EncodeCommand() {
  return {"encode",
          "Encode a configuration into the 12960-byte radio image (exit 3 when an encoder fails).",
          {kOutput},
          {{"FILE.dat", "the configuration file"}},
          RunEncode};
}

Command DecodeCommand() {
  return {"decode",
          "Decode a radio image into a configuration, as a read from the radio does.",
          {{"--base", "FILE.dat", "the configuration the image is decoded over (default: a new one)"},
           kBand,
           kOutput},
          {{"IMAGE.bin", "a 12960-byte image"}},
          RunDecode};
}

Command TemplateCommand() {
  return {"template",
          "Write the factory band template: data/Init/HVT7300_N.dat comes from 'template --band N -o ...'.",
          {{"--band", "0|1", "band variant", true}, kOutput},
          {},
          RunTemplate};
}

Command ExportEpmCommand() {
  return {
      "export-epm",
      "Write the production file (.EPM) of a configuration.",
      {{"--groups", "LIST", "feature groups whose blocks are marked, e.g. 0,4,6,8,10 (default 0)"}, kOutput},
      {{"FILE.dat", "the configuration file"}},
      RunExportEpm};
}

Command CommuBookExportCommand() {
  return {"cb-export",
          "Write the communication book of a configuration to a .cb file.",
          {kOutput},
          {{"FILE.dat", "the configuration file"}},
          RunCommuBookExport};
}

Command CommuBookImportCommand() {
  return {"cb-import",
          "Replace the communication book of a configuration with a .cb file's and write the result.",
          {kOutput},
          {{"BOOK.cb", "the communication book file"}, {"FILE.dat", "the configuration file"}},
          RunCommuBookImport};
}

Command ChannelsExportCommand() {
  return {"csv-export",
          "Write the channels 1-200 of a configuration as a CSV channel table (the columns other tools "
          "exchange).",
          {kOutput},
          {{"FILE.dat", "the configuration file"}},
          RunChannelsExport};
}

Command ChannelsImportCommand() {
  return {
      "csv-import",
      "Take the channels of a CSV channel table into a configuration and write the result; a row that "
      "cannot be taken is named with its line and reason, and then nothing is taken; every row taken "
      "with a change is named too.",
      {{"--replace", "", "delete the channels 1-200 first instead of replacing those of the same location"},
       {"--renumber", "",
        "take the rows in file order as channels 1, 2, ... (tables that start at Location 0)"},
       {"--skip-bad-rows", "", "take the other rows when some cannot be taken"},
       kOutput},
      {{"CH.csv", "the channel table"}, {"FILE.dat", "the configuration file"}},
      RunChannelsImport};
}

}  // namespace hvt::cli
