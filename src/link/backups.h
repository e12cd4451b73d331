#pragma once
// Every image read from a radio, and every image about to be written into
// one, is kept as a raw 768-byte file in <program dir>/backups, so that no
// radio's settings are ever lost.
#include <array>
#include <cstdint>
#include <ctime>
#include <string>

#include "ini/io_status.h"

namespace kavir {

using BackupImage = std::array<std::uint8_t, 768>;

// <dir>/backups/<kind>-<model>-<YYYYMMDD-HHMMSS>.bin (the machine's local
// time), with -2, -3 ... when that name is taken: a backup is never
// replaced, not even by another program saving in the same second. kind is
// "read", "write", "verify-sent" or "verify-read". Characters a file name
// cannot hold become '_'.
// The path written goes to *path.
IoStatus SaveBackup(const std::string& program_dir, const std::string& kind, const std::string& model,
                    const BackupImage& image, std::time_t when, std::string* path = nullptr);

// The model part of a backup's name.
std::string BackupModelName(const std::string& model);

}  // namespace kavir
