#pragma once
// The programming screen: the tab control, the function page's group boxes,
// labels and drop-downs, and the channel page's grid with its two columns
// of boxes, all placed in dialog units on one scrolling form. Every widget
// shows a control of CKAVIRView and writes the user's actions into it.
#include <QScrollArea>
#include <QVector>

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QTabWidget;

namespace kavir {
class CKAVIRView;
}  // namespace kavir

namespace kavir::app {

class BoxColumn;
class ChannelGridWidget;

class ScreenWidget : public QScrollArea {
  Q_OBJECT

 public:
  ScreenWidget(CKAVIRView& view, QWidget* parent);

  // Shows the model's state: selections, texts, boxes, colours, page.
  void Refresh();
  // Shows every caption in the language now installed.
  void Retranslate();

  QTabWidget* tabs() const { return tabs_; }
  ChannelGridWidget* grid() const { return grid_; }
  QComboBox* combo(const QString& key) const;
  QCheckBox* ch_box(int n) const { return ch_boxes_[n - 1]; }
  QCheckBox* tx_box(int n) const { return tx_boxes_[n - 1]; }
  QCheckBox* battery_box() const { return battery_; }
  QWidget* form() const { return form_; }

 protected:
  void resizeEvent(QResizeEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void BuildFunctionPage();
  void BuildChannelPage();
  QLabel* AddLabel(const QString& text, QRect rect, Qt::Alignment align = Qt::AlignLeft);
  void AddCombo(const char* key, const char* label, int x, int y, int label_left);
  void LineUpBoxes();
  // The pages and the grid take the form's size; the rest keeps its place.
  void FitToForm();

  CKAVIRView& view_;
  QWidget* form_ = nullptr;
  QTabWidget* tabs_ = nullptr;
  ChannelGridWidget* grid_ = nullptr;
  QCheckBox* battery_ = nullptr;
  QLineEdit* band_lower_ = nullptr;
  QLineEdit* band_upper_ = nullptr;
  QVector<QWidget*> function_widgets_;
  QVector<QWidget*> channel_widgets_;
  QVector<QPair<QString, QComboBox*>> combos_;
  QCheckBox* ch_boxes_[16] = {};
  QCheckBox* tx_boxes_[16] = {};
  BoxColumn* ch_column_ = nullptr;
  BoxColumn* tx_column_ = nullptr;
  bool refreshing_ = false;
  struct Caption {
    QWidget* widget;
    const char* context;
    const char* source;
  };
  QVector<Caption> captions_;
};

}  // namespace kavir::app
