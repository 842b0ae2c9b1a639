// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <array>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window.h"

namespace vornick::fakes {

// Thrown by End(): not a std::exception, so no handler's failure containment catches it.
struct ProgramEnded {};

// A window that keeps what its controller asked of it, for tests. DoEvents runs `onDoEvents`.
class RecordingWindow final : public platform::Window {
 public:
  using Twips = platform::Twips;

  std::function<void()> onDoEvents;
  std::vector<std::string> captions{"Vornick"};
  std::vector<platform::Pointer> pointers{platform::Pointer::kDefault};
  std::vector<std::string> iconLoads;
  bool iconsLoadable = true;
  Twips outerWidth = 12750, outerHeight = 8100;
  Twips listWidth = 9975, listHeight = 4935;
  std::array<Twips, platform::kButtonCount> buttonTops{};
  std::vector<std::pair<std::string, Twips>> columns;
  std::vector<std::pair<std::size_t, std::size_t>> rowsChanged;
  int clears = 0;

  void SetCaption(const std::string& caption) override { captions.push_back(caption); }
  std::string Caption() const override { return captions.back(); }
  void SetMousePointer(platform::Pointer pointer) override { pointers.push_back(pointer); }
  platform::Pointer MousePointer() const override { return pointers.back(); }
  bool LoadMouseIcon(const std::string& cursorFile) override {
    if (iconsLoadable) iconLoads.push_back(cursorFile);
    return iconsLoadable;
  }
  std::string ProgramFolder() const override { return "/app"; }
  std::vector<std::string> DataFolders() const override { return {"/data/a", "/data/b"}; }
  void DoEvents() override {
    if (onDoEvents) onDoEvents();
  }
  [[noreturn]] void End() override { throw ProgramEnded{}; }

  Twips OuterWidth() const override { return outerWidth; }
  Twips OuterHeight() const override { return outerHeight; }
  Twips ListWidth() const override { return listWidth; }
  bool SetListWidth(Twips width) override { return Set(listWidth, width); }
  bool SetListHeight(Twips height) override { return Set(listHeight, height); }
  bool SetButtonTop(platform::Button button, Twips top) override {
    buttonTops.at(static_cast<std::size_t>(button)) = top;
    return true;
  }
  void AddColumn(const std::string& header, Twips width) override {
    columns.emplace_back(header, width);
  }
  bool SetColumnWidth(int column, Twips width) override {
    return Set(columns.at(static_cast<std::size_t>(column)).second, width);
  }

  void RowsChanged(std::size_t first, std::size_t last) override {
    rowsChanged.emplace_back(first, last);
  }
  void RowsAboutToBeCleared() override {}
  void RowsCleared() override { ++clears; }

 private:
  static bool Set(Twips& size, Twips value) {
    if (value < 0) return false;
    size = value;
    return true;
  }
};

}  // namespace vornick::fakes
