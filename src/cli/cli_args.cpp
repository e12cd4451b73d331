#include "cli_args.h"

#include <iostream>

#if defined(_WIN32)
#include <windows.h>
#include <shellapi.h>
#endif

namespace kavir::cli {

std::optional<std::string> CliArgs::Option(const std::string& name) const {
  auto it = options.find(name);
  if (it == options.end()) return std::nullopt;
  return it->second;
}

const std::set<std::string>& KnownFlags() {
  static const std::set<std::string> flags = {"force", "help", "no-verify", "no-backup", "by-location", "json", "loopback"};
  return flags;
}

std::vector<std::string> Utf8Arguments(int argc, char** argv) {
#if defined(_WIN32)
  // argv is in the ANSI code page: a Chinese file name would arrive as
  // question marks. The wide command line has every argument whole.
  int count = 0;
  if (wchar_t** wide = CommandLineToArgvW(GetCommandLineW(), &count)) {
    std::vector<std::string> args;
    for (int i = 0; i < count; ++i) {
      const int size = WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, nullptr, 0, nullptr, nullptr);
      std::string arg(size > 0 ? static_cast<std::size_t>(size) : 1u, '\0');
      if (size > 0) WideCharToMultiByte(CP_UTF8, 0, wide[i], -1, arg.data(), size, nullptr, nullptr);
      arg.pop_back();  // the terminating NUL
      args.push_back(std::move(arg));
    }
    LocalFree(wide);
    if (count == argc) return args;
  }
#endif
  return std::vector<std::string>(argv, argv + argc);
}

std::optional<CliArgs> ParseCliArgs(int argc, char** argv_in, std::string* error) {
  const std::vector<std::string> argv = Utf8Arguments(argc, argv_in);
  CliArgs args;
  std::optional<std::string> dir;
  for (int i = 1; i < argc; ++i) {
    std::string a = argv[i];
    if (a.size() > 2 && a.rfind("--", 0) == 0) {
      std::string name = a.substr(2);
      std::string value;
      bool has_value = false;
      if (auto eq = name.find('='); eq != std::string::npos) {
        value = name.substr(eq + 1);
        name = name.substr(0, eq);
        has_value = true;
      }
      if (KnownFlags().count(name)) {
        if (has_value) {
          *error = "option --" + name + " takes no value";
          return std::nullopt;
        }
        args.flags.insert(name);
        continue;
      }
      if (!has_value) {
        if (i + 1 >= argc) {
          *error = "option --" + name + " needs a value";
          return std::nullopt;
        }
        value = argv[++i];
      }
      if (name == "dir")
        dir = value;
      else
        args.options[name] = value;
    } else if (args.command.empty()) {
      args.command = a;
    } else {
      args.positional.push_back(a);
    }
  }
  args.files = dir ? WorkingFiles::FromDirectory(*dir) : WorkingFiles::FromCurrentDirectory();
  return args;
}

int Fail(int code, const std::string& message) {
  std::cerr << "kavir-cli: " << message << "\n";
  return code;
}

}  // namespace kavir::cli
