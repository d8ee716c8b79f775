#include "app/fleet_run.h"

#include <algorithm>
#include <set>

#include "link/radio_operation.h"
#include "model/codec_chain.h"

namespace hvt {

namespace {

// The user of an unattended run: confirmations were given for the whole fleet, the retries and
// the password up front; every message is kept for the radio's line in the table.
class UnattendedPrompter final : public Prompter {
 public:
  UnattendedPrompter(const FleetOptions& options, std::function<void(std::string_view)> told)
      : retriesLeft_(options.Retries), password_(options.Password), told_(std::move(told)) {}

  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon) override {
    if (buttons != PromptButtons::OkCancel) told_(text);
    switch (buttons) {
      case PromptButtons::Ok:
      case PromptButtons::OkCancel:  // the read's confirmation: the user agreed to the whole run
        return PromptAnswer::Ok;
      case PromptButtons::RetryCancel:
        if (retriesLeft_ == 0) return PromptAnswer::Cancel;
        --retriesLeft_;
        return PromptAnswer::Retry;
      default:
        return PromptAnswer::Cancel;  // nothing else is expected; it is not agreed to unasked
    }
  }
  std::optional<std::filesystem::path> ChooseFileToOpen(std::string_view) override { return std::nullopt; }
  std::optional<std::filesystem::path> ChooseFileToSave(std::string_view,
                                                        const std::filesystem::path&) override {
    return std::nullopt;
  }
  // The given password once; asked again, it was wrong.
  std::optional<std::string> AskPassword(std::string_view) override { return std::exchange(password_, {}); }

 private:
  int retriesLeft_;
  std::optional<std::string> password_;
  std::function<void(std::string_view)> told_;
};

}  // namespace

class FleetRun::Radio final : private RadioOperationObserver {
 public:
  Radio(FleetRun& fleet, std::size_t index, FleetLink link, const Configuration& records,
        const FleetOptions& options)
      : fleet_(fleet),
        index_(index),
        link_(std::move(link)),
        prompter_(options, [this](std::string_view text) { Told(text); }),
        operation_(*link_.Port, *link_.Timer, prompter_, fleet.texts_),
        records_(records) {
    operation_.SetObserver(this);
  }

  void StartWrite(BandVariant band, bool verify) {
    started_ = std::chrono::steady_clock::now();
    Status().State = FleetState::Running;
    WriteJob job = WriteJobFor(records_, band);
    job.Confirmed = true;
    job.Verify = verify;
    if (!operation_.StartWrite(job)) {
      Status().State = FleetState::NotStarted;
      fleet_.Changed(index_);
    }
  }

  void StartRead() {
    started_ = std::chrono::steady_clock::now();
    Status().State = FleetState::Running;
    if (!operation_.StartRead(false)) {
      Status().State = FleetState::NotStarted;
      fleet_.Changed(index_);
    }
  }

  bool IsRunning() const { return operation_.IsRunning(); }
  const std::optional<OperationResult>& Result() const { return result_; }
  void Cancel() { operation_.Cancel(); }

 private:
  FleetRadioStatus& Status() { return fleet_.statuses_[index_]; }

  void OnProgress(int percent) override {
    Status().Percent = percent;
    fleet_.Changed(index_);
  }

  // The outcome message comes after this, through the prompter.
  void OnFinished(const OperationResult& result) override {
    FleetRadioStatus& status = Status();
    status.State = result.Success     ? FleetState::Succeeded
                   : result.Cancelled ? FleetState::Cancelled
                                      : FleetState::Failed;
    status.Elapsed = std::chrono::steady_clock::now() - started_;
    result_ = result;
    fleet_.Changed(index_);
  }

  void Told(std::string_view text) {
    FleetRadioStatus& status = Status();
    const bool keepCause = status.State != FleetState::Succeeded && !status.Detail.empty();
    if (!keepCause) status.Detail = text;
    fleet_.Changed(index_);
  }

  FleetRun& fleet_;
  std::size_t index_;
  FleetLink link_;
  UnattendedPrompter prompter_;
  RadioOperation operation_;
  Configuration records_;
  std::chrono::steady_clock::time_point started_;
  std::optional<OperationResult> result_;
};

FleetRun::FleetRun(const LanguageTexts& texts, FleetLinkMaker makeLink)
    : texts_(texts), makeLink_(std::move(makeLink)) {}

FleetRun::~FleetRun() = default;

std::optional<std::string> FleetRun::StartWrite(const std::vector<std::string>& ports,
                                                const Configuration& records, BandVariant band,
                                                const FleetOptions& options) {
  if (const auto failure = TrialEncode(records)) return EncodeFailureLine(*failure);
  return Start(ports, records, options,
               [band, &options](Radio& radio) { radio.StartWrite(band, options.Verify); });
}

std::optional<std::string> FleetRun::StartRead(const std::vector<std::string>& ports,
                                               const FleetOptions& options) {
  return Start(ports, {}, options, [](Radio& radio) { radio.StartRead(); });
}

std::optional<std::string> FleetRun::Start(const std::vector<std::string>& ports,
                                           const Configuration& records, const FleetOptions& options,
                                           const std::function<void(Radio&)>& start) {
  if (IsRunning()) return "a run is going";
  if (ports.empty()) return "no port is given";
  const std::set<std::string> distinct(ports.begin(), ports.end());
  if (distinct.size() != ports.size()) return "a port is given twice";
  radios_.clear();
  statuses_.clear();
  for (const std::string& port : ports) statuses_.push_back({.PortName = port});
  for (std::size_t i = 0; i < ports.size(); ++i)
    radios_.push_back(std::make_unique<Radio>(*this, i, makeLink_(ports[i]), records, options));
  finishedTold_ = false;
  for (const auto& radio : radios_) start(*radio);
  Changed(0);  // every radio may have ended at once (no port opened)
  return std::nullopt;
}

const std::optional<OperationResult>& FleetRun::Result(std::size_t index) const {
  return radios_.at(index)->Result();
}

bool FleetRun::IsRunning() const {
  return std::ranges::any_of(radios_, [](const auto& radio) { return radio->IsRunning(); });
}

void FleetRun::Cancel() {
  for (const auto& radio : radios_) radio->Cancel();
}

std::size_t FleetRun::Count(FleetState state) const {
  return static_cast<std::size_t>(std::ranges::count_if(
      statuses_, [state](const FleetRadioStatus& status) { return status.State == state; }));
}

void FleetRun::Changed(std::size_t index) {
  if (listener_ != nullptr && index < statuses_.size()) listener_->OnRadioChanged(index);
  const bool ended = std::ranges::none_of(statuses_, [](const FleetRadioStatus& status) {
    return status.State == FleetState::Waiting || status.State == FleetState::Running;
  });
  if (ended && !finishedTold_) {
    finishedTold_ = true;
    if (listener_ != nullptr) listener_->OnFleetFinished();
  }
}

}  // namespace hvt
