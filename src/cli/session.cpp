#include "cli/session.h"

#include <algorithm>

#include "files/file_io.h"
#include "qt/app_folders.h"

namespace hvt::cli {

Session::Session(CommandIo& io)
    : io_(io),
      context_(AppContext::Start(io.Folders, SystemLocaleName())),
      prompter_(io.Err, io.Input, io.ErrIsTerminal) {}

std::string Session::FileErrorLine(std::string_view detail) const {
  return std::string(context_.Texts().BuiltIn(BuiltInText::FileError)) + "\n" + std::string(detail);
}

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

std::optional<std::string> ReadImageFile(Session& session, const std::string& path, RadioImage& image) {
  const FileReadResult bytes = ReadWholeFile(path, RadioImage::kSize);
  const bool tooLarge = !bytes && bytes.Failure()->SizeFound;
  if (!bytes && !tooLarge) {
    return session.FileErrorLine(bytes.Detail());
  }
  const std::uintmax_t size = tooLarge ? *bytes.Failure()->SizeFound : bytes->size();
  if (size != RadioImage::kSize) {
    return path + ": " + std::to_string(size) + " bytes, not an image of " +
           std::to_string(RadioImage::kSize) + " bytes";
  }
  std::copy(bytes->begin(), bytes->end(), image.Bytes().begin());
  return std::nullopt;
}

}  // namespace hvt::cli
