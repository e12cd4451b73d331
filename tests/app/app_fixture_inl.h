#pragma once
#include <QApplication>
#include <QDialog>
#include <QPointer>

namespace kavir::app::test {

template <typename T>
void OnNextDialog(std::function<void(T*)> fn) {
  auto* timer = new QTimer;
  timer->setInterval(10);
  QObject::connect(timer, &QTimer::timeout, [timer, fn] {
    if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
      timer->stop();
      timer->deleteLater();
      fn(dialog);
    }
  });
  timer->start();
}

}  // namespace kavir::app::test
