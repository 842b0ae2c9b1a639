// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QLocale>

class QCoreApplication;

namespace vornick::gui {

// Installs the program's translations for `locale` and Qt's own (for the dialogs and standard
// buttons), when there are any. The program's are looked for in $XDG_DATA_HOME/vornick and each
// $XDG_DATA_DIRS/vornick (subfolder translations), then in the program itself; English is the
// fallback, which words the plural forms. Returns false when no translation for `locale` was found.
bool InstallTranslations(QCoreApplication& application, const QLocale& locale);

}  // namespace vornick::gui
