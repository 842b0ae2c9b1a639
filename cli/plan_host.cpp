#include "cli/plan_host.h"

namespace vornick::cli {

PlanHost::PlanHost(platform::FileSystem& fileSystem, platform::SettingsStore& settings)
    : form_(fileSystem, settings, dialogs_, window_) {
  window_.SetClickHandler([this](platform::Control button) { form_.CheckClick(button); });
}

void PlanHost::LoadFolder(const std::string& folder) {
  dialogs_.QueueFolder(folder);
  Press(platform::Control::kCheck3);
}

void PlanHost::LoadFile(const std::string& file) {
  dialogs_.QueueOpen({file});
  Press(platform::Control::kCheck4);
}

}  // namespace vornick::cli
