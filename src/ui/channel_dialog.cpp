#include "ui/channel_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFocusEvent>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QScopedValueRollback>
#include <QSignalBlocker>
#include <QStackedWidget>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <memory>
#include <string>
#include <vector>

#include "editors/channel_edit_presenter.h"
#include "model/five_tone_settings.h"
#include "model/two_tone_settings.h"
#include "ui/drawing_prompter.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

constexpr int kListCount = static_cast<int>(ChannelList::FiveToneCode) + 1;
constexpr int kCheckCount = static_cast<int>(ChannelCheck::EncodeInverted) + 1;

std::string Utf8(const QString& text) { return text.toStdString(); }

bool IsEnter(const QEvent* event) {
  if (event->type() != QEvent::KeyPress) return false;
  const int key = static_cast<const QKeyEvent*>(event)->key();
  return key == Qt::Key_Return || key == Qt::Key_Enter;
}

// Tone or code lists that take turns in one place: a page per list and an empty page for none.
class Alternatives {
 public:
  explicit Alternatives(QWidget* parent) : stack_(new QStackedWidget(parent)) {
    stack_->setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
    stack_->addWidget(new QWidget(stack_));
  }

  QStackedWidget* Widget() const { return stack_; }

  // `widgets` share one page.
  void AddPage(std::initializer_list<QWidget*> widgets) {
    auto* page = new QWidget(stack_);
    auto* row = new QHBoxLayout(page);
    row->setContentsMargins(0, 0, 0, 0);
    for (QWidget* widget : widgets) {
      // A page is as wide as all its widgets, shown or not, so the window keeps its size when
      // one of them appears.
      QSizePolicy policy = widget->sizePolicy();
      policy.setRetainSizeWhenHidden(true);
      widget->setSizePolicy(policy);
      // Its style's sizes count before it is first shown.
      widget->ensurePolished();
      row->addWidget(widget);
    }
    row->addStretch();
    stack_->addWidget(page);
  }

  void ShowPageOf(const std::vector<bool>& visible) {
    int page = 0;
    for (std::size_t i = 0; i < visible.size(); ++i) {
      if (visible[i]) page = static_cast<int>(i) + 1;
    }
    stack_->setCurrentIndex(page);
  }

 private:
  QStackedWidget* stack_;
};

class ChannelDialog final : public QDialog {
 public:
  ChannelDialog(QWidget* parent, ChannelEditPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    BuildWidgets();
    BuildLayout();
    Connect();
    Render();
    receive_->setFocus();
    // Sized once: a list appearing later takes its room from the others, OK and Cancel stay put.
    FitToScreen(*this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (IsEnter(event)) {
      // Enter walks through the fields; OK is a button away.
      focusNextChild();
      return true;
    }
    for (int box = 0; box < ChannelEditPresenter::kNameBoxes; ++box) {
      if (watched == names_[static_cast<std::size_t>(box)] && event->type() == QEvent::KeyPress) {
        return TypeIntoNameBox(box, *static_cast<QKeyEvent*>(event));
      }
    }
    if (event->type() == QEvent::FocusOut && LeavesTheBox(*static_cast<QFocusEvent*>(event))) {
      if (watched == transmit_) {
        const QScopedValueRollback guard(leaving_, true);
        presenter_.LeaveTransmit();
        Render();
      } else if (watched == customTone_) {
        const QScopedValueRollback guard(leaving_, true);
        presenter_.LeaveCustomTone();
        Render();
      }
    }
    return QDialog::eventFilter(watched, event);
  }

 private:
  // A warning shown while leaving, or another window taking the focus, is no move to another field.
  bool LeavesTheBox(const QFocusEvent& event) const {
    return !leaving_ && !rendering_ && event.reason() != Qt::ActiveWindowFocusReason &&
           event.reason() != Qt::PopupFocusReason;
  }

  QComboBox*& Combo(ChannelList list) { return combos_[static_cast<std::size_t>(list)]; }
  QCheckBox*& CheckBox(ChannelCheck check) { return checks_[static_cast<std::size_t>(check)]; }

  void BuildWidgets() {
    const auto lineEdit = [this](std::size_t length) {
      auto* box = new QLineEdit(this);
      box->setMaxLength(static_cast<int>(length));
      box->installEventFilter(this);
      return box;
    };
    receive_ = lineEdit(ChannelEditPresenter::kFrequencyBoxLength);
    transmit_ = lineEdit(ChannelEditPresenter::kFrequencyBoxLength);
    customTone_ = lineEdit(ChannelEditPresenter::kCustomToneBoxLength);
    for (QLineEdit*& box : names_) {
      box = lineEdit(1);
      box->setAlignment(Qt::AlignCenter);
      box->setAttribute(Qt::WA_InputMethodEnabled, false);
      box->setContextMenuPolicy(Qt::NoContextMenu);
    }
    const int frequencyWidth = receive_->fontMetrics().horizontalAdvance(QStringLiteral("000.000000")) +
                               receive_->fontMetrics().averageCharWidth() * 2;
    receive_->setFixedWidth(frequencyWidth);
    transmit_->setFixedWidth(frequencyWidth);
    customTone_->setFixedWidth(customTone_->fontMetrics().horizontalAdvance(QStringLiteral("000.00")) +
                               customTone_->fontMetrics().averageCharWidth() * 2);
    const int nameWidth = names_[0]->fontMetrics().horizontalAdvance(QLatin1Char('W')) * 3;
    for (QLineEdit* box : names_) box->setFixedWidth(nameWidth);

    for (QComboBox*& box : combos_) {
      box = new QComboBox(this);
      box->installEventFilter(this);
      box->setSizeAdjustPolicy(QComboBox::AdjustToContents);
    }
    for (QCheckBox*& box : checks_) {
      box = new QCheckBox(this);
      box->installEventFilter(this);
    }
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    decodeTones_ = std::make_unique<Alternatives>(this);
    decodeTones_->AddPage({Combo(ChannelList::DecodeCtcss)});
    decodeTones_->AddPage({Combo(ChannelList::DecodeDcs), CheckBox(ChannelCheck::DecodeInverted)});
    encodeTones_ = std::make_unique<Alternatives>(this);
    encodeTones_->AddPage({Combo(ChannelList::EncodeCtcss)});
    encodeTones_->AddPage({Combo(ChannelList::EncodeDcs), CheckBox(ChannelCheck::EncodeInverted)});
    codes_ = std::make_unique<Alternatives>(this);
    codes_->AddPage({Combo(ChannelList::DtmfCode)});
    codes_->AddPage({Combo(ChannelList::FiveToneCode)});
    Combo(ChannelList::TwoToneCode)->hide();
  }

  QLabel* Label(QWidget* buddy) {
    auto* label = new QLabel(this);
    label->setBuddy(buddy);
    labels_.push_back(label);
    return label;
  }

  static QHBoxLayout* Row(std::initializer_list<QWidget*> widgets) {
    auto* row = new QHBoxLayout;
    for (QWidget* widget : widgets) row->addWidget(widget);
    row->addStretch();
    return row;
  }

  static QFormLayout* Form() {
    auto* form = new QFormLayout;
    form->setLabelAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    return form;
  }

  void BuildLayout() {
    auto* left = Form();
    left->addRow(Label(receive_), Row({receive_}));
    left->addRow(Label(transmit_), Row({transmit_}));
    auto* nameRow = new QHBoxLayout;
    nameRow->setSpacing(2);
    for (QLineEdit* box : names_) nameRow->addWidget(box);
    nameRow->addStretch();
    nameLabel_ = Label(names_[0]);
    left->addRow(nameLabel_, nameRow);
    left->addRow(Label(Combo(ChannelList::Bandwidth)), Combo(ChannelList::Bandwidth));
    left->addRow(Label(Combo(ChannelList::Power)), Combo(ChannelList::Power));
    left->addRow(Label(Combo(ChannelList::BusyLock)), Combo(ChannelList::BusyLock));
    left->addRow(Label(Combo(ChannelList::SquelchMode)), Combo(ChannelList::SquelchMode));

    auto* right = Form();
    right->addRow(Label(Combo(ChannelList::DecodeType)),
                  Row({Combo(ChannelList::DecodeType), decodeTones_->Widget()}));
    right->addRow(Label(Combo(ChannelList::EncodeType)),
                  Row({Combo(ChannelList::EncodeType), encodeTones_->Widget()}));
    right->addRow(Label(customTone_), Row({customTone_}));
    right->addRow(Label(Combo(ChannelList::OptSignal)),
                  Row({Combo(ChannelList::OptSignal), codes_->Widget()}));
    right->addRow(Label(Combo(ChannelList::DtmfPttId)), Combo(ChannelList::DtmfPttId));
    right->addRow(Label(Combo(ChannelList::FiveTonePttId)), Combo(ChannelList::FiveTonePttId));

    auto* fields = new QHBoxLayout;
    fields->addLayout(left);
    fields->addSpacing(fontMetrics().averageCharWidth() * 3);
    fields->addLayout(right);

    auto* options = new QHBoxLayout;
    for (const ChannelCheck check : {ChannelCheck::TxForbid, ChannelCheck::Reverse, ChannelCheck::TalkAround,
                                     ChannelCheck::Scramble, ChannelCheck::ScanAdd}) {
      options->addWidget(CheckBox(check));
    }
    options->addStretch();

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(fields);
    layout->addLayout(options);
    layout->addWidget(buttons_);

    // Fields in reading order: the left column, then the right, then the checks and buttons.
    std::vector<QWidget*> order = {receive_, transmit_};
    order.insert(order.end(), names_.begin(), names_.end());
    for (const ChannelList list :
         {ChannelList::Bandwidth, ChannelList::Power, ChannelList::BusyLock, ChannelList::SquelchMode,
          ChannelList::DecodeType, ChannelList::DecodeCtcss, ChannelList::DecodeDcs}) {
      order.push_back(Combo(list));
    }
    order.push_back(CheckBox(ChannelCheck::DecodeInverted));
    for (const ChannelList list :
         {ChannelList::EncodeType, ChannelList::EncodeCtcss, ChannelList::EncodeDcs}) {
      order.push_back(Combo(list));
    }
    order.push_back(CheckBox(ChannelCheck::EncodeInverted));
    order.push_back(customTone_);
    for (const ChannelList list : {ChannelList::OptSignal, ChannelList::DtmfCode, ChannelList::FiveToneCode,
                                   ChannelList::DtmfPttId, ChannelList::FiveTonePttId}) {
      order.push_back(Combo(list));
    }
    for (const ChannelCheck check : {ChannelCheck::TxForbid, ChannelCheck::Reverse, ChannelCheck::TalkAround,
                                     ChannelCheck::Scramble, ChannelCheck::ScanAdd}) {
      order.push_back(CheckBox(check));
    }
    order.push_back(buttons_);
    for (std::size_t i = 1; i < order.size(); ++i) setTabOrder(order[i - 1], order[i]);
  }

  void Connect() {
    connect(receive_, &QLineEdit::textEdited, this, [this](const QString& text) {
      presenter_.EditReceive(Utf8(text));
      Render();
    });
    connect(transmit_, &QLineEdit::textEdited, this, [this](const QString& text) {
      presenter_.EditTransmit(Utf8(text));
      Render();
    });
    connect(customTone_, &QLineEdit::textEdited, this, [this](const QString& text) {
      presenter_.EditCustomTone(Utf8(text));
      Render();
    });
    for (int i = 0; i < kListCount; ++i) {
      const auto list = static_cast<ChannelList>(i);
      connect(Combo(list), &QComboBox::activated, this, [this, list](int index) {
        presenter_.SelectEntry(list, index);
        Render();
      });
    }
    for (int i = 0; i < kCheckCount; ++i) {
      const auto check = static_cast<ChannelCheck>(i);
      connect(CheckBox(check), &QCheckBox::clicked, this, [this, check](bool checked) {
        presenter_.SetCheck(check, checked);
        Render();
      });
    }
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
  }

  bool TypeIntoNameBox(int box, const QKeyEvent& key) {
    if (key.key() == Qt::Key_Backspace || key.key() == Qt::Key_Delete) {
      presenter_.ClearNameBox(box);
      Render();
      return true;
    }
    const QString text = key.text();
    if (text.size() != 1 || !text[0].isPrint()) return false;  // Tab, arrows and shortcuts go on as usual
    const char16_t character = text[0].unicode();
    if (character < 0x80) presenter_.TypeNameCharacter(box, static_cast<char>(character));
    Render();
    return true;
  }

 public:
  // Before a message: the boxes as the presenter holds them, nothing else moved.
  void DrawBoxes() {
    const QScopedValueRollback guard(rendering_, true);
    const ChannelEditPresenter::ViewState& state = presenter_.State();
    const ChannelEditPresenter::Captions& caption = state.Caption;
    RenderBox(*receive_, state.Receive, caption.Receive);
    RenderBox(*transmit_, state.Transmit, caption.Transmit);
    RenderBox(*customTone_, state.CustomTone, caption.CustomTone);
  }

 private:
  void Render() {
    rendering_ = true;
    const ChannelEditPresenter::ViewState& state = presenter_.State();
    const ChannelEditPresenter::Captions& caption = state.Caption;
    setWindowTitle(ToQString(state.Title));
    SetButtonTexts(*buttons_, caption.Ok, caption.Cancel);

    RenderBox(*receive_, state.Receive, caption.Receive);
    RenderBox(*transmit_, state.Transmit, caption.Transmit);
    RenderBox(*customTone_, state.CustomTone, caption.CustomTone);
    for (std::size_t i = 0; i < names_.size(); ++i) {
      RenderBox(*names_[i], state.Name[i], caption.Name + " " + std::to_string(i + 1));
    }

    const auto listCaption = [&caption](ChannelList list) -> const std::string& {
      switch (list) {
        case ChannelList::Bandwidth:
          return caption.Bandwidth;
        case ChannelList::Power:
          return caption.Power;
        case ChannelList::OptSignal:
        case ChannelList::DtmfCode:
        case ChannelList::TwoToneCode:
        case ChannelList::FiveToneCode:
          return caption.OptSignal;
        case ChannelList::DecodeType:
        case ChannelList::DecodeCtcss:
        case ChannelList::DecodeDcs:
          return caption.Decode;
        case ChannelList::EncodeType:
        case ChannelList::EncodeCtcss:
        case ChannelList::EncodeDcs:
          return caption.Encode;
        case ChannelList::DtmfPttId:
          return caption.DtmfPttId;
        case ChannelList::FiveTonePttId:
          return caption.FiveTonePttId;
        case ChannelList::SquelchMode:
          return caption.SquelchMode;
        case ChannelList::BusyLock:
          return caption.BusyLock;
      }
      return caption.Bandwidth;
    };
    for (int i = 0; i < kListCount; ++i) {
      const auto list = static_cast<ChannelList>(i);
      QComboBox& box = *Combo(list);
      const QSignalBlocker blocker(box);
      RenderChoices(box, state.List(list));
      box.setAccessibleName(ToQString(listCaption(list)));
    }
    const auto checkCaption = [&caption](ChannelCheck check) -> const std::string& {
      switch (check) {
        case ChannelCheck::TxForbid:
          return caption.TxForbid;
        case ChannelCheck::Reverse:
          return caption.Reverse;
        case ChannelCheck::TalkAround:
          return caption.TalkAround;
        case ChannelCheck::Scramble:
          return caption.Scramble;
        case ChannelCheck::ScanAdd:
          return caption.ScanAdd;
        case ChannelCheck::DecodeInverted:
        case ChannelCheck::EncodeInverted:
          return caption.Inverted;
      }
      return caption.TxForbid;
    };
    for (int i = 0; i < kCheckCount; ++i) {
      const auto check = static_cast<ChannelCheck>(i);
      QCheckBox& box = *CheckBox(check);
      const CheckField& field = state.Check(check);
      box.setText(ToQString(checkCaption(check)));
      box.setAccessibleName(box.text());
      box.setChecked(field.Checked);
      box.setEnabled(field.Enabled);
      box.setVisible(field.Visible);
    }
    decodeTones_->ShowPageOf({state.DecodeCtcss.Visible, state.DecodeDcs.Visible});
    encodeTones_->ShowPageOf({state.EncodeCtcss.Visible, state.EncodeDcs.Visible});
    codes_->ShowPageOf({state.DtmfCode.Visible, state.FiveToneCode.Visible});

    for (QLabel* label : labels_) {
      label->setText(label->buddy()->accessibleName());
    }
    nameLabel_->setText(ToQString(caption.Name));
    RenderFocus(state);
    rendering_ = false;
  }

  static void RenderBox(QLineEdit& box, const TextField& field, const std::string& caption) {
    const QString text = ToQString(field.Text);
    if (box.text() != text) {
      const int cursor = box.cursorPosition();
      box.setText(text);
      box.setCursorPosition(std::min(cursor, static_cast<int>(text.size())));
    }
    box.setEnabled(field.Enabled);
    box.setVisible(field.Visible);
    box.setAccessibleName(ToQString(caption));
  }

  void RenderFocus(const ChannelEditPresenter::ViewState& state) {
    switch (state.Focus) {
      case ChannelFocus::Unchanged:
        break;
      case ChannelFocus::ReceiveBox:
        receive_->setFocus();
        receive_->selectAll();
        break;
      case ChannelFocus::NameBox:
        names_[static_cast<std::size_t>(state.FocusNameBox)]->setFocus();
        break;
      case ChannelFocus::PastNameBoxes:
        Combo(ChannelList::Bandwidth)->setFocus();
        break;
    }
  }

  ChannelEditPresenter& presenter_;
  QLineEdit* receive_ = nullptr;
  QLineEdit* transmit_ = nullptr;
  QLineEdit* customTone_ = nullptr;
  std::array<QLineEdit*, ChannelEditPresenter::kNameBoxes> names_{};
  std::array<QComboBox*, kListCount> combos_{};
  std::array<QCheckBox*, kCheckCount> checks_{};
  std::unique_ptr<Alternatives> decodeTones_;
  std::unique_ptr<Alternatives> encodeTones_;
  std::unique_ptr<Alternatives> codes_;
  std::vector<QLabel*> labels_;
  QLabel* nameLabel_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
  bool rendering_ = false;
  bool leaving_ = false;
};

}  // namespace

bool RunChannelDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter,
                      int number) {
  Configuration& configuration = workspace.Current();
  const auto twoTone = TwoTonePresence(configuration.TwoTone);
  const auto fiveTone = FiveTonePresence(configuration.FiveTone);
  const ChannelEditSetup setup{.Limits = context.Limits(),
                               .TwoToneEnabled = context.TwoToneEnabled(),
                               .Codes = {.TwoTone = twoTone, .FiveTone = fiveTone}};
  DrawingPrompter drawing(prompter);
  ChannelEditPresenter presenter(configuration.Channels, configuration.Options, number, setup,
                                 context.Texts(), drawing);
  ChannelDialog dialog(parent, presenter);
  drawing.SetDraw([&dialog] { dialog.DrawBoxes(); });
  return dialog.exec() == QDialog::Accepted;
}

}  // namespace hvt
