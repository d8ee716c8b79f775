#include "app/channel_exchange.h"

#include "files/channel_csv.h"
#include "files/file_io.h"

namespace hvt {

namespace {

constexpr std::uintmax_t kMaxTableBytes = 4 * 1024 * 1024;
constexpr std::size_t kListedRows = 20;

std::string Listed(std::string_view title, const std::vector<CsvRowNote>& notes) {
  std::string text(title);
  for (std::size_t i = 0; i < notes.size() && i < kListedRows; ++i) {
    text += "\nline " + std::to_string(notes[i].Line) + ": " + notes[i].Text;
  }
  if (notes.size() > kListedRows) text += "\n... " + std::to_string(notes.size() - kListedRows) + " more";
  return text;
}

void TellFileError(const AppContext& context, Prompter& prompter, const std::string& detail) {
  prompter.Tell(std::string(context.Texts().BuiltIn(BuiltInText::FileError)) + "\n" + detail);
}

}  // namespace

std::string ChannelTableFilter(const AppContext& context) {
  return std::string(context.Texts().BuiltIn(BuiltInText::ChannelTableFileType)) + " (*.csv)|*.csv";
}

FileCommandResult ExportChannels(const Configuration& configuration, const std::filesystem::path& path,
                                 const AppContext& context, Prompter& prompter) {
  const FileWriteResult written = WriteFileAtomically(path, ChannelsToCsv(configuration.Channels));
  if (!written) {
    TellFileError(context, prompter, written.Detail());
    return FileCommandResult::FileFailed;
  }
  return FileCommandResult::Done;
}

FileCommandResult ImportChannels(Configuration& configuration, const std::filesystem::path& path,
                                 bool replace, BadRows badRows, const AppContext& context,
                                 Prompter& prompter) {
  const FileReadResult bytes = ReadWholeFile(path, kMaxTableBytes);
  if (!bytes) {
    TellFileError(context, prompter, bytes.Detail());
    return FileCommandResult::FileFailed;
  }
  const std::string text(bytes->begin(), bytes->end());
  const ChannelCsvImport import = ChannelsFromCsv(text, context.Limits());
  if (import.FileProblem) {
    TellFileError(context, prompter, path.filename().string() + ": " + *import.FileProblem);
    return FileCommandResult::FileFailed;
  }
  if (!import.Refused.empty()) {
    const std::string refused = Listed(context.Texts().BuiltIn(BuiltInText::RowsRefused), import.Refused);
    const bool take =
        badRows == BadRows::Take ||
        (badRows == BadRows::Ask && !import.Channels.empty() &&
         prompter.Ask(refused + "\n\n" + std::string(context.Texts().BuiltIn(BuiltInText::TakeOtherRows)),
                      PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes);
    if (badRows != BadRows::Ask || import.Channels.empty()) prompter.Tell(refused);
    if (!take || import.Channels.empty()) return FileCommandResult::FileFailed;
  }
  if (!import.Adjusted.empty()) {
    prompter.Tell(Listed(context.Texts().BuiltIn(BuiltInText::RowsAdjusted), import.Adjusted));
  }
  ApplyChannelImport(configuration.Channels, import.Channels, replace);
  return FileCommandResult::Done;
}

}  // namespace hvt
