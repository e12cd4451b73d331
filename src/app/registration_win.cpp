#include "registration.h"

#include <windows.h>

#include <objbase.h>
#include <shlobj.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace kavir::app {
namespace {

// %APPDATA%\Microsoft\Windows\Start Menu\Programs\KAVIR.lnk
QString ShortcutPath() {
  return QStandardPaths::writableLocation(QStandardPaths::ApplicationsLocation) + QStringLiteral("/KAVIR.lnk");
}

const wchar_t* Wide(const QString& s) { return reinterpret_cast<const wchar_t*>(s.utf16()); }

// A shell link that starts the program in its program directory (the
// working folder is what the program takes for its program directory).
HRESULT WriteShortcut(const QString& path, const QString& executable, const QString& program_dir) {
  IShellLinkW* link = nullptr;
  HRESULT hr = CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkW,
                                reinterpret_cast<void**>(&link));
  if (FAILED(hr)) return hr;
  const QString exe = QDir::toNativeSeparators(executable);
  const QString dir = QDir::toNativeSeparators(program_dir);
  const QString comment = QStringLiteral("16 信道手持对讲机编程软件");
  link->SetPath(Wide(exe));
  link->SetWorkingDirectory(Wide(dir));
  link->SetDescription(Wide(comment));
  IPersistFile* file = nullptr;
  hr = link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file));
  if (SUCCEEDED(hr)) {
    const QString native = QDir::toNativeSeparators(path);
    hr = file->Save(Wide(native), TRUE);
    file->Release();
  }
  link->Release();
  return hr;
}

}  // namespace

bool RegisterProgram(const QString& executable, const QString& program_dir, QString* message) {
  const QString path = ShortcutPath();
  if (!QDir().mkpath(QFileInfo(path).absolutePath())) {
    *message = QStringLiteral("%1: cannot create the folder").arg(QFileInfo(path).absolutePath());
    return false;
  }
  const HRESULT init = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
  const HRESULT hr = WriteShortcut(path, executable, program_dir);
  if (SUCCEEDED(init)) CoUninitialize();
  if (FAILED(hr)) {
    *message = QStringLiteral("%1: cannot create the shortcut (error 0x%2)")
                   .arg(path)
                   .arg(static_cast<unsigned long>(hr), 8, 16, QLatin1Char('0'));
    return false;
  }
  *message = QStringLiteral("Start-menu shortcut written: ") + QDir::toNativeSeparators(path);
  return true;
}

bool UnregisterProgram(QString* message) {
  const QString path = ShortcutPath();
  QFile file(path);
  if (file.exists() && !file.remove()) {
    *message = path + QStringLiteral(": ") + file.errorString();
    return false;
  }
  *message = QStringLiteral("Start-menu shortcut removed: ") + QDir::toNativeSeparators(path);
  return true;
}

}  // namespace kavir::app
