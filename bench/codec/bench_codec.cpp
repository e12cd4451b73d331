// A whole image encoded and decoded with the file work a write and a read
// do: store the screen into Write.ini, encode 48 packets from it; clear
// Read.ini, decode 48 packets into it, save it.
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "codec/codec.h"
#include "profile/profile.h"
#include "screen/kavir_view.h"

using namespace kavir;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

struct QuietUi : HeadlessUi {
  void ShowError(const std::string& t, const std::string&) override { std::fprintf(stderr, "%s\n", t.c_str()); }
};

double Us(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

}  // namespace

int main() {
  const fs::path dir = fs::temp_directory_path() / "kavir-bench-codec";
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
  const WorkingFiles files = WorkingFiles::FromDirectory(dir.string());
  QuietUi ui;
  CKAVIRView view(files, ui);
  view.OnInitialUpdate(nullptr);

  constexpr int kRounds = 50;
  double encode = 0, decode = 0, encode_only = 0, decode_only = 0;
  Image image{};
  const IniDocument kavir = ReadIniFile(files.kavir_ini);
  for (int r = 0; r < kRounds; ++r) {
    auto t0 = Clock::now();
    view.ClearAndStoreProfile(files.write_ini);
    auto t1 = Clock::now();
    image = EncodeImage(ReadIniFile(files.write_ini), view);
    auto t2 = Clock::now();
    IniFile read(files.read_ini);
    ClearProfileKeys(read.doc());
    auto t3 = Clock::now();
    DecodeImage(image, read.doc(), ReadIniFile(files.kavir_ini));
    auto t4 = Clock::now();
    read.Save();
    auto t5 = Clock::now();
    encode += Us(t2 - t0) / kRounds;
    encode_only += Us(t2 - t1) / kRounds;
    decode += Us(t5 - t2) / kRounds;
    decode_only += Us(t4 - t3) / kRounds;
  }
  std::printf("whole image (768 bytes), mean of %d rounds, microseconds\n", kRounds);
  std::printf("  encode with store into Write.ini: %8.1f   (codec alone %6.1f)\n", encode, encode_only);
  std::printf("  decode with Read.ini clear+save:  %8.1f   (codec alone %6.1f)\n", decode, decode_only);
  fs::remove_all(dir);
  return image[0x2C0] == 0x38 ? 0 : 1;
}
