#pragma once

// Program > Write to Several Radios: a row per serial port with a check box, a bar, the state and
// the link's message; the run's options; Start, Cancel and Close. The radios are written on the
// event loop while the window stays responsive; closing it during a run asks whether to stop.

#include <QDialog>
#include <QTimer>

#include "app/fleet_presenter.h"

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QSpinBox;
class QTableWidget;

namespace hvt {

class FleetDialog final : public QDialog, private FleetListener {
  Q_OBJECT

 public:
  enum Column { kPortColumn, kDescriptionColumn, kProgressColumn, kStateColumn, kDetailColumn, kColumnCount };

  // `lister` gives the ports as the system offers them; the list is read again while no run goes.
  FleetDialog(QWidget* parent, const AppContext& context, const Workspace& workspace, Prompter& prompter,
              PortLister lister);
  ~FleetDialog() override;

  FleetPresenter& Presenter() { return presenter_; }

  // Escape is the Close button.
  void reject() override;

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void OnRadioChanged(std::size_t row) override;
  void OnFleetFinished() override;
  void BuildRows();
  void Render();
  void RenderRow(int row);
  void FitColumns();
  void FitDetails();
  void RequestClose();

  FleetPresenter presenter_;
  QTableWidget* table_ = nullptr;
  QLabel* noPorts_ = nullptr;
  QCheckBox* verify_ = nullptr;
  QLineEdit* password_ = nullptr;
  QSpinBox* retries_ = nullptr;
  QLabel* summary_ = nullptr;
  QPushButton* start_ = nullptr;
  QPushButton* cancel_ = nullptr;
  QPushButton* close_ = nullptr;
  QTimer refresh_;
};

// Opens the window over `parent` on the system's serial ports, and returns when it is closed.
void RunFleetDialog(QWidget* parent, const AppContext& context, const Workspace& workspace,
                    Prompter& prompter);

}  // namespace hvt
