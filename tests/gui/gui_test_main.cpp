// Runs the window's tests on Qt's offscreen platform, with Qt's own settings kept in a temporary
// folder (the file dialogs write theirs there, never into the user's).
#include <QSettings>
#include <QTemporaryDir>
#include <cstdlib>

#include "tests/gui/window_fixture.h"

namespace {

QtMessageHandler qtHandler = nullptr;

// The item-model tester reports what it finds as warnings; each is a failure of the test.
void FailOnModelTesterWarnings(QtMsgType type, const QMessageLogContext& context,
                               const QString& message) {
  if (type != QtDebugMsg && context.category != nullptr &&
      QLatin1String(context.category) == QLatin1String("qt.modeltest")) {
    ADD_FAILURE() << "model tester: " << message.toStdString();
  }
  if (qtHandler != nullptr) qtHandler(type, context, message);
}

}  // namespace

int main(int argc, char** argv) {
  if (std::getenv("QT_QPA_PLATFORM") == nullptr) setenv("QT_QPA_PLATFORM", "offscreen", 1);
  testing::InitGoogleTest(&argc, argv);
  QApplication application(argc, argv);
  QTemporaryDir settingsFolder;
  for (const auto format : {QSettings::NativeFormat, QSettings::IniFormat}) {
    QSettings::setPath(format, QSettings::UserScope, settingsFolder.path());
  }
  qtHandler = qInstallMessageHandler(FailOnModelTesterWarnings);
  // A dialog that no test answers fails its test after a while, instead of waiting for ever.
  const vornick::gui::ModalAnswerer<QDialog> unanswered([](QDialog&) {});
  return RUN_ALL_TESTS();
}
