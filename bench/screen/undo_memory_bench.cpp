// Memory and time of 1000 undo steps on the shipped data.
// Usage: bench_screen_undo [DATA_DIR] [STEPS]
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "screen/kavir_view.h"

namespace {

// Resident set size in bytes (0 where /proc is not available).
long ResidentBytes() {
  std::ifstream statm("/proc/self/statm");
  long pages = 0, resident = 0;
  if (!(statm >> pages >> resident)) return 0;
  return resident * 4096;
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path data = argc > 1 ? argv[1] : KAVIR_DATA_DIR;
  const int steps = argc > 2 ? std::max(1, std::atoi(argv[2])) : 1000;
  const fs::path dir = fs::temp_directory_path() / "kavir_bench_undo";
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(data, ec))
    if (e.path().extension() == ".ini") fs::copy_file(e.path(), dir / e.path().filename());

  kavir::HeadlessUi ui;
  kavir::CKAVIRView view(kavir::WorkingFiles::FromDirectory(dir.string()), ui);
  view.OnInitialUpdate(nullptr);
  std::printf("one screen's state: %zu bytes in the object\n", sizeof(kavir::ScreenState));

  const long rss_before = ResidentBytes();
  const auto t0 = std::chrono::steady_clock::now();
  for (int i = 0; i < steps; ++i) {
    // Alternate small edits and two-row pastes, the usual mix.
    if (i % 2 == 0) {
      view.OnChBoxClicked(i % 16 + 1);
    } else {
      const std::string rows = view.editing().CopyCells({1, 1, 2, 9});
      view.editing().PasteCells(kavir::CellRange::One(3 + i % 13, 1), rows);
      view.editing().FillCells({1, 1, 1, 1}, i % 4 == 1 ? "150.0125" : "151.0125");
    }
  }
  const auto t1 = std::chrono::steady_clock::now();
  const long rss_after = ResidentBytes();
  const std::size_t kept = view.history().undo_count();
  std::printf("%zu steps kept (of %d commands)\n", kept, steps + steps / 2);
  std::printf("history: %.2f MB (%.1f kB a step); resident set grew %.2f MB\n", view.history().MemoryBytes() / 1e6,
              view.history().MemoryBytes() / 1e3 / kept, (rss_after - rss_before) / 1e6);
  std::printf("record: %.1f us a command\n",
              std::chrono::duration<double, std::micro>(t1 - t0).count() / (steps + steps / 2));
  const auto t2 = std::chrono::steady_clock::now();
  while (view.CanUndo()) view.Undo();
  const auto t3 = std::chrono::steady_clock::now();
  std::printf("undo: %.1f us a step\n", std::chrono::duration<double, std::micro>(t3 - t2).count() / kept);
  std::printf("unsaved after undoing everything: %s\n", view.IsModified() ? "yes" : "no");
  fs::remove_all(dir, ec);
  return 0;
}
