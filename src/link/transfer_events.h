#pragma once
// What a transfer tells whoever started it and what it asks them, one call
// for each kind of event. The desktop shows boxes and a bar, the command
// line answers by its options, a batch answers No; each decides by the kind
// of question, never by reading the words of a prompt.
#include <string>
#include <vector>

namespace kavir {

// What a read is for: the screen takes what is read, or it is only
// compared with the screen, which stays as it is.
enum class ReadPurpose { Load, Compare };

// A stage that failed and may be started again.
struct TransferFailure {
  enum class Kind {
    Handshake,        // no answer to the handshake (or the port would not open)
    ReadPacket,       // a packet of a read
    Band,             // the model file has no band for the radio
    WritePacket,      // a packet of a write was not acknowledged
    BeforeWriteRead,  // the read that keeps what the radio held
    VerifyRead,       // the read-back after a write
  };
  Kind kind = Kind::Handshake;
  int packet = 0;      // ReadPacket, WritePacket
  std::string cause;   // why, in a few words ("" when the kind says it all)
  std::string prompt;  // the whole question in the chosen language
};

class TransferEvents {
 public:
  virtual ~TransferEvents() = default;

  virtual bool ConfirmRead(ReadPurpose purpose) = 0;
  virtual bool ConfirmWrite(const std::string& model) = 0;
  // The radio named another model than the data's: true writes anyway.
  // A window must not make Yes its default answer.
  virtual bool AcceptOtherModel(const std::string& radio_model, const std::string& data_model,
                                const std::string& prompt) = 0;
  // True starts the failed stage again.
  virtual bool Retry(const TransferFailure& failure) = 0;
  // Something the user must see; the transfer goes on or ends as it says.
  virtual void Error(const std::string& text) = 0;
  virtual void Status(const std::string& text) = 0;
  virtual void Progress(const std::string& text, short range, short position) = 0;
  virtual void ProgressEnd() = 0;
  // A delay between stages is running; step counts up through it.
  virtual void Waiting(int step) { (void)step; }
  // The transfer is about to block for a while: show what stands now.
  virtual void Refresh() {}
};

// No window and no one to ask: every question is answered No, errors are
// kept in order, the rest is dropped. Port checks and batch jobs use it.
class QuietEvents : public TransferEvents {
 public:
  std::vector<std::string> errors;

  bool ConfirmRead(ReadPurpose) override { return false; }
  bool ConfirmWrite(const std::string&) override { return false; }
  bool AcceptOtherModel(const std::string&, const std::string&, const std::string&) override { return false; }
  bool Retry(const TransferFailure&) override { return false; }
  void Error(const std::string& text) override { errors.push_back(text); }
  void Status(const std::string&) override {}
  void Progress(const std::string&, short, short) override {}
  void ProgressEnd() override {}
};

}  // namespace kavir
