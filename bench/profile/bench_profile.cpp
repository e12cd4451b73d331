// Clear a profile, fill all 209 keys, read them back: the naive way (parse the
// file for every read, rewrite it for every write) against one load and one
// save per operation. Then a profile opened, saved over and opened again in
// memory, as the profile-resave fuzz target does for every input.
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <string>

#include "ini/ini_document.h"
#include "setup/profile_file.h"
#include "setup/profile_keys.h"
#include "setup/profile_setup.h"
#include "setup/program_data.h"

using namespace kavir;
using Clock = std::chrono::steady_clock;

namespace {

double Ms(Clock::duration d) { return std::chrono::duration<double, std::milli>(d).count(); }

std::string ValueFor(std::size_t i) { return i % 3 ? "136.00000" : "载波控制"; }

struct Times {
  double clear = 0, fill = 0, read = 0;
};

// One key a call, the file parsed and written whole each time.
void WriteOneValue(const std::string& path, std::string_view key, std::string_view value) {
  IniFile file(path);
  file.doc().SetString(kProfileSection, key, value);
  file.Save();
}
std::string ReadOneValue(const std::string& path, std::string_view key) {
  return IniFile(path).GetString(kProfileSection, key, "", kValueBuffer);
}

Times Naive(const std::string& path) {
  Times t;
  auto t0 = Clock::now();
  for (const auto& key : ProfileKeys()) WriteOneValue(path, key, "");
  auto t1 = Clock::now();
  for (std::size_t i = 0; i < ProfileKeys().size(); ++i) WriteOneValue(path, ProfileKeys()[i], ValueFor(i));
  auto t2 = Clock::now();
  std::size_t total = 0;
  for (const auto& key : ProfileKeys()) total += ReadOneValue(path, key).size();
  auto t3 = Clock::now();
  if (total == 0) std::puts("unexpected: nothing read");
  return {Ms(t1 - t0), Ms(t2 - t1), Ms(t3 - t2)};
}

Times Fast(const std::string& path) {
  Times t;
  auto t0 = Clock::now();
  {
    IniFile f(path);
    ClearProfileKeys(f.doc());
    f.Save();
  }
  auto t1 = Clock::now();
  {
    IniFile f(path);
    for (std::size_t i = 0; i < ProfileKeys().size(); ++i) f.SetString(kProfileSection, ProfileKeys()[i], ValueFor(i));
    f.Save();
  }
  auto t2 = Clock::now();
  std::size_t total = 0;
  {
    IniFile f(path);
    for (const auto& key : ProfileKeys()) total += f.GetString(kProfileSection, key, "", kValueBuffer).size();
  }
  auto t3 = Clock::now();
  if (total == 0) std::puts("unexpected: nothing read");
  return {Ms(t1 - t0), Ms(t2 - t1), Ms(t3 - t2)};
}

// Microseconds per open-save-open of a model file in memory.
double OpenSaveOpenUs() {
  const ProgramData data = ProgramData::Load(WorkingFiles::FromDirectory(KAVIR_DATA_DIR));
  const std::string bytes = ReadIniFile(data.files.ModelFile("KV16V")).Serialize();
  const Setup shown = data.Resolve(ReadSetupRecord(IniDocument::Parse(bytes)));
  constexpr int kRounds = 2000;
  std::size_t total = 0;
  const auto t0 = Clock::now();
  for (int r = 0; r < kRounds; ++r) {
    IniDocument file = IniDocument::Parse(bytes);
    const Setup loaded = ResolveChoices(ReadSetupRecord(file), data.lists, shown);
    StoreSetup(loaded, file);
    const IniDocument saved = IniDocument::Parse(file.Serialize());
    total += StoredValues(ResolveChoices(ReadSetupRecord(saved), data.lists, shown)).size();
  }
  const double us = Ms(Clock::now() - t0) * 1000.0 / kRounds;
  if (total == 0) std::puts("unexpected: nothing read");
  return us;
}

}  // namespace

int main() {
  const auto dir = std::filesystem::temp_directory_path() / "kavir-bench-profile";
  std::filesystem::create_directories(dir);
  const std::string path = (dir / "bench.ini").string();
  constexpr int kRounds = 5;
  Times naive, fast;
  for (int r = 0; r < kRounds; ++r) {
    std::filesystem::remove(path);
    Times n = Naive(path);
    std::filesystem::remove(path);
    Times f = Fast(path);
    naive.clear += n.clear / kRounds, naive.fill += n.fill / kRounds, naive.read += n.read / kRounds;
    fast.clear += f.clear / kRounds, fast.fill += f.fill / kRounds, fast.read += f.read / kRounds;
  }
  std::printf("209 keys, mean of %d rounds, milliseconds\n", kRounds);
  std::printf("%-28s %10s %10s %10s\n", "", "clear", "fill", "read");
  std::printf("%-28s %10.3f %10.3f %10.3f\n", "naive (file per key)", naive.clear, naive.fill, naive.read);
  std::printf("%-28s %10.3f %10.3f %10.3f\n", "one load, one save", fast.clear, fast.fill, fast.read);
  std::printf("speed-up: clear %.0fx, fill %.0fx, read %.0fx\n", naive.clear / fast.clear, naive.fill / fast.fill,
              naive.read / fast.read);
  std::filesystem::remove_all(dir);
  const double us = OpenSaveOpenUs();
  std::printf("open, save and open again in memory: %.1f us (%.0f a second)\n", us, 1e6 / us);
  return 0;
}
