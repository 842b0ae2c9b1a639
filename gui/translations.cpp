// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/translations.h"

#include <QCoreApplication>
#include <QLibraryInfo>
#include <QStandardPaths>
#include <QTranslator>

namespace vornick::gui {
namespace {

const QString kBuiltIn = QStringLiteral(":/vornick/translations");

QStringList Folders() {
  QStringList folders;
  for (const QString& data :
       QStandardPaths::standardLocations(QStandardPaths::GenericDataLocation)) {
    folders.append(data + QStringLiteral("/vornick/translations"));
  }
  folders.append(kBuiltIn);
  return folders;
}

bool Install(QCoreApplication& application, const QLocale& locale, const QString& name,
             const QStringList& folders) {
  for (const QString& folder : folders) {
    auto* translator = new QTranslator(&application);
    if (translator->load(locale, name, QStringLiteral("_"), folder)) {
      QCoreApplication::installTranslator(translator);
      return true;
    }
    delete translator;
  }
  return false;
}

}  // namespace

bool InstallTranslations(QCoreApplication& application, const QLocale& locale) {
  Install(application, locale, QStringLiteral("qt"),
          {QLibraryInfo::path(QLibraryInfo::TranslationsPath)});
  if (Install(application, locale, QStringLiteral("vornick"), Folders())) return true;
  Install(application, QLocale(QLocale::English), QStringLiteral("vornick"), {kBuiltIn});
  return false;
}

}  // namespace vornick::gui
