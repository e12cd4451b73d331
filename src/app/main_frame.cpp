#include "main_frame.h"

#include <QActionGroup>
#include <QApplication>
#include <QCloseEvent>
#include <QDateTime>
#include <QFileInfo>
#include <QLabel>
#include <QMenuBar>
#include <QPainter>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include "about_dialog.h"
#include "app_info.h"
#include "channel_grid_widget.h"
#include "command_ids.h"
#include "frame_geometry.h"
#include "grid_balloon.h"
#include "help_viewer.h"
#include "ini/translate.h"
#include "interchange_commands.h"
#include "lang/language.h"
#include "radio_commands.h"
#include "report_commands.h"
#include "screen/kavir_view.h"
#include "screen_widget.h"
#include "toolbar_icons.h"

namespace kavir::app {

namespace {

// The status line: a text longer than the pane ends in "…" (no word cut
// off at the window's edge unseen) and the whole of it is the tooltip.
class StatusPane : public QLabel {
 public:
  using QLabel::QLabel;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter painter(this);
    const QRect area = contentsRect();
    const QString line =
        text().simplified().isEmpty() ? QString() : QString(text()).replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString shown = fontMetrics().elidedText(line, Qt::ElideRight, area.width());
    setToolTip(shown == line ? QString() : text().trimmed());
    painter.drawText(area, Qt::AlignLeft | Qt::AlignVCenter, shown);
  }
  QSize minimumSizeHint() const override { return {0, QLabel::minimumSizeHint().height()}; }
};

}  // namespace

CMainFrame::CMainFrame(WorkingFiles files, Transport* transport, Clock* clock, std::optional<ProgramConfig> config)
    : ui_(*this) {
  setWindowTitle(QString::fromUtf8(WindowCaption()));
  setWindowIcon(DrawAppIcon());
  if (!config) config = ProgramConfig::Read(files.kavir_ini);
  view_ = std::make_unique<CKAVIRView>(std::move(files), ui_, std::move(config));
  radio_ = std::make_unique<RadioCommands>(*this, transport, clock);
  interchange_ = std::make_unique<InterchangeCommands>(*this);
  CreateMenus();
  CreateToolbar();
  CreateStatusBar();
  screen_ = new ScreenWidget(*view_, this);
  setCentralWidget(screen_);
  // The grid's context menu offers the 编辑 commands.
  ChannelGridWidget* grid = screen_->grid();
  grid->setContextMenuPolicy(Qt::ActionsContextMenu);
  auto separator = [this] {
    auto* sep = new QAction(this);
    sep->setSeparator(true);
    return sep;
  };
  RetranslateUi();
  grid->addActions({action(kCmdUndo), action(kCmdRedo), separator(), action(kCmdCut), action(kCmdCopy),
                    action(kCmdPaste), action(kCmdDelete), separator(), action(kCmdSelectAll)});
}

CMainFrame::~CMainFrame() = default;

QString CMainFrame::program_directory() const { return QString::fromStdString(view_->files().program_dir); }

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const char* text, const char* prompt, const char* tooltip) {
  auto* act = new QAction(this);
  if (menu) menu->addAction(act);
  actions_.insert(id, act);
  texts_.insert(id, {text, prompt, tooltip});
  return act;
}

QMenu* CMainFrame::AddMenu(const char* title) {
  QMenu* menu = menuBar()->addMenu(QString());
  menus_.append({menu, title});
  return menu;
}

void CMainFrame::RetranslateUi() {
  for (auto it = texts_.cbegin(); it != texts_.cend(); ++it) {
    QAction* act = action(it.key());
    if (!act) continue;
    act->setText(tr(it->text));
    act->setStatusTip(tr(it->prompt));
    act->setToolTip(it->tooltip ? tr(it->tooltip) : QString());
  }
  for (const auto& [menu, title] : menus_) menu->setTitle(tr(title));
  toolbar_->setWindowTitle(tr("工具栏"));
  // Each language is named in itself, so it can be found from the other.
  language_menu_->setTitle(QStringLiteral("语言 / Language"));
  language_actions_[0]->setText(tr("跟随系统(&S)"));
  language_actions_[1]->setText(QStringLiteral("中文"));
  language_actions_[2]->setText(QStringLiteral("English"));
}

void CMainFrame::CreateLanguageMenu() {
  language_menu_ = menuBar()->addMenu(QString());
  language_menu_->setObjectName(QStringLiteral("LanguageMenu"));
  auto* group = new QActionGroup(this);
  const lang::Choice stored = lang::ReadChoice(view_->config().ini());
  const lang::Choice choices[3] = {lang::Choice::System, lang::Choice::Chinese, lang::Choice::English};
  for (int i = 0; i < 3; ++i) {
    QAction* act = language_menu_->addAction(QString());
    act->setCheckable(true);
    act->setChecked(choices[i] == stored);
    group->addAction(act);
    language_actions_[i] = act;
    connect(act, &QAction::triggered, this, [this, choice = choices[i]] { ChooseLanguage(choice); });
  }
}

void CMainFrame::ChooseLanguage(lang::Choice choice) {
  if (screen_) screen_->grid()->CommitPending();
  const IoStatus stored = lang::StoreChoice(view_->config(), choice);
  lang::Apply(lang::IsEnglishChoice(choice), view_->files().program_dir);
  if (!stored.ok)
    ui_.ShowError(tr("语言的选择未能保存: ").toStdString() + stored.Message(),
                  TrText("Screen", CKAVIRView::kMessageCaption));
}

void CMainFrame::changeEvent(QEvent* event) {
  if (event->type() == QEvent::LanguageChange) {
    RetranslateUi();
    SetStatusText(tr("就绪"));
    if (screen_) screen_->Retranslate();
    RefreshScreen();
  }
  QMainWindow::changeEvent(event);
}

void CMainFrame::CreateMenus() {
  QMenu* file = AddMenu(QT_TR_NOOP("文件(&F)"));
  file_menu_ = file;
  QAction* open =
      AddCommand(file, kCmdOpen, QT_TR_NOOP("打开(&O)..."), QT_TR_NOOP("打开已有文档！"), QT_TR_NOOP("打开"));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  QAction* save = AddCommand(file, kCmdSave, QT_TR_NOOP("保存(&S)"), QT_TR_NOOP("保存当前文档"), QT_TR_NOOP("保存"));
  save->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_S));
  AddCommand(file, kCmdSaveAs, QT_TR_NOOP("另存为(&A)..."), QT_TR_NOOP("数据另存为"), QT_TR_NOOP("另存为"));
  AddCommand(file, kCmdSaveImage, QT_TR_NOOP("另存为镜像..."), QT_TR_NOOP("把屏幕保存为写入电台的 768 字节镜像文件"));
  file->addSeparator();
  AddCommand(file, kCmdImportCsv, QT_TR_NOOP("导入CSV..."), QT_TR_NOOP("从 CSV 信道表导入信道"));
  AddCommand(file, kCmdExportCsv, QT_TR_NOOP("导出CSV..."), QT_TR_NOOP("把信道导出为 CSV 信道表"));
  AddCommand(file, kCmdCompareFile, QT_TR_NOOP("比较..."), QT_TR_NOOP("比较屏幕与一个文件"));
  file->addSeparator();
  QAction* print =
      AddCommand(file, kCmdPrint, QT_TR_NOOP("打印(&P)..."), QT_TR_NOOP("打印活动文档"), QT_TR_NOOP("打印"));
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  AddCommand(file, kCmdPrintPreview, QT_TR_NOOP("打印预览(&V)"), QT_TR_NOOP("显示整页"), QT_TR_NOOP("打印预览"));
  AddCommand(file, kCmdPageSetup, QT_TR_NOOP("打印设置(&R)..."), QT_TR_NOOP("改变打印机及打印选项"),
             QT_TR_NOOP("打印设置"));
  AddCommand(file, kCmdExportPdf, QT_TR_NOOP("导出PDF..."), QT_TR_NOOP("把编程报告保存为 PDF 文件"));
  recent_separator_ = file->addSeparator();
  QAction* exit =
      AddCommand(file, kCmdExit, QT_TR_NOOP("退出(&X)"), QT_TR_NOOP("退出应用程序；提示保存文档"), QT_TR_NOOP("退出"));
  connect(exit, &QAction::triggered, this, &QWidget::close);
  connect(file, &QMenu::aboutToShow, this, &CMainFrame::FillRecentFiles);

  CreateEditMenu();

  QMenu* tools = AddMenu(QT_TR_NOOP("工具(&T)"));
  AddCommand(tools, kCmdRead, QT_TR_NOOP("读出(&R)"), QT_TR_NOOP("读取数据"), QT_TR_NOOP("读出 (Ctrl+R)"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  AddCommand(tools, kCmdWrite, QT_TR_NOOP("写入(&W)"), QT_TR_NOOP("写入数据"), QT_TR_NOOP("写入 (Ctrl+W)"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  QAction* verify =
      AddCommand(tools, kCmdVerifyAfterWrite, QT_TR_NOOP("写入后校验"), QT_TR_NOOP("写入后把电台读回来, 逐字节核对"));
  verify->setCheckable(true);
  verify->setChecked(true);
  QAction* keep = AddCommand(tools, kCmdKeepRadioBeforeWrite, QT_TR_NOOP("写入前备份电台数据"),
                             QT_TR_NOOP("写入前先读出电台, 把它原有的数据保存在 backups 文件夹中"));
  keep->setCheckable(true);
  keep->setChecked(true);
  QAction* changes = AddCommand(tools, kCmdShowChangesBeforeWrite, QT_TR_NOOP("写入前列出改动"),
                                QT_TR_NOOP("写入前列出电台中将被改变的设置 (需要写入前备份电台数据)"));
  changes->setCheckable(true);
  changes->setChecked(true);
  AddCommand(tools, kCmdKeySettings, QT_TR_NOOP("键盘设置(&B)"), QT_TR_NOOP("设置 PF1、PF2、PF3 键的功能"));
  AddCommand(tools, kCmdCheckPlan, QT_TR_NOOP("检查(&C)..."),
             QT_TR_NOOP("检查频率、功率、带宽等是否可以发射, 可以对照许可证文件"));
  AddCommand(tools, kCmdCompareRadio, QT_TR_NOOP("与电台比较"), QT_TR_NOOP("读出电台并与屏幕比较，屏幕不变"));
  AddCommand(tools, kCmdBatch, QT_TR_NOOP("批量写入..."), QT_TR_NOOP("把同一份数据逐台写入多台电台，每台校验并记录"));
  tools->addSeparator();
  AddCommand(tools, kCmdPort, QT_TR_NOOP("串口(&K)"), QT_TR_NOOP("通讯口设置"));

  // Close/open all channels live on the toolbar only.
  AddCommand(nullptr, kCmdCloseAll, QT_TR_NOOP("关闭所有通道"), QT_TR_NOOP("关闭所有通道！"),
             QT_TR_NOOP("关闭所有通道"));
  AddCommand(nullptr, kCmdOpenAll, QT_TR_NOOP("打开所有通道"), QT_TR_NOOP("打开所有通道！"),
             QT_TR_NOOP("打开所有通道"));

  QMenu* view_menu = AddMenu(QT_TR_NOOP("查看(&V)"));
  toolbar_ = new QToolBar(this);
  QAction* show_toolbar = toolbar_->toggleViewAction();
  view_menu->addAction(show_toolbar);
  actions_.insert(kCmdViewToolbar, show_toolbar);
  texts_.insert(kCmdViewToolbar, {QT_TR_NOOP("工具栏(&T)"), QT_TR_NOOP("显示或隐藏工具栏"), nullptr});
  QAction* show_status =
      AddCommand(view_menu, kCmdViewStatusBar, QT_TR_NOOP("状态栏(&S)"), QT_TR_NOOP("显示或隐藏状态栏"));
  show_status->setCheckable(true);
  show_status->setChecked(true);
  connect(show_status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
  view_menu->addSeparator();
  // Page switching from anywhere in the window, as in a tabbed dialog.
  QAction* next_page = AddCommand(view_menu, kCmdNextPage, QT_TR_NOOP("下一页(&N)"), QT_TR_NOOP("切换到另一页"));
  next_page->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_Tab)});
  QAction* previous_page =
      AddCommand(view_menu, kCmdPreviousPage, QT_TR_NOOP("上一页(&P)"), QT_TR_NOOP("切换到另一页"));
  previous_page->setShortcuts(
      {QKeySequence(Qt::CTRL | Qt::Key_PageUp), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
  for (QAction* a : {next_page, previous_page}) a->setShortcutContext(Qt::WindowShortcut);
  connect(next_page, &QAction::triggered, this, [this] { StepPage(1); });
  connect(previous_page, &QAction::triggered, this, [this] { StepPage(-1); });

  CreateLanguageMenu();

  QMenu* help = AddMenu(QT_TR_NOOP("帮助(&H)"));
  QAction* help_topics = AddCommand(help, kCmdHelp, QT_TR_NOOP("帮助主题(&H)"), QT_TR_NOOP("显示使用说明"));
  help_topics->setShortcut(QKeySequence(Qt::Key_F1));
  connect(help_topics, &QAction::triggered, this, &CMainFrame::OnHelp);
  connect(AddCommand(help, kCmdAbout, QT_TR_NOOP("关于 KAVIR(&A)..."), QT_TR_NOOP("显示程序信息，版本号和版权"),
                     QT_TR_NOOP("关于")),
          &QAction::triggered, this, &CMainFrame::OnAbout);

  // The screen's own commands.
  connect(action(kCmdSaveAs), &QAction::triggered, this, [this] {
    view_->document().OnFileSaveAsDat();
    RefreshScreen();
  });
  connect(action(kCmdSave), &QAction::triggered, this, [this] {
    view_->document().OnFileSave();
    RefreshScreen();
  });
  connect(action(kCmdCloseAll), &QAction::triggered, this, [this] {
    view_->OnCloseAllChannels();
    RefreshScreen();
  });
  connect(action(kCmdOpenAll), &QAction::triggered, this, [this] {
    view_->OnOpenAllChannels();
    RefreshScreen();
  });
  connect(action(kCmdKeySettings), &QAction::triggered, this, [this] {
    view_->OnKeySettings();
    RefreshScreen();
  });
  radio_->Connect();
  interchange_->Connect();
  ConnectReportCommands(*this);
}

void CMainFrame::CreateToolbar() {
  toolbar_->setObjectName(QStringLiteral("MainToolbar"));
  toolbar_->setIconSize(QSize(55, 23));
  toolbar_->setMovable(true);
  toolbar_->setFloatable(true);
  toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
  struct Button {
    int id;
    ToolIcon icon;
  };
  static constexpr Button kButtons[] = {
      {kCmdOpen, ToolIcon::Open},       {kCmdSave, ToolIcon::Save},   {kCmdSaveAs, ToolIcon::SaveAs},
      {kCmdRead, ToolIcon::Read},       {kCmdWrite, ToolIcon::Write}, {kCmdCloseAll, ToolIcon::CloseAll},
      {kCmdOpenAll, ToolIcon::OpenAll}, {kCmdPrint, ToolIcon::Print}, {kCmdAbout, ToolIcon::About},
  };
  const int count = static_cast<int>(std::size(kButtons));
  for (int i = 0; i < count; ++i) {
    QAction* act = action(kButtons[i].id);
    act->setIcon(DrawToolIcon(kButtons[i].icon));
    toolbar_->addAction(act);
    if (i + 1 < count) toolbar_->addSeparator();
  }
  addToolBar(Qt::TopToolBarArea, toolbar_);
}

void CMainFrame::CreateStatusBar() {
  QStatusBar* bar = statusBar();
  message_pane_ = new StatusPane(tr("就绪"), bar);
  message_pane_->setObjectName(QStringLiteral("MessagePane"));
  bar->addWidget(message_pane_, 1);
  // The lock panes stay blank: the toolkit cannot tell the lock states.
  auto make_pane = [bar](const QString& sizing_text) {
    auto* pane = new QLabel(bar);
    pane->setFrameShape(QFrame::StyledPanel);
    pane->setAlignment(Qt::AlignCenter);
    pane->setMinimumWidth(pane->fontMetrics().horizontalAdvance(sizing_text) + 12);
    bar->addPermanentWidget(pane);
    return pane;
  };
  make_pane(tr("大写"));
  clock_pane_ = make_pane(QStringLiteral("00:00:00"));
  clock_pane_->setObjectName(QStringLiteral("ClockPane"));
  make_pane(tr("数字"));
  make_pane(tr("滚动"));
  clock_timer_ = new QTimer(this);
  clock_timer_->setInterval(200);
  connect(clock_timer_, &QTimer::timeout, this, &CMainFrame::TickClock);
  clock_timer_->start();
  TickClock();
}

void CMainFrame::TickClock() {
  const QString text = ClockText(QDateTime::currentDateTimeUtc());
  if (clock_pane_->text() != text) clock_pane_->setText(text);
  // Catches any change that reached the screen without a repaint.
  UpdateEditState();
}

QString CMainFrame::clock_text() const { return clock_pane_->text(); }

void CMainFrame::SetStatusText(const QString& text) {
  message_pane_->setText(StatusLine(text));
  message_pane_->repaint();
}

QString CMainFrame::status_text() const { return message_pane_->text(); }

void CMainFrame::BeginProgress(const QString& text, int range, int position) {
  // One bar at a time: a second begin without an end moves the same bar.
  if (!progress_bar_) {
    progress_label_ = new QLabel(QStringLiteral(".."), this);
    progress_label_->setObjectName(QStringLiteral("ProgressLabel"));
    progress_label_->setAlignment(Qt::AlignCenter);
    progress_label_->setFrameShape(QFrame::Box);
    progress_label_->setAutoFillBackground(true);
    progress_bar_ = new QProgressBar(this);
    progress_bar_->setObjectName(QStringLiteral("ProgressBar"));
    progress_bar_->setTextVisible(false);
  }
  const int top = menuBar()->isVisible() ? menuBar()->height() : 0;
  const int screen_width = screen() ? screen()->geometry().width() : 0;
  ProgressRects rects = ProgressGeometry(width(), height() - top, screen_width);
  progress_bar_->setGeometry(rects.bar.translated(0, top));
  progress_label_->setGeometry(rects.label.translated(0, top));
  progress_bar_->setRange(0, range);
  progress_bar_->setValue(position);
  progress_label_->setText(ProgressPercent(range, position));
  progress_bar_->show();
  progress_label_->show();
  progress_bar_->raise();
  progress_label_->raise();
  progress_bar_->repaint();
  progress_label_->repaint();
  SetStatusText(text);
}

void CMainFrame::EndProgress() {
  delete progress_bar_;
  delete progress_label_;
  progress_bar_ = nullptr;
  progress_label_ = nullptr;
}

void CMainFrame::RefreshScreen() {
  if (screen_) screen_->Refresh();
  UpdateEditState();
}

void CMainFrame::CreateEditMenu() {
  QMenu* edit = AddMenu(QT_TR_NOOP("编辑(&E)"));
  struct Item {
    int id;
    const char* text;
    const char* prompt;
    QKeySequence::StandardKey key;
  };
  static constexpr Item kItems[] = {
      {kCmdUndo, QT_TR_NOOP("撤销(&U)"), QT_TR_NOOP("撤销上一次修改"), QKeySequence::Undo},
      {kCmdRedo, QT_TR_NOOP("重做(&R)"), QT_TR_NOOP("重做上一次撤销的修改"), QKeySequence::UnknownKey},
      {0, nullptr, nullptr, QKeySequence::UnknownKey},
      {kCmdCut, QT_TR_NOOP("剪切(&T)"), QT_TR_NOOP("剪切所选单元格，放到剪贴板上"), QKeySequence::Cut},
      {kCmdCopy, QT_TR_NOOP("复制(&C)"), QT_TR_NOOP("复制所选单元格到剪贴板"), QKeySequence::Copy},
      {kCmdPaste, QT_TR_NOOP("粘贴(&P)"), QT_TR_NOOP("把剪贴板内容粘贴到所选单元格"), QKeySequence::Paste},
      {kCmdDelete, QT_TR_NOOP("删除(&D)"), QT_TR_NOOP("清除所选单元格"), QKeySequence::Delete},
      {0, nullptr, nullptr, QKeySequence::UnknownKey},
      {kCmdSelectAll, QT_TR_NOOP("全选(&A)"), QT_TR_NOOP("选择全部信道单元格"), QKeySequence::SelectAll},
  };
  for (const Item& item : kItems) {
    if (!item.text) {
      edit->addSeparator();
      continue;
    }
    QAction* act = AddCommand(edit, item.id, item.text, item.prompt);
    if (item.key != QKeySequence::UnknownKey) act->setShortcuts(item.key);
  }
  // Ctrl+Y and Ctrl+Shift+Z on every platform.
  action(kCmdRedo)->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_Y), QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z)});
  // Undo and redo show what they changed: its page, its cells selected.
  auto undo_or_redo = [this](void (CKAVIRView::*step)()) {
    return [this, step] {
      screen_->grid()->CommitPending();
      (view_.get()->*step)();
      RefreshScreen();
      if (view_->shown_page == 1)
        screen_->grid()->SelectCells(view_->editing().selection, view_->grid.row, view_->grid.col);
    };
  };
  connect(action(kCmdUndo), &QAction::triggered, this, undo_or_redo(&CKAVIRView::Undo));
  connect(action(kCmdRedo), &QAction::triggered, this, undo_or_redo(&CKAVIRView::Redo));
  // The clipboard commands work on the channel grid's selection.
  auto on_grid = [this](void (ChannelGridWidget::*command)()) {
    return [this, command] {
      if (view_->shown_page != 1) return;
      (screen_->grid()->*command)();
      RefreshScreen();
    };
  };
  connect(action(kCmdCut), &QAction::triggered, this, on_grid(&ChannelGridWidget::CutSelection));
  connect(action(kCmdCopy), &QAction::triggered, this, on_grid(&ChannelGridWidget::CopySelection));
  connect(action(kCmdPaste), &QAction::triggered, this, on_grid(&ChannelGridWidget::PasteClipboard));
  connect(action(kCmdDelete), &QAction::triggered, this, on_grid(&ChannelGridWidget::DeleteSelection));
  connect(action(kCmdSelectAll), &QAction::triggered, this, on_grid(&ChannelGridWidget::SelectAllCells));
}

void CMainFrame::FillRecentFiles() {
  for (QAction* a : recent_actions_) {
    file_menu_->removeAction(a);
    actions_.remove(actions_.key(a));
    a->deleteLater();
  }
  recent_actions_.clear();
  const auto& paths = view_->document().recent.paths();
  for (std::size_t i = 0; i < paths.size(); ++i) {
    const QString path = QString::fromStdString(paths[i]);
    auto* act = new QAction(QStringLiteral("&%1 %2").arg(i + 1).arg(path), this);
    act->setStatusTip(tr("打开 ") + path);
    file_menu_->insertAction(recent_separator_, act);
    actions_.insert(kCmdRecentFile1 + static_cast<int>(i), act);
    recent_actions_ << act;
    connect(act, &QAction::triggered, this, [this, i] {
      view_->document().OnOpenRecent(i);
      RefreshScreen();
    });
  }
  if (!recent_actions_.isEmpty()) {
    QAction* sep = new QAction(this);
    sep->setSeparator(true);
    file_menu_->insertAction(recent_actions_.first(), sep);
    recent_actions_.prepend(sep);
  }
}

void CMainFrame::UpdateEditState() {
  if (!view_) return;
  const bool modified = view_->IsModified();
  QString title = QString::fromUtf8(WindowCaption());
  // Before any file or change the caption stands alone.
  if (modified || !view_->document().current_file_name.empty())
    title = QString::fromStdString(view_->document().DocumentName()) + (modified ? QStringLiteral("*") : QString()) +
            QStringLiteral(" - ") + title;
  if (windowTitle() != title) setWindowTitle(title);
  action(kCmdUndo)->setEnabled(view_->CanUndo());
  action(kCmdRedo)->setEnabled(view_->CanRedo());
}

void CMainFrame::closeEvent(QCloseEvent* event) {
  if (screen_) screen_->grid()->CommitPending();
  if (!view_->document().ConfirmDiscardChanges()) {
    event->ignore();
    RefreshScreen();
    return;
  }
  event->accept();
}

void CMainFrame::Start() {
  view_->OnInitialUpdate(radio_.get());
  RefreshScreen();
}

void CMainFrame::ShowRejection(const QString& text) {
  ChannelGridWidget* grid = screen_ ? screen_->grid() : nullptr;
  if (!grid || !grid->isVisible()) return;  // the status bar and the tone have said it
  if (!balloon_) {
    balloon_ = new GridBalloon(grid);
    // Once the user moves on, the refusal no longer describes the state.
    connect(balloon_, &GridBalloon::dismissed, this, [this] {
      if (message_pane_->text() == StatusLine(balloon_->text()) || message_pane_->text().trimmed() == balloon_->text())
        SetStatusText(tr("就绪"));
    });
  }
  balloon_->ShowAt(view_->grid.row, view_->grid.col, text);
}

void CMainFrame::StepPage(int step) {
  QTabWidget* tabs = screen_ ? screen_->tabs() : nullptr;
  if (!tabs || tabs->count() == 0) return;
  tabs->setCurrentIndex((tabs->currentIndex() + step + tabs->count()) % tabs->count());
}

void CMainFrame::OnHelp() {
  // The English page stands beside the Chinese one; without it the Chinese one is shown.
  QString path = QString::fromStdString(view_->files().HelpFile());
  const QString english = QString::fromStdString(view_->files().InDir("Kavir_en.hlp"));
  if (lang::English() && QFileInfo::exists(english)) path = english;
  HelpViewer viewer(path, this);
  viewer.exec();
}

void CMainFrame::OnAbout() {
  AboutDialog about(this);
  about.exec();
}

}  // namespace kavir::app
