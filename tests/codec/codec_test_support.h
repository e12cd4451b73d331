#pragma once
// The shipped data in a fresh program folder and a screen set up on it.
#include <memory>
#include <string>

#include "codec/codec.h"
#include "screen_test_support.h"

namespace kavir::test {

struct ShippedScreen {
  TempDir dir;
  WorkingFiles files;
  FakeUi ui;
  std::unique_ptr<CKAVIRView> view;

  ShippedScreen();  // copies data/*.ini, starts the screen on the last model
  void Load(const std::string& model_name);  // loads a model file
  IniDocument Stored() const;                // what a store would put into Write.ini
  IniDocument Kavir() const;                 // KAVIR.ini
  // Sets channel n's nine cells (columns 1..9).
  void SetChannel(int n, const std::vector<std::string>& cells);
};

std::string Hex(const std::uint8_t* bytes, std::size_t count);

}  // namespace kavir::test
