#pragma once
// What every screenshot tool starts from: the shipped data copied into a
// scratch folder, and an in-process radio on a virtual clock.
#include <cstdio>
#include <memory>
#include <string>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "setup/working_files.h"
#include "sim/profile_image.h"
#include "sim/virtual_radio.h"

namespace kavir::docs {

struct ShotFolder {
  QTemporaryDir dir;
  sim::VirtualClock clock;
  std::unique_ptr<sim::VirtualRadio> radio;  // null when model_file could not be built

  // The radio holds what a write of model_file would send; none: a blank radio.
  explicit ShotFolder(const char* model_file = nullptr) {
    const QDir data(QStringLiteral(KAVIR_DATA_DIR));
    for (const QString& name : data.entryList(QDir::Files)) QFile::copy(data.filePath(name), dir.filePath(name));
    sim::RadioImage image{};
    std::string error;
    if (model_file && !sim::BuildImageFromProfile(dir.filePath(QString::fromUtf8(model_file)).toStdString(),
                                                  dir.path().toStdString(), &image, &error)) {
      std::fprintf(stderr, "%s\n", error.c_str());
      return;
    }
    radio = std::make_unique<sim::VirtualRadio>(clock, image);
  }
  WorkingFiles files() const { return WorkingFiles::FromDirectory(dir.path().toStdString()); }
};

}  // namespace kavir::docs
