// English beside Chinese: the choice of language, every window in English with
// nothing cut off, and files that stay the same in both languages.
#include "lang/language.h"

#include <QCheckBox>
#include <QClipboard>
#include <QComboBox>
#include <QGroupBox>
#include <QGuiApplication>
#include <QImage>
#include <QLabel>
#include <QMenuBar>
#include <QPageSetupDialog>
#include <QPainter>
#include <QRadioButton>
#include <QRegularExpression>
#include <QStatusBar>
#include <QStyle>
#include <QTabWidget>

#include "app_fixture.h"
#include "command_ids.h"
#include "compare_dialog.h"
#include "import_preview_dialog.h"
#include "report/report_renderer.h"
#include "report_commands.h"
#include "setup/option_texts.h"
#include "support.h"

namespace kavir::app::test {
namespace {

using kavir::test::ReadBytes;
using kavir::test::WriteBytes;

bool HasChinese(const QString& s) {
  for (QChar c : s)
    if ((c.unicode() >= 0x3000 && c.unicode() <= 0x9FFF) || (c.unicode() >= 0xFF00 && c.unicode() <= 0xFFEF))
      return true;
  return false;
}

// Every text a user reads in top, but the language menu's own names.
QStringList ChineseTexts(QWidget* top) {
  QStringList found;
  auto check = [&found](QObject* o, const QString& text) {
    if (HasChinese(text) && text != QStringLiteral("语言 / Language") && text != QStringLiteral("中文"))
      found << QString::fromLatin1(o->metaObject()->className()) + QStringLiteral(": ") + text;
  };
  QList<QWidget*> all = top->findChildren<QWidget*>();
  all.prepend(top);
  for (QWidget* w : all) {
    check(w, w->windowTitle());
    check(w, w->toolTip());
    if (auto* l = qobject_cast<QLabel*>(w)) check(w, l->text());
    if (auto* b = qobject_cast<QAbstractButton*>(w)) check(w, b->text());
    if (auto* g = qobject_cast<QGroupBox*>(w)) check(w, g->title());
    if (auto* e = qobject_cast<QLineEdit*>(w)) check(w, e->placeholderText());
    if (auto* m = qobject_cast<QMenu*>(w)) check(w, m->title());
    if (auto* c = qobject_cast<QComboBox*>(w))
      for (int i = 0; i < c->count(); ++i) check(w, c->itemText(i));
    if (auto* t = qobject_cast<QTabWidget*>(w))
      for (int i = 0; i < t->count(); ++i) check(w, t->tabText(i));
    if (auto* t = qobject_cast<QTableWidget*>(w)) {
      for (int c = 0; c < t->columnCount(); ++c)
        if (t->horizontalHeaderItem(c)) check(w, t->horizontalHeaderItem(c)->text());
      for (int r = 0; r < t->rowCount(); ++r)
        for (int c = 0; c < t->columnCount(); ++c)
          if (t->item(r, c)) check(w, t->item(r, c)->text());
    }
    for (QAction* a : w->actions()) {
      check(a, a->text());
      check(a, a->statusTip());
      check(a, a->toolTip());
    }
  }
  return found;
}

// Captions on the form whose text is wider than the room they have.
QStringList CutCaptions(QWidget* form) {
  QStringList cut;
  for (QLabel* l : form->findChildren<QLabel*>())
    if (!l->text().isEmpty() && l->fontMetrics().horizontalAdvance(l->text()) > l->contentsRect().width())
      cut << l->text();
  for (QCheckBox* b : form->findChildren<QCheckBox*>())
    if (!b->text().isEmpty() && b->sizeHint().width() > b->width()) cut << b->text();
  for (QGroupBox* g : form->findChildren<QGroupBox*>())
    if (g->fontMetrics().horizontalAdvance(g->title()) + 16 > g->width()) cut << g->title();
  return cut;
}

// KAVIR_SHOTS=DIR keeps a picture of every window the test looks at.
void Shot(QWidget* w, const QString& name) {
  const QString dir = qEnvironmentVariable("KAVIR_SHOTS");
  if (!dir.isEmpty()) w->grab().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

class LanguageTest : public AppTest {
 protected:
  void TearDown() override {
    AppTest::TearDown();
    lang::Apply(false, "");
  }
  void Choose(int item) {
    frame_->language_menu()->actions().at(item)->trigger();
    QApplication::processEvents();  // the language change is posted
  }
  // Every page, menu, dialog and a message box: the Chinese left in them.
  QStringList VisitAll(const QString& lang) {
    QStringList found;
    ScreenWidget* screen = frame_->screen();
    for (int page : {0, 1}) {
      screen->tabs()->setCurrentIndex(page);
      found << ChineseTexts(frame_.get()) << CutCaptions(screen->form());
      Shot(frame_.get(), QStringLiteral("%1-page%2").arg(lang).arg(page));
    }
    for (QAction* a : frame_->menuBar()->actions()) {
      a->menu()->popup(frame_->mapToGlobal(QPoint(0, 0)));
      Shot(a->menu(),
           QStringLiteral("%1-menu-%2")
               .arg(lang, a->menu()->objectName().isEmpty() ? QString::number(frame_->menuBar()->actions().indexOf(a))
                                                            : a->menu()->objectName()));
      a->menu()->hide();
    }
    for (int command : {kCmdKeySettings, kCmdPort, kCmdAbout, kCmdPrintPreview}) {
      OnNextDialog<QDialog>([&found, lang, command](QDialog* d) {
        found << ChineseTexts(d);
        Shot(d, QStringLiteral("%1-dialog-%2").arg(lang).arg(command));
        d->reject();
      });
      frame_->action(command)->trigger();
    }
    OnNextDialog<QMessageBox>([&found, lang](QMessageBox* b) {
      found << ChineseTexts(b);
      Shot(b, lang + QStringLiteral("-messagebox"));
      b->button(QMessageBox::No)->click();
    });
    frame_->action(kCmdRead)->trigger();
    return found;
  }
};

TEST_F(LanguageTest, ChoosingALanguageRetranslatesEveryWindowAtOnce) {
  StartFrame();
  Choose(2);
  EXPECT_EQ(lang::ReadChoice(ReadIniFile(Path("KAVIR.ini"))), lang::Choice::English);
  EXPECT_EQ(frame_->action(kCmdOpen)->text(), QStringLiteral("&Open..."));
  EXPECT_EQ(frame_->screen()->combo(QStringLiteral("TimerOut"))->itemText(0), QStringLiteral("Off"));
  EXPECT_EQ(VisitAll(QStringLiteral("en")).join(QLatin1Char('\n')).toStdString(), "");

  // Back to Chinese at once, without a restart.
  Choose(1);
  EXPECT_EQ(frame_->action(kCmdOpen)->text(), QStringLiteral("打开(&O)..."));
  EXPECT_EQ(frame_->screen()->combo(QStringLiteral("TimerOut"))->itemText(0), QStringLiteral("关"));
  EXPECT_FALSE(VisitAll(QStringLiteral("zh")).isEmpty());
}

TEST_F(LanguageTest, AProfileSavedInEnglishIsTheOneSavedInChinese) {
  StartFrame();
  ASSERT_TRUE(frame_->view().document().SaveTo(Path("zh.dat")));
  Choose(2);
  EXPECT_EQ(Cell(1, 6), QStringLiteral("High"));
  ASSERT_TRUE(frame_->view().document().SaveTo(Path("en.dat")));
  const std::string zh = ReadBytes(Path("zh.dat")), en = ReadBytes(Path("en.dat"));
  EXPECT_EQ(zh, en);
  EXPECT_NE(zh.find("TxPower=\xB8\xDF"), std::string::npos);  // 高 in GBK
}

// In English every option text reads in English wherever it is shown: both
// compare dialogs and the CSV preview.
TEST_F(LanguageTest, OptionTextsReadInEnglishInEveryDialog) {
  StartFrame(ImageWith("KV16V.ini", {{"CH04.TxPower", "低"}, {"CH04.Decode", "关"}}));
  Choose(2);
  QStringList left, values;
  auto look = [&](QTableWidget* t, QDialog* d) {
    left << ChineseTexts(d);
    for (int r = 0; r < t->rowCount(); ++r) values << t->item(r, 1)->text() << t->item(r, 2)->text();
    d->accept();
  };
  BoxAnswerer boxes({QMessageBox::Yes});
  OnNextDialog<CompareDialog>([&](CompareDialog* d) { look(d->table(), d); });
  frame_->action(kCmdCompareRadio)->trigger();
  EXPECT_TRUE(values.contains(QStringLiteral("Low"))) << values.join(QLatin1Char(',')).toStdString();
  EXPECT_TRUE(values.contains(QStringLiteral("Off"))) << values.join(QLatin1Char(',')).toStdString();

  TypeFileName(QStringLiteral(KAVIR_FIXTURES_DIR "/interchange/tones.csv"));
  OnNextDialog<ImportPreviewDialog>([&](ImportPreviewDialog* d) {
    left << ChineseTexts(d);
    values << d->table()->item(0, 4)->text() << d->table()->item(0, 7)->text();
    d->reject();
  });
  frame_->action(kCmdImportCsv)->trigger();
  EXPECT_EQ(values.mid(values.size() - 2), (QStringList{QStringLiteral("Off"), QStringLiteral("High")}));
  EXPECT_EQ(left.join(QLatin1Char('\n')).toStdString(), "");
}

// In English what Ctrl+C copies reads in English too.
TEST_F(LanguageTest, OptionTextsCopyInEnglish) {
  StartFrame();
  Choose(2);
  ChannelGridWidget* grid = frame_->screen()->grid();
  grid->SelectCells(CellRange{1, 5, 1, 9}, 1, 5);
  frame_->action(kCmdCopy)->trigger();
  const QString copied = QGuiApplication::clipboard()->text();
  EXPECT_FALSE(HasChinese(copied)) << copied.toStdString();
  EXPECT_EQ(copied, QStringList({Cell(1, 5), Cell(1, 6), Cell(1, 7), Cell(1, 8), Cell(1, 9)}).join(QLatin1Char('\t')) +
                        QLatin1Char('\n'));
}

// A paste takes either language and stores the Chinese text the files keep.
TEST_F(LanguageTest, OptionTextsPasteInEitherLanguage) {
  StartFrame();
  ChannelGridWidget* grid = frame_->screen()->grid();
  const struct {
    int lang;
    const char* pasted;
    const char* shown;
  } pastes[] = {{2, "Low", "Low"}, {2, "高", "High"}, {1, "Low", "低"}};
  for (const auto& p : pastes) {
    Choose(p.lang);
    QGuiApplication::clipboard()->setText(QString::fromUtf8(p.pasted));
    grid->SelectCells(CellRange{2, 6, 2, 6}, 2, 6);
    frame_->action(kCmdPaste)->trigger();
    EXPECT_EQ(Cell(2, 6), QString::fromUtf8(p.shown)) << p.pasted;
  }
  EXPECT_EQ(frame_->view().Cell(2, 6).text, "低");
}

// The report in either language: no text crosses a line of the channel
// table or runs past the boxes' right edge, the long option texts included.
TEST_F(LanguageTest, TheReportKeepsEveryTextInsideItsBoxInBothLanguages) {
  StartFrame();
  for (int n = 1; n <= 16; ++n) {
    frame_->view().Edit(
        [&](kavir::Setup& s) { s.channel(n).fields[4] = "CTC/DCS控制", s.channel(n).fields[8] = "窄"; });
  }
  const int verticals[] = {55, 90, 125, 195, 265, 335, 405, 475, 545, 615, 685, 720};
  for (int language : {1, 2}) {
    Choose(language);
    QImage image(kReportPageWidth, kReportPageHeight, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter painter(&image);
    RenderReportPage(painter, 100, PrintReport(frame_->view(), 0));
    painter.end();
    if (const QString dir = qEnvironmentVariable("KAVIR_SHOTS"); !dir.isEmpty())
      image.save(dir + QStringLiteral("/report-%1.png").arg(language == 1 ? "zh" : "en"));
    auto ink = [&image](int x, int y) { return qGray(image.pixel(x, y)) < 160; };
    QStringList crossed;
    for (int n = 0; n < 16; ++n)
      for (int y = 645 + 25 * n; y < 645 + 25 * n + 15; ++y) {
        for (int x : verticals)  // a text that reaches a line inks the pixel before it
          if (ink(x - 1, y)) crossed << QStringLiteral("row %1 up to x %2").arg(n + 1).arg(x);
        for (int x = 723; x < kReportPageWidth; ++x)
          if (ink(x, y)) crossed << QStringLiteral("row %1 past the edge").arg(n + 1);
      }
    for (int y = 190; y < 565; ++y)
      for (int x = 723; x < kReportPageWidth; ++x)
        if (ink(x, y)) crossed << QStringLiteral("settings past the edge at %1").arg(y);
    crossed.removeDuplicates();
    EXPECT_EQ(crossed.join(QLatin1Char('\n')).toStdString(), "") << language;
  }
}

// Started in either language, every header, cell and option of the grid
// fits its column whole ("CTC/DCS控制" too).
TEST_F(LanguageTest, TheGridsColumnsFitTheirTextsInTheLanguageOfTheStart) {
  for (bool english : {false, true}) {
    lang::Apply(english, dir_.path().toStdString());
    StartFrame();
    ChannelGridWidget* grid = frame_->screen()->grid();
    frame_->screen()->tabs()->setCurrentIndex(1);
    // A larger face, as some systems' fonts are, leaves the columns' shares too narrow.
    QFont larger = grid->font();
    if (larger.pixelSize() > 0)
      larger.setPixelSize(larger.pixelSize() * 14 / 10);
    else
      larger.setPointSizeF(larger.pointSizeF() * 1.4);
    grid->setFont(larger);
    frame_->RefreshScreen();
    const QFontMetrics metrics(grid->font());
    // What the delegate keeps free on either side of a cell's text, and the grid line.
    const int margins = 2 * (grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1) + 1;
    QStringList cut;
    for (int c = 0; c < grid->columnCount(); ++c) {
      QStringList texts;
      for (int r = 0; r < grid->rowCount(); ++r) texts << grid->item(r, c)->text();
      if (const auto* options = frame_->view().channel_lists.ForColumn(c))
        for (const std::string& o : *options) texts << lang::ShownOption(o);
      for (const QString& t : texts)
        if (metrics.horizontalAdvance(t) + margins > grid->columnWidth(c)) cut << t;
    }
    cut.removeDuplicates();
    EXPECT_EQ(cut.join(QLatin1Char('|')).toStdString(), "") << english;
    Shot(frame_.get(), QStringLiteral("start-%1-page1").arg(english ? "en" : "zh"));
    frame_.reset();
  }
}

// Landscape chosen in the page set-up is the PDF's paper too, and the
// status bar says where the PDF went.
TEST_F(LanguageTest, ExportPdfTakesThePaperOfThePageSetUp) {
  StartFrame();
  Choose(2);
  auto media_box = [](const QString& path) {
    QFile f(path);
    EXPECT_TRUE(f.open(QIODevice::ReadOnly));
    const QRegularExpressionMatch m = QRegularExpression(QStringLiteral("/MediaBox \\[0 0 ([0-9.]+) ([0-9.]+)\\]"))
                                          .match(QString::fromLatin1(f.readAll()));
    return m.hasMatch() ? QSizeF(m.captured(1).toDouble(), m.captured(2).toDouble()) : QSizeF();
  };
  const QString portrait = QString::fromStdString(Path("portrait.pdf"));
  TypeFileName(portrait);
  frame_->action(kCmdExportPdf)->trigger();
  EXPECT_LT(media_box(portrait).width(), media_box(portrait).height());
  EXPECT_TRUE(frame_->status_text().contains(QStringLiteral("PDF"))) << frame_->status_text().toStdString();

  OnNextDialog<QPageSetupDialog>([](QPageSetupDialog* d) {
    auto* landscape = d->findChild<QRadioButton*>(QStringLiteral("landscape"));
    ASSERT_NE(landscape, nullptr);
    landscape->click();
    d->accept();
  });
  frame_->action(kCmdPageSetup)->trigger();
  const QString wide = QString::fromStdString(Path("landscape.pdf"));
  TypeFileName(wide);
  frame_->action(kCmdExportPdf)->trigger();
  EXPECT_NEAR(media_box(wide).width(), 842, 1);
  EXPECT_NEAR(media_box(wide).height(), 595, 1);
}

TEST(Language, FollowsTheLocale) {
  const struct {
    const char* locale;
    bool english;
  } cases[] = {{"en_US.UTF-8", true}, {"de_DE", true},  {"zh_CN.UTF-8", false}, {"zh_TW", false},
               {"C", false},          {"POSIX", false}, {"C.UTF-8", false},     {"", false}};
  for (const auto& c : cases) EXPECT_EQ(lang::EnglishForLocale(c.locale), c.english) << c.locale;
}

TEST(Language, OptionTextsAreLookedUpInTheirFile) {
  QTemporaryDir dir;
  const std::string path = dir.filePath(QStringLiteral("options_en.txt")).toStdString();
  WriteBytes(path, "\xEF\xBB\xBF; comment\r\n关 = Off\r\n禁止=Disabled\nbroken line\n=x\n");
  IoStatus status;
  const OptionTexts texts = OptionTexts::Load(path, &status);
  EXPECT_TRUE(status.ok);
  EXPECT_EQ(texts.Shown("关"), "Off");
  EXPECT_EQ(texts.Shown("高"), "高");  // no translation: as it is
  EXPECT_EQ(texts.Stored("Disabled"), "禁止");
  EXPECT_EQ(texts.Stored("High"), "High");
  EXPECT_TRUE(OptionTexts::Load(path + ".missing", &status).empty());
  EXPECT_TRUE(status.ok);
}

}  // namespace
}  // namespace kavir::app::test
