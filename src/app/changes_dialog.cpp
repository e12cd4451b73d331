#include "changes_dialog.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

#include "lang/language_core.h"
#include "link/radio_texts.h"

namespace kavir::app {

namespace {
QString Q(const std::string& s) { return QString::fromStdString(s); }
}  // namespace

ChangesDialog::ChangesDialog(const std::vector<SetupDifference>& differences, bool radio_known,
                             const std::vector<Finding>& warnings, QWidget* parent)
    : QDialog(parent) {
  setObjectName(QStringLiteral("ChangesDialog"));
  setWindowTitle(Q(LinkText(kPromptCaption)));
  auto* layout = new QVBoxLayout(this);
  QString lead;
  if (!radio_known)
    lead = tr("电台中没有可以显示的数据 (可能从未写过), 无法列出改动。要写入吗?");
  else if (differences.empty())
    lead = Q(ChangeCountText(0)) + QLatin1Char('\n') + tr("可以不写入。");
  else
    lead = tr("写入将改变电台中的以下设置 (电台 → 新): %1").arg(Q(ChangeCountText(differences.size())));
  auto* heading = new QLabel(lead, this);
  heading->setObjectName(QStringLiteral("ChangesLead"));
  heading->setWordWrap(true);
  layout->addWidget(heading);

  list_ = new QTreeWidget(this);
  list_->setHeaderHidden(true);
  list_->setRootIsDecorated(false);
  auto add_group = [this](const QString& title, const std::vector<std::string>& lines) {
    auto* group = new QTreeWidgetItem(list_, {title});
    QFont bold = group->font(0);
    bold.setBold(true);
    group->setFont(0, bold);
    group->setFlags(Qt::ItemIsEnabled);
    for (const std::string& line : lines) new QTreeWidgetItem(group, {Q(line)});
    group->setExpanded(true);
  };
  if (!warnings.empty()) {
    std::vector<std::string> lines;
    for (const Finding& f : warnings) lines.push_back(FindingLine(f, &lang::ShownOptions()));
    add_group(tr("检查发现的警告 (工具 → 检查)"), lines);
  }
  for (const ChangeGroup& group : GroupChanges(differences)) add_group(Q(group.page), group.lines);
  list_->setVisible(!differences.empty() || !warnings.empty());
  layout->addWidget(list_, 1);

  dont_show_ = new QCheckBox(tr("以后写入前不再列出 (工具 → 写入前列出改动)"), this);
  layout->addWidget(dont_show_);
  auto* buttons = new QHBoxLayout;
  buttons->addStretch();
  const bool same = radio_known && differences.empty();
  write_ = new QPushButton(same ? tr("仍然写入") : tr("写入"), this);
  write_->setObjectName(QStringLiteral("WriteButton"));
  auto* cancel = new QPushButton(same ? tr("不写入") : tr("取消"), this);
  cancel->setObjectName(QStringLiteral("CancelButton"));
  buttons->addWidget(write_);
  buttons->addWidget(cancel);
  layout->addLayout(buttons);
  connect(write_, &QPushButton::clicked, this, &QDialog::accept);
  connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
  // Enter writes only where there is something worth writing.
  (same ? cancel : write_)->setDefault(true);
  (same ? cancel : write_)->setFocus();
  resize(620, differences.empty() && warnings.empty() ? 180 : 420);
}

bool ChangesDialog::dont_show_again() const { return dont_show_->isChecked(); }

}  // namespace kavir::app
