#include "app/port_presenter.h"

#include <gtest/gtest.h>

#include <map>
#include <optional>

#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"

namespace hvt {
namespace {

namespace fs = std::filesystem;

constexpr std::string_view kVirtualText = "Virtual radio";

class PortPresenterTest : public testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(root_ / "language");
    WriteFileBytes(root_ / "language" / "english.ini",
                   "[OTHER]\n101=OK\n102=Cancel\n1401=Serial Port\n1402=Port\n1403=Virtual radio\n"
                   "1404=Cannot save the port to:\n1405=No port %1.\n1406=%1 is no port.\n");
  }

  AppContext StartWithPort(std::string_view saved) {
    AppContext context = AppContext::Start(folders_, "en_US");
    context.SetPortName(saved);
    return context;
  }

  PortLister Lister() {
    return [this] { return ports_; };
  }

  static std::vector<std::string> Texts(const ChoiceList& list) {
    std::vector<std::string> texts;
    for (const ListEntry& entry : list.Entries) texts.push_back(entry.Text);
    return texts;
  }
  static std::string SelectedText(const ChoiceList& list) {
    return list.HasSelection() ? list.Entries[static_cast<std::size_t>(list.Selected)].Text : "<none>";
  }

  fs::path SetupFile() const { return root_ / "language" / "mysetup.ini"; }

  void TearDown() override { EXPECT_TRUE(prompter_.ScriptUsedUp()); }

  TempFolder root_;
  AppFolders folders_ = {root_.Path(), root_.Path()};
  std::vector<SerialPortEntry> ports_;
  ScriptedPrompter prompter_;
};

TEST_F(PortPresenterTest, OpensWithTheSavedPortWhenPresentElseTheFirstAndTheVirtualRadioLast) {
  const struct {
    std::string Saved;
    std::vector<SerialPortEntry> Ports;
    std::vector<std::string> Entries;
    std::string Selected;
  } cases[] = {
      {"COM7",
       {{"COM3", ""}, {"COM7", "FTDI USB"}, {kVirtualPortName, "x"}},
       {"COM3", "COM7 (FTDI USB)", "Virtual radio"},
       "COM7 (FTDI USB)"},
      {"COM7", {{"COM3", ""}, {kVirtualPortName, "x"}}, {"COM3", "Virtual radio"}, "COM3"},
      {"", {{"COM3", ""}, {kVirtualPortName, "x"}}, {"COM3", "Virtual radio"}, "COM3"},
      {"COM7",
       {{kVirtualPortName, "x"}, {"COM3", ""}, {"COM4", ""}},
       {"COM3", "COM4", "Virtual radio"},
       "COM3"},
      {"virtual", {{"COM3", ""}, {kVirtualPortName, "x"}}, {"COM3", "Virtual radio"}, "Virtual radio"},
      {"/dev/ttyUSB1",
       {{"/dev/ttyUSB0", ""}, {"/dev/ttyUSB1", ""}},
       {"/dev/ttyUSB0", "/dev/ttyUSB1"},
       "/dev/ttyUSB1"},
      {"COM3", {}, {}, "<none>"},
  };
  for (const auto& c : cases) {
    AppContext context = StartWithPort(c.Saved);
    ports_ = c.Ports;
    const PortPresenter presenter(context, prompter_, Lister());
    EXPECT_EQ(Texts(presenter.State().Ports), c.Entries) << "saved " << c.Saved;
    EXPECT_EQ(SelectedText(presenter.State().Ports), c.Selected) << "saved " << c.Saved;
  }
  AppContext context = StartWithPort("COM3");
  ports_ = {};
  const PortPresenter presenter(context, prompter_, Lister());
  EXPECT_EQ(presenter.State().Title, "Serial Port");
  EXPECT_EQ(presenter.State().Label, "Port");
  EXPECT_EQ(presenter.State().OkText, "OK");
  EXPECT_EQ(presenter.State().CancelText, "Cancel");
}

TEST_F(PortPresenterTest, RefreshKeepsTheUsersChoiceWhileItsPortExists) {
  AppContext context = StartWithPort("COM3");
  ports_ = {{"COM3", ""}, {"COM7", ""}, {kVirtualPortName, ""}};
  PortPresenter presenter(context, prompter_, Lister());
  presenter.SelectEntry(1);

  ports_ = {{"COM1", ""}, {"COM7", ""}, {"COM9", ""}, {kVirtualPortName, ""}};  // plugged in
  presenter.Refresh();
  EXPECT_EQ(SelectedText(presenter.State().Ports), "COM7");

  ports_ = {{"COM1", ""}, {"COM9", ""}, {kVirtualPortName, ""}};  // the chosen one pulled out
  presenter.Refresh();
  EXPECT_EQ(SelectedText(presenter.State().Ports), "COM1");

  presenter.SelectEntry(2);
  ports_ = {{"COM1", ""}, {kVirtualPortName, ""}};
  presenter.Refresh();
  EXPECT_EQ(SelectedText(presenter.State().Ports), std::string(kVirtualText)) << "the virtual radio stays";

  ports_ = {};
  presenter.Refresh();
  EXPECT_FALSE(presenter.State().Ports.HasSelection());
  ports_ = {{"COM1", ""}};
  presenter.Refresh();
  EXPECT_EQ(SelectedText(presenter.State().Ports), "COM1");
}

TEST_F(PortPresenterTest, OkSavesTheChosenPortByNumberOrByName) {
  const struct {
    std::string Chosen;
    std::string PortName;
    int PortNumber;
    std::string File;
  } cases[] = {
      {"COM7", "COM7", 7, "[language]\nIsFirstRun=0\ncomPort=7\ncomPortName=\n"},
      {"/dev/ttyUSB0", "/dev/ttyUSB0", 0, "[language]\nIsFirstRun=0\ncomPort=0\ncomPortName=/dev/ttyUSB0\n"},
      {"virtual", "virtual", 0, "[language]\nIsFirstRun=0\ncomPort=0\ncomPortName=virtual\n"},
  };
  for (const auto& c : cases) {
    fs::remove(SetupFile());
    AppContext context = StartWithPort("COM3");
    ports_ = {{"COM3", ""}, {c.Chosen, ""}};
    PortPresenter presenter(context, prompter_, Lister());
    presenter.SelectEntry(1);
    EXPECT_TRUE(presenter.Ok());
    EXPECT_TRUE(presenter.Changed());
    EXPECT_EQ(context.PortName(), c.PortName);
    EXPECT_EQ(context.PortNumber(), c.PortNumber);
    EXPECT_EQ(FileText(SetupFile()), c.File) << c.Chosen;
  }
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(PortPresenterTest, OkOnTheSamePortSavesItWithoutCountingAsAChange) {
  AppContext context = StartWithPort("COM3");
  ports_ = {{"COM3", ""}, {"COM7", ""}};
  PortPresenter presenter(context, prompter_, Lister());
  EXPECT_TRUE(presenter.Ok());
  EXPECT_FALSE(presenter.Changed());
  EXPECT_EQ(FileText(SetupFile()), "[language]\nIsFirstRun=0\ncomPort=3\ncomPortName=\n");
}

TEST_F(PortPresenterTest, CancelAndAnEmptyListLeaveThePortAndTheFileUntouched) {
  AppContext context = StartWithPort("COM3");
  ports_ = {{"COM3", ""}, {"COM7", ""}};
  PortPresenter cancelled(context, prompter_, Lister());
  cancelled.SelectEntry(1);
  cancelled.Cancel();
  EXPECT_FALSE(cancelled.Changed());

  ports_ = {};
  PortPresenter empty(context, prompter_, Lister());
  EXPECT_TRUE(empty.Ok());
  EXPECT_FALSE(empty.Changed());

  EXPECT_EQ(context.PortName(), "COM3");
  EXPECT_FALSE(fs::exists(SetupFile()));
  EXPECT_TRUE(prompter_.Messages.empty());
}

TEST_F(PortPresenterTest, ASettingThatCannotBeSavedIsReportedAndThePortStaysAsItWas) {
  WriteFileBytes(root_ / "blocked", "a file where the settings folder should be");
  folders_.Settings = root_ / "blocked";
  AppContext context = StartWithPort("COM3");
  ports_ = {{"COM3", ""}, {"COM7", ""}};
  PortPresenter presenter(context, prompter_, Lister());
  presenter.SelectEntry(1);

  EXPECT_TRUE(presenter.Ok()) << "nothing the user can correct in the dialog";
  EXPECT_FALSE(presenter.Changed());
  EXPECT_EQ(context.PortName(), "COM3");
  ASSERT_EQ(prompter_.Messages.size(), 1U);
  EXPECT_EQ(prompter_.Messages[0].Text,
            "Cannot save the port to:\n" + (root_ / "blocked" / "language" / "mysetup.ini").string());
  EXPECT_EQ(prompter_.Messages[0].Icon, PromptIcon::Critical);
}

TEST_F(PortPresenterTest, ATypedPortIsTakenWhenItIsACharacterDeviceAndRefusedNamingItOtherwise) {
  const std::map<std::string, PortPathKind> paths = {
      {"/dev/pts/7", PortPathKind::Device},
      {"/etc/hosts", PortPathKind::NotADevice},
  };
  struct Case {
    const char* What;
    std::string Typed;
    std::string Port;                    // after OK
    std::optional<std::string> Refusal;  // the message when OK is refused
    bool Checked;                        // the typed text was looked up in the file system
  };
  const Case cases[] = {
      {"a pseudo-terminal", "/dev/pts/7", "/dev/pts/7", std::nullopt, true},
      {"blanks around it", "  /dev/pts/7 ", "/dev/pts/7", std::nullopt, true},
      {"not there", "/dev/ttyUSB9", "COM3", "No port /dev/ttyUSB9.", true},
      {"not a device", "/etc/hosts", "COM3", "/etc/hosts is no port.", true},
      {"a listed port by its entry", "COM7 (FTDI USB)", "COM7", std::nullopt, false},
      {"a listed port by its name", "COM7", "COM7", std::nullopt, false},
      {"the box cleared: the chosen entry", "", "COM3", std::nullopt, false},
  };
  for (const Case& c : cases) {
    fs::remove(SetupFile());
    AppContext context = StartWithPort("COM3");
    ports_ = {{"COM3", ""}, {"COM7", "FTDI USB"}};
    std::vector<std::string> checked;
    ScriptedPrompter prompter;
    PortPresenter presenter(context, prompter, Lister(), [&](const std::string& path) {
      checked.push_back(path);
      const auto found = paths.find(path);
      return found == paths.end() ? PortPathKind::Missing : found->second;
    });
    presenter.EditPortText(c.Typed);
    EXPECT_EQ(presenter.State().PortText, c.Typed) << c.What;

    EXPECT_EQ(presenter.Ok(), !c.Refusal) << c.What;
    EXPECT_EQ(context.PortName(), c.Port) << c.What;
    EXPECT_EQ(!checked.empty(), c.Checked) << c.What;
    if (c.Refusal) {
      ASSERT_EQ(prompter.Messages.size(), 1U) << c.What;
      EXPECT_EQ(prompter.Messages[0].Text, *c.Refusal) << c.What;
      EXPECT_EQ(prompter.Messages[0].Icon, PromptIcon::Warning) << c.What;
      EXPECT_FALSE(fs::exists(SetupFile())) << c.What;
      EXPECT_FALSE(presenter.Changed()) << c.What;
    } else {
      EXPECT_TRUE(prompter.Messages.empty()) << c.What;
      const std::string saved = c.Port.starts_with("/") ? "comPortName=" + c.Port + "\n" : "comPortName=\n";
      EXPECT_NE(FileText(SetupFile()).find(saved), std::string::npos) << c.What << FileText(SetupFile());
    }
  }
}

TEST_F(PortPresenterTest, TypedTextSurvivesARefreshUntilAnEntryIsChosen) {
  AppContext context = StartWithPort("COM3");
  ports_ = {{"COM3", ""}, {"COM7", ""}};
  PortPresenter presenter(context, prompter_, Lister(),
                          [](const std::string&) { return PortPathKind::Device; });
  EXPECT_EQ(presenter.State().PortText, "COM3");

  presenter.EditPortText("/dev/pts/");
  ports_.push_back({"COM9", ""});
  presenter.Refresh();
  EXPECT_EQ(presenter.State().PortText, "/dev/pts/");

  presenter.SelectEntry(1);
  EXPECT_EQ(presenter.State().PortText, "COM7");
  presenter.Refresh();
  EXPECT_EQ(presenter.State().PortText, "COM7");
  EXPECT_TRUE(presenter.Ok());
  EXPECT_EQ(context.PortName(), "COM7");
}

TEST(CheckPortPath, OnlyACharacterDeviceIsAPort) {
  TempFolder folder;
  WriteFileBytes(folder.Path() / "plain", "not a port");
  EXPECT_EQ(CheckPortPath("/dev/null"), PortPathKind::Device);
  EXPECT_EQ(CheckPortPath((folder.Path() / "plain").string()), PortPathKind::NotADevice);
  EXPECT_EQ(CheckPortPath(folder.Path().string()), PortPathKind::NotADevice);
  EXPECT_EQ(CheckPortPath((folder.Path() / "missing").string()), PortPathKind::Missing);
}

}  // namespace
}  // namespace hvt
