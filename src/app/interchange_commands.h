#pragma once
// The file commands that move set-ups in and out: Open (profiles and radio
// images), CSV import and export, saving as an image, comparing with a file.
#include <string>
#include <vector>

#include "screen/open_setup.h"

namespace kavir::app {

class CMainFrame;

class InterchangeCommands : public ModelQuestion {
 public:
  explicit InterchangeCommands(CMainFrame& frame) : frame_(frame) {}

  void Connect();
  void OnOpen();
  void OnImportCsv();
  void OnExportCsv();
  void OnSaveImage();
  void OnCompareFile();
  // Which model a radio image belongs to, chosen from the Type list.
  int AskModel(const std::string& path, const std::vector<std::string>& models) override;

 private:
  CMainFrame& frame_;
};

}  // namespace kavir::app
