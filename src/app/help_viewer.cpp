#include "help_viewer.h"

#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QStringDecoder>
#include <QTextBrowser>
#include <QVBoxLayout>

namespace kavir::app {
namespace {

// The data files are GBK unless they carry a UTF-8 byte-order mark.
QString DecodeHelp(const QByteArray& bytes) {
  if (bytes.startsWith("\xEF\xBB\xBF")) return QString::fromUtf8(bytes.mid(3));
  QStringDecoder gbk("GBK");
  if (gbk.isValid()) {
    QString text = gbk.decode(bytes);
    if (!gbk.hasError()) return text;
  }
  return QString::fromUtf8(bytes);
}

}  // namespace

HelpViewer::HelpViewer(const QString& path, QWidget* parent) : QDialog(parent) {
  setWindowTitle(tr("KAVIR 帮助"));
  browser_ = new QTextBrowser(this);
  browser_->setOpenLinks(true);
  browser_->setOpenExternalLinks(false);
  QFile file(path);
  if (file.open(QIODevice::ReadOnly)) {
    browser_->setHtml(DecodeHelp(file.readAll()));
  } else {
    browser_->setPlainText(tr("无法打开帮助文件 %1: %2").arg(QDir::toNativeSeparators(path), file.errorString()));
  }
  auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
  buttons->button(QDialogButtonBox::Close)->setText(tr("关闭"));
  connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
  auto* layout = new QVBoxLayout(this);
  layout->addWidget(browser_);
  layout->addWidget(buttons);
  resize(720, 560);
}

}  // namespace kavir::app
