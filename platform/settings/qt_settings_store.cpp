#include "platform/settings/qt_settings_store.h"

#include <QSettings>
#include <QString>
#include <QStringList>
#include <QVariant>

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

std::string QtSettingsStore::FileName(const std::string& application) {
  return ToUtf8(
      QSettings(QSettings::IniFormat, QSettings::UserScope, FromUtf8(application)).fileName());
}

}  // namespace vornick::platform
