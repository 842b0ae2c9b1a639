// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <algorithm>
#include <compare>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace vornick::gui {

// The order people expect of file names: letters without regard to case, and runs of digits by
// their value ("Track 2" before "Track 10"); bytes beyond ASCII by their value. Negative, zero or
// positive as `a` sorts before, with or after `b`; zero for names alike in that order ("A.mp3"
// and "a.mp3", "Track 02" and "Track 2"), which keep the order they had.
int CompareNatural(std::string_view a, std::string_view b) noexcept;

// A piece of a name's place in that order, as two numbers, from byte `from` of the name on; `from`
// moves past what the key holds. Where the keys of two names (from where their keys so far were
// equal) differ, they order the names as CompareNatural does; equal keys say nothing more, unless
// both names are used up, when the names are alike.
struct NaturalKey {
  std::uint64_t high = 0, low = 0;
  auto operator<=>(const NaturalKey&) const = default;
};
NaturalKey KeyOf(std::string_view name, std::size_t& from) noexcept;

// Sorts `rows` by the natural order of `text(row)`, rows alike in the order of their numbers. The
// rows are sorted by their keys, which are made without reading the names again; only rows whose
// keys are equal have their next keys made and are sorted among themselves.
template <class Text>
void SortNatural(std::vector<std::uint32_t>& rows, const Text& text, bool ascending);

// Whether a name holds the text typed into the find bar, without regard to case. Names of ASCII
// alone (most of them) are searched as bytes; others as text.
class TextMatch {
 public:
  explicit TextMatch(const QString& needle);
  bool Empty() const noexcept { return folded_.isEmpty(); }
  bool In(std::string_view name) const;
  // Whether every name this matches is matched by `wider` too (its needle stands in this one's):
  // then only the names `wider` matched need be searched again.
  bool Narrows(const TextMatch& wider) const;

 private:
  QString folded_;          // the needle, case folded
  std::string asciiLower_;  // the same in bytes, when it is ASCII
  bool ascii_ = false;
};

namespace row_order_detail {

struct Keyed {
  NaturalKey key;
  std::uint32_t row;
  std::uint32_t from;  // where the name's next key begins
};

template <class Text>
void SortRun(Keyed* first, Keyed* last, const Text& text, bool ascending) {
  std::sort(first, last, [ascending](const Keyed& a, const Keyed& b) {
    if (a.key != b.key) return ascending ? a.key < b.key : b.key < a.key;
    return a.row < b.row;
  });
  for (Keyed* run = first; run != last;) {
    Keyed* end = run + 1;
    while (end != last && end->key == run->key) ++end;
    if (end - run > 1) {
      // Names the same from here on (one file listed twice, or a name many folders hold) are
      // alike: no more keys are needed for them.
      const std::string_view head = text(run->row).substr(run->from);
      if (std::all_of(run + 1, end, [&](const Keyed& other) {
            const std::string_view name = text(other.row);
            return other.from <= name.size() && name.substr(other.from) == head;
          })) {
        run = end;
        continue;
      }
      bool more = false;
      for (Keyed* at = run; at != end; ++at) {
        const std::string_view name = text(at->row);
        std::size_t from = at->from;
        more = more || from < name.size();
        at->key = KeyOf(name, from);
        at->from = static_cast<std::uint32_t>(from);
      }
      // Names used up alike stay in the order of their rows, as sorted above.
      if (more) SortRun(run, end, text, ascending);
    }
    run = end;
  }
}

}  // namespace row_order_detail

template <class Text>
void SortNatural(std::vector<std::uint32_t>& rows, const Text& text, bool ascending) {
  std::vector<row_order_detail::Keyed> keyed;
  keyed.reserve(rows.size());
  for (const std::uint32_t row : rows) {
    std::size_t from = 0;
    const NaturalKey key = KeyOf(text(row), from);
    keyed.push_back({key, row, static_cast<std::uint32_t>(from)});
  }
  row_order_detail::SortRun(keyed.data(), keyed.data() + keyed.size(), text, ascending);
  for (std::size_t i = 0; i < rows.size(); ++i) rows[i] = keyed[i].row;
}

}  // namespace vornick::gui
