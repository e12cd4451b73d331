#pragma once
// Paths are UTF-8 text throughout the program. These helpers are the one way
// such a path becomes a std::filesystem::path, comes back as text, and opens
// a file: on Windows the narrow calls (fopen, path(std::string),
// path.string()) read and write names in the ANSI code page, so a Chinese
// name would silently name another file, or none.
#include <cstdio>
#include <filesystem>
#include <string>
#include <string_view>
#include <system_error>

namespace kavir {

// A UTF-8 path as a std::filesystem::path, and back.
std::filesystem::path PathFromUtf8(std::string_view utf8);
std::string Utf8FromPath(const std::filesystem::path& path);

// dir and name joined by the platform's path separator (none added after
// one that is there).
std::string JoinPath(std::string_view dir, std::string_view name);

// std::fopen by a UTF-8 path (_wfopen on Windows, where a path longer than
// 260 characters works too); errno tells why it failed.
std::FILE* OpenFile(std::string_view utf8_path, const char* mode);

#if defined(_WIN32)
// The path for a wide Windows call: the \\?\ form when it is too long for
// the plain one.
std::wstring SystemPath(std::string_view utf8);
#endif

// Why a call failed, as UTF-8 text: Windows' own texts come in the ANSI code
// page (GBK on a Chinese system) and would show garbled in our messages.
std::string ErrorText(const std::error_code& ec);
std::string ErrnoText(int err);

}  // namespace kavir
