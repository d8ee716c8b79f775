#include "app/radio_session.h"

#include "i18n/fill_in.h"

namespace hvt {

RadioSession::RadioSession(AppContext& context, Workspace& workspace, LinkPort& port, ReplyTimer& timer,
                           Prompter& prompter)
    : context_(context), workspace_(workspace), operation_(port, timer, prompter, context.Texts()) {
  operation_.SetObserver(this);
}

bool RadioSession::StartRead() {
  if (operation_.IsRunning() || !workspace_.OfferToSaveChanges()) return false;
  lastResult_.reset();
  lastBackup_ = {};
  return operation_.StartRead(testDataOn_);
}

bool RadioSession::StartWrite(bool confirmed) {
  if (operation_.IsRunning()) return false;
  lastResult_.reset();
  const std::optional<TestDataArea> testData = testDataOn_ ? std::optional(testData_) : std::nullopt;
  WriteJob job = WriteJobFor(workspace_.Current(), context_.Band(), testData);
  job.Confirmed = confirmed;
  job.Verify = verifyAfterWrite_;
  return operation_.StartWrite(job);
}

bool RadioSession::OfferWriteAgain(Prompter& prompter) const {
  if (!lastResult_ || lastResult_->Kind != OperationKind::Write || !lastResult_->Cancelled) return false;
  return prompter.Ask(context_.Texts().BuiltIn(BuiltInText::WriteCancelled), PromptButtons::YesNo,
                      PromptIcon::Warning) == PromptAnswer::Yes;
}

bool RadioSession::StartInformationRead() {
  if (operation_.IsRunning()) return false;
  lastResult_.reset();
  return operation_.StartInformationRead();
}

std::tm RadioSession::Now() const { return clock_ ? clock_() : LocalNow(); }

void RadioSession::Cancel() {
  if (state_ != SessionState::Running) return;
  Enter(SessionState::Cancelling);
  operation_.Cancel();
}

void RadioSession::OnRunningChanged(bool running) {
  Enter(running ? SessionState::Running : SessionState::Idle);
}

void RadioSession::Enter(SessionState state) {
  if (state_ == state) return;
  state_ = state;
  if (stateChanged_) stateChanged_(state);
}

void RadioSession::OnProgress(int percent) {
  if (progress_) progress_(percent);
}

void RadioSession::OnFinished(const OperationResult& result) {
  Accept(result);
  if (finished_) finished_();
}

void RadioSession::Accept(const OperationResult& result) {
  lastResult_ = result;
  if (result.Kind == OperationKind::Write) verifyAfterWrite_ = result.Verified;
  if (!result.Success) return;
  if (result.Data.Identity) {
    context_.SetModelName(result.Data.Identity->Model);
    context_.SetFirmwareVersion(result.Data.Identity->Version);
  }
  switch (result.Kind) {
    case OperationKind::Read:
      if (result.WithTestData) testData_ = result.Data.TestData;
      workspace_.AcceptImage(result.Data.Image, result.Data.Identity && result.Data.Identity->Band()
                                                    ? *result.Data.Identity->Band()
                                                    : context_.Band());
      lastBackup_ = KeepBackup(context_.Folders().BackupFolder(), workspace_.Current(),
                               DecodeEmbeddedInfo(result.Data.Information).SerialNumber, Now());
      if (!lastBackup_.File) {
        operation_.AddToOutcome(
            FillIn(context_.Texts().BuiltIn(BuiltInText::NoBackupKept), {lastBackup_.Problem}));
      }
      break;
    case OperationKind::InformationRead:
      information_ = DecodeEmbeddedInfo(result.Data.Information);
      break;
    case OperationKind::Write:
      break;
  }
}

}  // namespace hvt
