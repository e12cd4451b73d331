#include "worker_thread.h"

#include <exception>
#include <thread>

#include <QEventLoop>
#include <QThread>

namespace kavir::app {

void RunOffWindowThread(UserInput input, const std::function<void()>& fn) {
  QEventLoop loop;
  std::exception_ptr failure;
  std::thread worker([&] {
    try {
      fn();
    } catch (...) {
      failure = std::current_exception();
    }
    // Queued: the loop may not be running yet; it quits once it is.
    QMetaObject::invokeMethod(
        &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
  });
  loop.exec(input == UserInput::HeldBack ? QEventLoop::ExcludeUserInputEvents : QEventLoop::AllEvents);
  worker.join();
  if (failure) std::rethrow_exception(failure);
}

void RunOnThreadOf(QObject* context, const std::function<void()>& fn) {
  if (QThread::currentThread() == context->thread())
    fn();
  else
    QMetaObject::invokeMethod(context, fn, Qt::BlockingQueuedConnection);
}

bool WindowThreadEvents::ConfirmRead(ReadPurpose purpose) {
  return There([&] { return Confirmed(target_.ConfirmRead(purpose)); });
}
bool WindowThreadEvents::ConfirmWrite(const std::string& model) {
  return There([&] { return Confirmed(target_.ConfirmWrite(model)); });
}
bool WindowThreadEvents::Confirmed(bool yes) {
  if (yes && on_confirmed) on_confirmed();
  return yes;
}
bool WindowThreadEvents::AcceptOtherModel(const std::string& radio_model, const std::string& data_model,
                                          const std::string& prompt) {
  return There([&] { return target_.AcceptOtherModel(radio_model, data_model, prompt); });
}
bool WindowThreadEvents::Retry(const TransferFailure& failure) {
  return There([&] { return target_.Retry(failure); });
}
void WindowThreadEvents::Error(const std::string& text) {
  There([&] { target_.Error(text); });
}
void WindowThreadEvents::Status(const std::string& text) {
  There([&] { target_.Status(text); });
}
void WindowThreadEvents::Progress(const std::string& text, short range, short position) {
  There([&] { target_.Progress(text, range, position); });
}
void WindowThreadEvents::ProgressEnd() {
  There([&] { target_.ProgressEnd(); });
}
void WindowThreadEvents::Waiting(int step) {
  There([&] { target_.Waiting(step); });
}
void WindowThreadEvents::Refresh() {
  There([&] { target_.Refresh(); });
}

}  // namespace kavir::app
