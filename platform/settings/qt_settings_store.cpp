// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/qt_settings_store.h"

#include <QDir>
#include <QSettings>
#include <QStandardPaths>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <system_error>

namespace vornick::platform {
namespace {

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

std::string ToUtf8(const QString& text) {
  const QByteArray bytes = text.toUtf8();
  return std::string(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

}  // namespace

std::string QtSettingsStore::GetSetting(const std::string& application, const std::string& section,
                                        const std::string& key) {
  // QSettings would take a file it cannot read for an empty one, and wait forever on a FIFO.
  CheckReadable(application);
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, FromUtf8(application));
  settings.beginGroup(FromUtf8(section));
  const QVariant value = settings.value(FromUtf8(key));
  if (!value.isValid()) return {};
  // An unquoted value holding commas comes back as a list; toString() would give "".
  if (value.typeId() == QMetaType::QStringList) return ToUtf8(value.toStringList().join(u','));
  return ToUtf8(value.toString());
}

std::optional<std::string> QtSettingsStore::Fingerprint(const std::string& application) {
  if (fingerprintedFile_.empty() || fingerprintedApplication_ != application) {
    fingerprintedApplication_ = application;
    fingerprintedFile_ = FileName(application);
    watch_.Stop();
    fingerprint_.reset();
    watchAgain_ = true;
  }
  // Asked for every folder of a load: while the file is watched and untouched, the answer of the
  // last look holds.
  const bool watched = watch_.Watching();
  if (watch_.Quiet()) return fingerprint_;
  // Watched before the look, so that a change made after it is still noticed.
  if (watched || watchAgain_) watch_.Watch(fingerprintedFile_);
  std::optional<std::string> fingerprint = LookAt(fingerprintedFile_);
  // A file that could not be watched may become watchable once it changes (its folder made, a link
  // replaced by the file); until then it is looked at every time.
  watchAgain_ = !watch_.Watching() && fingerprint != fingerprint_;
  fingerprint_ = fingerprint;
  return fingerprint;
}

std::optional<std::string> QtSettingsStore::LookAt(const std::string& file) {
  struct stat status;
  // No file is a state of its own; a file that cannot be looked at tells nothing.
  if (::stat(file.c_str(), &status) != 0)
    return errno == ENOENT ? std::optional<std::string>("") : std::nullopt;
  // The numbers themselves, compared as bytes.
  const long long numbers[] = {
      static_cast<long long>(status.st_dev),          static_cast<long long>(status.st_ino),
      static_cast<long long>(status.st_size),         static_cast<long long>(status.st_mtim.tv_sec),
      static_cast<long long>(status.st_mtim.tv_nsec), static_cast<long long>(status.st_ctim.tv_sec),
      static_cast<long long>(status.st_ctim.tv_nsec)};
  return std::string(reinterpret_cast<const char*>(numbers), sizeof numbers);
}

std::string QtSettingsStore::FileName(const std::string& application) {
  // Where QSettings puts a user's INI file, worked out without making one: making one reads the
  // file.
  return ToUtf8(
      QDir::cleanPath(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) +
                      QLatin1Char('/') + FromUtf8(application) + QLatin1String(".ini")));
}

void QtSettingsStore::CheckReadable(const std::string& application) {
  const std::string file = FileName(application);
  const auto fail = [&file](const std::string& why) { throw SettingsReadError(file + ": " + why); };
  struct stat status;
  if (::stat(file.c_str(), &status) != 0) {
    if (errno == ENOENT) return;  // no file: no values
    fail(std::error_code(errno, std::system_category()).message());
  }
  if (S_ISDIR(status.st_mode)) fail("a folder, not a settings file");
  if (!S_ISREG(status.st_mode)) fail("not a regular file");
  const int fd = ::open(file.c_str(), O_RDONLY | O_NONBLOCK | O_NOCTTY | O_CLOEXEC);
  if (fd < 0) fail(std::error_code(errno, std::system_category()).message());
  ::close(fd);
}

void QtSettingsStore::SetLists(const std::string& application, const std::string& section,
                               const Lists& lists) {
  try {
    CheckReadable(application);
  } catch (const SettingsReadError& error) {
    throw SettingsWriteError(std::string(error.what()) + "; left as it was");
  }
  QSettings settings(QSettings::IniFormat, QSettings::UserScope, FromUtf8(application));
  // The default, said again: without it QSettings would write the file in place when it cannot
  // write a new one beside it.
  settings.setAtomicSyncRequired(true);
  settings.beginGroup(FromUtf8(section));
  for (const auto& [key, entries] : lists) {
    QStringList list;
    for (const std::string& entry : entries) list << FromUtf8(entry);
    settings.setValue(FromUtf8(key), list);
  }
  settings.endGroup();
  settings.sync();
  if (settings.status() == QSettings::NoError) return;
  const std::string file = ToUtf8(settings.fileName());
  throw SettingsWriteError(settings.status() == QSettings::FormatError
                               ? file + ": not a settings file QSettings can read; left as it was"
                               : file + ": cannot be written");
}

}  // namespace vornick::platform
