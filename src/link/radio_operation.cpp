#include "link/radio_operation.h"

#include <algorithm>
#include <string>
#include <utility>

#include "i18n/text_keys.h"
#include "link/block_contents.h"

namespace hvt {

WriteJob WriteJobFor(Configuration& records, BandVariant band, std::optional<TestDataArea> testData,
                     AutoTestRecording* recording) {
  return WriteJob{
      .Encode = [&records, recording](RadioImage& image) { return EncodeAll(records, image, recording); },
      .Channels = records.Channels,
      .Band = band,
      .TestData = testData,
  };
}

std::optional<int> ProgressCounter::CountBlock(int totalBlocks) {
  ++done_;
  const int percent = std::min(done_ * 100 / (totalBlocks + 1), 100);
  if (percent == lastShown_) return std::nullopt;
  lastShown_ = percent;
  return percent;
}

RadioOperation::RadioOperation(LinkPort& port, ReplyTimer& timer, Prompter& prompter,
                               const LanguageTexts& texts)
    : prompter_(prompter),
      texts_(texts),
      engine_(port, timer, prompter, texts),
      protocol_(engine_, prompter, texts, password_) {
  engine_.SetClient(&protocol_);
}

bool RadioOperation::StartRead(bool withTestData) {
  if (!Begin(OperationKind::Read, withTestData) || !Confirm(BuiltInText::ReadConfirmation)) return false;
  plan_.StartReadPlan();
  Run(BandVariant::Full);
  return true;
}

bool RadioOperation::StartWrite(const WriteJob& job) {
  bool verify = job.Verify;
  if (!Begin(OperationKind::Write, job.TestData.has_value()) || (!job.Confirmed && !ConfirmWrite(verify)))
    return false;
  result_.Verified = verify;
  if (const auto failure = job.Encode(result_.Data.Image)) {
    std::string message(failure->Tag);
    if (!failure->Detail.empty()) message += "\r\n" + failure->Detail;
    prompter_.Tell(message);
    engine_.ClosePort();
    return false;
  }
  if (job.TestData) result_.Data.TestData = *job.TestData;
  plan_.BuildWritePlan(job.Channels);
  Run(job.Band);
  return true;
}

bool RadioOperation::StartInformationRead() {
  if (!Begin(OperationKind::InformationRead, false)) return false;
  plan_.StartSequentialPlan();
  Run(BandVariant::Full);
  return true;
}

bool RadioOperation::Begin(OperationKind kind, bool withTestData) {
  if (running_ || !engine_.OpenLinkPort()) return false;
  result_.Kind = kind;
  result_.Success = false;
  result_.Cancelled = false;
  result_.Verified = false;
  result_.WithTestData = withTestData;
  result_.Data = {};
  outcomeAddition_.clear();
  progress_.Reset();
  return true;
}

bool RadioOperation::Confirm(BuiltInText question) {
  if (prompter_.Ask(texts_.BuiltIn(question), PromptButtons::OkCancel, PromptIcon::Question) ==
      PromptAnswer::Ok) {
    return true;
  }
  engine_.ClosePort();
  return false;
}

bool RadioOperation::ConfirmWrite(bool& verify) {
  if (prompter_.AskWithCheckBox(texts_.BuiltIn(BuiltInText::WriteConfirmation), PromptButtons::OkCancel,
                                PromptIcon::Question, texts_.BuiltIn(BuiltInText::VerifyAfterWriting),
                                verify) == PromptAnswer::Ok) {
    return true;
  }
  engine_.ClosePort();
  return false;
}

void RadioOperation::Run(BandVariant band) {
  SetRunning(true);
  protocol_.Start({.Kind = result_.Kind,
                   .WithTestData = result_.WithTestData,
                   .ConfigurationBand = band,
                   .Verify = result_.Verified},
                  plan_, result_.Data, *this);
}

void RadioOperation::SetRunning(bool running) {
  if (running_ == running) return;
  running_ = running;
  if (observer_ != nullptr) observer_->OnRunningChanged(running);
}

void RadioOperation::ProgressRestarts() {
  if (observer_ != nullptr) observer_->OnProgress(progress_.Restart());
}

void RadioOperation::CountBlock() {
  // A verified write counts each block twice and reaches 100 % with the last block read back.
  const int total = plan_.TotalBlocks() * (result_.Verified ? 2 : 1);
  const std::optional<int> percent = progress_.CountBlock(total);
  if (percent && observer_ != nullptr) observer_->OnProgress(*percent);
}

void RadioOperation::Cancel() {
  if (running_) protocol_.Cancel();
}

void RadioOperation::EndOperation(OperationOutcome outcome) {
  engine_.Finish();
  const bool success = outcome == OperationOutcome::Succeeded;
  result_.Success = success;
  result_.Cancelled = outcome == OperationOutcome::Cancelled;
  if (observer_ != nullptr) observer_->OnFinished(result_);

  struct Messages {
    std::optional<std::int32_t> Succeeded;
    std::int32_t Failed;
  };
  const Messages messages = [&]() -> Messages {
    switch (result_.Kind) {
      case OperationKind::Read:
        return {text_key::ReadSucceeded, text_key::ReadFailed};
      case OperationKind::Write:
        return {text_key::WriteSucceeded, text_key::WriteFailed};
      case OperationKind::InformationRead:
        return {std::nullopt, text_key::InformationReadFailed};
    }
    return {std::nullopt, text_key::ReadFailed};
  }();
  SetRunning(false);
  // The owner of a cancelled write says what the radio holds now and offers to write again.
  if (result_.Cancelled) {
    if (result_.Kind == OperationKind::Read) prompter_.Tell(texts_.BuiltIn(BuiltInText::ReadCancelled));
    return;
  }
  if (!result_.Data.DifferingBlocks.empty()) {
    prompter_.Tell(DescribeDifferingBlocks(result_.Data.DifferingBlocks, texts_), PromptIcon::Warning);
    return;
  }
  if (success && result_.Verified) {
    prompter_.Tell(texts_.BuiltIn(BuiltInText::WriteVerified));
    return;
  }
  if (success) {
    if (!messages.Succeeded) return;
    const std::string addition = std::exchange(outcomeAddition_, {});
    if (addition.empty()) {
      prompter_.Tell(texts_.LanguageText(*messages.Succeeded));
    } else {
      prompter_.Tell(texts_.LanguageText(*messages.Succeeded) + "\n" + addition, PromptIcon::Warning);
    }
    return;
  }
  TellFailure(messages.Failed);
}

// One message: the failure text, then why, then what it did to the radio.
void RadioOperation::TellFailure(std::int32_t failedKey) {
  const ExchangeData& data = result_.Data;
  const bool radioChanged = result_.Kind == OperationKind::Write && data.BlocksWritten;
  // The Retry question has said that the radio does not answer; after its Cancel a second box
  // would only repeat it, unless the radio was changed.
  if (data.RetryDeclined && !radioChanged) return;
  std::string text = texts_.LanguageText(failedKey);
  if (!data.PortProblem.empty()) text += "\n" + data.PortProblem;
  if (data.PasswordWrong) text += "\n" + texts_.LanguageText(text_key::PasswordWrong);
  if (radioChanged) text += "\n" + std::string(texts_.BuiltIn(BuiltInText::FleetPartlyWritten));
  prompter_.Tell(text, radioChanged ? PromptIcon::Warning : PromptIcon::None);
}

}  // namespace hvt
