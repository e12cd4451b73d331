// Touches each module the desktop program uses, so that linking proves them.
#include <QApplication>
#include <QLabel>
#include <QPainter>
#include <QPrinter>

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(QStringLiteral("qt_check.pdf"));
  QPainter painter(&printer);
  painter.drawText(100, 100, QStringLiteral("KAVIR 对讲机"));
  painter.end();
  QLabel label(QStringLiteral("KAVIR"));
  return label.text().isEmpty() ? 1 : 0;
}
