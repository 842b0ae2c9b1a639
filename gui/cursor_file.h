// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QByteArray>
#include <QCursor>
#include <optional>
#include <string>

namespace vornick::gui {

// The contents of the file at `path` (exact bytes); none when it cannot be read or is too large to
// be a cursor.
std::optional<QByteArray> ReadCursorFile(const std::string& path);

// The pointer a cursor (.CUR) or icon file describes: its first picture, with the hot spot the
// cursor's header gives (an icon has its hot spot in the top-left corner). None when the bytes
// hold no picture Qt's image reader can read.
std::optional<QCursor> CursorFromBytes(const QByteArray& bytes);

}  // namespace vornick::gui
