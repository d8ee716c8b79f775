#include "cli/session.h"

#include "qt/app_folders.h"

namespace hvt::cli {

Session::Session(CommandIo& io)
    : io_(io),
      context_(AppContext::Start(io.Folders, SystemLocaleName())),
      prompter_(io.Err, io.Input, io.ErrIsTerminal) {}

int Session::Fail(std::string_view command, std::string_view message, int exitCode) {
  prompter_.EndProgressLine();
  io_.Err << "hvt7300-cli " << command << ": " << Readable(message) << "\n";
  return exitCode;
}

std::optional<BandVariant> ParseBandOption(std::string_view text) {
  if (text == "0") return BandVariant::Restricted;
  if (text == "1") return BandVariant::Full;
  return std::nullopt;
}

std::string EncodeFailureLine(const EncodeFailure& failure) {
  std::string line(failure.Tag);
  if (!failure.Detail.empty()) line += ": " + failure.Detail;
  return line;
}

}  // namespace hvt::cli
