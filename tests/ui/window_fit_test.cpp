// Every window of the program, in both languages: it fits the smallest screens we support, the
// focus starts in its first field, and Tab walks every field in reading order and leaves tables.

#include <gtest/gtest.h>

#include <QAbstractItemView>
#include <QApplication>
#include <QComboBox>
#include <QDialog>
#include <QPushButton>
#include <QScopeGuard>
#include <QTabBar>
#include <QTableWidget>
#include <QTest>
#include <algorithm>
#include <cstdio>
#include <functional>
#include <iterator>
#include <string>
#include <vector>

#include "app/radio_backups.h"
#include "editors/five_tone_presenter.h"
#include "editors/special_call_presenter.h"
#include "i18n/text_keys.h"
#include "support/scripted_prompter.h"
#include "ui/about_box.h"
#include "ui/alert_dialog.h"
#include "ui/auto_test_dialog.h"
#include "ui/backup_list_dialog.h"
#include "ui/channel_dialog.h"
#include "ui/commu_book_dialog.h"
#include "ui/dtmf_dialog.h"
#include "ui/embedded_info_window.h"
#include "ui/five_tone_dialog.h"
#include "ui/fleet_dialog.h"
#include "ui/key_dialog.h"
#include "ui/language_dialog.h"
#include "ui/modal_dialog.h"
#include "ui/model_dialog.h"
#include "ui/option_dialog.h"
#include "ui/password_dialog.h"
#include "ui/port_dialog.h"
#include "ui/progress_window.h"
#include "ui/scan_dialog.h"
#include "ui/special_call_dialog.h"
#include "ui/test_data_dialog.h"
#include "ui/two_tone_dialog.h"
#include "ui/ui_fixture.h"

namespace hvt {
namespace {

// The available area of the smallest screens: 1366×768 at 100 % and 1920×1080 at 200 %, less a
// task bar. A window's least size in device-independent pixels is the same at either scale, so it
// must fit both, whatever scale the test runs at.
struct Screen {
  QSize Available;
  double Scale;
};
constexpr Screen kScreens[] = {{{1366, 728}, 1.0}, {{1920, 1040}, 2.0}};

// The window can be made to fit both screens, and it opens inside the screen it is on when that
// is one of them or larger (the suite runs once more on the 200 % screen).
void ExpectFits(QWidget& window, const std::string& what) {
  QCoreApplication::processEvents();
  const QSize least = window.minimumSizeHint().expandedTo(window.minimumSize());
  for (const Screen& screen : kScreens) {
    const QSize physical(qRound(least.width() * screen.Scale), qRound(least.height() * screen.Scale));
    EXPECT_LE(physical.width(), screen.Available.width()) << what << " at " << screen.Scale * 100 << " %";
    EXPECT_LE(physical.height(), screen.Available.height()) << what << " at " << screen.Scale * 100 << " %";
  }
  const QSize opened = window.frameGeometry().size();
  const QSize room = window.screen()->availableGeometry().size();
  const QSize smallest = kScreens[1].Available / kScreens[1].Scale;
  if (room.width() >= smallest.width() && room.height() >= smallest.height()) {
    EXPECT_LE(opened.width(), room.width()) << what;
    EXPECT_LE(opened.height(), room.height()) << what;
  }
  // For a review by eye: HVT_WINDOW_PICTURES=folder keeps a picture of every window there.
  const QString pictures = qEnvironmentVariable("HVT_WINDOW_PICTURES");
  if (!pictures.isEmpty()) {
    window.grab().save(pictures + "/" + QString::fromStdString(what).replace(' ', '_') + ".png");
    std::fprintf(stderr, "%-45s opened %4d x %4d, least %4d x %4d\n", what.c_str(), opened.width(),
                 opened.height(), least.width(), least.height());
  }
}

QString Describe(const QWidget* widget) {
  if (widget == nullptr) return QStringLiteral("nothing");
  QString name = widget->accessibleName();
  if (name.isEmpty()) name = widget->objectName();
  if (auto* button = qobject_cast<const QAbstractButton*>(widget)) name = button->text();
  return QString::fromUtf8(widget->metaObject()->className()) + " '" + name + "'";
}

// What Tab can reach: shown, enabled, takes focus by Tab, and not inside another such widget's
// inner parts (a spin box's line edit, a table's cell widgets).
std::vector<QWidget*> TabStops(QWidget& window) {
  std::vector<QWidget*> stops;
  for (QWidget* widget : window.findChildren<QWidget*>()) {
    if (!widget->isVisible() || !widget->isEnabled() || widget->focusProxy() != nullptr) continue;
    if (!(widget->focusPolicy() & Qt::TabFocus)) continue;
    bool inner = false;
    for (QWidget* up = widget->parentWidget(); up != &window && up != nullptr; up = up->parentWidget()) {
      inner = inner || qobject_cast<QAbstractItemView*>(up) != nullptr;
    }
    if (!inner) stops.push_back(widget);
  }
  return stops;
}

// Reading order: along a row to the right, then down to the next row; a column to the right of
// where the focus is may start higher up.
bool ReadsAfter(const QRect& from, const QRect& to) {
  const bool sameRow =
      std::abs(from.center().y() - to.center().y()) < std::min(from.height(), to.height()) / 2;
  if (sameRow) return to.center().x() > from.center().x();
  if (to.center().y() > from.center().y()) return true;
  return to.left() >= from.right() - 2;
}

QRect Place(const QWidget& window, const QWidget& widget) {
  return {widget.mapTo(&window, QPoint(0, 0)), widget.size()};
}

// From the focus the window opens with, Tab visits every field once in reading order and comes
// back to the start.
void ExpectTabWalksInReadingOrder(QWidget& window, const std::string& what) {
  QCoreApplication::processEvents();
  const std::vector<QWidget*> stops = TabStops(window);
  QWidget* const start = window.focusWidget();
  ASSERT_NE(start, nullptr) << what << ": no focus";
  std::vector<QWidget*> visited = {start};
  while (visited.size() <= stops.size() + 1) {
    QWidget* at = window.focusWidget();
    QTest::keyClick(at, Qt::Key_Tab);
    QWidget* next = window.focusWidget();
    if (next == at) {
      ADD_FAILURE() << what << ": Tab does not leave " << Describe(at).toStdString();
      break;
    }
    if (next == start) break;
    visited.push_back(next);
  }
  // A tab bar switches pages; it comes before the page's fields in the chain but is no field.
  std::vector<QWidget*> fields;
  std::ranges::copy_if(visited, std::back_inserter(fields),
                       [](const QWidget* widget) { return qobject_cast<const QTabBar*>(widget) == nullptr; });
  for (std::size_t i = 1; i < fields.size(); ++i) {
    EXPECT_TRUE(ReadsAfter(Place(window, *fields[i - 1]), Place(window, *fields[i])))
        << what << ": Tab goes back from " << Describe(fields[i - 1]).toStdString() << " to "
        << Describe(fields[i]).toStdString();
  }
  for (QWidget* stop : stops) {
    EXPECT_NE(std::ranges::find(visited, stop), visited.end())
        << what << ": Tab never reaches " << Describe(stop).toStdString();
  }
}

void ExpectFitsAndWalks(QWidget& window, const std::string& what) {
  ExpectFits(window, what);
  ExpectTabWalksInReadingOrder(window, what);
}

struct Fixture {
  AppContext& Context;
  Workspace& Work;
  ScriptedPrompter& Prompter;
  std::string Name;
};

// Opens a modal window with `run`, checks it, and closes it without its presenter's Cancel.
void CheckModal(const Fixture& fixture, const std::function<void()>& run,
                const std::function<void(QDialog&)>& more = {}) {
  bool checked = false;
  OnModalDialog([&](QDialog& dialog) {
    const auto close = qScopeGuard([&dialog] { dialog.done(QDialog::Rejected); });
    ExpectFitsAndWalks(dialog, fixture.Name);
    if (more) more(dialog);
    checked = true;
  });
  run();
  EXPECT_TRUE(checked) << fixture.Name;
}

struct WindowCase {
  const char* Name;
  std::function<void(const Fixture&)> Check;
};

QComboBox* VisibleComboNamed(QDialog& dialog, const std::string& prefix) {
  for (QComboBox* box : dialog.findChildren<QComboBox*>()) {
    if (box->isVisible() && box->accessibleName().toStdString().starts_with(prefix)) return box;
  }
  return nullptr;
}

const std::vector<WindowCase>& Windows() {
  static const std::vector<WindowCase> windows = {
      {"about box",
       [](const Fixture& f) { CheckModal(f, [&] { ShowAboutBox(nullptr, f.Context, f.Prompter); }); }},
      {"alert",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunAlertDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"automatic test",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunAutoTestDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"backup list",
       [](const Fixture& f) {
         ASSERT_TRUE(
             KeepBackup(f.Context.Folders().BackupFolder(), f.Work.Current(), "0123456789ABCDEF", LocalNow())
                 .File);
         CheckModal(f, [&] { RunBackupListDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      // A tone list appearing must not move OK and Cancel.
      {"channel",
       [](const Fixture& f) {
         CheckModal(
             f, [&] { RunChannelDialog(nullptr, f.Context, f.Work, f.Prompter, 4); },
             [&f](QDialog& dialog) {
               const QSize before = dialog.size();
               for (const std::int32_t caption :
                    {text_key::GridDecode, text_key::GridEncode, text_key::GridOptSignal}) {
                 const std::string name = f.Context.Texts().LanguageText(caption);
                 QComboBox* type = VisibleComboNamed(dialog, name);
                 ASSERT_NE(type, nullptr) << name;
                 for (int entry = 1; entry < type->count(); ++entry) {
                   type->setCurrentIndex(entry);
                   emit type->activated(entry);
                   QCoreApplication::processEvents();
                   EXPECT_EQ(dialog.size(), before) << f.Name << " with " << name << " " << entry;
                 }
               }
               ExpectFitsAndWalks(dialog, f.Name + " with a tone list");
             });
       }},
      {"communication book",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunCommuBookDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"DTMF",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunDtmfDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"embedded information",
       [](const Fixture& f) {
         EmbeddedInfo info;
         info.SerialNumber = "0123456789ABCDEF";
         CheckModal(f, [&] { ShowEmbeddedInfoWindow(nullptr, f.Context, info); });
       }},
      {"5-tone",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunFiveToneDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"special call",
       [](const Fixture& f) {
         FiveTonePresenter fiveTone(f.Work.Current(), f.Context.Texts(), f.Prompter);
         SpecialCallPresenter special(fiveTone, SpecialTarget::PttIdBegin, -1, f.Prompter);
         CheckModal(f, [&] { RunSpecialCallDialog(nullptr, special); });
       }},
      {"key",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunKeyDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"language",
       [](const Fixture& f) { CheckModal(f, [&] { RunLanguageDialog(nullptr, f.Context, f.Prompter); }); }},
      {"model",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunModelDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"option",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunOptionDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"password",
       [](const Fixture& f) { CheckModal(f, [&] { RunPasswordDialog(nullptr, f.Context.Texts(), "12"); }); }},
      {"serial port",
       [](const Fixture& f) {
         CheckModal(f, [&] {
           RunPortDialog(nullptr, f.Context, f.Prompter, [] {
             return std::vector<SerialPortEntry>{
                 {"/dev/serial/by-id/usb-FTDI_FT232R_USB_UART_A10K3XYZ-if00-port0",
                  "FT232R USB UART - FTDI"}};
           });
         });
       }},
      {"scan",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunScanDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"test data",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunTestDataDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"2-tone",
       [](const Fixture& f) {
         CheckModal(f, [&] { RunTwoToneDialog(nullptr, f.Context, f.Work, f.Prompter); });
       }},
      {"progress",
       [](const Fixture& f) {
         QWidget owner;
         owner.show();
         ProgressWindow window(
             f.Context, OperationKind::InformationRead, [] {}, &owner);
         window.open();
         ExpectFits(window, f.Name);
         window.done(QDialog::Rejected);
       }},
      // A run over ports that cannot be opened brings each row its long message; the window stays
      // as it was.
      {"write to several radios",
       [](const Fixture& f) {
         std::vector<SerialPortEntry> ports;
         for (int i = 0; i < 3; ++i) {
           ports.push_back({"/dev/serial/by-id/usb-Prolific_Technology_Inc._USB-Serial_Controller_D-if0" +
                                std::to_string(i) + "-port0",
                            "USB-Serial Controller D with a long description of its own"});
         }
         FleetDialog dialog(nullptr, f.Context, f.Work, f.Prompter, [&ports] { return ports; });
         dialog.show();
         ASSERT_TRUE(QTest::qWaitForWindowExposed(&dialog));
         ExpectFitsAndWalks(dialog, f.Name);
         const QSize before = dialog.size();
         auto* table = dialog.findChild<QTableWidget*>();
         ASSERT_NE(table, nullptr);
         for (int row = 0; row < table->rowCount(); ++row)
           table->item(row, FleetDialog::kPortColumn)->setCheckState(Qt::Checked);
         f.Prompter.Answers = {PromptAnswer::Yes};
         dialog.findChild<QPushButton*>(QStringLiteral("FleetStart"))->click();
         ASSERT_TRUE(RunEventsUntil([&dialog] { return !dialog.Presenter().IsRunning(); }, 30000));
         QCoreApplication::processEvents();
         EXPECT_FALSE(table->item(0, FleetDialog::kDetailColumn)->text().isEmpty());
         EXPECT_EQ(dialog.size(), before) << f.Name << " after the run";
         ExpectFits(dialog, f.Name + " after the run");
         f.Prompter.Messages.clear();
         dialog.done(QDialog::Accepted);
       }},
  };
  return windows;
}

class WindowFitTest : public UiTest, public testing::WithParamInterface<const char*> {};

TEST_P(WindowFitTest, EveryWindowFitsTheScreenAndTabWalksItsFieldsInReadingOrder) {
  AppContext context = Start(GetParam());
  for (const WindowCase& window : Windows()) {
    ScriptedPrompter prompter;
    Workspace workspace(context, prompter);
    window.Check({context, workspace, prompter, std::string(window.Name) + " (" + GetParam() + ")"});
  }
}

INSTANTIATE_TEST_SUITE_P(Languages, WindowFitTest, testing::Values("en_US", "zh_CN"));

}  // namespace
}  // namespace hvt
