#include <iostream>

#include "cli/commands.h"
#include "files/file_types.h"
#include "platform/settings/qt_settings_store.h"

namespace vornick::cli {

int RunTypes(std::span<const std::string> args, Streams streams) {
  if (!args.empty()) {
    streams.err << "vornick-cli: types takes no arguments\nusage: vornick-cli types\n";
    return 2;
  }
  platform::QtSettingsStore settings;
  try {
    for (const std::string& type : files::GetFileTypes(settings)) streams.out << type << '\n';
  } catch (const files::FileTypesError& error) {
    streams.err << "vornick-cli: "
                << platform::QtSettingsStore::FileName(files::kSettingsApplication) << ": "
                << error.what() << '\n';
    return 2;
  }
  return Finish(streams, 0);
}

}  // namespace vornick::cli
