#pragma once
// The file behind the screen: which one is current, opening and saving it,
// the recent list, the name in the title, and the question before unsaved
// changes are lost. The values themselves are the screen's (kavir_view.h).
#include <cstddef>
#include <string>

#include "ini/io_status.h"
#include "recent_files.h"

namespace kavir {

class CKAVIRView;

class ScreenDocument {
 public:
  explicit ScreenDocument(CKAVIRView& view) : view_(view) {}
  ScreenDocument(const ScreenDocument&) = delete;
  ScreenDocument& operator=(const ScreenDocument&) = delete;

  // The profile the screen was opened from or saved as; "" when none.
  std::string current_file_name;
  // The file most recently opened or saved is first.
  RecentFiles recent;

  // Ok when opened or cancelled; else why nothing changed.
  IoStatus OnFileOpenDat();
  // Opens a profile with progress; the file becomes the current one.
  IoStatus OpenFile(const std::string& path);
  void OnOpenRecent(std::size_t index);
  // Save to the current file; Save As when there is none. True when saved.
  bool OnFileSave();
  // True when saved.
  bool OnFileSaveAsDat();
  // True when the profile was saved (a failed PreviousType alone is only
  // shown); *status, when given, gets the first failure of either file.
  bool SaveTo(const std::string& path, IoStatus* status = nullptr);
  // Puts a file opened or saved first in the recent list, kept in KAVIR.ini.
  void RememberFile(const std::string& path);
  // The file name shown in the window title: the current file's name, or
  // "无标题" when none.
  std::string DocumentName() const;
  // Before something replaces the screen: with unsaved changes, asks
  // 保存 / 不保存 / 取消 (saving when asked). False: leave the screen alone.
  bool ConfirmDiscardChanges();

 private:
  CKAVIRView& view_;
};

}  // namespace kavir
