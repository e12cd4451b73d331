#pragma once
// The program's one top-level window: menus, toolbar, status bar with its
// clock, the progress bar, and the programming screen as its central widget.
#include <memory>

#include <QHash>
#include <QMainWindow>

#include "lang/language.h"
#include "link/transport.h"
#include "screen_ui_qt.h"
#include "setup/program_config.h"
#include "setup/working_files.h"

class QCloseEvent;
class QLabel;
class QProgressBar;
class QToolBar;
class QTimer;

namespace kavir {
class CKAVIRView;
}  // namespace kavir

namespace kavir::app {

class ScreenWidget;
class GridBalloon;
class RadioCommands;
class InterchangeCommands;

class CMainFrame : public QMainWindow {
  Q_OBJECT

 public:
  // Without a transport the frame talks to the serial port named in
  // KAVIR.ini; tests pass the in-process virtual radio and its clock.
  // KAVIR.ini is read here unless the caller has read it already.
  explicit CMainFrame(WorkingFiles files, Transport* transport = nullptr, Clock* clock = nullptr,
                      std::optional<ProgramConfig> config = std::nullopt);
  ~CMainFrame() override;

  // The screen's first set-up: option lists, start-up model, port; then the
  // channel page.
  void Start();

  CKAVIRView& view() { return *view_; }
  QtScreenUi& ui() { return ui_; }
  ScreenWidget* screen() const { return screen_; }
  RadioCommands& radio() { return *radio_; }
  InterchangeCommands& interchange() { return *interchange_; }
  QAction* action(int command_id) const { return actions_.value(command_id); }
  QMenu* language_menu() const { return language_menu_; }
  QToolBar* toolbar() const { return toolbar_; }
  QString program_directory() const;

  // Feedback for the screen and the link.
  void SetStatusText(const QString& text);
  QString status_text() const;
  QString clock_text() const;
  void BeginProgress(const QString& text, int range, int position);
  void EndProgress();
  QProgressBar* progress_bar() const { return progress_bar_; }
  QLabel* progress_label() const { return progress_label_; }
  void RefreshScreen();
  // An entry the screen refused, shown at the grid's current cell.
  void ShowRejection(const QString& text);
  GridBalloon* rejection_balloon() const { return balloon_; }
  // Title (file name, "*" when changed) and the 编辑 commands' states.
  void UpdateEditState();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;

 private:
  // Texts are the untranslated sources; RetranslateUi shows them in the
  // language chosen.
  QAction* AddCommand(QMenu* menu, int id, const char* text, const char* prompt, const char* tooltip = nullptr);
  QMenu* AddMenu(const char* title);
  void RetranslateUi();
  void CreateLanguageMenu();
  void ChooseLanguage(lang::Choice choice);
  void CreateMenus();
  void CreateEditMenu();
  void FillRecentFiles();
  void CreateToolbar();
  void CreateStatusBar();
  void TickClock();
  void StepPage(int step);
  void OnHelp();
  void OnAbout();

  QtScreenUi ui_;
  std::unique_ptr<CKAVIRView> view_;
  std::unique_ptr<RadioCommands> radio_;
  std::unique_ptr<InterchangeCommands> interchange_;
  ScreenWidget* screen_ = nullptr;
  QHash<int, QAction*> actions_;
  struct CommandTexts {
    const char* text;
    const char* prompt;
    const char* tooltip;
  };
  QHash<int, CommandTexts> texts_;
  QList<QPair<QMenu*, const char*>> menus_;
  QMenu* language_menu_ = nullptr;
  QAction* language_actions_[3] = {};
  QToolBar* toolbar_ = nullptr;
  QMenu* file_menu_ = nullptr;
  QAction* recent_separator_ = nullptr;
  QList<QAction*> recent_actions_;
  QLabel* message_pane_ = nullptr;
  QLabel* clock_pane_ = nullptr;
  QTimer* clock_timer_ = nullptr;
  QProgressBar* progress_bar_ = nullptr;
  QLabel* progress_label_ = nullptr;
  GridBalloon* balloon_ = nullptr;
};

}  // namespace kavir::app
