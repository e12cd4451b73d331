#include "import_preview_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTableWidget>
#include <QVBoxLayout>

#include "lang/language.h"

namespace kavir::app {

namespace {

QString Text(const std::string& s) { return QString::fromUtf8(s); }
// Option texts as the grid will show them once imported.
QString Shown(const std::string& stored) { return lang::ShownOption(stored); }

}  // namespace

ImportPreviewDialog::ImportPreviewDialog(std::string csv_bytes, ImportLimits limits, const QString& file_name,
                                         QWidget* parent)
    : QDialog(parent), csv_(std::move(csv_bytes)), limits_(std::move(limits)) {
  setWindowTitle(tr("导入CSV"));
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(new QLabel(tr("文件: ") + file_name, this));
  by_location_ = new QCheckBox(tr("按 Location 放入信道 (Location n → 信道 n)"), this);
  layout->addWidget(by_location_);
  table_ = new QTableWidget(this);
  table_->setColumnCount(10);
  table_->setHorizontalHeaderLabels({tr("行"), QStringLiteral("Location"), tr("信道"), tr("接收频率"), tr("接收信令"),
                                     tr("发射频率"), tr("发射信令"), tr("功率"), tr("带宽"), tr("说明")});
  table_->verticalHeader()->hide();
  table_->setEditTriggers(QAbstractItemView::NoEditTriggers);
  table_->setSelectionMode(QAbstractItemView::NoSelection);
  table_->horizontalHeader()->setStretchLastSection(true);
  layout->addWidget(table_, 1);
  summary_ = new QLabel(this);
  layout->addWidget(summary_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch(1);
  import_ = new QPushButton(tr("导入"), this);
  auto* cancel = new QPushButton(tr("取消"), this);
  buttons->addWidget(import_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(import_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  connect(by_location_, &QCheckBox::toggled, this, [this] { Replan(); });
  resize(900, 420);
  Replan();
}

void ImportPreviewDialog::Replan() {
  plan_ = PlanCsvImport(csv_, limits_, by_location_->isChecked());
  table_->setRowCount(static_cast<int>(plan_.rows.size()));
  int r = 0;
  for (const ImportRow& row : plan_.rows) {
    const bool in = row.channel.has_value();
    const ChannelEntry& e = row.entry;
    const QStringList cells = {
        QString::number(row.line),
        Text(row.location),
        in ? Text(ChannelLabel(*row.channel)) : QStringLiteral("—"),
        in ? Text(GridFrequencyText(e.rx_hz)) : QString(),
        in ? Shown(e.decode) : QString(),
        in ? (e.tx_enabled ? Text(GridFrequencyText(e.tx_hz)) : tr("禁止发射")) : QString(),
        in ? Shown(e.coding) : QString(),
        in && e.high_power ? Shown(*e.high_power ? "高" : "低") : QString(),
        in && e.wide ? Shown(*e.wide ? "宽" : "窄") : QString(),
        in ? QString() : tr("拒绝: ") + Text(row.refusal),
    };
    for (int c = 0; c < cells.size(); ++c) {
      auto* item = new QTableWidgetItem(cells[c]);
      if (!in) item->setBackground(QColor(0xFF, 0xE0, 0xE0));
      table_->setItem(r, c, item);
    }
    ++r;
  }
  table_->resizeColumnsToContents();
  if (!plan_.error.empty())
    summary_->setText(tr("不是信道表 CSV 文件: ") + Text(plan_.error));
  else
    summary_->setText(tr("导入 %n 行", nullptr, plan_.imported()) + tr("，拒绝 %n 行。", nullptr, plan_.refused()) +
                      tr("没有导入的信道保持不变。"));
  import_->setEnabled(plan_.error.empty() && plan_.imported() > 0);
}

}  // namespace kavir::app
