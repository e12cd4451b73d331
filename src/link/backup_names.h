#pragma once
// Reading a backup's file name back: read-<model>-... and write-<model>-...
// name the model of the radio the image came from or went to.
#include <string>
#include <vector>

namespace kavir {

// The model (entry number of `models`, from 1) that a backup's file name
// names, as BackupModelName (backups.h) wrote it; 0 when it names none.
int ModelFromBackupName(const std::string& path, const std::vector<std::string>& models);

}  // namespace kavir
