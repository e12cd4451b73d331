#include "about_dialog.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

#include "app_info.h"
#include "toolbar_icons.h"

namespace kavir::app {

AboutDialog::AboutDialog(QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("关于 KAVIR"));
  auto* icon = new QLabel(this);
  icon->setPixmap(DrawAppIcon().pixmap(48, 48));
  auto* name = new QLabel(tr("%1 %2 版").arg(QLatin1String(kProductName), QLatin1String(kVersion)), this);
  QFont bold = name->font();
  bold.setBold(true);
  name->setFont(bold);
  auto* what = new QLabel(tr("16 信道手持对讲机编程软件"), this);
  auto* maker = new QLabel(QLatin1String(kMakerDetails), this);
  auto* ok = new QPushButton(tr("确定"), this);
  ok->setDefault(true);
  connect(ok, &QPushButton::clicked, this, &QDialog::accept);

  auto* grid = new QGridLayout(this);
  grid->addWidget(icon, 0, 0, 3, 1, Qt::AlignTop);
  grid->addWidget(name, 0, 1);
  grid->addWidget(what, 1, 1);
  grid->addWidget(maker, 2, 1);
  grid->addWidget(ok, 0, 2, Qt::AlignTop);
  grid->setHorizontalSpacing(16);
  setFixedSize(sizeHint());
}

}  // namespace kavir::app
