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

const std::vector<CommandOption>& GlobalOptions() {
  static const std::vector<CommandOption> options = {{"dir", "DIR"}, {"lang", "zh|en"}, {"help"}};
  return options;
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

CliArgs ParseCliArgs(int argc, char** argv_in, const std::set<std::string>& flags) {
  const std::vector<std::string> argv = Utf8Arguments(argc, argv_in);
  CliArgs args;
  auto problem = [&](const std::string& text) {
    if (args.problem.empty()) args.problem = text;
  };
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
      if (flags.count(name)) {
        if (has_value) problem("--" + name + " takes no value");
        args.flags.insert(name);
        continue;
      }
      if (!has_value) {
        // "--port --force" forgot the port: the next option is no value.
        const bool next_is_option = i + 1 < argc && argv[i + 1].size() > 2 && argv[i + 1].rfind("--", 0) == 0;
        if (i + 1 >= argc || next_is_option) {
          problem("--" + name + " needs a value");
          args.options.emplace(name, std::string());
          continue;
        }
        value = argv[++i];
      }
      // The second of two would silently win over the first.
      if (args.options.count(name) || (name == "dir" && dir)) problem("--" + name + " is given twice");
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

std::string CheckOptions(const CliArgs& args, const std::string& command, const std::vector<CommandOption>& accepted,
                         const std::set<std::string>& known) {
  auto takes = [&](const std::string& name, bool flag) {
    for (const std::vector<CommandOption>* list : {&GlobalOptions(), &accepted})
      for (const CommandOption& o : *list)
        if (name == o.name && o.flag() == flag) return true;
    return false;
  };
  auto refuse = [&](const std::string& name) {
    return known.count(name) ? command + " does not take --" + name : "unknown option --" + name;
  };
  for (const auto& [name, value] : args.options)
    if (!takes(name, false)) return refuse(name);
  for (const std::string& name : args.flags)
    if (!takes(name, true)) return refuse(name);
  return args.problem;
}

int Fail(int code, const std::string& message) {
  std::cerr << "kavir-cli: " << message << "\n";
  return code;
}

}  // namespace kavir::cli
