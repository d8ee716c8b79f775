#include "ui/model_dialog.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QSignalBlocker>
#include <QVBoxLayout>
#include <algorithm>

#include "app/model_presenter.h"
#include "model/band.h"
#include "ui/view_helpers.h"

namespace hvt {

namespace {

class ModelDialog final : public QDialog {
 public:
  ModelDialog(QWidget* parent, ModelPresenter& presenter) : QDialog(parent), presenter_(presenter) {
    modelLabel_ = new QLabel(this);
    models_ = new QComboBox(this);
    modelLabel_->setBuddy(models_);
    bandLabel_ = new QLabel(this);
    bands_ = new QComboBox(this);
    bandLabel_->setBuddy(bands_);
    bandText_ = new QPlainTextEdit(this);
    bandText_->setReadOnly(true);
    bandText_->setLineWrapMode(QPlainTextEdit::NoWrap);
    bandText_->setTabChangesFocus(true);
    bandText_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    bandText_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    FitBandText();
    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);

    auto* form = new QFormLayout;
    form->addRow(modelLabel_, models_);
    form->addRow(bandLabel_, bands_);
    form->addRow(bandText_);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(buttons_);
    layout->setSizeConstraint(QLayout::SetFixedSize);

    connect(bands_, &QComboBox::activated, this, [this](int index) {
      presenter_.SelectBand(index);
      Render();
    });
    ConnectOkCancel(*this, *buttons_, presenter_, [this] { Render(); });
    Render();
    bands_->setFocus();
  }

 private:
  // Room for the longest band text without wrapping or scrolling.
  void FitBandText() {
    const QFontMetrics metrics = bandText_->fontMetrics();
    int width = 0;
    for (const int variant : {0, 1}) {
      for (const QString& line : ToQString(BandTextTwoLines(variant)).split(QStringLiteral("\r\n"))) {
        width = std::max(width, metrics.horizontalAdvance(line));
      }
    }
    const int frame =
        2 * (bandText_->frameWidth() + static_cast<int>(bandText_->document()->documentMargin()));
    bandText_->setFixedSize(width + frame + metrics.averageCharWidth(),
                            2 * metrics.lineSpacing() + frame + 2);
  }

  void Render() {
    const ModelPresenter::ViewState& state = presenter_.State();
    const QSignalBlocker modelBlocker(models_);
    const QSignalBlocker bandBlocker(bands_);
    setWindowTitle(ToQString(state.Title));
    modelLabel_->setText(ToQString(state.ModelLabel));
    models_->setAccessibleName(ToQString(state.ModelLabel));
    bandLabel_->setText(ToQString(state.BandLabel));
    bands_->setAccessibleName(ToQString(state.BandLabel));
    bandText_->setAccessibleName(ToQString(state.BandLabel));
    SetButtonTexts(*buttons_, state.OkText, state.CancelText);
    RenderChoices(*models_, state.Models);
    RenderChoices(*bands_, state.Bands);
    QString text = ToQString(state.BandText.Text);
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    if (bandText_->toPlainText() != text) bandText_->setPlainText(text);
  }

  ModelPresenter& presenter_;
  QLabel* modelLabel_ = nullptr;
  QComboBox* models_ = nullptr;
  QLabel* bandLabel_ = nullptr;
  QComboBox* bands_ = nullptr;
  QPlainTextEdit* bandText_ = nullptr;
  QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace

bool RunModelDialog(QWidget* parent, AppContext& context, Workspace& workspace, Prompter& prompter) {
  ModelPresenter presenter(context, workspace, prompter);
  ModelDialog dialog(parent, presenter);
  dialog.exec();
  return presenter.Replaced();
}

}  // namespace hvt
