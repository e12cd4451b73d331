#include "screen_widget.h"

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QEvent>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalBlocker>
#include <QTabWidget>

#include "box_column.h"
#include "channel_grid_widget.h"
#include "current_cell_delegate.h"
#include "dialog_units.h"
#include "lang/language.h"
#include "screen/kavir_view.h"
#include "setup/setting_catalogue.h"

namespace kavir::app {
namespace {

struct ComboPlace {
  const char* key;
  const char* label;
  int x, y;
  int label_left;  // the group box's inner left edge
};

// The function page's drop-downs in the order they are shown, with the left
// edge of the group each label starts in.
constexpr ComboPlace kFunctionCombos[] = {
    {"TimerOut", QT_TRANSLATE_NOOP("Setup", "发射定时限制"), 140, 84, 22},
    {"Prealet", QT_TRANSLATE_NOOP("Setup", "发射定时预警时间"), 140, 101, 22},
    {"ChannelMonitor", QT_TRANSLATE_NOOP("Setup", "监听功能"), 139, 135, 22},
    {"SquelchLevel", QT_TRANSLATE_NOOP("Setup", "静态电平等级"), 139, 153, 22},
    {"Beep", QT_TRANSLATE_NOOP("Setup", "BEEP音开关"), 139, 171, 22},
    {"Voice", QT_TRANSLATE_NOOP("Setup", "语音报告功能"), 139, 203, 22},
    {"Alarm", QT_TRANSLATE_NOOP("Setup", "报警模式选择"), 139, 221, 22},
    {"RunControl", QT_TRANSLATE_NOOP("Setup", "整机正常运行控制"), 139, 239, 22},
    {"CloneEnable", QT_TRANSLATE_NOOP("Setup", "数据复制使能"), 139, 257, 22},
    {"TuningMode", QT_TRANSLATE_NOOP("Setup", "工厂自调测模式使能"), 138, 275, 22},
    {"ScanOperation", QT_TRANSLATE_NOOP("Setup", "频道扫描控制"), 369, 84, 272},
    {"ChanMode", QT_TRANSLATE_NOOP("Setup", "优先频道选择方式"), 369, 98, 272},
    {"ChanSet", QT_TRANSLATE_NOOP("Setup", "优先频道设置"), 369, 112, 272},
    {"LookA", QT_TRANSLATE_NOOP("Setup", "回扫周期"), 369, 126, 272},
    {"RxStay", QT_TRANSLATE_NOOP("Setup", "接收停留时间"), 369, 140, 272},
    {"RxRestart", QT_TRANSLATE_NOOP("Setup", "收信停止(跌落)延时"), 369, 154, 272},
    {"TxRestart", QT_TRANSLATE_NOOP("Setup", "发信停止(跌落)延时"), 369, 168, 272},
    {"RxCH", QT_TRANSLATE_NOOP("Setup", "接收回复信道选择"), 369, 182, 272},
    {"TxChanSel", QT_TRANSLATE_NOOP("Setup", "发射信道选择"), 369, 196, 272},
    {"AssignCHSet", QT_TRANSLATE_NOOP("Setup", "指配信道设置"), 369, 210, 272},
    {"ScanDirection", QT_TRANSLATE_NOOP("Setup", "信道扫描方向"), 369, 224, 272},
    {"ScanSpeed", QT_TRANSLATE_NOOP("Setup", "信道扫描速度"), 369, 238, 272},
    {"ScanAlert", QT_TRANSLATE_NOOP("Setup", "扫描声音使能"), 369, 252, 272},
    {"ScanDelAdd", QT_TRANSLATE_NOOP("Setup", "删除/追加使能"), 369, 266, 272},
    {"TempDel", QT_TRANSLATE_NOOP("Setup", "暂时删除使能"), 369, 280, 272},
};

constexpr int kComboWidth = 78;

}  // namespace

ScreenWidget::ScreenWidget(CKAVIRView& view, QWidget* parent) : QScrollArea(parent), view_(view) {
  setFrameShape(QFrame::NoFrame);
  form_ = new QWidget;
  form_->setObjectName(QStringLiteral("ProgrammingForm"));
  const DialogUnits du(form_->font());
  // The form's own size is the least it takes; a larger window gives the
  // grid the room.
  form_->setMinimumSize(du.X(514), du.Y(318));

  tabs_ = new QTabWidget(form_);
  tabs_->setGeometry(du.Rect(1, 3, 509, 310));
  tabs_->addTab(new QWidget, QString());
  tabs_->addTab(new QWidget, QString());
  connect(tabs_, &QTabWidget::currentChanged, this, [this](int index) {
    if (refreshing_) return;
    view_.current_tab = index;
    view_.OnTabChanged(index);
    Refresh();
  });

  BuildFunctionPage();
  BuildChannelPage();
  setWidget(form_);
  setWidgetResizable(true);
  form_->installEventFilter(this);
  Retranslate();
}

void ScreenWidget::Retranslate() {
  for (int i = 0; i < 2; ++i) tabs_->setTabText(i, QCoreApplication::translate("Screen", CKAVIRView::kTabCaptions[i]));
  for (const Caption& c : captions_) {
    const QString text = QCoreApplication::translate(c.context, c.source);
    if (auto* label = qobject_cast<QLabel*>(c.widget))
      label->setText(text);
    else if (auto* box = qobject_cast<QGroupBox*>(c.widget))
      box->setTitle(text);
    else if (auto* check = qobject_cast<QCheckBox*>(c.widget))
      check->setText(text);
  }
  // The battery box is as wide as its caption.
  battery_->resize(std::max(battery_->width(), battery_->sizeHint().width()), battery_->height());
}

QLabel* ScreenWidget::AddLabel(const QString& text, QRect rect, Qt::Alignment align) {
  auto* label = new QLabel(text, form_);
  label->setGeometry(rect);
  label->setAlignment(align | Qt::AlignVCenter);
  return label;
}

void ScreenWidget::AddCombo(const char* key, const char* label_text, int x, int y, int label_left) {
  const DialogUnits du(form_->font());
  auto* combo = new QComboBox(form_);
  combo->setObjectName(QString::fromLatin1(key));
  const int h = combo->sizeHint().height();
  const int top = du.Y(y) - 2;
  combo->setGeometry(du.X(x), top, du.X(kComboWidth), h);
  QLabel* label = AddLabel(QString(), QRect(du.X(label_left), top, du.X(x - 2) - du.X(label_left), h), Qt::AlignRight);
  function_widgets_ << label;
  captions_.append({label, "Setup", label_text});
  combos_.append({QString::fromLatin1(key), combo});
  const std::string model_key = key;
  connect(combo, &QComboBox::currentIndexChanged, this, [this, model_key](int index) {
    if (refreshing_) return;
    if (!view_.Combo(model_key)) return;
    view_.OnSelectOption(model_key, index);
    view_.ui().Repaint();
  });
}

void ScreenWidget::BuildFunctionPage() {
  const DialogUnits du(form_->font());
  auto group = [&](const char* title, int x, int y, int w, int h) {
    auto* box = new QGroupBox(form_);
    box->setGeometry(du.Rect(x, y, w, h));
    function_widgets_ << box;
    captions_.append({box, "kavir::app::ScreenWidget", title});
  };
  group(QT_TR_NOOP("机器类型和方式"), 10, 29, 491, 28);
  group(QT_TR_NOOP("常用参数"), 10, 63, 491, 244);
  group(QT_TR_NOOP("TOT发射定时限制"), 17, 74, 233, 47);
  group(QT_TR_NOOP("机型"), 17, 124, 233, 175);
  group(QT_TR_NOOP("扫描信息"), 267, 72, 227, 227);

  AddCombo("Type", QT_TRANSLATE_NOOP("Setup", "机器类型"), 114, 39, 14);
  QLabel* band_label = AddLabel(QString(), QRect(), Qt::AlignRight);
  captions_.append({band_label, "Screen", CKAVIRView::kBandLabelCaption});
  band_lower_ = new QLineEdit(form_);
  band_upper_ = new QLineEdit(form_);
  band_lower_->setObjectName(QStringLiteral("FreqV"));
  band_upper_->setObjectName(QStringLiteral("FreqU"));
  const int edit_h = std::max(du.Y(12), band_lower_->sizeHint().height());
  const int edit_top = du.Y(42) - (edit_h - du.Y(12)) / 2 - 3;
  band_lower_->setGeometry(du.X(324), edit_top, du.X(40), edit_h);
  band_upper_->setGeometry(du.X(376), edit_top, du.X(40), edit_h);
  band_label->setGeometry(du.X(250), edit_top, du.X(322) - du.X(250), edit_h);
  QLabel* dash = AddLabel(QStringLiteral("- "), QRect(du.X(366), edit_top, du.X(10), edit_h), Qt::AlignCenter);
  function_widgets_ << band_label << band_lower_ << band_upper_ << dash;
  connect(band_lower_, &QLineEdit::textEdited, this, [this](const QString& t) {
    view_.OnBandEdited(false, t.toStdString());
    view_.ui().Repaint();
  });
  connect(band_upper_, &QLineEdit::textEdited, this, [this](const QString& t) {
    view_.OnBandEdited(true, t.toStdString());
    view_.ui().Repaint();
  });

  for (const ComboPlace& place : kFunctionCombos) {
    AddCombo(place.key, place.label, place.x, place.y, place.label_left);
    if (std::string_view(place.key) == "Voice") {
      // The battery saver box sits between BEEP and voice report.
      battery_ = new QCheckBox(form_);
      captions_.append({battery_, "Setup", kBatteryCaption});
      battery_->setObjectName(QStringLiteral("BatterySupply"));
      const int h = battery_->sizeHint().height();
      battery_->setGeometry(du.X(131), du.Y(189) - (h - du.Y(10)) / 2, du.X(64), h);
      function_widgets_ << battery_;
      connect(battery_, &QCheckBox::clicked, this, [this](bool on) {
        view_.OnBatteryClicked(on);
        view_.ui().Repaint();
      });
    }
  }
}

void ScreenWidget::BuildChannelPage() {
  const DialogUnits du(form_->font());
  grid_ = new ChannelGridWidget(view_, form_);
  grid_->setItemDelegate(new CurrentCellDelegate(grid_));
  grid_->setGeometry(du.Rect(47, 23, 454, 274));
  channel_widgets_ << grid_;
  channel_widgets_ << AddLabel(QStringLiteral("CH"), du.Rect(10, 29, 16, 10));
  channel_widgets_ << AddLabel(QStringLiteral("TX"), du.Rect(27, 29, 16, 10));
  for (int n = 1; n <= 16; ++n) {
    auto* ch = new QCheckBox(form_);
    auto* tx = new QCheckBox(form_);
    ch->setObjectName(QStringLiteral("CH%1").arg(n));
    tx->setObjectName(QStringLiteral("TX%1").arg(n));
    ch_boxes_[n - 1] = ch;
    tx_boxes_[n - 1] = tx;
    channel_widgets_ << ch << tx;
    // The model flips the box itself, as the radio family's programs do.
    connect(ch, &QCheckBox::clicked, this, [this, n](bool) {
      view_.OnChBoxClicked(n);
      Refresh();
    });
    connect(tx, &QCheckBox::clicked, this, [this, n](bool) {
      view_.OnTxBoxClicked(n);
      Refresh();
    });
  }
  // Each column of boxes is one Tab stop; arrows move within it.
  QList<QCheckBox*> chs(std::begin(ch_boxes_), std::end(ch_boxes_));
  QList<QCheckBox*> txs(std::begin(tx_boxes_), std::end(tx_boxes_));
  QWidget* previous = chs.front();
  for (QCheckBox* box : chs.mid(1) + txs) {
    QWidget::setTabOrder(previous, box);
    previous = box;
  }
  QWidget::setTabOrder(previous, grid_);
  ch_column_ = new BoxColumn(chs, this);
  tx_column_ = new BoxColumn(txs, this);
  LineUpBoxes();
}

void ScreenWidget::LineUpBoxes() {
  // Each pair of boxes stands level with its channel's row of the grid.
  const DialogUnits du(form_->font());
  for (int n = 1; n <= 16; ++n) {
    const QRect row = grid_->RowRect(n);
    const int h = ch_boxes_[n - 1]->sizeHint().height();
    const int y = grid_->y() + row.center().y() - h / 2;
    ch_boxes_[n - 1]->setGeometry(du.X(10), y, du.X(16), h);
    tx_boxes_[n - 1]->setGeometry(du.X(27), y, du.X(16), h);
  }
}

void ScreenWidget::resizeEvent(QResizeEvent* event) {
  QScrollArea::resizeEvent(event);
  LineUpBoxes();
}

bool ScreenWidget::eventFilter(QObject* watched, QEvent* event) {
  if (watched == form_ && event->type() == QEvent::Resize) FitToForm();
  return QScrollArea::eventFilter(watched, event);
}

void ScreenWidget::FitToForm() {
  const DialogUnits du(form_->font());
  // The margins the form has at its least size, kept at any size.
  const int extra_w = form_->width() - du.X(514), extra_h = form_->height() - du.Y(318);
  const QRect tabs = du.Rect(1, 3, 509, 310);
  tabs_->setGeometry(tabs.adjusted(0, 0, extra_w, extra_h));
  const QRect grid = du.Rect(47, 23, 454, 274);
  // Its 17 rows share its height (ChannelGridWidget::LayOut); none grows
  // past twice a line of text: more height is left below.
  const int tallest = 2 * grid_->fontMetrics().height() * 176 / 10 + 4;
  const int height = std::max(grid.height(), std::min(grid.height() + extra_h, tallest));
  grid_->setGeometry(grid.x(), grid.y(), grid.width() + extra_w, height);
  LineUpBoxes();
}

QComboBox* ScreenWidget::combo(const QString& key) const {
  for (const auto& [name, widget] : combos_)
    if (name.compare(key, Qt::CaseInsensitive) == 0) return widget;
  return nullptr;
}

void ScreenWidget::Refresh() {
  refreshing_ = true;
  const bool function_page = view_.shown_page == 0;
  tabs_->setCurrentIndex(view_.current_tab);
  for (QWidget* w : function_widgets_) w->setVisible(function_page);
  for (QWidget* w : channel_widgets_) w->setVisible(!function_page);

  for (const auto& [key, widget] : combos_) {
    const SettingBox* state = view_.Combo(key.toStdString());
    if (!state) {
      widget->setVisible(false);
      continue;
    }
    // The stored option texts, shown in the language chosen.
    QStringList shown;
    for (const std::string& text : state->options) shown << lang::ShownOption(text);
    bool same = widget->count() == shown.size();
    for (int i = 0; same && i < shown.size(); ++i) same = widget->itemText(i) == shown[i];
    if (!same) {
      widget->clear();
      widget->addItems(shown);
    }
    widget->setCurrentIndex(view_.Selected(key.toStdString()).index);
    widget->setEnabled(state->enabled);
    widget->setVisible(function_page && state->visible);
  }
  const Setup& setup = view_.setup();
  battery_->setChecked(setup.battery_saver);
  battery_->setEnabled(view_.battery.enabled);
  // Only a changed text is set, so the caret stays where the user types.
  for (auto [edit, text] : {std::pair{band_lower_, &setup.band_lower}, std::pair{band_upper_, &setup.band_upper}}) {
    const QString shown = QString::fromUtf8(*text);
    if (edit->text() != shown) edit->setText(shown);
  }
  band_lower_->setEnabled(view_.band_lower.enabled);
  band_upper_->setEnabled(view_.band_upper.enabled);
  for (int n = 1; n <= 16; ++n) {
    ch_boxes_[n - 1]->setChecked(setup.channel(n).enabled);
    ch_boxes_[n - 1]->setEnabled(view_.ch_box[n - 1].enabled);
    tx_boxes_[n - 1]->setChecked(setup.channel(n).tx_enabled);
    tx_boxes_[n - 1]->setEnabled(view_.tx_box[n - 1].enabled);
  }
  if (ch_column_) ch_column_->UpdateTabStop();
  if (tx_column_) tx_column_->UpdateTabStop();
  grid_->Refresh();
  refreshing_ = false;
}

}  // namespace kavir::app
