// SPDX-License-Identifier: GPL-3.0-or-later
#include "gui/row_order.h"

#include <algorithm>
#include <array>

namespace vornick::gui {
namespace {

constexpr unsigned char Lower(unsigned char c) noexcept {
  return c >= 'A' && c <= 'Z' ? static_cast<unsigned char>(c + ('a' - 'A')) : c;
}

constexpr bool IsDigit(unsigned char c) noexcept {
  return c >= '0' && c <= '9';
}

bool IsAscii(std::string_view text) noexcept {
  return std::all_of(text.begin(), text.end(), [](char c) { return (c & 0x80) == 0; });
}

}  // namespace

int CompareNatural(std::string_view a, std::string_view b) noexcept {
  // Names alike up to some point (the same artist, the same album) are passed over bytewise up to
  // it, back to the start of a run of digits it falls in: most comparisons of a sort end there.
  const std::size_t common = static_cast<std::size_t>(
      std::mismatch(a.begin(),
                    a.begin() + static_cast<std::ptrdiff_t>(std::min(a.size(), b.size())),
                    b.begin())
          .first -
      a.begin());
  if (common == a.size() && common == b.size()) return 0;
  std::size_t start = common;
  while (start > 0 && IsDigit(static_cast<unsigned char>(a[start - 1]))) --start;
  std::size_t i = start, j = start;
  while (i < a.size() && j < b.size()) {
    const auto x = static_cast<unsigned char>(a[i]), y = static_cast<unsigned char>(b[j]);
    if (IsDigit(x) && IsDigit(y)) {
      // Two runs of digits: leading zeros aside, the longer run is the larger number.
      while (i < a.size() && a[i] == '0') ++i;
      while (j < b.size() && b[j] == '0') ++j;
      std::size_t endA = i, endB = j;
      while (endA < a.size() && IsDigit(static_cast<unsigned char>(a[endA]))) ++endA;
      while (endB < b.size() && IsDigit(static_cast<unsigned char>(b[endB]))) ++endB;
      if (endA - i != endB - j) return endA - i < endB - j ? -1 : 1;
      if (const int order = a.substr(i, endA - i).compare(b.substr(j, endB - j)); order != 0)
        return order;
      i = endA;
      j = endB;
      continue;
    }
    if (Lower(x) != Lower(y)) return Lower(x) < Lower(y) ? -1 : 1;
    ++i;
    ++j;
  }
  if (i < a.size()) return 1;
  if (j < b.size()) return -1;
  return 0;
}

NaturalKey KeyOf(std::string_view name, std::size_t& from) noexcept {
  // The name as CompareNatural reads it, in bytes: letters lower case; a run of digits as a mark
  // that stands against any other byte as a digit would, the count of its digits without leading
  // zeros, then those digits. A run that does not fit whole is left to the next key, after its
  // mark; a name that ends has zeros after it.
  std::array<unsigned char, 16> bytes{};
  std::size_t out = 0, i = from;
  while (i < name.size() && out < bytes.size()) {
    const auto c = static_cast<unsigned char>(name[i]);
    if (!IsDigit(c)) {
      bytes[out++] = Lower(c);
      ++i;
      continue;
    }
    std::size_t start = i;
    while (start < name.size() && name[start] == '0') ++start;
    std::size_t end = start;
    while (end < name.size() && IsDigit(static_cast<unsigned char>(name[end]))) ++end;
    const std::size_t digits = end - start;
    if (out + 2 + digits > bytes.size() && out != 0) {
      bytes[out] = '0';
      break;
    }
    // A run longer than a key: its first digits here, the others (as long in both names, where
    // the keys are equal) compare as a run of their own in the next.
    bytes[out++] = '0';
    bytes[out++] = static_cast<unsigned char>(std::min<std::size_t>(digits, 255));
    for (i = start; i < end && out < bytes.size(); ++i)
      bytes[out++] = static_cast<unsigned char>(name[i]);
  }
  from = i;
  NaturalKey key;
  for (std::size_t k = 0; k < 8; ++k) {
    key.high = key.high << 8 | bytes[k];
    key.low = key.low << 8 | bytes[k + 8];
  }
  return key;
}

TextMatch::TextMatch(const QString& needle) : folded_(needle.toCaseFolded()) {
  const QByteArray bytes = folded_.toUtf8();
  ascii_ = IsAscii(std::string_view(bytes.constData(), static_cast<std::size_t>(bytes.size())));
  if (ascii_) asciiLower_.assign(bytes.constData(), static_cast<std::size_t>(bytes.size()));
}

bool TextMatch::In(std::string_view name) const {
  if (folded_.isEmpty()) return true;
  if (ascii_) {
    // ASCII letters in UTF-8 are whole characters: the bytes are searched as they are. (The few
    // letters beyond ASCII that fold into ASCII, the Kelvin sign and the long s, are not found.)
    const auto found = std::search(
        name.begin(), name.end(), asciiLower_.begin(), asciiLower_.end(), [](char c, char n) {
          return Lower(static_cast<unsigned char>(c)) == static_cast<unsigned char>(n);
        });
    return found != name.end();
  }
  // A name of ASCII alone cannot hold a needle that is not.
  if (IsAscii(name)) return false;
  return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()))
      .toCaseFolded()
      .contains(folded_);
}

bool TextMatch::Narrows(const TextMatch& wider) const {
  return folded_.contains(wider.folded_);
}

}  // namespace vornick::gui
