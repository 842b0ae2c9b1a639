// SPDX-License-Identifier: GPL-3.0-or-later
#include "platform/settings/qt_settings_store.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

#include <sys/stat.h>

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
  }
  struct stat status;
  if (::stat(fingerprintedFile_.c_str(), &status) != 0) return std::string();
  std::string fingerprint;
  for (const auto number :
       {static_cast<long long>(status.st_dev), static_cast<long long>(status.st_ino),
        static_cast<long long>(status.st_size), static_cast<long long>(status.st_mtim.tv_sec),
        static_cast<long long>(status.st_mtim.tv_nsec),
        static_cast<long long>(status.st_ctim.tv_sec),
        static_cast<long long>(status.st_ctim.tv_nsec)}) {
    fingerprint += std::to_string(number) + ' ';
  }
  return fingerprint;
}

std::string QtSettingsStore::FileName(const std::string& application) {
  return ToUtf8(
      QSettings(QSettings::IniFormat, QSettings::UserScope, FromUtf8(application)).fileName());
}

void QtSettingsStore::SetLists(const std::string& application, const std::string& section,
                               const Lists& lists) {
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
