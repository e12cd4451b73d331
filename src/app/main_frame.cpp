#include "main_frame.h"

#include <QApplication>
#include <QDateTime>
#include <QLabel>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStatusBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolBar>

#include "about_dialog.h"
#include "app_info.h"
#include "command_ids.h"
#include "frame_geometry.h"
#include "channel_grid_widget.h"
#include "grid_balloon.h"
#include "help_viewer.h"
#include "radio_commands.h"
#include "report_commands.h"
#include "screen_widget.h"
#include "toolbar_icons.h"

namespace kavir::app {

CMainFrame::CMainFrame(WorkingFiles files, Transport* transport, Clock* clock)
    : ui_(*this) {
  setWindowTitle(QString::fromUtf8(WindowCaption()));
  setWindowIcon(DrawAppIcon());
  view_ = std::make_unique<CKAVIRView>(std::move(files), ui_);
  radio_ = std::make_unique<RadioCommands>(*this, transport, clock);
  CreateMenus();
  CreateToolbar();
  CreateStatusBar();
  screen_ = new CScreenWidget(*view_, this);
  setCentralWidget(screen_);
}

CMainFrame::~CMainFrame() = default;

QString CMainFrame::program_directory() const {
  return QString::fromStdString(view_->files().program_dir);
}

QAction* CMainFrame::AddCommand(QMenu* menu, int id, const QString& text, const QString& prompt,
                                const QString& tooltip) {
  auto* act = new QAction(text, this);
  act->setStatusTip(prompt);
  if (!tooltip.isEmpty()) act->setToolTip(tooltip);
  if (menu) menu->addAction(act);
  actions_.insert(id, act);
  return act;
}

void CMainFrame::CreateMenus() {
  QMenu* file = menuBar()->addMenu(QStringLiteral("文件(&F)"));
  QAction* open = AddCommand(file, kCmdOpen, QStringLiteral("打开(&O)..."),
                             QStringLiteral("打开已有文档！"), QStringLiteral("打开"));
  open->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_O));
  AddCommand(file, kCmdSaveAs, QStringLiteral("另存为(&A)..."), QStringLiteral("数据另存为"),
             QStringLiteral("另存为"));
  file->addSeparator();
  QAction* print = AddCommand(file, kCmdPrint, QStringLiteral("打印(&P)..."),
                              QStringLiteral("打印活动文档"), QStringLiteral("打印"));
  print->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_P));
  AddCommand(file, kCmdPrintPreview, QStringLiteral("打印预览(&V)"), QStringLiteral("显示整页"),
             QStringLiteral("打印预览"));
  AddCommand(file, kCmdPageSetup, QStringLiteral("打印设置(&R)..."),
             QStringLiteral("改变打印机及打印选项"), QStringLiteral("打印设置"));
  AddCommand(file, kCmdExportPdf, QStringLiteral("导出PDF..."),
             QStringLiteral("把编程报告保存为 PDF 文件"));
  file->addSeparator();
  QAction* exit = AddCommand(file, kCmdExit, QStringLiteral("退出(&X)"),
                             QStringLiteral("退出应用程序；提示保存文档"), QStringLiteral("退出"));
  connect(exit, &QAction::triggered, this, &QWidget::close);

  QMenu* tools = menuBar()->addMenu(QStringLiteral("工具(&T)"));
  AddCommand(tools, kCmdRead, QStringLiteral("读出(&R)"), QStringLiteral("读取数据"),
             QStringLiteral("读出 (Ctrl+R)"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
  AddCommand(tools, kCmdWrite, QStringLiteral("写入(&W)"), QStringLiteral("写入数据"),
             QStringLiteral("写入 (Ctrl+W)"))
      ->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_W));
  QAction* verify = AddCommand(tools, kCmdVerifyAfterWrite, QStringLiteral("写入后校验"),
                               QStringLiteral("写入后把电台读回来, 逐字节核对"));
  verify->setCheckable(true);
  verify->setChecked(true);
  AddCommand(tools, kCmdKeySettings, QStringLiteral("键盘设置(&B)"),
             QStringLiteral("设置 PF1、PF2、PF3 键的功能"));
  tools->addSeparator();
  AddCommand(tools, kCmdPort, QStringLiteral("串口(&K)"), QStringLiteral("通讯口设置"));

  // Close/open all channels live on the toolbar only.
  AddCommand(nullptr, kCmdCloseAll, QStringLiteral("关闭所有通道"),
             QStringLiteral("关闭所有通道！"), QStringLiteral("关闭所有通道"));
  AddCommand(nullptr, kCmdOpenAll, QStringLiteral("打开所有通道"),
             QStringLiteral("打开所有通道！"), QStringLiteral("打开所有通道"));

  QMenu* view_menu = menuBar()->addMenu(QStringLiteral("查看(&V)"));
  toolbar_ = new QToolBar(QStringLiteral("工具栏"), this);
  QAction* show_toolbar = toolbar_->toggleViewAction();
  show_toolbar->setText(QStringLiteral("工具栏(&T)"));
  show_toolbar->setStatusTip(QStringLiteral("显示或隐藏工具栏"));
  view_menu->addAction(show_toolbar);
  actions_.insert(kCmdViewToolbar, show_toolbar);
  QAction* show_status = AddCommand(view_menu, kCmdViewStatusBar, QStringLiteral("状态栏(&S)"),
                                    QStringLiteral("显示或隐藏状态栏"));
  show_status->setCheckable(true);
  show_status->setChecked(true);
  connect(show_status, &QAction::toggled, this, [this](bool on) { statusBar()->setVisible(on); });
  view_menu->addSeparator();
  // Page switching from anywhere in the window, as in a tabbed dialog.
  QAction* next_page = AddCommand(view_menu, kCmdNextPage, QStringLiteral("下一页(&N)"),
                                  QStringLiteral("切换到另一页"));
  next_page->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_PageDown), QKeySequence(Qt::CTRL | Qt::Key_Tab)});
  QAction* previous_page = AddCommand(view_menu, kCmdPreviousPage, QStringLiteral("上一页(&P)"),
                                      QStringLiteral("切换到另一页"));
  previous_page->setShortcuts({QKeySequence(Qt::CTRL | Qt::Key_PageUp),
                               QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Backtab)});
  for (QAction* a : {next_page, previous_page}) a->setShortcutContext(Qt::WindowShortcut);
  connect(next_page, &QAction::triggered, this, [this] { StepPage(1); });
  connect(previous_page, &QAction::triggered, this, [this] { StepPage(-1); });

  QMenu* help = menuBar()->addMenu(QStringLiteral("帮助(&H)"));
  QAction* help_topics = AddCommand(help, kCmdHelp, QStringLiteral("帮助主题(&H)"),
                                    QStringLiteral("显示使用说明"));
  help_topics->setShortcut(QKeySequence(Qt::Key_F1));
  connect(help_topics, &QAction::triggered, this, &CMainFrame::OnHelp);
  connect(AddCommand(help, kCmdAbout, QStringLiteral("关于 KAVIR(&A)..."),
                     QStringLiteral("显示程序信息，版本号和版权"), QStringLiteral("关于")),
          &QAction::triggered, this, &CMainFrame::OnAbout);

  // The screen's own commands.
  connect(action(kCmdOpen), &QAction::triggered, this, [this] { view_->OnFileOpenDat(); RefreshScreen(); });
  connect(action(kCmdSaveAs), &QAction::triggered, this, [this] { view_->OnFileSaveAsDat(); RefreshScreen(); });
  connect(action(kCmdCloseAll), &QAction::triggered, this, [this] { view_->OnCloseAllChannels(); RefreshScreen(); });
  connect(action(kCmdOpenAll), &QAction::triggered, this, [this] { view_->OnOpenAllChannels(); RefreshScreen(); });
  connect(action(kCmdKeySettings), &QAction::triggered, this, [this] { view_->OnKeySettings(); RefreshScreen(); });
  radio_->Connect();
  ConnectReportCommands(*this);
}

void CMainFrame::CreateToolbar() {
  toolbar_->setObjectName(QStringLiteral("MainToolbar"));
  toolbar_->setIconSize(QSize(55, 23));
  toolbar_->setMovable(true);
  toolbar_->setFloatable(true);
  toolbar_->setAllowedAreas(Qt::AllToolBarAreas);
  struct Button { int id; ToolIcon icon; };
  static constexpr Button kButtons[] = {
      {kCmdOpen, ToolIcon::Open},         {kCmdSaveAs, ToolIcon::SaveAs},
      {kCmdRead, ToolIcon::Read},         {kCmdWrite, ToolIcon::Write},
      {kCmdCloseAll, ToolIcon::CloseAll}, {kCmdOpenAll, ToolIcon::OpenAll},
      {kCmdPrint, ToolIcon::Print},       {kCmdAbout, ToolIcon::About},
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
  message_pane_ = new QLabel(QStringLiteral("就绪"), bar);
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
  make_pane(QStringLiteral("大写"));
  clock_pane_ = make_pane(QStringLiteral("00:00:00"));
  clock_pane_->setObjectName(QStringLiteral("ClockPane"));
  make_pane(QStringLiteral("数字"));
  make_pane(QStringLiteral("滚动"));
  clock_timer_ = new QTimer(this);
  clock_timer_->setInterval(200);
  connect(clock_timer_, &QTimer::timeout, this, &CMainFrame::TickClock);
  clock_timer_->start();
  TickClock();
}

void CMainFrame::TickClock() {
  const QString text = ClockText(QDateTime::currentDateTimeUtc());
  if (clock_pane_->text() != text) clock_pane_->setText(text);
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
      if (message_pane_->text() == StatusLine(balloon_->text()) ||
          message_pane_->text().trimmed() == balloon_->text())
        SetStatusText(QStringLiteral("就绪"));
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
  HelpViewer viewer(QString::fromStdString(view_->files().HelpFile()), this);
  viewer.exec();
}

void CMainFrame::OnAbout() {
  AboutDialog about(this);
  about.exec();
}

}  // namespace kavir::app
