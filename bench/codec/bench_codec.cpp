// A whole image encoded from a set-up in memory and decoded back into one,
// and, for comparison, with the file work a write and a read do on top
// (Write.ini stored, Read.ini saved).
#include <chrono>
#include <cstdio>
#include <filesystem>

#include "codec/codec.h"
#include "ini/ini_document.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"

using namespace kavir;
namespace fs = std::filesystem;
using Clock = std::chrono::steady_clock;

namespace {

double Us(Clock::duration d) { return std::chrono::duration<double, std::micro>(d).count(); }

}  // namespace

int main() {
  const fs::path dir = fs::temp_directory_path() / "kavir-bench-codec";
  fs::remove_all(dir);
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(KAVIR_DATA_DIR))
    if (e.is_regular_file()) fs::copy_file(e.path(), dir / e.path().filename());
  const WorkingFiles files = WorkingFiles::FromDirectory(dir.string());
  const ProgramData data = ProgramData::Load(files);
  const Setup setup = data.start;

  constexpr int kRounds = 20000;
  Image image{};
  Setup back;
  unsigned sink = 0;
  auto t0 = Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    image = EncodeImage(setup);
    sink += image[r % kImageSize];
  }
  auto t1 = Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    DecodeImage(image, data.lists, back);
    sink += back.channel(1 + r % kChannels).enabled;
  }
  auto t2 = Clock::now();

  constexpr int kFileRounds = 50;
  auto t3 = Clock::now();
  for (int r = 0; r < kFileRounds; ++r) {
    SaveSetupRecord(files.write_ini, setup);
    image = EncodeImage(setup);
  }
  auto t4 = Clock::now();
  for (int r = 0; r < kFileRounds; ++r) {
    Setup record = ModelRecord(1, data);
    DecodeImage(image, data.lists, record);
    SaveSetupRecord(files.read_ini, record);
  }
  auto t5 = Clock::now();

  std::printf("whole image (768 bytes), microseconds per image\n");
  std::printf("  encode from a Setup in memory:        %8.2f  (mean of %d)\n", Us(t1 - t0) / kRounds, kRounds);
  std::printf("  decode into a Setup in memory:        %8.2f  (mean of %d)\n", Us(t2 - t1) / kRounds, kRounds);
  std::printf("  encode + Write.ini stored as a record: %7.1f  (mean of %d)\n", Us(t4 - t3) / kFileRounds, kFileRounds);
  std::printf("  decode + Read.ini saved as a record:   %7.1f  (mean of %d)\n", Us(t5 - t4) / kFileRounds, kFileRounds);
  fs::remove_all(dir);
  return image[0x2C0] == 0x38 && sink != 0xFFFFFFFF ? 0 : 1;
}
