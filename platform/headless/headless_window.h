#pragma once

#include <array>
#include <cstddef>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "platform/window.h"

namespace vornick::platform::headless {

// Thrown by End(): not a std::exception, so no handler's failure containment catches it and the
// whole call stack unwinds to the host, which ends the run.
struct ProgramEnded {};

struct Geometry {
  float left = 0, top = 0, width = 0, height = 0;
};

struct Column {
  std::string header;
  float width = 0;
};

// A window without a display, for the command line and the tests. It keeps what Form1 set
// (caption, pointer history, icons, geometry, columns, row notifications) so that it can be read
// back, and hands button clicks and DoEvents to callbacks the host sets.
class HeadlessWindow final : public Window {
 public:
  // The controls start where the window's description puts them; the outer size is the client
  // area with a frame around it.
  HeadlessWindow();

  // Wiring set by the host.
  void SetClickHandler(std::function<void(Control)> handler) { clickHandler_ = std::move(handler); }
  void SetDoEventsHandler(std::function<void()> handler) { doEvents_ = std::move(handler); }
  void SetProgramFolder(std::string folder) { programFolder_ = std::move(folder); }
  void SetOuterSize(float width, float height);
  // With false, LoadMouseIcon fails for every file, as for files that are not pictures.
  void SetIconsLoadable(bool loadable) { iconsLoadable_ = loadable; }

  // What Form1 did.
  const std::vector<std::string>& CaptionHistory() const noexcept { return captions_; }
  const std::vector<int>& PointerHistory() const noexcept { return pointers_; }
  const std::vector<std::string>& IconLoads() const noexcept { return iconLoads_; }
  const std::string& MouseIcon() const noexcept { return mouseIcon_; }
  const Geometry& ControlGeometry(Control control) const;
  const std::vector<Column>& Columns() const noexcept { return columns_; }
  bool ReportView() const noexcept { return reportView_; }
  int DoEventsCount() const noexcept { return doEventsCount_; }
  std::size_t RowsAppendedCount() const noexcept { return rowsAppended_; }
  const std::vector<std::pair<std::size_t, std::size_t>>& RowsChangedRanges() const noexcept {
    return rowsChanged_;
  }
  std::size_t ClearCount() const noexcept { return cleared_; }

  // Window
  void SetCaption(const std::string& caption) override;
  std::string Caption() const override;
  void SetMousePointer(int code) override;
  int MousePointer() const override;
  bool LoadMouseIcon(const std::string& cursorFile) override;
  std::string ProgramFolder() const override;
  void DoEvents() override;
  [[noreturn]] void End() override;
  float OuterWidth() const override;
  float OuterHeight() const override;
  float ControlWidth(Control control) const override;
  bool SetControlWidth(Control control, float width) override;
  bool SetControlHeight(Control control, float height) override;
  bool SetControlTop(Control control, float top) override;
  void SetReportView() override;
  void AddColumn(const std::string& header, float width) override;
  bool SetColumnWidth(int column, float width) override;
  void RowsAppended() override;
  void RowsChanged(std::size_t first, std::size_t last) override;
  void RowsAboutToBeCleared() override;
  void RowsCleared() override;
  int Value(Control button) const override;
  void SetValue(Control button, int value) override;

 private:
  static constexpr std::size_t kControls = 10;
  static std::size_t Index(Control control) { return static_cast<std::size_t>(control); }

  std::function<void(Control)> clickHandler_;
  std::function<void()> doEvents_;
  std::string programFolder_;
  bool iconsLoadable_ = true;
  float outerWidth_, outerHeight_;
  std::vector<std::string> captions_;
  std::vector<int> pointers_;
  std::vector<std::string> iconLoads_;
  std::string mouseIcon_;
  std::array<Geometry, kControls> geometry_;
  std::array<int, kControls> values_{};
  std::vector<Column> columns_;
  bool reportView_ = false;
  int doEventsCount_ = 0;
  std::size_t rowsAppended_ = 0;
  std::vector<std::pair<std::size_t, std::size_t>> rowsChanged_;
  std::size_t cleared_ = 0;
  bool clearing_ = false;
};

}  // namespace vornick::platform::headless
