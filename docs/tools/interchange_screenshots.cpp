// Screenshots of the CSV import preview and the comparison dialog.
//   kavir_interchange_screenshots OUTPUT_DIR   (offscreen or under xvfb-run)
#include <cstdio>

#include <QApplication>
#include <QTest>

#include "app_start.h"
#include "compare_dialog.h"
#include "import_preview_dialog.h"
#include "interchange/csv_import.h"
#include "interchange/setup_compare.h"
#include "screen/kavir_view.h"
#include "shot_folder.h"

using namespace kavir;

namespace {

bool Shoot(QWidget& w, const QString& file) {
  w.show();
  if (!QTest::qWaitForWindowExposed(&w)) return false;
  QTest::qWait(50);
  return w.grab().save(file);
}

}  // namespace

int main(int argc, char* argv[]) {
  QApplication app(argc, argv);
  app::SetUpFonts();
  if (argc < 2) {
    std::fprintf(stderr, "usage: kavir_interchange_screenshots OUTPUT_DIR\n");
    return 2;
  }
  const QString out = QString::fromLocal8Bit(argv[1]);
  QDir().mkpath(out);
  docs::ShotFolder folder;

  HeadlessUi ui;
  CKAVIRView view(folder.files(), ui);
  view.OnInitialUpdate(nullptr);

  const std::string plan =
      "Location,Name,Frequency,Duplex,Offset,Tone,rToneFreq,cToneFreq,DtcsCode,DtcsPolarity,RxDtcsCode,"
      "CrossMode,Mode,TStep,Skip,Power,Comment\r\n"
      "0,Simplex,146.520000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,\r\n"
      "1,North RPT,146.940000,-,0.600000,Tone,100.0,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,\r\n"
      "2,Fire,154.430000,,0.000000,TSQL,88.5,151.4,023,NN,023,Tone->Tone,NFM,12.50,,1.0W,\r\n"
      "3,Works,151.625000,,0.000000,DTCS,88.5,88.5,754,NR,023,Tone->Tone,NFM,12.50,S,0.5W,\r\n"
      "4,Airband,121.500000,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,AM,25.00,,5.0W,\r\n"
      "5,Link,147.300000,split,162.550000,Cross,67.0,88.5,023,NN,754,Tone->DTCS,FM,5.00,,5.0W,\r\n"
      "6,Rev,146.520000,,0.000000,TSQL-R,88.5,88.5,023,NN,023,Tone->Tone,FM,5.00,,5.0W,\r\n"
      "7,UHF,446.006250,,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,NFM,6.25,,0.5W,\r\n"
      "8,Marine 16,156.800000,off,0.000000,,88.5,88.5,023,NN,023,Tone->Tone,FM,25.00,P,5.0W,\r\n";
  app::ImportPreviewDialog preview(plan, LimitsOf(view.setup(), view.channel_lists), QStringLiteral("club-plan.csv"));
  if (!Shoot(preview, out + QStringLiteral("/import-preview.png"))) return 1;

  Setup other = view.setup();
  other.channel(3)[ChannelField::RxFreq] = "141.60000";
  other.channel(5)[ChannelField::TxTone] = "CTCSS:100.0";
  other.channel(7)[ChannelField::TxPower] = "低";
  other.channel(12).tx_enabled = false;
  other[Setting::TimerOut] = {2, view.option_lists()[Setting::TimerOut][2]};
  app::CompareDialog compare(CompareSetups(view.setup(), other), QStringLiteral("文件 radio.dat"));
  if (!Shoot(compare, out + QStringLiteral("/compare-dialog.png"))) return 1;
  return 0;
}
