#include "plan_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "lang/language_core.h"
#include "link/radio_texts.h"
#include "plan/licence_choice.h"
#include "setup/setup.h"

namespace kavir::app {

namespace {

QString Q(const std::string& s) { return QString::fromStdString(s); }

enum Column { kSeverity, kChannel, kField, kValue, kRule, kDetail, kColumns };

}  // namespace

PlanDialog::PlanDialog(Purpose purpose, Check check, const std::string& licence_path, QWidget* parent)
    : QDialog(parent), purpose_(purpose), check_(std::move(check)) {
  setObjectName(QStringLiteral("PlanDialog"));
  setWindowTitle(purpose == Purpose::Look ? tr("检查") : Q(LinkText(kPromptCaption)));
  auto* layout = new QVBoxLayout(this);
  lead_ = new QLabel(this);
  lead_->setObjectName(QStringLiteral("PlanLead"));
  lead_->setWordWrap(true);
  layout->addWidget(lead_);

  auto* licence_row = new QHBoxLayout;
  licence_label_ = new QLabel(this);
  licence_label_->setObjectName(QStringLiteral("LicenceLabel"));
  licence_label_->setWordWrap(true);
  licence_row->addWidget(licence_label_, 1);
  auto* choose = new QPushButton(tr("选择许可证..."), this);
  choose->setObjectName(QStringLiteral("ChooseLicence"));
  auto* none = new QPushButton(tr("不用许可证"), this);
  none->setObjectName(QStringLiteral("NoLicence"));
  licence_row->addWidget(choose);
  licence_row->addWidget(none);
  layout->addLayout(licence_row);
  connect(choose, &QPushButton::clicked, this, [this] {
    const QString start = licence_path_.empty() ? QString() : QFileInfo(Q(licence_path_)).absolutePath();
    const QString path =
        QFileDialog::getOpenFileName(this, tr("选择许可证文件"), start, tr("许可证文件 (*.csv);;所有文件 (*)"));
    if (!path.isEmpty()) UseLicence(path.toStdString());
  });
  connect(none, &QPushButton::clicked, this, [this] { UseLicence(""); });

  list_ = new QTreeWidget(this);
  list_->setObjectName(QStringLiteral("Findings"));
  list_->setRootIsDecorated(false);
  list_->setColumnCount(kColumns);
  list_->setHeaderLabels({tr("级别"), tr("信道"), tr("项目"), tr("值"), tr("规则"), tr("说明")});
  list_->setWordWrap(true);
  list_->header()->setStretchLastSection(true);
  layout->addWidget(list_, 1);

  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  if (purpose == Purpose::BeforeWrite) {
    write_ = new QPushButton(this);
    write_->setObjectName(QStringLiteral("WriteButton"));
    buttons->addWidget(write_);
    connect(write_, &QPushButton::clicked, this, &QDialog::accept);
  }
  cancel_ = new QPushButton(purpose == Purpose::Look ? tr("关闭") : tr("取消"), this);
  cancel_->setObjectName(QStringLiteral("CancelButton"));
  buttons->addWidget(cancel_);
  connect(cancel_, &QPushButton::clicked, this, &QDialog::reject);
  layout->addLayout(buttons);

  // A licence chosen earlier that is gone or broken is said, not silently dropped.
  if (licence_path.empty() || !UseLicence(licence_path)) Fill();
  licence_changed_ = false;
  resize(820, 440);
}

bool PlanDialog::UseLicence(const std::string& path) {
  std::optional<Licence> licence;
  if (!path.empty()) {
    std::string error;
    licence = LoadLicenceFile(path, &error);
    if (!licence) {
      QMessageBox::warning(this, windowTitle(), tr("许可证文件不能使用:\n%1").arg(Q(error)));
      return false;
    }
  }
  licence_changed_ = licence_changed_ || path != licence_path_;
  licence_path_ = path;
  licence_ = std::move(licence);
  Fill();
  return true;
}

void PlanDialog::Fill() {
  const std::vector<Finding> findings = check_(licence_ ? &*licence_ : nullptr);
  const FindingCount count = CountFindings(findings);
  licence_label_->setText(licence_ ? tr("许可证: %1").arg(QDir::toNativeSeparators(Q(licence_path_)))
                                   : tr("许可证: 无 (只按内置规则检查)"));
  QString lead = Q(SummaryLine(count));
  if (purpose_ == Purpose::BeforeWrite) {
    if (count.errors)
      lead += QLatin1Char('\n') + tr("这些设置不应发射。要改正请取消; 确有许可才选 \"仍然写入\"。");
    else if (count.warnings)
      lead += QLatin1Char('\n') + tr("这些设置可能有误, 仍可写入。");
  }
  lead_->setText(lead);

  list_->clear();
  for (const Finding& f : findings) {
    const QStringList cells = {Q(SeverityName(f.severity)),
                               f.channel ? Q(ChannelLabel(f.channel)) : QString(),
                               Q(f.field),
                               f.value ? Q(lang::ShownOptionText(*f.value)) : QString(),
                               Q(RuleName(f.rule)),
                               Q(f.detail)};
    auto* row = new QTreeWidgetItem(list_, cells);
    row->setToolTip(kDetail, Q(f.detail));
    if (f.severity == Severity::Error) row->setForeground(kSeverity, QColor(Qt::red));
  }
  // A little air between the columns, which their contents alone would not leave.
  for (int c = 0; c < kDetail; ++c) {
    list_->resizeColumnToContents(c);
    list_->setColumnWidth(c, list_->columnWidth(c) + list_->fontMetrics().horizontalAdvance(QLatin1Char(' ')) * 2);
  }
  list_->setVisible(!findings.empty());

  if (write_) {
    write_->setText(count.errors ? tr("仍然写入") : tr("写入"));
    // Enter must not override an error.
    QPushButton* by_default = count.errors ? cancel_ : write_;
    write_->setDefault(by_default == write_);
    cancel_->setDefault(by_default == cancel_);
    by_default->setFocus();
  }
}

}  // namespace kavir::app
