#pragma once
// While a read or a write runs: the window keeps painting, a Cancel button
// (and Esc, and closing the window) asks the link to stop, and every other
// click or key waits until the transfer is over. The button shows once the
// transfer has been confirmed: behind the question it would offer to stop
// what has not begun.
#include <QObject>

class QPushButton;

namespace kavir {
class SerialLink;
}

namespace kavir::app {

class CMainFrame;

class TransferGuard : public QObject {
  Q_OBJECT

 public:
  TransferGuard(CMainFrame& frame, SerialLink& link);
  ~TransferGuard() override;

  QPushButton* cancel_button() const { return button_; }
  // The transfer was confirmed and starts: the Cancel button shows.
  void Started();

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void PlaceButton();

  CMainFrame& frame_;
  SerialLink& link_;
  QPushButton* button_ = nullptr;
};

}  // namespace kavir::app
