// The real main window, offscreen, against the built-in virtual radio on the event loop: files,
// writes and reads through the progress window, the password, failures. The user's answers come
// from a script.

#include <gtest/gtest.h>
#include <malloc.h>

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QGuiApplication>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPrintPreviewDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTableView>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <deque>
#include <functional>

#include "app/radio_backups.h"
#include "app/virtual_radio_memory.h"
#include "files/configuration_file.h"
#include "i18n/text_keys.h"
#include "support/file_bytes.h"
#include "support/scripted_prompter.h"
#include "support/temp_folder.h"
#include "ui/main_window.h"
#include "ui/modal_dialog.h"
#include "ui/progress_window.h"

namespace hvt {
namespace {

// Runs the event loop until `done` holds; false after `limitMs` without it.
bool RunUntil(const std::function<bool()>& done, int limitMs = 20000) {
  QElapsedTimer clock;
  clock.start();
  while (!done()) {
    if (clock.elapsed() > limitMs) return false;
    QEventLoop loop;
    QTimer::singleShot(2, &loop, &QEventLoop::quit);
    loop.exec();
  }
  return true;
}

class MainWindowEndToEnd : public testing::Test {
 public:
  VirtualRadio& Radio() { return link_.Virtual().Radio(); }
  AppContext& Context() { return context_; }

 protected:
  MainWindowEndToEnd() {
    context_.SetPortName("virtual");
    window_.show();
  }

  void TearDown() override {
    EXPECT_TRUE(prompter_.ScriptUsedUp()) << "the test scripted more than was asked";
  }

  std::string Text(std::int32_t key) const { return context_.Texts().LanguageText(key); }

  std::string Cell(int row, GridColumn column) {
    return window_.Presenter().Grid().Row(row)[static_cast<std::size_t>(column) - 1];
  }

  // Runs a radio command to its end; true when the progress window showed while it ran.
  bool RunRadioCommand(Command command) {
    window_.Run(command);
    const bool progressShown = ProgressShown();
    EXPECT_TRUE(RunUntil([this] { return !session_.IsRunning(); }));
    return progressShown;
  }

  // A closed progress window may linger until the event loop deletes it.
  bool ProgressShown() const {
    const auto windows = window_.findChildren<ProgressWindow*>();
    return std::ranges::any_of(windows, [](const ProgressWindow* window) { return window->isVisible(); });
  }

  std::string LastMessage() const { return prompter_.Messages.empty() ? "" : prompter_.Messages.back().Text; }

  TempFolder settings_;
  AppContext context_ = AppContext::Start({HVT_DATA_DIR, settings_.Path()}, "en_US");
  ScriptedPrompter prompter_;
  Workspace workspace_{context_, prompter_};
  RadioLink link_{VirtualRadioMemory::FileIn(settings_.Path())};
  RadioSession session_{context_, workspace_, link_.Port(), link_.Timer(), prompter_};
  MainWindow window_{context_, workspace_, prompter_, link_, session_, false};
};

// A redraw of the whole window, as every File > Open makes, keeps the headers' palettes: the
// style keeps a picture of each header section under its palette's key, so a palette made anew
// at each paint put new pictures in Qt's pixmap cache at every redraw (about 66 KiB each).
TEST_F(MainWindowEndToEnd, RedrawsOfTheWindowLeaveTheMemoryAsItWas) {
  EXPECT_EQ(window_.Grid().horizontalHeader()->palette().color(QPalette::ButtonText), QColor(0, 0, 155));
  EXPECT_EQ(window_.Grid().verticalHeader()->palette().color(QPalette::ButtonText), QColor(0, 0, 255));
  const auto redraw = [this] {
    window_.RenderAll();
    QCoreApplication::processEvents();
  };
  redraw();
  const auto before = static_cast<long long>(mallinfo2().uordblks);
  for (int i = 0; i < 100; ++i) redraw();
  const long long grown = static_cast<long long>(mallinfo2().uordblks) - before;
  EXPECT_LT(grown, 1024 * 1024) << "bytes the heap grew over 100 redraws";
}

TEST_F(MainWindowEndToEnd, AFileWrittenToTheRadioReadsBackIntoTheGrid) {
  Configuration configuration = workspace_.Current();
  AddChannel(configuration.Channels, CreateChannel(150, "438.125"));
  const auto file = settings_ / "fleet.dat";
  ASSERT_EQ(WriteConfigurationFile(file, configuration), FileCheck::Ok);

  window_.OpenAtStart(QString::fromStdString(file.string()));
  EXPECT_EQ(Cell(150, GridColumn::Rx), "438.12500");
  EXPECT_NE(window_.windowTitle().toStdString().find("fleet.dat"), std::string::npos);

  prompter_.Answers = {PromptAnswer::Ok};  // the write confirmation
  EXPECT_TRUE(RunRadioCommand(Command::Write));
  EXPECT_EQ(LastMessage(), Text(text_key::WriteSucceeded));

  prompter_.Answers = {PromptAnswer::Ok};  // the reset warning
  window_.Run(Command::New);
  EXPECT_EQ(Cell(150, GridColumn::Rx), "");

  prompter_.Answers = {PromptAnswer::Ok};  // the read confirmation
  EXPECT_TRUE(RunRadioCommand(Command::Read));
  EXPECT_EQ(LastMessage(), Text(text_key::ReadSucceeded));
  EXPECT_EQ(Cell(150, GridColumn::Rx), "438.12500");
  EXPECT_FALSE(workspace_.IsModified()) << "what was read counts as saved";
  EXPECT_NE(window_.windowTitle().toStdString().find("new.dat"), std::string::npos);
}

TEST_F(MainWindowEndToEnd, ARadioWithAPasswordAsksForItOnce) {
  link_.Virtual().Radio().SetPassword("12");
  prompter_.Answers = {PromptAnswer::Ok};
  prompter_.Passwords = {"12"};
  RunRadioCommand(Command::Read);
  EXPECT_EQ(LastMessage(), Text(text_key::ReadSucceeded));
  EXPECT_TRUE(
      std::ranges::any_of(prompter_.Messages, [](const auto& m) { return m.Text == kPasswordDialog; }));

  prompter_.Messages.clear();
  prompter_.Answers = {PromptAnswer::Ok};
  RunRadioCommand(Command::Read);
  EXPECT_EQ(LastMessage(), Text(text_key::ReadSucceeded));
  EXPECT_FALSE(std::ranges::any_of(prompter_.Messages, [](const auto& m) {
    return m.Text == kPasswordDialog;
  })) << "the password is remembered for the program's run";
}

TEST_F(MainWindowEndToEnd, AMalformedFileLeavesTheWorkspaceAsItWas) {
  const Configuration before = workspace_.Current();
  const auto file = settings_ / "broken.dat";
  WriteFileBytes(file, std::string(100, 'x'));
  window_.OpenAtStart(QString::fromStdString(file.string()));
  ASSERT_EQ(prompter_.Messages.size(), 1u);
  EXPECT_NE(prompter_.Messages[0].Text.find("broken.dat"), std::string::npos) << prompter_.Messages[0].Text;
  EXPECT_TRUE(workspace_.Current() == before);
  EXPECT_NE(window_.windowTitle().toStdString().find("new.dat"), std::string::npos);
}

TEST_F(MainWindowEndToEnd, APortThatCannotOpenSendsNothing) {
  context_.SetPortName("/dev/hvt7300-no-such-port");
  window_.Run(Command::Read);
  EXPECT_FALSE(session_.IsRunning());
  EXPECT_FALSE(ProgressShown());
  ASSERT_FALSE(prompter_.Messages.empty());
  EXPECT_EQ(prompter_.Messages[0].Text.rfind(Text(text_key::PortOpenFailed), 0), 0u)
      << prompter_.Messages[0].Text;
}

TEST_F(MainWindowEndToEnd, ARadioFallingSilentMidReadEndsInRetryOrCancelAndCancelChangesNothing) {
  RadioFaults faults;
  faults.SilentAfterBlocks = 20;
  link_.Virtual().Radio().SetFaults(faults);
  const Configuration before = workspace_.Current();
  prompter_.Answers = {PromptAnswer::Ok, PromptAnswer::Cancel};
  RunRadioCommand(Command::Read);
  ASSERT_EQ(prompter_.Messages.size(), 2u) << "the question said it: no second box after Cancel";
  EXPECT_EQ(prompter_.Messages[1].Buttons, PromptButtons::RetryCancel);
  EXPECT_EQ(LastMessage(), Text(text_key::RadioNotAnswering));
  EXPECT_TRUE(workspace_.Current() == before);
  EXPECT_FALSE(ProgressShown()) << "the progress window closed with the failure";
}

// The progress window's Cancel stops a transfer after the packet in flight: a cancelled read
// leaves the workspace alone; a cancelled write says the radio holds part of the configuration
// and offers to write again, which then runs without another confirmation.
TEST_F(MainWindowEndToEnd, CancelInTheProgressWindowStopsAReadAndAWrite) {
  const auto pressCancel = [this] {
    for (ProgressWindow* progress : window_.findChildren<ProgressWindow*>()) {
      if (progress->isVisible()) QTest::keyClick(progress, Qt::Key_Escape);
    }
  };
  const Configuration before = workspace_.Current();
  prompter_.Answers = {PromptAnswer::Ok};  // the read confirmation
  window_.Run(Command::Read);
  ASSERT_TRUE(session_.IsRunning());
  pressCancel();
  ASSERT_TRUE(RunUntil([this] { return !session_.IsRunning(); }));
  EXPECT_EQ(LastMessage(), context_.Texts().BuiltIn(BuiltInText::ReadCancelled));
  EXPECT_TRUE(workspace_.Current() == before);
  EXPECT_FALSE(workspace_.IsModified());

  prompter_.Answers = {PromptAnswer::Ok, PromptAnswer::Yes};  // the write confirmation, write again
  window_.Run(Command::Write);
  ASSERT_TRUE(session_.IsRunning());
  pressCancel();
  ASSERT_TRUE(RunUntil([this] { return prompter_.Answers.empty() && !session_.IsRunning(); }));
  ASSERT_GE(prompter_.Messages.size(), 2U);
  EXPECT_EQ(prompter_.Messages[prompter_.Messages.size() - 2].Text,
            context_.Texts().BuiltIn(BuiltInText::WriteCancelled));
  EXPECT_EQ(LastMessage(), Text(text_key::WriteSucceeded)) << "written again to the end";
  EXPECT_FALSE(ProgressShown());
}

// Every read keeps what the radio held under its serial number; File > Open Backup opens it again
// untitled, so a save cannot write over the backup.
TEST_F(MainWindowEndToEnd, AReadKeepsABackupThatOpensAgainUntitled) {
  const std::string serial = "SN7300-000456";
  std::ranges::copy(serial, link_.Virtual().Radio().InformationBlock().begin() + 32);
  prompter_.Answers = {PromptAnswer::Ok};
  RunRadioCommand(Command::Read);
  ASSERT_EQ(LastMessage(), Text(text_key::ReadSucceeded));
  const Configuration read = workspace_.Current();
  const std::vector<Backup> backups = ListBackups(context_.Folders().BackupFolder());
  ASSERT_EQ(backups.size(), 1U);
  EXPECT_EQ(backups[0].Radio, serial);
  EXPECT_EQ(session_.LastBackup().File, backups[0].File);

  prompter_.Answers = {PromptAnswer::Ok};  // the reset warning
  window_.Run(Command::New);
  OnModalDialog([](QDialog& dialog) {
    const auto closeOnFailure = qScopeGuard([&dialog] {
      if (dialog.isVisible()) dialog.reject();
    });
    ExpectWellFormed(dialog);
    Press(dialog, QDialogButtonBox::Ok);
  });
  window_.Run(Command::OpenBackup);
  EXPECT_TRUE(workspace_.Current() == read);
  EXPECT_TRUE(workspace_.Untitled());
  EXPECT_FALSE(workspace_.IsModified());
}

TEST_F(MainWindowEndToEnd, TheInformationWindowShowsTheRadiosSerialNumber) {
  const std::string serial = "SN7300-000123";
  std::ranges::copy(serial, link_.Virtual().Radio().InformationBlock().begin() + 32);
  // The window is modal: look into it once it is up, then close it.
  QStringList boxes;
  QTimer watcher;
  QObject::connect(&watcher, &QTimer::timeout, [&] {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || modal->objectName() != QLatin1String("FrmEMG")) return;
    for (const QLineEdit* box : modal->findChildren<QLineEdit*>()) boxes.append(box->text());
    modal->close();
  });
  watcher.start(5);
  RunRadioCommand(Command::EmbeddedInfo);
  EXPECT_TRUE(RunUntil([&] { return !boxes.isEmpty(); }));
  EXPECT_TRUE(boxes.contains(QString::fromStdString(serial))) << boxes.join(QLatin1Char('|')).toStdString();
  EXPECT_TRUE(prompter_.Messages.empty()) << "no confirmation, no outcome message after a success";
}

// The user's path through a channel: Enter on its row, new values in the dialog, then a file and
// the radio; the row shows the values at every step.
TEST_F(MainWindowEndToEnd, AnEditedChannelSurvivesSaveOpenAndAWriteReadRoundTrip) {
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  window_.Grid().setFocus();
  window_.Grid().setCurrentIndex(window_.Grid().model()->index(0, 0));
  OnModalDialog([this](QDialog& dialog) {
    const auto closeOnFailure = qScopeGuard([&dialog] {
      if (dialog.isVisible()) dialog.reject();
    });
    const auto box = [&dialog](const std::string& name) {
      for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
        if (edit->accessibleName().toStdString() == name) return edit;
      }
      ADD_FAILURE() << "no box " << name;
      return static_cast<QLineEdit*>(nullptr);
    };
    QLineEdit* receive = box(Text(text_key::GridRx));
    QLineEdit* transmit = box(Text(text_key::GridTx));
    ASSERT_TRUE(receive && transmit);
    receive->selectAll();
    QTest::keyClicks(receive, "439.1");
    transmit->selectAll();
    QTest::keyClicks(transmit, "444.1");
    const std::string name = "test";
    for (std::size_t i = 0; i < name.size(); ++i) {
      QLineEdit* nameBox = box(Text(text_key::GridName) + " " + std::to_string(i + 1));
      ASSERT_NE(nameBox, nullptr);
      QTest::keyClick(nameBox, name[i]);
    }
    Press(dialog, QDialogButtonBox::Ok);
  });
  QTest::keyClick(&window_.Grid(), Qt::Key_Return);

  const auto expectChannelOne = [this](const char* when) {
    EXPECT_EQ(Cell(1, GridColumn::Rx), "439.10000") << when;
    EXPECT_EQ(Cell(1, GridColumn::Tx), "444.10000") << when;
    EXPECT_EQ(Cell(1, GridColumn::Name), "TEST") << when;
  };
  expectChannelOne("after OK");
  EXPECT_EQ(window_.Grid().model()->data(window_.Grid().model()->index(0, 0)).toString(), "439.10000");
  EXPECT_TRUE(workspace_.IsModified());

  const auto file = settings_ / "edited.dat";
  prompter_.Files = {file};
  window_.Run(Command::SaveAs);
  EXPECT_FALSE(workspace_.IsModified());
  prompter_.Answers = {PromptAnswer::Ok};  // the reset warning
  window_.Run(Command::New);
  EXPECT_EQ(Cell(1, GridColumn::Name), "PMR1");
  window_.OpenAtStart(QString::fromStdString(file.string()));
  expectChannelOne("after reopening");

  prompter_.Answers = {PromptAnswer::Ok};  // the write confirmation
  RunRadioCommand(Command::Write);
  EXPECT_EQ(LastMessage(), Text(text_key::WriteSucceeded));
  prompter_.Answers = {PromptAnswer::Ok};
  window_.Run(Command::New);
  prompter_.Answers = {PromptAnswer::Ok};  // the read confirmation
  RunRadioCommand(Command::Read);
  EXPECT_EQ(LastMessage(), Text(text_key::ReadSucceeded));
  expectChannelOne("after a write and a read");
}

// A book entry typed in the editor reaches the radio and comes back (the radio's book is sorted
// by code, so the entry is looked for by its code); exported, it imports into a new configuration.
// The signalling lists travel to the radio: a book entry and a 5-tone code typed in their grids
// come back from a write and a read; the book also survives an export and an import.
TEST_F(MainWindowEndToEnd, ABookEntryAndAFiveToneCodeSurviveTheRadioAndTheBookAnExportImport) {
  const auto typeEntry = [](QDialog& dialog, int row, const char* code, const char* name) {
    auto* grid = dialog.findChild<QTableView*>();
    for (const auto& [column, text] : {std::pair{1, code}, std::pair{2, name}}) {
      const QModelIndex cell = grid->model()->index(row, column);
      grid->setCurrentIndex(cell);
      grid->edit(cell);
      auto* box = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
      ASSERT_NE(box, nullptr);
      QTest::keyClicks(box, text);
    }
  };
  OnModalDialog([&](QDialog& dialog) {
    const auto closeOnFailure = qScopeGuard([&dialog] {
      if (dialog.isVisible()) dialog.reject();
    });
    typeEntry(dialog, 40, "8642", "depot");
    Press(dialog, QDialogButtonBox::Ok);
  });
  window_.Run(Command::CommuBook);
  const auto hasEntry = [this] {
    return std::ranges::any_of(workspace_.Current().Book.Entries, [](const CommuBookEntry& entry) {
      return entry.Code.Trimmed() == "8642" && entry.Name.Trimmed() == "DEPOT";
    });
  };
  EXPECT_TRUE(hasEntry());
  EXPECT_TRUE(workspace_.IsModified());

  OnModalDialog([&](QDialog& dialog) {
    const auto closeOnFailure = qScopeGuard([&dialog] {
      if (dialog.isVisible()) dialog.reject();
    });
    for (QLineEdit* box : dialog.findChildren<QLineEdit*>()) {
      if (box->accessibleName() == QLatin1String("Own ID")) QTest::keyClicks(box, "54321");
    }
    auto* grid = dialog.findChild<QTableView*>();
    const QModelIndex cell = grid->model()->index(7, 2);
    grid->setCurrentIndex(cell);
    grid->edit(cell);
    auto* box = qobject_cast<QLineEdit*>(grid->indexWidget(cell));
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, "11223");
    Press(dialog, QDialogButtonBox::Ok);
  });
  window_.Run(Command::FiveTone);
  const auto hasFiveToneCode = [this] {
    const FiveToneSettings& fiveTone = workspace_.Current().FiveTone;
    return fiveTone.OwnId.Trimmed() == "54321" && fiveTone.Codes[7].EmptyFlag == 0 &&
           fiveTone.Codes[7].Code.Trimmed() == "1E2E3";
  };
  EXPECT_TRUE(hasFiveToneCode());

  prompter_.Answers = {PromptAnswer::Ok};  // the write confirmation
  RunRadioCommand(Command::Write);
  EXPECT_EQ(LastMessage(), Text(text_key::WriteSucceeded));
  prompter_.Answers = {PromptAnswer::No, PromptAnswer::Ok};  // save the changes? the reset warning
  window_.Run(Command::New);
  EXPECT_FALSE(hasEntry());
  prompter_.Answers = {PromptAnswer::Ok};  // the read confirmation
  RunRadioCommand(Command::Read);
  EXPECT_EQ(LastMessage(), Text(text_key::ReadSucceeded));
  EXPECT_TRUE(hasEntry()) << "after a write and a read";
  EXPECT_TRUE(hasFiveToneCode()) << "after a write and a read";

  const auto file = settings_ / "depot.cb";
  prompter_.Files = {file};
  OnModalDialog([](QDialog& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text().contains(QLatin1String("Export"))) button->click();
    }
    Press(dialog, QDialogButtonBox::Cancel);
  });
  window_.Run(Command::CommuBook);
  prompter_.Answers = {PromptAnswer::Ok};
  window_.Run(Command::New);
  EXPECT_FALSE(hasEntry());
  prompter_.Files = {file};
  OnModalDialog([](QDialog& dialog) {
    for (QPushButton* button : dialog.findChildren<QPushButton*>()) {
      if (button->text().contains(QLatin1String("Import"))) button->click();
    }
    Press(dialog, QDialogButtonBox::Ok);
  });
  window_.Run(Command::CommuBook);
  EXPECT_TRUE(hasEntry()) << "after an export and an import";
}

// Each function editor opens from the main window, and what it changes survives a file and the
// radio: options and keys travel to the radio; scan and alert settings live in the file only.
TEST_F(MainWindowEndToEnd, FunctionEditorChangesSurviveSaveOpenAndTheRadio) {
  struct Case {
    Command Editor;
    std::string List;
    int Entry;
    std::function<int(const Configuration&)> Field;
    int Stored;
  };
  const Case cases[] = {
      {Command::Options, Text(5110), 3, [](const Configuration& c) { return int{c.Options.KeyBeep}; }, 3},
      {Command::Keys, Text(5008) + " 1 P1", 4,
       [](const Configuration& c) { return int{c.Options.KeyFunction[0]}; }, 5},
      {Command::Scan, Text(2402), 1, [](const Configuration& c) { return int{c.Scan.ScanType}; }, 1},
      {Command::Alert, Text(2605), 9, [](const Configuration& c) { return int{c.Alert.AlarmTime}; }, 10},
  };
  for (const Case& c : cases) {
    OnModalDialog([&c](QDialog& dialog) {
      const auto closeOnFailure = qScopeGuard([&dialog] {
        if (dialog.isVisible()) dialog.reject();
      });
      const auto boxes = dialog.findChildren<QComboBox*>();
      const auto box = std::ranges::find_if(
          boxes, [&c](const QComboBox* b) { return b->accessibleName().toStdString() == c.List; });
      ASSERT_NE(box, boxes.end()) << c.List;
      (*box)->setCurrentIndex(c.Entry);
      emit(*box)->activated(c.Entry);
      Press(dialog, QDialogButtonBox::Ok);
    });
    window_.Run(c.Editor);
    EXPECT_EQ(c.Field(workspace_.Current()), c.Stored) << c.List;
  }
  const auto expectAll = [&](const char* when) {
    for (const Case& c : cases) EXPECT_EQ(c.Field(workspace_.Current()), c.Stored) << c.List << " " << when;
  };

  const auto file = settings_ / "functions.dat";
  prompter_.Files = {file};
  window_.Run(Command::SaveAs);
  prompter_.Answers = {PromptAnswer::Ok};  // the reset warning
  window_.Run(Command::New);
  window_.OpenAtStart(QString::fromStdString(file.string()));
  expectAll("after reopening");

  prompter_.Answers = {PromptAnswer::Ok};  // the write confirmation
  RunRadioCommand(Command::Write);
  EXPECT_EQ(LastMessage(), Text(text_key::WriteSucceeded));
  prompter_.Answers = {PromptAnswer::Ok, PromptAnswer::Ok};  // the reset warning, the read confirmation
  window_.Run(Command::New);
  RunRadioCommand(Command::Read);
  EXPECT_EQ(LastMessage(), Text(text_key::ReadSucceeded));
  for (const Case& c : cases) {
    if (c.Editor == Command::Options || c.Editor == Command::Keys) {
      EXPECT_EQ(c.Field(workspace_.Current()), c.Stored) << c.List << " after a write and a read";
    }
  }
}

// A channel plan from a spreadsheet into the radio and back out: the CSV exported after a write
// and a read is the one exported before.
TEST_F(MainWindowEndToEnd, ACsvChannelTableGoesToTheRadioAndComesBackTheSame) {
  const auto table = settings_ / "plan.csv";
  WriteFileBytes(table,
                 "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,Mode\r\n"
                 "30,Rep1,438.500000,-,7.6,Tone,88.5,88.5,FM\r\n"
                 "31,bad,300.000000,,0,,,,FM\r\n"
                 "32,Simplex,446.1,,0,TSQL,,123.0,NFM\r\n");
  prompter_.Files = {table};
  prompter_.Answers = {PromptAnswer::Ok, PromptAnswer::Yes};  // import, not renumbered; take the other rows
  window_.Run(Command::ImportChannels);
  ASSERT_EQ(prompter_.Messages.size(), 3u);
  EXPECT_FALSE(prompter_.Messages[0].CheckBox.empty()) << "the renumbering choice";
  EXPECT_NE(prompter_.Messages[1].Text.find("line 3: Frequency 300.000000 MHz"), std::string::npos)
      << prompter_.Messages[1].Text;
  EXPECT_NE(prompter_.Messages[2].Text.find("line 4: name 'Simplex' becomes 'SIMPL'"), std::string::npos);
  EXPECT_EQ(Cell(30, GridColumn::Tx), "430.90000");
  EXPECT_EQ(Cell(32, GridColumn::Name), "SIMPL");
  EXPECT_EQ(Cell(31, GridColumn::Rx), "");

  const auto before = settings_ / "before.csv";
  prompter_.Files = {before};
  window_.Run(Command::ExportChannels);
  prompter_.Answers = {PromptAnswer::Ok};  // the write confirmation
  RunRadioCommand(Command::Write);
  EXPECT_EQ(LastMessage(), Text(text_key::WriteSucceeded));
  prompter_.Answers = {PromptAnswer::No, PromptAnswer::Ok, PromptAnswer::Ok};  // save? reset, read
  window_.Run(Command::New);
  EXPECT_EQ(Cell(30, GridColumn::Rx), "");
  RunRadioCommand(Command::Read);
  EXPECT_EQ(LastMessage(), Text(text_key::ReadSucceeded));
  const auto after = settings_ / "after.csv";
  prompter_.Files = {after};
  window_.Run(Command::ExportChannels);
  EXPECT_EQ(FileText(after), FileText(before));
  EXPECT_NE(FileText(after).find("\r\n30,REP1,438.500000,-,7.600000,Tone,88.5,"), std::string::npos);
}

// Ctrl+Z takes back a channel edit, Ctrl+Shift+Z and Ctrl+Y do it again; the menu names the step.
TEST_F(MainWindowEndToEnd, UndoAndRedoOfAChannelEditFromTheKeyboard) {
  window_.Grid().setCurrentIndex(window_.Grid().model()->index(0, 0));
  OnModalDialog([this](QDialog& dialog) {
    for (QLineEdit* edit : dialog.findChildren<QLineEdit*>()) {
      if (edit->accessibleName().toStdString() == Text(text_key::GridRx)) {
        edit->selectAll();
        QTest::keyClicks(edit, "439.1");
      }
    }
    Press(dialog, QDialogButtonBox::Ok);
  });
  window_.Run(Command::EditChannel);
  ASSERT_EQ(Cell(1, GridColumn::Rx), "439.10000");
  EXPECT_EQ(window_.Action(Command::Undo)->text().toStdString(), "&Undo Edit Channel");

  const auto press = [this](const QKeySequence& keys) {
    for (QAction* action : {window_.Action(Command::Undo), window_.Action(Command::Redo)}) {
      if (action->shortcuts().contains(keys) && action->isEnabled()) action->trigger();
    }
  };
  press(QKeySequence(QStringLiteral("Ctrl+Z")));
  EXPECT_EQ(Cell(1, GridColumn::Rx), "446.00625");
  EXPECT_FALSE(workspace_.IsModified());
  EXPECT_FALSE(window_.Action(Command::Undo)->isEnabled());
  press(QKeySequence(QStringLiteral("Ctrl+Y")));
  EXPECT_EQ(Cell(1, GridColumn::Rx), "439.10000");
  press(QKeySequence(QStringLiteral("Ctrl+Z")));
  press(QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
  EXPECT_EQ(Cell(1, GridColumn::Rx), "439.10000");
  EXPECT_TRUE(workspace_.IsModified());
}

// Typing on a cell edits it in place with the dialog's rules; a list column offers the dialog's
// list; a refused value shows why and leaves the cell.
TEST_F(MainWindowEndToEnd, CellsEditInPlaceWithTheChannelDialogsRules) {
  QTableView& grid = window_.Grid();
  const auto cell = [&grid](int row, GridColumn column) {
    return grid.model()->index(row - 1, static_cast<int>(column) - 1);
  };
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  grid.setFocus();
  grid.setCurrentIndex(cell(1, GridColumn::Rx));
  QTest::keyClick(&grid, '4');
  auto* box = qobject_cast<QLineEdit*>(grid.indexWidget(cell(1, GridColumn::Rx)));
  ASSERT_NE(box, nullptr) << "typing opened the cell";
  QTest::keyClicks(box, "46.1");
  EXPECT_EQ(box->text(), "446.1") << "the first key is the first character";
  QTest::keyClick(box, Qt::Key_Return);
  QCoreApplication::processEvents();  // the cell commits on the event loop
  EXPECT_EQ(Cell(1, GridColumn::Rx), "446.10000");
  EXPECT_EQ(Cell(1, GridColumn::Tx), "446.10000") << "a simplex channel stays simplex";
  EXPECT_EQ(window_.Action(Command::Undo)->text().toStdString(), "&Undo Edit Channel");

  grid.setCurrentIndex(cell(1, GridColumn::Power));
  grid.edit(cell(1, GridColumn::Power));
  auto* list = qobject_cast<QComboBox*>(grid.indexWidget(cell(1, GridColumn::Power)));
  ASSERT_NE(list, nullptr);
  ASSERT_EQ(list->count(), 3);
  list->setCurrentIndex(2);
  QTest::keyClick(list, Qt::Key_Return);
  QCoreApplication::processEvents();
  EXPECT_EQ(Cell(1, GridColumn::Power), Text(text_key::PowerLevels[2]));

  grid.setCurrentIndex(cell(1, GridColumn::Rx));
  QTest::keyClick(&grid, '3');
  box = qobject_cast<QLineEdit*>(grid.indexWidget(cell(1, GridColumn::Rx)));
  ASSERT_NE(box, nullptr);
  QTest::keyClicks(box, "00");
  QTest::keyClick(box, Qt::Key_Return);
  QCoreApplication::processEvents();  // the cell commits on the event loop
  EXPECT_EQ(LastMessage(), Text(text_key::FrequencyOutOfRange) +
                               " Allowed: 400.00000-490.00000 MHz, 136.00000-174.00000 MHz. It is now "
                               "446.10000 MHz.");
  EXPECT_EQ(Cell(1, GridColumn::Rx), "446.10000");
  EXPECT_FALSE(grid.model()->flags(cell(150, GridColumn::Name)).testFlag(Qt::ItemIsEditable))
      << "a channel that does not exist takes a frequency first";
}

// A choice made in one of several selected rows goes to all of them; Delete removes them; each is
// one undo step.
TEST_F(MainWindowEndToEnd, SeveralSelectedRowsChangeTogether) {
  QTableView& grid = window_.Grid();
  const auto cell = [&grid](int row, GridColumn column) {
    return grid.model()->index(row - 1, static_cast<int>(column) - 1);
  };
  grid.setCurrentIndex(cell(1, GridColumn::Power));
  grid.selectionModel()->select(QItemSelection(cell(1, GridColumn::Power), cell(3, GridColumn::Power)),
                                QItemSelectionModel::ClearAndSelect);
  grid.edit(cell(1, GridColumn::Power));
  auto* list = qobject_cast<QComboBox*>(grid.indexWidget(cell(1, GridColumn::Power)));
  ASSERT_NE(list, nullptr);
  list->setCurrentIndex(2);
  QTest::keyClick(list, Qt::Key_Return);
  QCoreApplication::processEvents();
  for (const int row : {1, 2, 3})
    EXPECT_EQ(Cell(row, GridColumn::Power), Text(text_key::PowerLevels[2])) << row;
  EXPECT_NE(Cell(4, GridColumn::Power), Text(text_key::PowerLevels[2]));

  const std::string fourth = Cell(4, GridColumn::Rx);
  window_.Run(Command::MoveDown);
  EXPECT_EQ(Cell(1, GridColumn::Rx), fourth) << "the channel passed fills the place left";
  for (const int row : {2, 3, 4}) {
    EXPECT_EQ(Cell(row, GridColumn::Power), Text(text_key::PowerLevels[2])) << row;
    EXPECT_TRUE(grid.selectionModel()->isRowSelected(row - 1)) << "the selection goes along: " << row;
  }
  window_.Run(Command::Undo);
  grid.selectionModel()->select(QItemSelection(cell(1, GridColumn::Power), cell(3, GridColumn::Power)),
                                QItemSelectionModel::ClearAndSelect);

  window_.Run(Command::DeleteChannels);
  for (const int row : {1, 2, 3}) EXPECT_EQ(Cell(row, GridColumn::Rx), "") << row;
  window_.Run(Command::Undo);
  EXPECT_EQ(Cell(2, GridColumn::Power), Text(text_key::PowerLevels[2]));
  window_.Run(Command::Undo);
  EXPECT_FALSE(workspace_.IsModified());
}

// Channels copied go to the system clipboard as a CSV table: several rows paste at another place,
// and a table from a spreadsheet pastes the same way; one row keeps the channel clipboard.
TEST_F(MainWindowEndToEnd, ChannelsTravelThroughTheSystemClipboardAsATable) {
  QTableView& grid = window_.Grid();
  const auto cell = [&grid](int row) { return grid.model()->index(row - 1, 0); };
  // As a click does: the cell becomes current and the only one selected.
  const auto click = [&grid, &cell](int row) {
    grid.selectionModel()->setCurrentIndex(cell(row), QItemSelectionModel::ClearAndSelect);
  };
  window_.activateWindow();
  ASSERT_TRUE(QTest::qWaitForWindowActive(&window_));
  grid.setFocus();
  grid.setCurrentIndex(cell(1));
  grid.selectionModel()->select(QItemSelection(cell(1), cell(2)), QItemSelectionModel::ClearAndSelect);
  QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_TRUE(copied.startsWith(QLatin1String("Location,Name,Frequency,"))) << copied.toStdString();
  EXPECT_EQ(copied.count(QLatin1Char('\n')), 3);

  click(50);
  QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Cell(50, GridColumn::Rx), Cell(1, GridColumn::Rx));
  EXPECT_EQ(Cell(51, GridColumn::Name), Cell(2, GridColumn::Name));

  QGuiApplication::clipboard()->setText(QStringLiteral("Location,Frequency,Name\n7,438.5,sheet\n"));
  click(60);
  QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Cell(60, GridColumn::Rx), "438.50000");
  EXPECT_EQ(Cell(60, GridColumn::Name), "SHEET");

  click(3);
  QTest::keyClick(&grid, Qt::Key_C, Qt::ControlModifier);
  click(70);
  QTest::keyClick(&grid, Qt::Key_V, Qt::ControlModifier);
  EXPECT_EQ(Cell(70, GridColumn::Rx), Cell(3, GridColumn::Rx));
  window_.Run(Command::Undo);
  EXPECT_EQ(Cell(70, GridColumn::Rx), "");
}

// Every caption follows the language last chosen.
TEST_F(MainWindowEndToEnd, ALanguageSwitchReachesMenusToolbarTreeAndGrid) {
  for (const int language : {2, 1, 2}) {
    ASSERT_TRUE(context_.SwitchLanguage(language));
    window_.RenderAll();
    EXPECT_EQ(window_.Action(Command::Read)->text().toStdString(), Text(text_key::MenuRead));
    EXPECT_EQ(window_.Tree().topLevelItem(0)->child(8)->text(0).toStdString(),
              Text(text_key::TreeEmbeddedInfo));
    EXPECT_EQ(window_.Grid().model()->headerData(0, Qt::Horizontal).toString().toStdString(),
              Text(text_key::GridRx));
  }
  EXPECT_EQ(context_.LanguageId(), 2);
}

// The File menu's printing entries are offered and reach the printout: Export PDF writes the file
// chosen, Print Preview opens on the pages.
TEST_F(MainWindowEndToEnd, TheFileMenuExportsAPdfAndPreviewsThePrintout) {
  for (const Command command : {Command::Print, Command::PrintPreview, Command::ExportPdf}) {
    const QAction* action = window_.Action(command);
    ASSERT_NE(action, nullptr) << static_cast<int>(command);
    EXPECT_TRUE(action->isVisible() && action->isEnabled()) << static_cast<int>(command);
  }
  const auto pdf = settings_ / "grid.pdf";
  prompter_.Files = {pdf};
  window_.Action(Command::ExportPdf)->trigger();
  EXPECT_TRUE(FileText(pdf).starts_with("%PDF"));
  EXPECT_TRUE(prompter_.Messages.empty()) << LastMessage();

  bool previewShown = false;
  QString previewTitle;
  OnModalDialog([&previewShown, &previewTitle](QDialog& dialog) {
    previewShown = qobject_cast<QPrintPreviewDialog*>(&dialog) != nullptr;
    previewTitle = dialog.windowTitle();
    dialog.reject();
  });
  window_.Run(Command::PrintPreview);
  EXPECT_TRUE(previewShown);
  EXPECT_TRUE(previewTitle.endsWith(QLatin1String(" - new.dat"))) << previewTitle.toStdString();
}

}  // namespace
}  // namespace hvt

namespace hvt {
namespace {

// After every outcome of a transfer the commands are what they were before it, so a dealer can
// save what was read and a failure does not lock the program.
class CommandsAfterATransfer : public MainWindowEndToEnd {
 protected:
  QMap<Command, bool> EnabledCommands() const {
    QMap<Command, bool> enabled;
    for (const CommandSpec& spec : CommandTable())
      enabled.insert(spec.Id, window_.Action(spec.Id)->isEnabled());
    return enabled;
  }

  // The windows an outcome opens (the information window) are closed as soon as they show.
  void CloseWindowsThatOpen() {
    QObject::connect(&closer_, &QTimer::timeout, [] {
      QWidget* modal = QApplication::activeModalWidget();
      if (modal != nullptr && qobject_cast<ProgressWindow*>(modal) == nullptr) modal->close();
    });
    closer_.start(5);
  }

  QTimer closer_;
};

TEST_F(CommandsAfterATransfer, EveryOutcomeLeavesTheCommandsAsTheyWere) {
  struct Case {
    const char* Outcome;
    Command Run;
    std::function<void(MainWindowEndToEnd&)> Prepare;
    std::deque<PromptAnswer> Answers;
    std::deque<std::optional<std::string>> Passwords;
    bool CancelInProgress = false;
  };
  const std::vector<Case> cases = {
      {"a read", Command::Read, nullptr, {PromptAnswer::Ok}},
      {"a write", Command::Write, nullptr, {PromptAnswer::Ok}},
      {"an information read", Command::EmbeddedInfo, nullptr, {}},
      {"a read of a radio that falls silent",
       Command::Read,
       [](MainWindowEndToEnd& test) {
         RadioFaults faults;
         faults.SilentAfterBlocks = 20;
         test.Radio().SetFaults(faults);
       },
       {PromptAnswer::Ok, PromptAnswer::Cancel}},
      {"a write to a radio that never answers",
       Command::Write,
       [](MainWindowEndToEnd& test) {
         RadioFaults faults;
         faults.SilentAfterBlocks = 0;
         test.Radio().SetFaults(faults);
       },
       {PromptAnswer::Ok, PromptAnswer::Cancel}},
      {"a read whose password is not given",
       Command::Read,
       [](MainWindowEndToEnd& test) { test.Radio().SetPassword("12"); },
       {PromptAnswer::Ok},
       {std::nullopt}},
      {"a read on a port that does not open",
       Command::Read,
       [](MainWindowEndToEnd& test) { test.Context().SetPortName("/dev/hvt7300-no-such-port"); },
       {}},
      {"a cancelled read", Command::Read, nullptr, {PromptAnswer::Ok}, {}, true},
      {"a cancelled write not written again",
       Command::Write,
       nullptr,
       {PromptAnswer::Ok, PromptAnswer::No},
       {},
       true},
  };
  const QMap<Command, bool> before = EnabledCommands();
  ASSERT_TRUE(before.value(Command::Save) && before.value(Command::Read)) << "the test needs them enabled";
  CloseWindowsThatOpen();
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Outcome);
    context_.SetPortName("virtual");
    Radio().SetFaults({});
    Radio().SetPassword("");
    if (c.Prepare) c.Prepare(*this);
    prompter_.Answers = c.Answers;
    prompter_.Passwords = c.Passwords;
    window_.Run(c.Run);
    if (c.CancelInProgress) {
      ASSERT_TRUE(session_.IsRunning());
      for (ProgressWindow* progress : window_.findChildren<ProgressWindow*>()) {
        if (progress->isVisible()) QTest::keyClick(progress, Qt::Key_Escape);
      }
    }
    ASSERT_TRUE(RunUntil([this] { return !session_.IsRunning() && prompter_.Answers.empty(); }));
    RunUntil([] { return QApplication::activeModalWidget() == nullptr; }, 2000);
    EXPECT_EQ(session_.State(), SessionState::Idle);
    const QMap<Command, bool> after = EnabledCommands();
    for (auto it = before.cbegin(); it != before.cend(); ++it) {
      // A read is a step of its own that Undo takes back.
      if (it.key() == Command::Undo || it.key() == Command::Redo) continue;
      EXPECT_EQ(after.value(it.key()), it.value()) << "command " << static_cast<int>(it.key());
    }
    EXPECT_TRUE(prompter_.Passwords.empty());
  }
}

TEST_F(CommandsAfterATransfer, FileSaveAfterAReadSavesWhatWasRead) {
  Configuration inRadio = workspace_.Current();
  AddChannel(inRadio.Channels, CreateChannel(42, "439.5"));
  workspace_.Current() = inRadio;
  ASSERT_EQ(workspace_.SaveFile(settings_ / "in-radio.dat"), FileCheck::Ok);
  prompter_.Answers = {PromptAnswer::Ok};
  RunRadioCommand(Command::Write);
  prompter_.Answers = {PromptAnswer::Ok};  // the reset warning
  window_.Run(Command::New);
  ASSERT_EQ(Cell(42, GridColumn::Rx), "");

  prompter_.Answers = {PromptAnswer::Ok};
  RunRadioCommand(Command::Read);
  ASSERT_EQ(Cell(42, GridColumn::Rx), "439.50000");
  EXPECT_NE(window_.findChild<QLabel*>(QStringLiteral("statusMessage"))->text().toStdString().find("Read "),
            std::string::npos);
  const auto file = settings_ / "what-was-read.dat";
  prompter_.Files = {file};
  window_.Action(Command::Save)->trigger();
  Configuration saved;
  ASSERT_EQ(ReadConfigurationFile(file, saved), FileCheck::Ok);
  EXPECT_TRUE(saved == workspace_.Current());
  EXPECT_TRUE(saved.Channels.Find(42) != nullptr);
  EXPECT_EQ(window_.findChild<QLabel*>(QStringLiteral("statusMessage"))->text(),
            QStringLiteral("Saved what-was-read.dat"));
}

// The fleet window and Open Backup are windows of their own: closing them gives the commands back.
TEST_F(CommandsAfterATransfer, TheFleetWindowAndOpenBackupLeaveTheCommandsAsTheyWere) {
  prompter_.Answers = {PromptAnswer::Ok};
  RunRadioCommand(Command::Read);
  const QMap<Command, bool> before = EnabledCommands();
  CloseWindowsThatOpen();
  for (const Command command : {Command::WriteFleet, Command::OpenBackup}) {
    SCOPED_TRACE(static_cast<int>(command));
    window_.Run(command);
    EXPECT_EQ(EnabledCommands(), before);
  }
}

}  // namespace
}  // namespace hvt

namespace hvt {
namespace {

// Cut, Copy, Paste and Delete are commands a user can find: in the Edit menu and in the grid's
// context menu, which also holds the channel's own commands.
TEST_F(MainWindowEndToEnd, TheClipboardIsInTheEditMenuAndTheGridsContextMenu) {
  QAction* edit = nullptr;
  for (QAction* menu : window_.menuBar()->actions()) {
    if (menu->menu() != nullptr && menu->menu()->actions().contains(window_.Action(Command::Copy)))
      edit = menu;
  }
  ASSERT_NE(edit, nullptr);
  for (const Command command : {Command::Cut, Command::Paste, Command::DeleteChannels})
    EXPECT_TRUE(edit->menu()->actions().contains(window_.Action(command)));

  QTableView& grid = window_.Grid();
  grid.selectionModel()->setCurrentIndex(grid.model()->index(0, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  window_.Action(Command::Copy)->trigger();
  grid.selectionModel()->setCurrentIndex(grid.model()->index(79, 0),
                                         QItemSelectionModel::ClearAndSelect | QItemSelectionModel::Rows);
  window_.Action(Command::Paste)->trigger();
  EXPECT_EQ(Cell(80, GridColumn::Rx), Cell(1, GridColumn::Rx));
  EXPECT_TRUE(window_.isWindowModified()) << "the title carries the modified mark";
  window_.Action(Command::Cut)->trigger();
  EXPECT_EQ(Cell(80, GridColumn::Rx), "");

  QStringList offered;
  QTimer::singleShot(0, [&offered] {
    QWidget* popup = QApplication::activePopupWidget();
    if (popup == nullptr) return;
    for (const QAction* action : popup->actions()) {
      if (!action->isSeparator()) offered.append(action->text());
    }
    popup->close();
  });
  const QRect cell = grid.visualRect(grid.model()->index(0, 0));
  emit grid.customContextMenuRequested(cell.center());
  QStringList expected;
  for (const Command command : {Command::EditChannel, Command::Cut, Command::Copy, Command::Paste,
                                Command::DeleteChannels, Command::InsertChannel, Command::RemoveGap})
    expected.append(window_.Action(command)->text());
  EXPECT_EQ(offered, expected);
}

}  // namespace
}  // namespace hvt

namespace hvt {
namespace {

// A read that could not keep its backup says so and why, and what was read can still be saved.
TEST_F(MainWindowEndToEnd, AReadWhoseBackupCannotBeKeptSaysSo) {
  WriteFileBytes(context_.Folders().BackupFolder(), "a file where the backups folder belongs");
  prompter_.Answers = {PromptAnswer::Ok};
  RunRadioCommand(Command::Read);
  const std::string told = LastMessage();
  EXPECT_EQ(told.rfind(Text(text_key::ReadSucceeded), 0), 0U) << told;
  EXPECT_NE(told.find("No backup of what the radio held was kept: "), std::string::npos) << told;
  EXPECT_NE(told.find(context_.Folders().BackupFolder().string()), std::string::npos) << told;
  EXPECT_EQ(prompter_.Messages.back().Icon, PromptIcon::Warning);
  EXPECT_TRUE(window_.Action(Command::Save)->isEnabled());
}

}  // namespace
}  // namespace hvt
