// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/cursor_file.h"

#include <QBuffer>
#include <QImageReader>
#include <QPixmap>
#include <algorithm>
#include <fstream>

namespace vornick::gui {
namespace {

// Far more than any cursor; the file is read again on every hover.
constexpr std::streamsize kMaxCursorBytes = 1 << 20;

// Header of an icon-resource file: reserved, type (1 icon, 2 cursor), count, then 16-byte entries.
constexpr int kTypeOffset = 2;
constexpr int kFirstEntry = 6;
constexpr int kCursorType = 2;

int Byte(const QByteArray& bytes, int at) {
  return static_cast<unsigned char>(bytes.at(at));
}
int Word(const QByteArray& bytes, int at) {
  return Byte(bytes, at) | Byte(bytes, at + 1) << 8;
}

// The hot spot of the first cursor entry, scaled to the picture Qt read from it.
QPoint HotSpot(const QByteArray& bytes, QSize imageSize) {
  if (bytes.size() < kFirstEntry + 16 || Word(bytes, kTypeOffset) != kCursorType) return {0, 0};
  const int declaredWidth = Byte(bytes, kFirstEntry) == 0 ? 256 : Byte(bytes, kFirstEntry);
  const int declaredHeight = Byte(bytes, kFirstEntry + 1) == 0 ? 256 : Byte(bytes, kFirstEntry + 1);
  const int x = Word(bytes, kFirstEntry + 4) * imageSize.width() / declaredWidth;
  const int y = Word(bytes, kFirstEntry + 6) * imageSize.height() / declaredHeight;
  return {std::clamp(x, 0, imageSize.width() - 1), std::clamp(y, 0, imageSize.height() - 1)};
}

}  // namespace

std::optional<QByteArray> ReadCursorFile(const std::string& path) {
  std::ifstream file(path, std::ios::binary);
  if (!file) return std::nullopt;
  QByteArray bytes;
  char chunk[4096];
  while (file.read(chunk, sizeof chunk) || file.gcount() > 0) {
    bytes.append(chunk, static_cast<qsizetype>(file.gcount()));
    if (bytes.size() > kMaxCursorBytes) return std::nullopt;
  }
  if (file.bad()) return std::nullopt;
  return bytes;
}

std::optional<QCursor> CursorFromBytes(const QByteArray& bytes) {
  QBuffer buffer;
  buffer.setData(bytes);
  buffer.open(QIODevice::ReadOnly);
  QImageReader reader(&buffer);
  const QImage image = reader.read();
  if (image.isNull()) return std::nullopt;
  const QPoint hotSpot = HotSpot(bytes, image.size());
  return QCursor(QPixmap::fromImage(image), hotSpot.x(), hotSpot.y());
}

}  // namespace vornick::gui
