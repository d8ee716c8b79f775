// The Chinese program, offscreen: every window reachable from the main window, the message boxes
// and Qt's own dialogs, shows no English text a user reads (apart from what the radio itself
// shows), and no title carries a menu's decorations.
//
// One mechanism: a sweeper watches for modal windows while a command runs; each new one has its
// visible texts collected, has every button that opens another window ("...") pressed once, and
// is then closed without accepting anything.

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QPointer>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableView>
#include <QTextDocumentFragment>
#include <QTimer>
#include <QToolButton>
#include <QTreeWidget>
#include <algorithm>
#include <memory>
#include <set>
#include <utility>
#include <vector>

#include "app/virtual_radio_memory.h"
#include "i18n/caption_title.h"
#include "i18n/language.h"
#include "i18n/text_keys.h"
#include "support/file_bytes.h"
#include "support/temp_folder.h"
#include "ui/gui_prompter.h"
#include "ui/main_window.h"
#include "ui/password_dialog.h"
#include "ui/progress_window.h"
#include "ui/qt_translations.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

// Latin words a Chinese user sees because the radio or the trade uses them as they are.
const std::set<QString> kAllowedWords = [] {
  const std::vector<std::vector<const char*>> groups = {
      // The radio, its bands and labels; units.
      {"HVT", "UHF", "VHF", "Rx", "Tx", "CH", "VFO", "TRF", "ID", "LCD", "MHz", "KHz", "kHz", "Hz", "ms"},
      // Signalling and the 5-tone standards.
      {"CTCSS", "DCS",    "DTMF", "ANI",   "PTT", "Tone", "tone",   "AM",    "MSK",   "ZVEI", "PZVEI",
       "DZVEI", "PDZVEI", "CCIR", "PCCIR", "EEA", "EURO", "SIGNAL", "NATEL", "MODAT", "CCITT"},
      // The radio's key names.
      {"SQL", "VOL", "POW", "CDT", "REV", "SCN", "CAL", "TALK", "BND", "SFT", "MON", "DIR", "RDW", "NULL",
       "PF", "PA", "PB", "PC", "PD"},
      // The radio's test-mode settings, named as in its factory documents.
      {"MODE", "RSSI", "SQ"},
      // File types, and keyboard keys in shortcuts.
      {"PDF", "pdf", "dat", "cb", "csv", "ted", "EPM", "Ctrl", "Shift", "Alt", "Del", "Ins", "Esc"},
  };
  std::set<QString> words;
  for (const auto& group : groups) {
    for (const char* word : group) words.insert(QString::fromLatin1(word));
  }
  return words;
}();

QString Plain(QString text) {
  if (Qt::mightBeRichText(text)) text = QTextDocumentFragment::fromHtml(text).toPlainText();
  return text.remove(QLatin1Char('&'));
}

// The visible texts a user reads in `window`: its title, buttons, labels, group box titles, tab
// texts, table headers, the choices lists show, tree items and, for a main window, its menus.
std::vector<QString> VisibleTexts(QWidget& window) {
  std::vector<QString> texts = {window.windowTitle().remove(QStringLiteral("new.dat"))};
  // Folders (a file dialog's) and the file names in titles and questions are the user's.
  const auto add = [&texts](const QString& text) {
    if (text.trimmed().isEmpty() || text.startsWith(QLatin1Char('/'))) return;
    texts.push_back(Plain(text).remove(QStringLiteral("new.dat")).remove(QStringLiteral("new.cb")));
  };
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisible()) continue;
    if (auto* tool = qobject_cast<QToolButton*>(widget)) {
      if (tool->toolButtonStyle() != Qt::ToolButtonIconOnly) add(tool->text());
    } else if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
      add(button->text());
    } else if (auto* label = qobject_cast<QLabel*>(widget)) {
      add(label->text());
    } else if (auto* group = qobject_cast<QGroupBox*>(widget)) {
      add(group->title());
    } else if (auto* tabs = qobject_cast<QTabBar*>(widget)) {
      for (int i = 0; i < tabs->count(); ++i) add(tabs->tabText(i));
    } else if (auto* header = qobject_cast<QHeaderView*>(widget)) {
      if (header->orientation() != Qt::Horizontal || header->model() == nullptr) continue;
      for (int i = 0; i < header->count(); ++i) {
        if (!header->isSectionHidden(i)) add(header->model()->headerData(i, Qt::Horizontal).toString());
      }
    } else if (auto* list = qobject_cast<QComboBox*>(widget)) {
      if (!list->isEditable()) add(list->currentText());
    } else if (auto* tree = qobject_cast<QTreeWidget*>(widget)) {
      for (QTreeWidgetItemIterator it(tree); *it; ++it) add((*it)->text(0));
    }
  }
  if (auto* main = qobject_cast<QMainWindow*>(&window)) {
    for (QAction* action : main->menuBar()->actions()) {
      if (!action->isVisible()) continue;
      add(action->text());
      if (action->menu() == nullptr) continue;
      for (QAction* entry : action->menu()->actions()) {
        if (entry->isVisible() && !entry->isSeparator()) add(entry->text());
      }
    }
  }
  return texts;
}

// The words of `text` that are neither Chinese nor allowed. Single letters are accelerators,
// channel numbers or codes.
QStringList EnglishWords(const QString& text) {
  static const QRegularExpression word(QStringLiteral("[A-Za-z]{2,}"));
  QStringList english;
  for (auto match = word.globalMatch(text); match.hasNext();) {
    const QString found = match.next().captured();
    if (!kAllowedWords.contains(found)) english.append(found);
  }
  return english;
}

// A title made from a menu caption keeps none of the caption's accelerator or trailing dots.
bool HasMenuDecorations(const QString& title) {
  static const QRegularExpression accelerator(QStringLiteral("\\((&?)[A-Za-z]\\)"));
  return title.contains(QLatin1Char('&')) || title.contains(accelerator) ||
         title.trimmed().endsWith(QStringLiteral("...")) || title.trimmed().endsWith(QChar(0x2026));
}

class Sweeper {
 public:
  Sweeper() {
    timer_.setInterval(10);
    QObject::connect(&timer_, &QTimer::timeout, [this] { Step(); });
    timer_.start();
  }

  // The windows seen since the last call, each with its texts.
  std::vector<std::pair<QString, std::vector<QString>>> TakeSeen() { return std::exchange(seen_, {}); }

 private:
  struct Visit {
    QPointer<QWidget> Window;
    int PendingClicks = 0;
  };

  void Step() {
    QWidget* modal = QApplication::activeModalWidget();
    if (modal == nullptr || !modal->isVisible()) return;
    // Dialogs live on the stack: a later one may take a closed one's address.
    std::erase_if(visits_, [](const auto& visit) { return visit->Window.isNull(); });
    const auto known =
        std::ranges::find_if(visits_, [modal](const auto& visit) { return visit->Window == modal; });
    if (known == visits_.end()) {
      Visit& visit = *visits_.emplace_back(std::make_unique<Visit>(Visit{modal, 0}));
      seen_.emplace_back(modal->metaObject()->className(), VisibleTexts(*modal));
      // Buttons that open another window are pressed from the event loop, so that this timer
      // goes on sweeping while that window's exec() runs.
      const QString kind = QString::fromLatin1(modal->metaObject()->className());
      const bool ours = kind == QStringLiteral("QDialog") || kind.startsWith(QStringLiteral("hvt::"));
      for (QAbstractButton* button : modal->findChildren<QAbstractButton*>()) {
        if (!ours || !button->isVisible() || !button->isEnabled() ||
            !button->text().endsWith(QStringLiteral("..."))) {
          continue;
        }
        ++visit.PendingClicks;
        QTimer::singleShot(0, button, [button, &visit] {
          button->click();
          --visit.PendingClicks;
        });
      }
      return;
    }
    if ((*known)->PendingClicks > 0) return;
    if (auto* box = qobject_cast<QMessageBox*>(modal); box != nullptr && box->escapeButton() != nullptr) {
      box->escapeButton()->click();
    } else if (auto* dialog = qobject_cast<QDialog*>(modal)) {
      dialog->reject();
    } else {
      modal->close();
    }
  }

  QTimer timer_;
  std::vector<std::unique_ptr<Visit>> visits_;
  std::vector<std::pair<QString, std::vector<QString>>> seen_;
};

class ChineseWindows : public testing::Test {
 protected:
  ChineseWindows() {
    context_.SetPortName("virtual");
    prompter_.SetParent(&window_);
    window_.show();
  }

  ~ChineseWindows() override { UseQtTranslations(kEnglish); }

  // Every English word in what `window` shows, and every title with a menu's decorations.
  void ExpectChinese(const QString& window, const std::vector<QString>& texts) {
    for (const QString& text : texts) {
      const QStringList english = EnglishWords(text);
      EXPECT_TRUE(english.isEmpty()) << window.toStdString() << ": \"" << text.toStdString() << "\" has "
                                     << english.join(QLatin1Char(' ')).toStdString();
    }
    EXPECT_FALSE(HasMenuDecorations(texts.front()))
        << window.toStdString() << ": title \"" << texts.front().toStdString() << "\"";
  }

  // Runs `open` and checks every window that showed; false when none did.
  bool CheckWindowsOf(const std::function<void()>& open) {
    open();
    RunEventsUntil([this] { return !session_.IsRunning() && QApplication::activeModalWidget() == nullptr; });
    const auto seen = sweeper_.TakeSeen();
    for (const auto& [name, texts] : seen) {
      ExpectChinese(name + QStringLiteral(" ") + texts.front(), texts);
      titles_.append(texts.front());
    }
    return !seen.empty();
  }

  // With the 2-tone editor shown, as the feature file can ask.
  static AppContext StartWithTwoTone(const TempFolder& settings) {
    WriteFileBytes(settings / "Setting.ini", std::string_view("\0\0\1\0\0\0\0\0", 8));
    return AppContext::Start({HVT_DATA_DIR, settings.Path()}, "zh_CN");
  }

  std::string Text(std::int32_t key) const { return context_.Texts().LanguageText(key); }
  std::string Option(std::string_view key) const {
    return context_.Texts().SectionText(text_key::kOption, key);
  }

  TempFolder settings_;
  AppContext context_ = StartWithTwoTone(settings_);
  GuiPrompter prompter_{QStringLiteral("HVT7300"), [this](QWidget* parent, std::string_view remembered) {
                          return RunPasswordDialog(parent, context_.Texts(), remembered);
                        }};
  Workspace workspace_{context_, prompter_};
  RadioLink link_{VirtualRadioMemory::FileIn(settings_.Path())};
  RadioSession session_{context_, workspace_, link_.Port(), link_.Timer(), prompter_};
  MainWindow window_{context_, workspace_, prompter_, link_, session_, true};
  Sweeper sweeper_;
  QStringList titles_;  // of every window seen
};

TEST_F(ChineseWindows, TheMainWindowAndEveryWindowItOpensShowNoEnglish) {
  ASSERT_EQ(context_.LanguageId(), kChinese);
  ExpectChinese(QStringLiteral("MainWindow"), VisibleTexts(window_));
  window_.Grid().setCurrentIndex(window_.Grid().model()->index(0, 1));
  window_.Run(Command::TestDataButton);  // shows the test-data editor

  for (const CommandSpec& spec : CommandTable()) {
    switch (spec.Id) {
      case Command::Separator:
      case Command::Exit:          // closes the window under test
      case Command::HelpContents:  // hands the help file to the desktop
      case Command::ToolBar:
      case Command::StatusBar:
      case Command::TestDataButton:
        continue;
      default:
        break;
    }
    const CommandState state = window_.Presenter().State(spec.Id);
    if (!state.Visible || !state.Enabled) continue;
    SCOPED_TRACE(testing::Message() << "command " << static_cast<int>(spec.Id));
    CheckWindowsOf([this, &spec] { window_.Run(spec.Id); });
  }

  // The sweep reached the editors, their own dialogs and Qt's.
  for (const std::string& title :
       {Text(text_key::OptionTitle), Text(text_key::ScanTitle), Text(text_key::AlertTitle),
        Text(text_key::KeyDialogTitle), Text(text_key::TreeDtmf), Text(text_key::CommuBookTitle),
        Text(text_key::ModelDialogTitle), Text(text_key::PortDialogTitle),
        Text(text_key::LanguageDialogCaption), Text(text_key::TreeEmbeddedInfo),
        Option(text_key::five_tone::SpecialCall), Option(text_key::five_tone::Title),
        Option(text_key::two_tone::Title), std::string(context_.Texts().BuiltIn(BuiltInText::FleetTitle)),
        std::string(context_.Texts().BuiltIn(BuiltInText::TestDataTitle)),
        CaptionAsTitle(Text(text_key::MenuMoveTo)),
        CaptionAsTitle(Text(text_key::MenuPrintPreview)) + " - "}) {  // the file name is left out
    EXPECT_TRUE(titles_.contains(QString::fromStdString(title))) << title;
  }
}

TEST_F(ChineseWindows, WindowsOpenedOnTheirOwnShowNoEnglish) {
  EXPECT_TRUE(
      CheckWindowsOf([this] { static_cast<void>(RunPasswordDialog(&window_, context_.Texts(), "")); }));
  EXPECT_TRUE(CheckWindowsOf([this] { prompter_.Tell("x", PromptIcon::Information); }));
  EXPECT_TRUE(CheckWindowsOf(
      [this] { static_cast<void>(prompter_.Ask("x", PromptButtons::YesNoCancel, PromptIcon::Question)); }));
  EXPECT_TRUE(CheckWindowsOf(
      [this] { static_cast<void>(prompter_.Ask("x", PromptButtons::RetryCancel, PromptIcon::Warning)); }));

  ProgressWindow progress(
      context_, OperationKind::Read, [] {}, &window_);
  progress.show();
  ExpectChinese(QStringLiteral("ProgressWindow"), VisibleTexts(progress));
}

// Qt's own texts (here a message box's buttons) change with the language the user chooses.
TEST_F(ChineseWindows, QtsOwnTextsFollowALanguageSwitch) {
  const auto questionTexts = [this] {
    static_cast<void>(prompter_.Ask("x", PromptButtons::YesNo, PromptIcon::Question));
    RunEventsUntil([] { return QApplication::activeModalWidget() == nullptr; });
    auto seen = sweeper_.TakeSeen();
    return seen.empty() ? QStringList() : QStringList(seen.front().second.begin(), seen.front().second.end());
  };
  const auto hasEnglish = [](const QStringList& texts) {
    return std::ranges::any_of(texts, [](const QString& text) { return !EnglishWords(text).isEmpty(); });
  };
  EXPECT_FALSE(hasEnglish(questionTexts()));

  ASSERT_TRUE(context_.SwitchLanguage(kEnglish));
  window_.RenderAll();
  EXPECT_TRUE(questionTexts().contains(QStringLiteral("Yes")));

  ASSERT_TRUE(context_.SwitchLanguage(kChinese));
  window_.RenderAll();
  const QStringList chinese = questionTexts();
  EXPECT_FALSE(chinese.isEmpty());
  EXPECT_FALSE(hasEnglish(chinese)) << chinese.join(QLatin1Char(' ')).toStdString();
}

}  // namespace
}  // namespace hvt
