#include "app/fleet_presenter.h"

#include <algorithm>
#include <utility>

#include "i18n/fill_in.h"
#include "i18n/text_keys.h"

namespace hvt {

namespace {

std::string FirstLine(const std::string& text) { return text.substr(0, text.find_first_of("\r\n")); }

}  // namespace

FleetPresenter::FleetPresenter(const AppContext& context, const Workspace& workspace, Prompter& prompter,
                               PortLister lister, FleetLinkMaker makeLink)
    : context_(context),
      workspace_(workspace),
      prompter_(prompter),
      lister_(std::move(lister)),
      run_(context.Texts(), std::move(makeLink)) {
  run_.SetListener(this);
  const LanguageTexts& texts = context.Texts();
  state_.Title = texts.BuiltIn(BuiltInText::FleetTitle);
  state_.PortHeader = texts.BuiltIn(BuiltInText::FleetPortHeader);
  state_.DescriptionHeader = texts.BuiltIn(BuiltInText::FleetDescriptionHeader);
  state_.ProgressHeader = texts.BuiltIn(BuiltInText::FleetProgressHeader);
  state_.StateHeader = texts.BuiltIn(BuiltInText::FleetStateHeader);
  state_.DetailHeader = texts.BuiltIn(BuiltInText::FleetDetailHeader);
  state_.VerifyText = texts.BuiltIn(BuiltInText::VerifyAfterWriting);
  state_.PasswordLabel = texts.BuiltIn(BuiltInText::FleetPassword);
  state_.RetriesLabel = texts.BuiltIn(BuiltInText::FleetRetries);
  state_.StartText = texts.BuiltIn(BuiltInText::FleetStart);
  state_.CancelText = texts.LanguageText(text_key::CancelButton);
  state_.CloseText = texts.BuiltIn(BuiltInText::CloseButton);
  for (const BuiltInText text :
       {BuiltInText::FleetWaiting, BuiltInText::FleetWritten, BuiltInText::FleetFailed,
        BuiltInText::FleetCancelled, BuiltInText::FleetNotOpened})
    state_.StateSamples.emplace_back(texts.BuiltIn(text));
  state_.StateSamples.push_back(FillIn(texts.BuiltIn(BuiltInText::FleetWriting), {"100"}));
  Fill(ListedPorts());
  // The port the single-radio commands use is the likeliest one to take part.
  for (Row& row : state_.Rows) row.Checked.Checked = row.Port == context_.PortName();
  RenderControls();
}

FleetPresenter::~FleetPresenter() {
  // Radios still winding down would call back into a presenter that is gone.
  run_.SetListener(nullptr);
}

void FleetPresenter::Fill(const std::vector<SerialPortEntry>& ports) {
  std::vector<Row> rows;
  for (const SerialPortEntry& port : ports) {
    Row row{.Port = port.Name, .Description = port.Description};
    const auto old = std::ranges::find(state_.Rows, row.Port, &Row::Port);
    if (old != state_.Rows.end()) row.Checked.Checked = old->Checked.Checked;
    rows.push_back(std::move(row));
  }
  state_.Rows = std::move(rows);
  state_.NoPorts = state_.Rows.empty() ? context_.Texts().BuiltIn(BuiltInText::FleetNoPorts) : "";
}

std::vector<SerialPortEntry> FleetPresenter::ListedPorts() const {
  std::vector<SerialPortEntry> listed;
  for (SerialPortEntry& port : lister_()) {
    const bool taken = std::ranges::find(listed, port.Name, &SerialPortEntry::Name) != listed.end();
    if (port.Name != kVirtualPortName && !taken) listed.push_back(std::move(port));
  }
  return listed;
}

bool FleetPresenter::Refresh() {
  if (IsRunning() || asking_) return false;
  const std::vector<Row> before = state_.Rows;
  const std::vector<SerialPortEntry> ports = ListedPorts();
  const bool same = std::ranges::equal(before, ports, [](const Row& row, const SerialPortEntry& port) {
    return row.Port == port.Name && row.Description == port.Description;
  });
  if (same) return false;
  Fill(ports);
  // The results of the last run stay with the ports that are still there.
  for (Row& row : state_.Rows) {
    const auto old = std::ranges::find(before, row.Port, &Row::Port);
    if (old == before.end()) continue;
    row.StateText = old->StateText;
    row.Percent = old->Percent;
    row.Detail = old->Detail;
    row.DetailLine = old->DetailLine;
  }
  runRows_.clear();
  RenderControls();
  return true;
}

void FleetPresenter::SetChecked(int row, bool checked) {
  if (IsRunning() || row < 0 || row >= static_cast<int>(state_.Rows.size())) return;
  state_.Rows[static_cast<std::size_t>(row)].Checked.Checked = checked;
  RenderControls();
}

void FleetPresenter::SetVerify(bool verify) {
  if (!IsRunning()) state_.Verify.Checked = verify;
}

void FleetPresenter::SetPassword(std::string_view password) {
  if (!IsRunning()) state_.Password.Text = password;
}

void FleetPresenter::SetRetries(int retries) {
  if (!IsRunning()) state_.Retries = std::clamp(retries, 0, kMaxRetries);
}

std::vector<std::size_t> FleetPresenter::CheckedRows() const {
  std::vector<std::size_t> rows;
  for (std::size_t i = 0; i < state_.Rows.size(); ++i) {
    if (state_.Rows[i].Checked.Checked) rows.push_back(i);
  }
  return rows;
}

bool FleetPresenter::Start() {
  if (!state_.StartEnabled) return false;
  const std::vector<std::size_t> rows = CheckedRows();
  const LanguageTexts& texts = context_.Texts();
  std::string question =
      rows.size() == 1 ? std::string(texts.BuiltIn(BuiltInText::FleetConfirmationOne))
                       : FillIn(texts.BuiltIn(BuiltInText::FleetConfirmation), {std::to_string(rows.size())});
  for (const std::size_t row : rows) question += "\r\n" + state_.Rows[row].Port;
  // The list is read again on a timer, which goes on while the question is open: the rows asked
  // about stay the rows written.
  asking_ = true;
  const PromptAnswer answer = prompter_.Ask(question, PromptButtons::YesNo, PromptIcon::Question);
  asking_ = false;
  if (answer != PromptAnswer::Yes) return false;

  std::vector<std::string> ports;
  for (const std::size_t row : rows) ports.push_back(state_.Rows[row].Port);
  FleetOptions options{.Verify = state_.Verify.Checked, .Retries = state_.Retries};
  if (!state_.Password.Text.empty()) options.Password = state_.Password.Text;

  for (Row& row : state_.Rows) {
    row.StateText.clear();
    row.Percent = 0;
    row.Detail.clear();
    row.DetailLine.clear();
  }
  state_.Summary.clear();
  cancelling_ = false;
  ended_ = false;
  runRows_ = rows;
  // Every row is drawn as waiting before the first radio reports; a port that cannot be opened
  // reports from inside StartWrite.
  for (const std::size_t row : rows) state_.Rows[row].StateText = texts.BuiltIn(BuiltInText::FleetWaiting);
  if (const auto problem = run_.StartWrite(ports, workspace_.Current(), context_.Band(), options)) {
    runRows_.clear();
    ended_ = true;
    for (const std::size_t row : rows) state_.Rows[row].StateText.clear();
    RenderControls();
    prompter_.Tell(*problem, PromptIcon::Critical);
    return false;
  }
  RenderControls();
  return true;
}

void FleetPresenter::Cancel() {
  if (!IsRunning() || cancelling_) return;
  cancelling_ = true;
  RenderControls();
  run_.Cancel();
}

bool FleetPresenter::Close() {
  if (!IsRunning()) return true;
  if (state_.CloseWhenEnded) return false;  // asked already; the window closes at the end
  if (prompter_.Ask(context_.Texts().BuiltIn(BuiltInText::FleetStopQuestion), PromptButtons::YesNo,
                    PromptIcon::Warning) != PromptAnswer::Yes)
    return false;
  // The run may have ended while the question was open.
  if (!IsRunning()) return true;
  state_.CloseWhenEnded = true;
  Cancel();
  return false;
}

void FleetPresenter::RenderRow(std::size_t row, const FleetRadioStatus& status) {
  const LanguageTexts& texts = context_.Texts();
  Row& shown = state_.Rows[row];
  shown.Percent = std::clamp(status.Percent, 0, 100);
  switch (status.State) {
    case FleetState::Waiting:
      shown.StateText = texts.BuiltIn(BuiltInText::FleetWaiting);
      break;
    case FleetState::Running:
      // Until the first block is over the radio has not answered yet: a silent radio waits.
      shown.StateText = shown.Percent == 0 ? std::string(texts.BuiltIn(BuiltInText::FleetWaiting))
                                           : FillIn(texts.BuiltIn(BuiltInText::FleetWriting),
                                                    {std::to_string(shown.Percent)});
      break;
    case FleetState::Succeeded:
      shown.StateText = texts.BuiltIn(BuiltInText::FleetWritten);
      break;
    case FleetState::Failed:
      shown.StateText = texts.BuiltIn(BuiltInText::FleetFailed);
      break;
    case FleetState::Cancelled:
      shown.StateText = texts.BuiltIn(BuiltInText::FleetCancelled);
      break;
    case FleetState::NotStarted:
      shown.StateText = texts.BuiltIn(BuiltInText::FleetNotOpened);
      break;
  }
  shown.Detail = status.Detail;
  // A cancelled write says nothing itself; the radio is left with part of the configuration once
  // a block has gone over.
  if (status.State == FleetState::Cancelled && shown.Detail.empty() && status.Percent > 0)
    shown.Detail = texts.BuiltIn(BuiltInText::FleetPartlyWritten);
  shown.DetailLine = FirstLine(shown.Detail);
}

void FleetPresenter::OnRadioChanged(std::size_t index) {
  if (index >= runRows_.size() || index >= run_.Radios().size()) return;
  RenderRow(runRows_[index], run_.Radios()[index]);
  if (view_ != nullptr) view_->OnRadioChanged(runRows_[index]);
}

void FleetPresenter::OnFleetFinished() {
  const std::size_t written = run_.Count(FleetState::Succeeded);
  const std::size_t radios = run_.Radios().size();
  const LanguageTexts& texts = context_.Texts();
  state_.Summary = radios == 1
                       ? FillIn(texts.BuiltIn(BuiltInText::FleetSummaryOne), {std::to_string(written)})
                       : FillIn(texts.BuiltIn(BuiltInText::FleetSummary),
                                {std::to_string(written), std::to_string(radios)});
  cancelling_ = false;
  ended_ = true;
  RenderControls();
  if (view_ != nullptr) view_->OnFleetFinished();
}

void FleetPresenter::RenderControls() {
  const bool running = IsRunning();
  for (Row& row : state_.Rows) row.Checked.Enabled = !running;
  state_.Verify.Enabled = !running;
  state_.Password.Enabled = !running;
  state_.RetriesEnabled = !running;
  state_.StartEnabled = !running && !CheckedRows().empty();
  state_.CancelEnabled = running && !cancelling_;
}

}  // namespace hvt
