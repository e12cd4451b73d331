#include "transfer_guard.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMenuBar>
#include <QPushButton>
#include <QScreen>

#include "frame_geometry.h"
#include "link/serial_link.h"
#include "main_frame.h"

namespace kavir::app {

namespace {

bool IsUserInput(QEvent::Type type) {
  switch (type) {
    case QEvent::KeyPress:
    case QEvent::KeyRelease:
    case QEvent::ShortcutOverride:
    case QEvent::Shortcut:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
    case QEvent::Wheel:
    case QEvent::ContextMenu:
    case QEvent::TouchBegin:
    case QEvent::TouchUpdate:
    case QEvent::TouchEnd:
    case QEvent::Drop:
      return true;
    default:
      return false;
  }
}

}  // namespace

TransferGuard::TransferGuard(CMainFrame& frame, SerialLink& link) : frame_(frame), link_(link) {
  button_ = new QPushButton(tr("取消(&C)"), &frame_);
  button_->setObjectName(QStringLiteral("CancelTransfer"));
  button_->setToolTip(tr("停止传输 (Esc)"));
  button_->setFocusPolicy(Qt::NoFocus);
  connect(button_, &QPushButton::clicked, this, [this] {
    link_.RequestCancel();
    button_->setEnabled(false);
    button_->setText(tr("正在取消..."));
  });
  button_->hide();
  qApp->installEventFilter(this);
}

void TransferGuard::Started() {
  PlaceButton();
  button_->show();
  button_->raise();
}

TransferGuard::~TransferGuard() {
  qApp->removeEventFilter(this);
  delete button_;
}

void TransferGuard::PlaceButton() {
  // Below the progress bar's right end, where the eye already is.
  const int top = frame_.menuBar()->isVisible() ? frame_.menuBar()->height() : 0;
  const QScreen* display = frame_.QWidget::screen();
  const int screen_width = display ? display->geometry().width() : 0;
  const QRect bar = ProgressGeometry(frame_.width(), frame_.height() - top, screen_width).bar.translated(0, top);
  const QSize size = button_->sizeHint().expandedTo(QSize(90, 26));
  button_->setGeometry(bar.right() - size.width() + 1, bar.bottom() + 10, size.width(), size.height());
}

bool TransferGuard::eventFilter(QObject* watched, QEvent* event) {
  if (event->type() == QEvent::Close && watched == &frame_) {
    // Closing the window in the middle of a transfer stops the transfer.
    link_.RequestCancel();
    event->ignore();
    return true;
  }
  if (!IsUserInput(event->type())) return false;
  auto* widget = qobject_cast<QWidget*>(watched);
  if (!widget) return false;  // a window hands the event on to a widget
  // A prompt of the transfer answers its own keys and clicks.
  if (QApplication::activeModalWidget()) return false;
  if (widget == button_) return false;
  if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape &&
      button_->isVisible() && button_->isEnabled()) {
    button_->click();
  }
  return true;
}

}  // namespace kavir::app
