#include "app/channel_exchange.h"

#include "files/channel_csv.h"
#include "files/file_io.h"

namespace hvt {

namespace {

constexpr std::uintmax_t kMaxTableBytes = 4 * 1024 * 1024;

// Every note, one a line: the prompter shows a report of any length.
std::string Listed(const std::vector<CsvRowNote>& notes) {
  std::string text;
  for (const CsvRowNote& note : notes) {
    text += (text.empty() ? "" : "\n") + std::string("line ") + std::to_string(note.Line) + ": " + note.Text;
  }
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
                                 const ChannelImportChoice& choice, const AppContext& context,
                                 Prompter& prompter) {
  const FileReadResult bytes = ReadWholeFile(path, kMaxTableBytes);
  if (!bytes) {
    TellFileError(context, prompter, bytes.Detail());
    return FileCommandResult::FileFailed;
  }
  const std::string text(bytes->begin(), bytes->end());
  const ChannelCsvImport import = ChannelsFromCsv(text, context.Limits(), {.Renumber = choice.Renumber});
  if (import.FileProblem) {
    TellFileError(context, prompter, path.filename().string() + ": " + *import.FileProblem);
    return FileCommandResult::FileFailed;
  }
  const auto& texts = context.Texts();
  if (!import.Refused.empty()) {
    const std::string refused = Listed(import.Refused);
    const std::string title(texts.BuiltIn(BuiltInText::RowsRefused));
    bool take = choice.WhenBad == BadRows::Take;
    if (choice.WhenBad == BadRows::Ask && !import.Channels.empty()) {
      take = prompter.AskWithReport(title + "\n\n" + std::string(texts.BuiltIn(BuiltInText::TakeOtherRows)),
                                    refused, PromptButtons::YesNo, PromptIcon::Question) == PromptAnswer::Yes;
    } else {
      prompter.TellReport(title, refused, PromptIcon::Warning);
    }
    if (!take || import.Channels.empty()) return FileCommandResult::FileFailed;
  }
  if (!ApplyChannelImport(configuration, import.Channels, choice.Replace)) {
    prompter.Tell(texts.BuiltIn(BuiltInText::LastNormalChannel));
    return FileCommandResult::FileFailed;
  }
  if (!import.Adjusted.empty()) {
    prompter.TellReport(texts.BuiltIn(BuiltInText::RowsAdjusted), Listed(import.Adjusted));
  }
  return FileCommandResult::Done;
}

}  // namespace hvt
