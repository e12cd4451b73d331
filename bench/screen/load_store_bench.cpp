// Times LoadProfile and StoreProfile of a full profile (209 keys) with the
// shipped data files. Usage: bench_screen_load_store [DATA_DIR] [ROUNDS]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "screen/kavir_view.h"

namespace {

struct QuietUi : kavir::HeadlessUi {
  void ShowError(const std::string& text, const std::string&) override {
    errors.push_back(text);
    std::fprintf(stderr, "error: %s\n", text.c_str());
  }
};

double Median(std::vector<double> v) {
  std::sort(v.begin(), v.end());
  return v[v.size() / 2];
}

}  // namespace

int main(int argc, char** argv) {
  namespace fs = std::filesystem;
  const fs::path data = argc > 1 ? argv[1] : KAVIR_DATA_DIR;
  const int rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 200;

  const fs::path dir = fs::temp_directory_path() / "kavir_bench_screen";
  std::error_code ec;
  fs::remove_all(dir, ec);
  fs::create_directories(dir);
  for (const auto& e : fs::directory_iterator(data, ec))
    if (e.path().extension() == ".ini") fs::copy_file(e.path(), dir / e.path().filename());

  QuietUi ui;
  kavir::CKAVIRView view(kavir::WorkingFiles::FromDirectory(dir.string()), ui);
  view.OnInitialUpdate(nullptr);
  const std::string model = view.files().ModelFile(view.current_model_name);
  const std::string out = (dir / "bench.dat").string();

  using Clock = std::chrono::steady_clock;
  std::vector<double> load, store, save_as, in_memory;
  for (int i = 0; i < rounds; ++i) {
    auto t0 = Clock::now();
    view.LoadProfile(model);
    auto t1 = Clock::now();
    view.StoreProfile(out);
    auto t2 = Clock::now();
    view.ClearAndStoreProfile(out);
    auto t3 = Clock::now();
    kavir::IniDocument doc = kavir::ReadIniFile(out);
    auto t4 = Clock::now();
    view.StoreInto(doc);
    const std::string bytes = doc.Serialize();
    auto t5 = Clock::now();
    in_memory.push_back(std::chrono::duration<double, std::micro>(t5 - t4).count());
    load.push_back(std::chrono::duration<double, std::micro>(t1 - t0).count());
    store.push_back(std::chrono::duration<double, std::micro>(t2 - t1).count());
    save_as.push_back(std::chrono::duration<double, std::micro>(t3 - t2).count());
  }
  std::printf("model file %s, %d rounds (median microseconds)\n", model.c_str(), rounds);
  std::printf("LoadProfile          %10.1f\n", Median(load));
  std::printf("StoreProfile         %10.1f  (target file and KAVIR.ini, two atomic saves)\n", Median(store));
  std::printf("ClearAndStoreProfile %10.1f\n", Median(save_as));
  std::printf("StoreInto+Serialize  %10.1f  (the same writes in memory, no disk)\n", Median(in_memory));
  fs::remove_all(dir, ec);
  return ui.errors.empty() ? 0 : 1;
}
