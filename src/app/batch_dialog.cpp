#include "batch_dialog.h"

#include <ctime>

#include <QCheckBox>
#include <QCoreApplication>
#include <QFileDialog>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>

#include "link/link_settings.h"
#include "screen/kavir_view.h"
#include "screen/radio_transfer.h"

namespace kavir::app {

QString ResultCaption(RadioOutcome outcome, const std::string& reason) {
  const QString why = QString::fromStdString(reason);
  switch (outcome) {
    case RadioOutcome::Verified:
      return QCoreApplication::translate("BatchDialog", "写入并校验成功");
    case RadioOutcome::Written:
      return QCoreApplication::translate("BatchDialog", "已写入 (未校验)");
    case RadioOutcome::VerifyFailed:
      return why.isEmpty() ? QCoreApplication::translate("BatchDialog", "校验失败")
                           : QCoreApplication::translate("BatchDialog", "校验失败: ") + why;
    case RadioOutcome::OtherModel:
      return QCoreApplication::translate("BatchDialog", "跳过: 机型不同");
    case RadioOutcome::Failed:
      return QCoreApplication::translate("BatchDialog", "失败: ") + why;
  }
  return QCoreApplication::translate("BatchDialog", "失败");
}

// From the port threads to the dialog's thread.
class BatchDialog::Events : public BatchEvents {
 public:
  explicit Events(BatchDialog* dialog) : dialog_(dialog) {}
  void OnWaiting(const std::string& port) override {
    Post([d = dialog_, p = Q(port)] { d->ShowState(p, QString::fromUtf8(kConnectNextRadio)); });
  }
  void OnRadioFound(const std::string& port, const std::string& model) override {
    Post([d = dialog_, p = Q(port), m = Q(model)] {
      d->ShowState(p, m + QCoreApplication::translate("BatchDialog", " 写入中..."));
    });
  }
  void OnRadioDone(const RadioRecord& record) override {
    Post([d = dialog_, record] { d->AddRow(record); });
  }
  void OnPortError(const std::string& port, const std::string& message) override {
    Post([d = dialog_, p = Q(port), m = Q(message)] {
      d->ShowState(p, QCoreApplication::translate("BatchDialog", "错误: ") + m);
    });
  }

 private:
  static QString Q(const std::string& s) { return QString::fromStdString(s); }
  template <typename F>
  void Post(F f) {
    QMetaObject::invokeMethod(dialog_, std::move(f), Qt::QueuedConnection);
  }
  BatchDialog* dialog_;
};

BatchDialog::BatchDialog(CKAVIRView& view, PortOpener opener, const QString& ports, QWidget* parent)
    : QDialog(parent), view_(view), opener_(std::move(opener)) {
  setWindowTitle(tr("批量写入"));
  auto* layout = new QVBoxLayout(this);

  auto* setup = new QGroupBox(tr("写入的数据"), this);
  auto* setup_layout = new QGridLayout(setup);
  screen_choice_ = new QRadioButton(tr("当前屏幕数据"), setup);
  screen_choice_->setChecked(true);
  file_choice_ = new QRadioButton(tr("文件:"), setup);
  file_field_ = new QLineEdit(setup);
  file_field_->setPlaceholderText(tr("*.dat 数据文件或 768 字节的镜像"));
  auto* browse = new QPushButton(tr("浏览..."), setup);
  setup_layout->addWidget(screen_choice_, 0, 0, 1, 3);
  setup_layout->addWidget(file_choice_, 1, 0);
  setup_layout->addWidget(file_field_, 1, 1);
  setup_layout->addWidget(browse, 1, 2);
  layout->addWidget(setup);
  connect(browse, &QPushButton::clicked, this, [this] {
    const QString path =
        QFileDialog::getOpenFileName(this, tr("选择数据文件"), QString::fromStdString(view_.files().program_dir),
                                     tr("数据文件 (*.dat *.ini *.bin);;所有文件 (*)"));
    if (!path.isEmpty()) file_field_->setText(path);
  });
  connect(file_field_, &QLineEdit::textEdited, this, [this] { file_choice_->setChecked(true); });

  auto* form = new QFormLayout;
  ports_field_ = new QLineEdit(ports, this);
  ports_field_->setToolTip(tr("一个或多个串口，用逗号分开: 1,2 或 /dev/ttyUSB0,/dev/ttyUSB1"));
  form->addRow(tr("串口:"), ports_field_);
  count_field_ = new QSpinBox(this);
  count_field_->setRange(0, 9999);
  count_field_->setSpecialValueText(tr("不限 (直到停止)"));
  count_field_->setSuffix(tr(" 台"));
  form->addRow(tr("每个串口台数:"), count_field_);
  verify_box_ = new QCheckBox(tr("写入后校验"), this);
  // Starts as the 工具 menu's setting: a technician who turned it off there expects it off here too.
  verify_box_->setChecked(ReadVerifyAfterWrite(view.config().ini()));
  form->addRow(QString(), verify_box_);
  keep_box_ = new QCheckBox(tr("写入前备份电台数据 (并记录改动的项数)"), this);
  keep_box_->setObjectName(QStringLiteral("KeepRadioBox"));
  keep_box_->setChecked(ReadKeepRadioBeforeWrite(view.config().ini()));
  form->addRow(QString(), keep_box_);
  log_field_ = new QLineEdit(
      QString::fromStdString(JoinPath(view_.files().program_dir, DefaultLogName(std::time(nullptr)))), this);
  form->addRow(tr("记录文件:"), log_field_);
  layout->addLayout(form);

  table_ = new QTableWidget(0, 6, this);
  table_->setHorizontalHeaderLabels({tr("时间"), tr("串口"), tr("机型"), tr("结果"), tr("用时"), tr("改动")});
  table_->horizontalHeader()->setSectionResizeMode(3, QHeaderView::Stretch);
  table_->verticalHeader()->setVisible(false);
  table_->verticalHeader()->setDefaultSectionSize(fontMetrics().height() + 8);
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionBehavior(QAbstractItemView::SelectRows);
  layout->addWidget(table_, 1);

  state_label_ = new QLabel(this);
  state_label_->setWordWrap(true);
  layout->addWidget(state_label_);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  start_ = new QPushButton(tr("开始"), this);
  stop_ = new QPushButton(tr("停止"), this);
  close_ = new QPushButton(tr("关闭"), this);
  stop_->setEnabled(false);
  start_->setDefault(true);
  buttons->addWidget(start_);
  buttons->addWidget(stop_);
  buttons->addWidget(close_);
  layout->addLayout(buttons);
  connect(start_, &QPushButton::clicked, this, &BatchDialog::Start);
  connect(stop_, &QPushButton::clicked, this, &BatchDialog::Stop);
  connect(close_, &QPushButton::clicked, this, &BatchDialog::reject);
  resize(640, 480);
}

BatchDialog::~BatchDialog() {
  if (job_) job_->Stop();
  if (runner_.joinable()) runner_.join();
}

void BatchDialog::SetEditable(bool editable) {
  for (QWidget* w : std::initializer_list<QWidget*>{screen_choice_, file_choice_, file_field_, ports_field_,
                                                    count_field_, verify_box_, keep_box_, log_field_, start_})
    w->setEnabled(editable);
  stop_->setEnabled(!editable);
}

void BatchDialog::Start() {
  if (running()) return;
  auto fail = [this](const QString& text) { QMessageBox::warning(this, tr("批量写入"), text); };
  std::vector<BatchPort> ports;
  for (QString item : ports_field_->text().split(QLatin1Char(','), Qt::SkipEmptyParts)) {
    item = item.trimmed();
    if (item.isEmpty()) continue;
    bool number = false;
    const int n = item.toInt(&number);
    if (number && n < 1) return fail(tr("串口号从 1 开始: ") + item);
    ports.push_back({item.toStdString(), number ? n : 1, number ? std::string() : item.toStdString()});
  }
  if (ports.empty()) return fail(tr("请填写至少一个串口。"));

  std::string error;
  std::optional<BatchSetup> setup;
  if (screen_choice_->isChecked()) {
    setup = BatchSetupOf(view_.setup(), ScreenData(view_), &error);
  } else {
    // A file is opened as a started program opens it: the user's screen stays as it is.
    setup = SetupFromFile(file_field_->text().trimmed().toStdString(), ProgramData::Load(view_.files(), view_.config()),
                          &error);
  }
  if (!setup) return fail(tr("没有写入任何电台:\n") + QString::fromStdString(error));
  if (check_plan) {
    const std::string profile =
        screen_choice_->isChecked() ? view_.document().current_file_name : file_field_->text().trimmed().toStdString();
    if (const std::optional<Setup> planned = setup->Planned(); planned && !check_plan(*planned, profile)) return;
  }

  log_ = std::make_unique<BatchLog>();
  if (!log_->Open(log_field_->text().trimmed().toStdString(), &error))
    return fail(tr("记录文件无法打开: ") + QString::fromStdString(error));

  BatchOptions options;
  options.count = count_field_->value();
  options.verify = verify_box_->isChecked();
  options.keep_radio_image = keep_box_->isChecked();
  events_ = std::make_unique<Events>(this);
  job_ = std::make_unique<BatchJob>(*setup, ports, options, opener_);
  job_->log = log_.get();
  job_->events = events_.get();
  port_states_.clear();
  SetEditable(false);
  BatchJob* job = job_.get();
  runner_ = std::thread([this, job] {
    const BatchSummary summary = job->Run();
    QMetaObject::invokeMethod(
        this, [this, summary] { Finish(summary); }, Qt::QueuedConnection);
  });
}

void BatchDialog::Stop() {
  if (!job_ || !running()) return;
  job_->Stop();
  stop_->setEnabled(false);
  state_label_->setText(tr("正在停止: 正在写入的电台写完后结束。"));
}

void BatchDialog::reject() {
  if (running()) {
    // The radio in progress is finished first; the dialog closes after it.
    close_when_done_ = true;
    Stop();
    return;
  }
  QDialog::reject();
}

void BatchDialog::ShowState(const QString& port, const QString& text) {
  if (!running()) return;
  port_states_[port] = text;
  QStringList lines;
  for (auto it = port_states_.cbegin(); it != port_states_.cend(); ++it)
    lines << it.key() + QStringLiteral(": ") + it.value();
  state_label_->setText(lines.join(QLatin1Char('\n')));
}

void BatchDialog::AddRow(const RadioRecord& r) {
  const int row = table_->rowCount();
  table_->insertRow(row);
  const QStringList cells = {QString::fromStdString(r.time).section(QLatin1Char(' '), 1),
                             QString::fromStdString(r.port),
                             QString::fromStdString(r.model),
                             ResultCaption(r.outcome, r.reason),
                             QString::number(r.duration_ms / 1000.0, 'f', 1) + tr(" 秒"),
                             r.changed ? QString::number(*r.changed) : QString()};
  for (int c = 0; c < cells.size(); ++c) {
    auto* item = new QTableWidgetItem(cells[c]);
    if (r.outcome != RadioOutcome::Verified && r.outcome != RadioOutcome::Written)
      item->setForeground(QColor(0xC0, 0x00, 0x00));
    table_->setItem(row, c, item);
  }
  table_->scrollToBottom();
}

void BatchDialog::Finish(const BatchSummary& s) {
  if (runner_.joinable()) runner_.join();
  SetEditable(true);
  QString text =
      tr("共 %n 台: %1 台写入并校验成功, %2 台未校验, %3 台校验失败, %4 台跳过, %5 台失败%6。", nullptr, s.Radios())
          .arg(s.verified)
          .arg(s.written)
          .arg(s.verify_failed)
          .arg(s.skipped)
          .arg(s.failed)
          .arg(s.stopped ? tr(" (已停止)") : QString());
  for (const std::string& e : s.errors) text += QStringLiteral("\n") + QString::fromStdString(e);
  text += tr("\n记录: ") + QString::fromStdString(log_ ? log_->path() : std::string());
  state_label_->setText(text);
  job_.reset();
  log_.reset();
  emit finished_job();
  if (close_when_done_) QDialog::reject();
}

}  // namespace kavir::app
