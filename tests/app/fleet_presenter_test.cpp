// The window that writes to several radios, without widgets: its ports, what it allows when, what
// it asks, and what each row shows while radios on loopback ports are written in simulated time.

#include "app/fleet_presenter.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>

#include "i18n/language.h"
#include "model/codec_chain.h"
#include "radio/loopback_pump.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

constexpr std::string_view kNotAnswering =
    "The radio does not respond. Check the cable and the radio and try again.";
constexpr std::string_view kWriteSucceeded = "Data written to the radio successfully.";

// The user, with something happening while a question is open.
class UserWithTimer : public ScriptedPrompter {
 public:
  std::function<void()> DuringQuestion;
  PromptAnswer Ask(std::string_view text, PromptButtons buttons, PromptIcon icon) override {
    if (buttons != PromptButtons::Ok && DuringQuestion) DuringQuestion();
    return ScriptedPrompter::Ask(text, buttons, icon);
  }
};

struct RadioSetup {
  std::string Faults;
  std::string Password;
  bool OpenFails = false;
};

class FleetPresenterTest : public testing::Test, public FleetListener {
 protected:
  AppContext Start(std::string_view locale = "en_US", std::string_view savedPort = "") {
    AppContext context = AppContext::Start({HVT_DATA_DIR, settings_.Path()}, locale);
    context.SetPortName(savedPort);
    return context;
  }

  // The radios answer on the ports of the same names, listed in this order.
  void Radios(const std::vector<std::pair<std::string, RadioSetup>>& setups) {
    for (const auto& [port, setup] : setups) {
      VirtualRadioSettings settings{.Password = setup.Password, .Paced = true};
      settings.Faults = ParseRadioFaults(setup.Faults).Faults.value();
      radios_[port] = std::make_unique<VirtualRadio>(settings);
      openFails_[port] = setup.OpenFails;
      ports_.push_back({port, "USB serial " + port});
    }
  }

  std::unique_ptr<FleetPresenter> Make(const AppContext& context) {
    auto presenter = std::make_unique<FleetPresenter>(
        context, *workspace_, prompter_, [this] { return ports_; },
        [this](const std::string& port) {
          auto loopback = std::make_unique<LoopbackPort>(*radios_.at(port), clock_);
          auto timer = std::make_unique<ManualTimer>(clock_);
          loopback->SetOpenFails(openFails_[port]);
          links_.push_back({loopback.get(), timer.get()});
          return FleetLink{std::move(loopback), std::move(timer)};
        });
    presenter->SetView(this);
    return presenter;
  }

  void Open(std::string_view locale = "en_US", std::string_view savedPort = "") {
    presenter_.reset();
    links_.clear();
    context_.emplace(Start(locale, savedPort));
    workspace_.emplace(*context_, prompter_);
    presenter_ = Make(*context_);
  }

  // Checks the rows of `ports` and starts, answering the confirmation Yes.
  bool StartOn(const std::vector<int>& rows) {
    for (const int row : rows) presenter_->SetChecked(row, true);
    prompter_.Answers.push_back(PromptAnswer::Yes);
    return presenter_->Start();
  }

  bool Pump(std::chrono::milliseconds limit = std::chrono::minutes(10)) {
    return LoopbackPump(clock_, links_).RunUntilIdle(limit);
  }

  std::vector<std::string> StateTexts() const {
    std::vector<std::string> texts;
    for (const FleetPresenter::Row& row : presenter_->State().Rows) texts.push_back(row.StateText);
    return texts;
  }

  void OnRadioChanged(std::size_t row) override { changedRows_.insert(row); }
  void OnFleetFinished() override { ++finished_; }

  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  TempFolder settings_;
  UserWithTimer prompter_;
  std::optional<AppContext> context_;
  std::optional<Workspace> workspace_;
  std::vector<SerialPortEntry> ports_;
  std::map<std::string, std::unique_ptr<VirtualRadio>> radios_;
  std::map<std::string, bool> openFails_;
  ManualClock clock_;
  std::vector<LoopbackPump::Link> links_;
  std::unique_ptr<FleetPresenter> presenter_;
  std::set<std::size_t> changedRows_;
  int finished_ = 0;
};

TEST_F(FleetPresenterTest, ListsTheRealPortsWithTheLastUsedOneCheckedAndStartsOnlyWithOneChecked) {
  struct Case {
    std::vector<SerialPortEntry> Ports;
    std::string Saved;
    std::vector<std::string> Rows;
    std::vector<bool> Checked;
    bool StartEnabled;
    bool NoPortsShown;
  };
  const SerialPortEntry usb0{"/dev/ttyUSB0", "FTDI FT232R"};
  const SerialPortEntry usb1{"/dev/ttyUSB1", ""};
  const SerialPortEntry virtualRadio{kVirtualPortName, "built-in virtual radio"};
  const Case cases[] = {
      {{usb0, usb1, virtualRadio}, "", {"/dev/ttyUSB0", "/dev/ttyUSB1"}, {false, false}, false, false},
      {{usb0, usb1, virtualRadio},
       "/dev/ttyUSB1",
       {"/dev/ttyUSB0", "/dev/ttyUSB1"},
       {false, true},
       true,
       false},
      {{virtualRadio, usb0}, "virtual", {"/dev/ttyUSB0"}, {false}, false, false},
      {{usb0, usb0}, "/dev/ttyUSB0", {"/dev/ttyUSB0"}, {true}, true, false},
      {{virtualRadio}, "virtual", {}, {}, false, true},
  };
  for (const Case& c : cases) {
    ports_ = c.Ports;
    Open("en_US", c.Saved);
    const FleetPresenter::ViewState& state = presenter_->State();
    std::vector<std::string> rows;
    std::vector<bool> checked;
    for (const FleetPresenter::Row& row : state.Rows) {
      rows.push_back(row.Port);
      checked.push_back(row.Checked.Checked);
      EXPECT_TRUE(row.Checked.Enabled);
      EXPECT_EQ(row.StateText, "");
    }
    EXPECT_EQ(rows, c.Rows) << c.Saved;
    EXPECT_EQ(checked, c.Checked) << c.Saved;
    EXPECT_EQ(state.StartEnabled, c.StartEnabled) << c.Saved;
    EXPECT_FALSE(state.CancelEnabled);
    EXPECT_EQ(state.NoPorts.empty(), !c.NoPortsShown) << c.Saved;
    EXPECT_EQ(state.Retries, 1);
    EXPECT_FALSE(state.Verify.Checked);
  }

  ports_ = {usb0, usb1};
  Open();
  presenter_->SetChecked(1, true);
  EXPECT_TRUE(presenter_->State().StartEnabled);
  presenter_->SetChecked(1, false);
  EXPECT_FALSE(presenter_->State().StartEnabled);
  presenter_->SetChecked(7, true);
  presenter_->SetChecked(-1, true);
  EXPECT_FALSE(presenter_->State().StartEnabled) << "rows that do not exist check nothing";
  EXPECT_FALSE(presenter_->Start());
  EXPECT_TRUE(prompter_.Messages.empty()) << "nothing is asked with no port checked";
  for (const auto& [given, kept] :
       std::vector<std::pair<int, int>>{{0, 0}, {9, 9}, {10, 9}, {-1, 0}, {4, 4}}) {
    presenter_->SetRetries(given);
    EXPECT_EQ(presenter_->State().Retries, kept) << given;
  }
}

TEST_F(FleetPresenterTest, AsksOnceForTheWholeRunNamingThePortsAndNoStartsNothing) {
  Radios({{"portA", {}}, {"portB", {}}, {"portC", {}}});
  struct Case {
    std::string Locale;
    std::vector<int> Rows;
    std::string Question;
  };
  const Case cases[] = {
      {"en_US", {1}, "Write the configuration to 1 radio?\r\nportB"},
      {"en_US", {0, 2}, "Write the configuration to 2 radios?\r\nportA\r\nportC"},
      {"zh_CN", {0, 1, 2}, "将配置写入 3 台对讲机吗？\r\nportA\r\nportB\r\nportC"},
  };
  for (const Case& c : cases) {
    Open(c.Locale);
    prompter_.Messages.clear();
    for (const int row : c.Rows) presenter_->SetChecked(row, true);
    prompter_.Answers = {PromptAnswer::No};
    EXPECT_FALSE(presenter_->Start());
    ASSERT_EQ(prompter_.Messages.size(), 1U);
    EXPECT_EQ(prompter_.Messages[0].Text, c.Question);
    EXPECT_EQ(prompter_.Messages[0].Buttons, PromptButtons::YesNo);
    EXPECT_TRUE(links_.empty()) << "no port is opened without a yes";
    EXPECT_FALSE(presenter_->IsRunning());
    EXPECT_TRUE(presenter_->State().StartEnabled);
    EXPECT_EQ(StateTexts(), std::vector<std::string>(3, ""));
  }
}

TEST_F(FleetPresenterTest, OneSilentRadioFailsTheOthersAreWrittenAndTheSummaryCountsThem) {
  Radios({{"port0", {}}, {"port1", {.Faults = "silent-after=0"}}, {"port2", {}}, {"port3", {}}});
  Open();
  workspace_->Current().Channels.Entries[0].Name = "FLEET";
  ASSERT_TRUE(StartOn({0, 1, 2}));

  const FleetPresenter::ViewState& state = presenter_->State();
  EXPECT_TRUE(presenter_->IsRunning());
  EXPECT_EQ(StateTexts(), (std::vector<std::string>{"waiting", "waiting", "waiting", ""}));
  EXPECT_FALSE(state.StartEnabled);
  EXPECT_TRUE(state.CancelEnabled);
  EXPECT_FALSE(state.Verify.Enabled || state.Password.Enabled || state.RetriesEnabled);
  for (const FleetPresenter::Row& row : state.Rows) EXPECT_FALSE(row.Checked.Enabled) << row.Port;

  ASSERT_FALSE(Pump(std::chrono::seconds(3)));
  EXPECT_EQ(state.Rows[0].StateText, "writing " + std::to_string(state.Rows[0].Percent) + " %");
  EXPECT_GT(state.Rows[0].Percent, 0);
  presenter_->SetChecked(3, true);
  presenter_->SetChecked(0, false);
  presenter_->SetVerify(true);
  presenter_->SetRetries(5);
  presenter_->SetPassword("1234");
  EXPECT_FALSE(state.Rows[3].Checked.Checked || state.Verify.Checked || !state.Password.Text.empty());
  EXPECT_TRUE(state.Rows[0].Checked.Checked);
  EXPECT_EQ(state.Retries, 1) << "the run's choices are locked while it goes";
  EXPECT_FALSE(presenter_->Start());

  ASSERT_TRUE(Pump());
  EXPECT_FALSE(presenter_->IsRunning());
  EXPECT_EQ(StateTexts(), (std::vector<std::string>{"written", "failed", "written", ""}));
  EXPECT_EQ(state.Rows[0].Detail, kWriteSucceeded);
  EXPECT_EQ(state.Rows[1].Detail, kNotAnswering);
  EXPECT_EQ(state.Rows[1].DetailLine, kNotAnswering);
  EXPECT_EQ(state.Rows[0].Percent, 100);
  EXPECT_EQ(state.Rows[1].Percent, 0);
  EXPECT_EQ(state.Summary, "2 of 3 radios written");
  EXPECT_EQ(finished_, 1);
  EXPECT_EQ(changedRows_, (std::set<std::size_t>{0, 1, 2})) << "rows are told by the window's numbers";

  Configuration written = workspace_->Current();
  RadioImage image;
  ASSERT_FALSE(EncodeAll(written, image).has_value());
  EXPECT_EQ(radios_["port0"]->Image(), image);
  EXPECT_EQ(radios_["port2"]->Image(), image);
  EXPECT_NE(radios_["port3"]->Image(), image) << "an unchecked port is left alone";

  EXPECT_TRUE(state.StartEnabled) << "the same or other radios can be written again";
  EXPECT_FALSE(state.CancelEnabled);
  EXPECT_TRUE(state.Rows[3].Checked.Enabled && state.Verify.Enabled && state.RetriesEnabled);
  EXPECT_TRUE(presenter_->Close()) << "nothing runs: the window closes without a question";
}

TEST_F(FleetPresenterTest, EachRowEndsForItsOwnReasonWithTheRunsOptions) {
  Radios({{"locked", {.Password = "1234"}},
          {"misstore", {.Faults = "misstore=0x0000"}},
          {"absent", {.OpenFails = true}},
          {"plain", {}}});
  Open("zh_CN");
  presenter_->SetVerify(true);
  presenter_->SetPassword("1234");
  presenter_->SetRetries(0);
  ASSERT_TRUE(StartOn({0, 1, 2, 3}));
  ASSERT_TRUE(Pump());
  const FleetPresenter::ViewState& state = presenter_->State();
  EXPECT_EQ(StateTexts(), (std::vector<std::string>{"已写入", "失败", "无法打开端口", "已写入"}));
  EXPECT_EQ(state.Rows[0].Detail, "向对讲机写入数据成功。回读的所有数据块都与写入的一致。");
  EXPECT_EQ(state.Rows[1].DetailLine, "向对讲机写入数据失败：回读发现与写入不一致的数据块（1 个）：");
  EXPECT_NE(state.Rows[1].Detail.find("\n0x0000"), std::string::npos)
      << "the full text stays for the tooltip";
  EXPECT_FALSE(state.Rows[2].Detail.empty());
  EXPECT_EQ(state.Summary, "4 台对讲机中已写入 2 台");

  // Without the password the locked radio refuses; one radio alone is counted in the singular.
  Open();
  ASSERT_TRUE(StartOn({0}));
  ASSERT_TRUE(Pump());
  EXPECT_EQ(presenter_->State().Rows[0].StateText, "failed");
  EXPECT_EQ(presenter_->State().Summary, "0 of 1 radio written");
}

TEST_F(FleetPresenterTest, CancelAndCloseDuringARunStopEveryRadioAfterItsPacketInFlight) {
  Radios({{"port0", {}}, {"port1", {}}});
  struct Case {
    std::string Name;
    PromptAnswer Answer;  // to the stop question; Ok: Cancel pressed, no question
    bool ClosesAtEnd;
  };
  const Case cases[] = {
      {"Cancel", PromptAnswer::Ok, false},
      {"Close, then yes", PromptAnswer::Yes, true},
      {"Close, then no", PromptAnswer::No, false},
  };
  for (const Case& c : cases) {
    Open();
    prompter_.Messages.clear();
    ASSERT_TRUE(StartOn({0, 1}));
    ASSERT_FALSE(Pump(std::chrono::seconds(3)));
    if (c.Answer == PromptAnswer::Ok) {
      presenter_->Cancel();
      EXPECT_FALSE(presenter_->State().CancelEnabled) << "asked once; the radios stop on their own";
    } else {
      prompter_.Answers = {c.Answer};
      EXPECT_FALSE(presenter_->Close()) << c.Name;
      ASSERT_EQ(prompter_.Messages.size(), 2U);
      EXPECT_EQ(prompter_.Messages[1].Text.substr(0, 50),
                "Radios are still being written. Stop writing them?");
      EXPECT_EQ(prompter_.Messages[1].Buttons, PromptButtons::YesNo);
      if (c.ClosesAtEnd) {
        EXPECT_FALSE(presenter_->Close()) << "asked once: the window waits for the radios";
        EXPECT_EQ(prompter_.Messages.size(), 2U);
      }
    }
    EXPECT_EQ(presenter_->State().CloseWhenEnded, c.ClosesAtEnd) << c.Name;
    ASSERT_TRUE(Pump());
    const bool stopped = c.Answer != PromptAnswer::No;
    const FleetPresenter::ViewState& state = presenter_->State();
    for (const FleetPresenter::Row& row : state.Rows) {
      EXPECT_EQ(row.StateText, stopped ? "cancelled" : "written") << c.Name;
      if (stopped) {
        EXPECT_EQ(row.Detail, "The radio now holds a partly written configuration; write it again.")
            << c.Name;
      }
    }
    EXPECT_EQ(state.Summary, stopped ? "0 of 2 radios written" : "2 of 2 radios written");
    EXPECT_TRUE(presenter_->Close());
    prompter_.Answers.clear();
  }
}

TEST_F(FleetPresenterTest, ARefusedConfigurationIsToldAndNothingStarts) {
  Radios({{"port0", {}}});
  Open();
  workspace_->Current().Channels.Entries[0].BusyLock = 300;
  ASSERT_FALSE(StartOn({0}));
  ASSERT_EQ(prompter_.Messages.size(), 2U);
  EXPECT_EQ(prompter_.Messages[1].Text.substr(0, 27), "SetCommDataByFrequencyError");
  EXPECT_EQ(prompter_.Messages[1].Icon, PromptIcon::Critical);
  EXPECT_TRUE(links_.empty());
  EXPECT_FALSE(presenter_->IsRunning());
  EXPECT_EQ(presenter_->State().Rows[0].StateText, "");
  EXPECT_TRUE(presenter_->State().StartEnabled && presenter_->State().Rows[0].Checked.Enabled);
}

TEST_F(FleetPresenterTest, ACablePluggedInOrPulledOutShowsKeepingChecksAndResults) {
  Radios({{"port0", {}}, {"port1", {}}});
  Open();
  ASSERT_TRUE(StartOn({0, 1}));
  ports_.push_back({"port2", "new"});
  EXPECT_FALSE(presenter_->Refresh()) << "the rows stay while radios are written";
  ASSERT_TRUE(Pump());

  ports_ = {{"port2", "new"}, {"port1", "USB serial port1"}, {kVirtualPortName, ""}};
  const std::vector<FleetPresenter::Row> before = presenter_->State().Rows;
  ASSERT_TRUE(presenter_->Refresh());
  const FleetPresenter::ViewState& state = presenter_->State();
  ASSERT_EQ(state.Rows.size(), 2U);
  EXPECT_EQ(state.Rows[0].Port, "port2");
  EXPECT_FALSE(state.Rows[0].Checked.Checked);
  EXPECT_EQ(state.Rows[0].StateText, "");
  EXPECT_EQ(state.Rows[1], before[1]) << "check and result stay with the port";
  EXPECT_FALSE(presenter_->Refresh()) << "the same list changes nothing";
  ports_.push_back({"port1", "USB serial port1"});
  EXPECT_FALSE(presenter_->Refresh()) << "nor a port the system lists twice";

  // The list read again while the confirmation is open would write to other ports than asked.
  ports_ = {{"port0", ""}, {"port1", ""}};
  ASSERT_TRUE(presenter_->Refresh());
  prompter_.DuringQuestion = [this] {
    ports_ = {{"port1", ""}};
    EXPECT_FALSE(presenter_->Refresh());
  };
  links_.clear();
  presenter_->SetChecked(0, false);
  ASSERT_TRUE(StartOn({1}));
  ASSERT_TRUE(Pump());
  EXPECT_EQ(StateTexts(), (std::vector<std::string>{"", "written"}));
  EXPECT_TRUE(presenter_->Refresh()) << "and is read once the run is over";
}

}  // namespace
}  // namespace hvt
