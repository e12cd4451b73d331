#pragma once
// A transfer runs on a thread of its own so the window keeps painting and
// Cancel is heard at once; what it says and asks is brought to the window's
// thread, one event at a time, and the transfer waits for the answer.
#include <functional>

#include <QObject>

#include "link/transfer_events.h"

namespace kavir::app {

// Runs fn on a new thread; the window's events are handled until it ends,
// clicks and keys too unless held back (a transfer holds them back itself,
// all but its Cancel). An exception fn throws is thrown here.
enum class UserInput { Heard, HeldBack };
void RunOffWindowThread(UserInput input, const std::function<void()>& fn);

// Runs fn on the thread of context and returns when it is over; at once
// when called there.
void RunOnThreadOf(QObject* context, const std::function<void()>& fn);

// Every event of the transfer handed to target on the thread of context.
class WindowThreadEvents : public TransferEvents {
 public:
  WindowThreadEvents(QObject* context, TransferEvents& target) : context_(context), target_(target) {}

  // Called on the window's thread when a read or a write was confirmed.
  std::function<void()> on_confirmed;

  bool ConfirmRead(ReadPurpose purpose) override;
  bool ConfirmWrite(const std::string& model) override;
  bool AcceptOtherModel(const std::string& radio_model, const std::string& data_model,
                        const std::string& prompt) override;
  bool Retry(const TransferFailure& failure) override;
  void Error(const std::string& text) override;
  void Status(const std::string& text) override;
  void Progress(const std::string& text, short range, short position) override;
  void ProgressEnd() override;
  void Waiting(int step) override;
  void Refresh() override;

 private:
  bool Confirmed(bool yes);
  template <typename F>
  auto There(F fn) {
    using R = decltype(fn());
    if constexpr (std::is_void_v<R>) {
      RunOnThreadOf(context_, fn);
    } else {
      R out{};
      RunOnThreadOf(context_, [&] { out = fn(); });
      return out;
    }
  }
  QObject* context_;
  TransferEvents& target_;
};

}  // namespace kavir::app
