#include "sim_options.h"

#include <cerrno>
#include <cstdio>
#include <cstring>

#include "ini/atomic_file.h"

namespace kavir::sim {

const char* SimUsage() {
  return "usage: kavir-radio-sim (--image FILE | --profile FILE [--dir DIR]) [--save FILE]\n"
         "                       [--log FILE] [--baud N] [--model N] [faults]\n"
         "--log FILE: appends \"write session N\" at each write handshake and\n"
         "        \"write packet N\" at each data packet stored (N counts from 1)\n"
         "faults: --silent-from N (0 = handshake, 1-48 = packet)  --wrong-address N\n"
         "        --short-packet N  --flood N  --hangup-at N  --wrong-handshake\n"
         "        --faults-once (faults only in the first session)\n"
         "        --corrupt-store ADDR (every write stores a wrong byte at ADDR, 0-767)\n"
         "radios in turn on one cable: --radios N or --models A,B,... (each one unplugged\n"
         "        when it has had no data for --unplug-after MS after first contact\n"
         "        (default 1000), the next\n"
         "        plugged in --plug-gap MS later (default 1000))\n"
         "Prints the pseudo-terminal's device path as its first line, then answers\n"
         "the read and write protocol until killed.\n";
}

namespace {

bool ToInt(const std::string& s, int lo, int hi, int* out) {
  if (s.empty()) return false;
  char* end = nullptr;
  errno = 0;
  long v = std::strtol(s.c_str(), &end, 10);
  if (errno || *end != '\0' || v < lo || v > hi) return false;
  *out = static_cast<int>(v);
  return true;
}

bool ParseModelList(const std::string& list, std::vector<int>* models, std::string* error) {
  models->clear();
  std::size_t start = 0;
  for (;;) {
    const std::size_t comma = list.find(',', start);
    const std::string item = list.substr(start, comma == std::string::npos ? comma : comma - start);
    int model = 0;
    if (!ToInt(item, 1, 256, &model) || models->size() >= 1000) {
      *error = "--models wants model numbers from 1 to 256 separated by commas, not '" + list + "'";
      return false;
    }
    models->push_back(model);
    if (comma == std::string::npos) return true;
    start = comma + 1;
  }
}

}  // namespace

std::optional<SimOptions> ParseSimOptions(const std::vector<std::string>& args, std::string* error) {
  SimOptions o;
  int radios = 0;
  for (std::size_t i = 0; i < args.size(); ++i) {
    const std::string& a = args[i];
    auto value = [&](std::string* out) {
      if (i + 1 >= args.size()) {
        *error = a + " needs a value";
        return false;
      }
      *out = args[++i];
      return true;
    };
    auto number = [&](int lo, int hi, int* out) {
      std::string v;
      if (!value(&v)) return false;
      if (!ToInt(v, lo, hi, out)) {
        *error = a + " wants a number from " + std::to_string(lo) + " to " + std::to_string(hi) + ", not '" + v + "'";
        return false;
      }
      return true;
    };
    int n = 0;
    bool ok = true;
    if (a == "--image")
      ok = value(&o.image_file);
    else if (a == "--profile")
      ok = value(&o.profile_file);
    else if (a == "--dir")
      ok = value(&o.program_dir);
    else if (a == "--save")
      ok = value(&o.save_file);
    else if (a == "--log")
      ok = value(&o.log_file);
    else if (a == "--baud")
      ok = number(50, 4000000, &o.baud);
    else if (a == "--model")
      ok = number(1, 256, &o.model);
    else if (a == "--silent-from") {
      ok = number(0, 48, &n);
      o.faults.silent_from = n;
    } else if (a == "--wrong-address")
      ok = number(1, 48, &o.faults.wrong_address_packet);
    else if (a == "--short-packet")
      ok = number(1, 48, &o.faults.short_packet);
    else if (a == "--flood")
      ok = number(1, 100000, &o.faults.flood_bytes);
    else if (a == "--hangup-at") {
      ok = number(0, 48, &n);
      o.faults.hangup_at = n;
    } else if (a == "--wrong-handshake")
      o.faults.wrong_handshake = true;
    else if (a == "--faults-once")
      o.faults.once = true;
    else if (a == "--radios") {
      ok = number(1, 1000, &n);
      radios = n;
    } else if (a == "--models") {
      std::string list;
      ok = value(&list) && ParseModelList(list, &o.cable_models, error);
    } else if (a == "--unplug-after")
      ok = number(0, 600000, &o.cable.unplug_after_ms);
    else if (a == "--plug-gap")
      ok = number(0, 600000, &o.cable.plug_gap_ms);
    else if (a == "--corrupt-store") {
      ok = number(0, kImageBytes - 1, &n);
      o.faults.corrupt_store = n;
    } else {
      *error = "unknown option '" + a + "'";
      return std::nullopt;
    }
    if (!ok) return std::nullopt;
  }
  if (radios > 0 && !o.cable_models.empty()) {
    *error = "give --radios N or --models LIST, not both";
    return std::nullopt;
  }
  if (radios > 0) o.cable_models.assign(radios, o.model);
  if (o.image_file.empty() == o.profile_file.empty()) {
    *error = "give one of --image FILE or --profile FILE";
    return std::nullopt;
  }
  return o;
}

bool LoadImageFile(const std::string& path, RadioImage* image, std::string* error) {
  IoStatus read;
  const std::string bytes = ReadWholeFile(path, &read);
  if (!read) {
    *error = read.Message();
    return false;
  }
  if (bytes.size() != image->size()) {
    *error = path + ": " + std::to_string(bytes.size()) + " bytes, a radio image has 768";
    return false;
  }
  std::memcpy(image->data(), bytes.data(), image->size());
  return true;
}

bool SaveImageFile(const std::string& path, const RadioImage& image, std::string* error) {
  const std::string part = path + ".part";
  std::FILE* f = std::fopen(part.c_str(), "wb");
  bool ok = f && std::fwrite(image.data(), 1, image.size(), f) == image.size();
  if (f && std::fclose(f) != 0) ok = false;
  if (ok && std::rename(part.c_str(), path.c_str()) != 0) ok = false;
  if (!ok) {
    *error = path + ": " + std::strerror(errno);
    std::remove(part.c_str());
  }
  return ok;
}

}  // namespace kavir::sim
