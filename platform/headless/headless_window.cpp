#include "platform/headless/headless_window.h"

namespace vornick::platform::headless {
namespace {

constexpr float kButtonTop = 5160, kButtonWidth = 1455, kButtonHeight = 1095;
// The client area of the window's description, with a title bar of 30 pixels above it.
constexpr float kOuterWidth = 12630, kOuterHeight = 7590 + 450;

}  // namespace

HeadlessWindow::HeadlessWindow() : outerWidth_(kOuterWidth), outerHeight_(kOuterHeight) {
  geometry_[Index(Control::kListView1)] = {120, 120, 9975, 4935};
  geometry_[Index(Control::kList4)] = {7320, 0, 3135, 450};
  const std::pair<Control, float> buttons[] = {{Control::kCheck1, 120},   {Control::kCheck2, 1680},
                                               {Control::kCheck3, 3240},  {Control::kCheck4, 4800},
                                               {Control::kCheck5, 6360},  {Control::kCheck6, 7920},
                                               {Control::kCheck7, 11040}, {Control::kCheck8, 9480}};
  for (const auto& [button, left] : buttons) {
    geometry_[Index(button)] = {left, kButtonTop, kButtonWidth, kButtonHeight};
  }
  captions_.push_back("Vornick");
  pointers_.push_back(kPointerDefault);
}

void HeadlessWindow::SetOuterSize(float width, float height) {
  outerWidth_ = width;
  outerHeight_ = height;
}

const Geometry& HeadlessWindow::ControlGeometry(Control control) const {
  return geometry_.at(Index(control));
}

void HeadlessWindow::SetCaption(const std::string& caption) {
  captions_.push_back(caption);
}
std::string HeadlessWindow::Caption() const {
  return captions_.back();
}

void HeadlessWindow::SetMousePointer(int code) {
  pointers_.push_back(code);
}
int HeadlessWindow::MousePointer() const {
  return pointers_.back();
}

bool HeadlessWindow::LoadMouseIcon(const std::string& cursorFile) {
  iconLoads_.push_back(cursorFile);
  if (!iconsLoadable_) return false;
  mouseIcon_ = cursorFile;
  return true;
}

std::string HeadlessWindow::ProgramFolder() const {
  return programFolder_;
}

void HeadlessWindow::DoEvents() {
  ++doEventsCount_;
  if (doEvents_) doEvents_();
}

void HeadlessWindow::End() {
  throw ProgramEnded{};
}

float HeadlessWindow::OuterWidth() const {
  return outerWidth_;
}
float HeadlessWindow::OuterHeight() const {
  return outerHeight_;
}

float HeadlessWindow::ControlWidth(Control control) const {
  return geometry_.at(Index(control)).width;
}

bool HeadlessWindow::SetControlWidth(Control control, float width) {
  if (width < 0) return false;
  geometry_.at(Index(control)).width = width;
  return true;
}

bool HeadlessWindow::SetControlHeight(Control control, float height) {
  if (height < 0) return false;
  geometry_.at(Index(control)).height = height;
  return true;
}

bool HeadlessWindow::SetControlTop(Control control, float top) {
  geometry_.at(Index(control)).top = top;
  return true;
}

void HeadlessWindow::SetReportView() {
  reportView_ = true;
}

void HeadlessWindow::AddColumn(const std::string& header, float width) {
  columns_.push_back({header, width});
}

bool HeadlessWindow::SetColumnWidth(int column, float width) {
  if (column < 1 || static_cast<std::size_t>(column) > columns_.size() || width < 0) return false;
  columns_[static_cast<std::size_t>(column) - 1].width = width;
  return true;
}

void HeadlessWindow::RowsAppended() {
  ++rowsAppended_;
}

void HeadlessWindow::RowsChanged(std::size_t first, std::size_t last) {
  rowsChanged_.emplace_back(first, last);
}

void HeadlessWindow::RowsAboutToBeCleared() {
  clearing_ = true;
}

void HeadlessWindow::RowsCleared() {
  if (clearing_) ++cleared_;
  clearing_ = false;
}

int HeadlessWindow::Value(Control button) const {
  return values_.at(Index(button));
}

void HeadlessWindow::SetValue(Control button, int value) {
  values_.at(Index(button)) = value;
  if (clickHandler_) clickHandler_(button);
}

}  // namespace vornick::platform::headless
