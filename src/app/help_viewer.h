#pragma once
// The help file shown inside the program: Kavir.hlp of the program
// directory holds HTML. No external viewer is started.
#include <QDialog>

class QTextBrowser;

namespace kavir::app {

class HelpViewer : public QDialog {
  Q_OBJECT

 public:
  HelpViewer(const QString& path, QWidget* parent);
  QTextBrowser* browser() const { return browser_; }

 private:
  QTextBrowser* browser_;
};

}  // namespace kavir::app
