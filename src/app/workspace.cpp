#include "app/workspace.h"

#include "app/channel_exchange.h"
#include "files/commu_book_file.h"
#include "files/epm_export.h"
#include "files/snapshot.h"
#include "files/test_data_file.h"
#include "i18n/text_keys.h"
#include "model/codec_chain.h"
#include "model/new_configuration.h"

namespace hvt {

namespace {

constexpr std::string_view kFallbackTemplate = "HVT7300_1.dat";

}  // namespace

Workspace::Workspace(AppContext& context, Prompter& prompter) : context_(context), prompter_(prompter) {
  NewConfiguration();
}

bool Workspace::IsModified() const { return hvt::IsModified(current_, snapshot_); }

void Workspace::TakeCurrentSnapshot() { TakeSnapshot(current_, snapshot_, context_.Band()); }

void Workspace::ApplySnapshotToCurrent() {
  ApplySnapshot(snapshot_, current_);
  context_.SetModelName(snapshot_.ModelName.Trimmed());
  context_.ApplyBandVariant(*BandVariantFromNumber(snapshot_.BandVariant));
}

std::filesystem::path Workspace::TemplatePath(std::string_view name) const {
  return context_.Folders().Data / "Init" / std::string(name);
}

void Workspace::NewConfiguration() {
  history_.Clear();
  clipboardFilled_ = false;
  untitled_ = true;
  fileName_ = kUntitledFileName;
  bookFileName_ = kUntitledBookFileName;
  ResetToDefaults(current_, context_.Limits());

  const std::string bandTemplate =
      context_.ModelTitle() + "_" + std::to_string(static_cast<int>(context_.Band())) + ".dat";
  std::error_code error;
  if (std::filesystem::exists(TemplatePath(bandTemplate), error)) {
    if (ReadTemplateFile(TemplatePath(bandTemplate), snapshot_) == FileCheck::Ok) {
      ApplySnapshotToCurrent();
    } else {
      TakeCurrentSnapshot();
    }
    return;
  }
  if (ReadTemplateFile(TemplatePath(kFallbackTemplate), snapshot_) != FileCheck::Ok) {
    TakeCurrentSnapshot();
    return;
  }
  snapshot_.ModelName = kModelName;
  snapshot_.BandVariant = static_cast<std::int16_t>(context_.Band());
  snapshot_.Version = kFirmwareVersion;
  ApplySnapshotToCurrent();
  AddDefaultChannels(current_.Channels, context_.Limits());
  TakeCurrentSnapshot();
}

FileCheck Workspace::OpenFile(const std::filesystem::path& path) {
  Configuration opened;
  const FileCheckResult check = ReadConfigurationFile(path, opened);
  if (check != FileCheck::Ok) {
    prompter_.Tell(FileCheckMessage(check, context_.LanguageId()), PromptIcon::Critical);
    return check;
  }
  snapshot_ = opened;
  ApplySnapshotToCurrent();
  history_.Clear();
  fileName_ = path;
  untitled_ = false;
  return FileCheck::Ok;
}

bool Workspace::OpenBackup(const std::filesystem::path& path) {
  if (!OfferToSave(context_.Texts().BuiltIn(BuiltInText::UnsavedChanges))) return false;
  if (OpenFile(path) != FileCheck::Ok) return false;
  fileName_ = kUntitledFileName;
  untitled_ = true;
  return true;
}

FileCheck Workspace::SaveFile(const std::filesystem::path& path) {
  const Configuration previousSnapshot = snapshot_;
  TakeCurrentSnapshot();
  const FileCheckResult check = WriteConfigurationFile(path, snapshot_);
  if (check != FileCheck::Ok) {
    snapshot_ = previousSnapshot;
    prompter_.Tell(FileCheckMessage(check, context_.LanguageId()), PromptIcon::Critical);
    return check;
  }
  fileName_ = path;
  untitled_ = false;
  return FileCheck::Ok;
}

void Workspace::AcceptImage(const RadioImage& image, BandVariant band) {
  const Configuration before = current_;
  context_.ApplyBandVariant(band);
  DecodeAll(image, current_);
  RecordStep(StepLabel(context_.Texts().LanguageText(text_key::MenuRead)), before);
  fileName_ = kUntitledFileName;
  untitled_ = true;
  TakeCurrentSnapshot();
}

void Workspace::TellFileError(std::string_view detail) {
  prompter_.Tell(std::string(context_.Texts().BuiltIn(BuiltInText::FileError)) + "\n" + std::string(detail));
}

FileCommandResult Workspace::ExportBook(const CommuBook& book, const std::filesystem::path& path) {
  const CommuBookFileOutcome saved = SaveCommuBookFile(path, book);
  if (saved != CommuBookFileResult::Ok) {
    TellFileError(saved.Detail);
    return FileCommandResult::FileFailed;
  }
  bookFileName_ = path;
  return FileCommandResult::Done;
}

FileCommandResult Workspace::ImportBook(const std::filesystem::path& path, CommuBook& book) {
  // A book file that cannot be read changes nothing: the book, its name and the rest stay.
  const CommuBookFileOutcome loaded = LoadCommuBookFile(path, book);
  if (loaded != CommuBookFileResult::Ok) {
    TellFileError(loaded.Detail);
    return FileCommandResult::FileFailed;
  }
  bookFileName_ = path;
  return FileCommandResult::Done;
}

FileCommandResult Workspace::LoadTestData(const std::filesystem::path& path, TestModeData& values) {
  const TestDataFileOutcome loaded = LoadTestDataFile(path, values);
  if (loaded != TestDataFileResult::Loaded) {
    TellFileError(loaded.Detail);
    return FileCommandResult::FileFailed;
  }
  testDataFileName_ = path;
  return FileCommandResult::Done;
}

FileCommandResult Workspace::SaveTestData(const TestModeData& values, const std::filesystem::path& path) {
  const FileWriteResult saved = SaveTestDataFile(path, values);
  if (!saved.Ok()) {
    TellFileError(saved.Detail());
    return FileCommandResult::FileFailed;
  }
  testDataFileName_ = path;
  return FileCommandResult::Done;
}

FileCommandResult Workspace::ExportProductionFile(const std::array<bool, kAutoTestGroupCount>& groups,
                                                  const std::filesystem::path& path) {
  const EpmExportResult result = ExportEpm(current_, groups, context_.Texts(), path);
  if (result.EncoderFailure) {
    prompter_.Tell(EncodeFailureLine(*result.EncoderFailure));
    return FileCommandResult::EncoderFailed;
  }
  if (!result.Written) {
    prompter_.Tell(std::string(kEpmWriteError) + "\n" + result.Detail);
    return FileCommandResult::FileFailed;
  }
  return FileCommandResult::Done;
}

std::string Workspace::DataFileFilter() const {
  return std::string(context_.Texts().BuiltIn(BuiltInText::FileTypeName)) + " (*.dat)|*.dat";
}

bool Workspace::OfferToSave(std::string_view question) {
  if (!IsModified()) return true;
  switch (prompter_.Ask(question, PromptButtons::YesNoCancel, PromptIcon::Warning)) {
    case PromptAnswer::Yes:
      return Save();
    case PromptAnswer::No:
      return true;
    default:
      return false;
  }
}

bool Workspace::OfferToSaveChanges() {
  return OfferToSave(context_.Texts().SectionText(text_key::kMsg, text_key::SaveChangesQuestion));
}

bool Workspace::NewWithQuestions(bool askReset) {
  if (!OfferToSaveChanges()) return false;
  if (askReset && prompter_.Ask(context_.Texts().BuiltIn(BuiltInText::ResetWarning), PromptButtons::OkCancel,
                                PromptIcon::Warning) != PromptAnswer::Ok) {
    return false;
  }
  NewConfiguration();
  return true;
}

bool Workspace::New() { return NewWithQuestions(true); }

bool Workspace::Initialise() { return NewWithQuestions(false); }

bool Workspace::Open() {
  if (!OfferToSave(context_.Texts().BuiltIn(BuiltInText::UnsavedChanges))) return false;
  const auto path = prompter_.ChooseFileToOpen(DataFileFilter());
  return path && OpenFile(*path) == FileCheck::Ok;
}

bool Workspace::Save() {
  if (untitled_) return SaveAs();
  const std::string question = "\"" + fileName_.filename().string() + "\"" +
                               std::string(context_.Texts().BuiltIn(BuiltInText::OverwriteQuestion));
  if (prompter_.Ask(question, PromptButtons::OkCancel, PromptIcon::Question) != PromptAnswer::Ok)
    return false;
  return SaveFile(fileName_) == FileCheck::Ok;
}

bool Workspace::SaveAs() {
  const auto path = prompter_.ChooseFileToSave(DataFileFilter(), fileName_);
  return path && SaveFile(*path) == FileCheck::Ok;
}

bool Workspace::ImportChannelTable() {
  const auto path = prompter_.ChooseFileToOpen(ChannelTableFilter(context_));
  if (!path) return false;
  // Tables that number from Location 0 import whole only renumbered; the user decides per file.
  std::string question(context_.Texts().BuiltIn(BuiltInText::ImportTableQuestion));
  question.replace(question.find("%1"), 2, path->filename().string());
  bool renumber = false;
  if (prompter_.AskWithCheckBox(question, PromptButtons::OkCancel, PromptIcon::Question,
                                context_.Texts().BuiltIn(BuiltInText::RenumberRows),
                                renumber) != PromptAnswer::Ok) {
    return false;
  }
  return ImportChannels(current_, *path, {.Replace = false, .Renumber = renumber, .WhenBad = BadRows::Ask},
                        context_, prompter_) == FileCommandResult::Done;
}

void Workspace::ExportChannelTable() {
  std::filesystem::path suggested = fileName_;
  suggested.replace_extension(".csv");
  if (const auto path = prompter_.ChooseFileToSave(ChannelTableFilter(context_), suggested)) {
    static_cast<void>(ExportChannels(current_, *path, context_, prompter_));
  }
}

}  // namespace hvt
