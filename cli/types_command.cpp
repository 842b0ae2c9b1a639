// SPDX-License-Identifier: GPL-3.0-or-later
#include <algorithm>
#include <charconv>
#include <fstream>
#include <iostream>
#include <iterator>
#include <string_view>

#include "cleaning/text_chars.h"
#include "cli/command_line.h"
#include "cli/commands.h"
#include "files/file_types.h"
#include "files/file_types_setting.h"
#include "platform/settings/qt_settings_store.h"

namespace vornick::cli {
namespace {

constexpr std::string_view kKeys[] = {files::kFileTypesKey, files::kCheckedIndexesKey};

std::string_view Trimmed(std::string_view text) {
  const std::size_t first = text.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r") - first + 1);
}

bool SameIgnoringCase(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (cleaning::ToLower(a[i]) != cleaning::ToLower(b[i])) return false;
  }
  return true;
}

std::vector<std::string_view> Split(std::string_view value) {
  std::vector<std::string_view> pieces;
  for (std::size_t start = 0;;) {
    const std::size_t comma = value.find(',', start);
    pieces.push_back(value.substr(start, comma - start));
    if (comma == std::string_view::npos) return pieces;
    start = comma + 1;
  }
}

// QSettings reads an INI file in silence: these are the lines of the type keys that it does not
// read as they seem to be meant. Each warning is "LINE: text".
std::vector<std::string> LineWarnings(std::string_view text) {
  struct KeyLine {
    std::size_t number;
    std::string group;
    std::string_view key, spelt, value;  // the key as written and as it is read
  };
  std::vector<KeyLine> lines;
  std::string group;
  std::size_t number = 0;
  for (std::size_t start = 0; start < text.size();) {
    std::size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    const std::string_view line = Trimmed(text.substr(start, end - start));
    start = end + 1;
    ++number;
    if (line.starts_with('[')) {
      group = line.substr(1, line.find(']') - 1);
      continue;
    }
    const std::size_t equals = line.find('=');
    if (line.starts_with(';') || line.starts_with('#') || equals == std::string_view::npos)
      continue;
    const std::string_view key = Trimmed(line.substr(0, equals));
    for (const std::string_view spelt : kKeys) {
      if (SameIgnoringCase(key, spelt))
        lines.push_back({number, group, key, spelt, line.substr(equals + 1)});
    }
  }

  const auto isRead = [&lines](std::string_view key) {
    return std::any_of(lines.begin(), lines.end(), [key](const KeyLine& line) {
      return line.group == files::kSettingsSection && line.key == key;
    });
  };
  std::vector<std::string> warnings;
  for (const KeyLine& line : lines) {
    const std::string where = std::to_string(line.number) + ": \"" + std::string(line.key) + "\" ";
    if (line.group != files::kSettingsSection) {
      if (!isRead(line.spelt))
        warnings.push_back(where + "is not read: only the [" + files::kSettingsSection +
                           "] group is");
    } else if (line.key != line.spelt) {
      warnings.push_back(where + "is not read: the key is spelt \"" + std::string(line.spelt) +
                         "\"");
    } else {
      bool quoted = false;
      for (const char c : line.value) {
        if (c == '"') quoted = !quoted;
        if (c == ';' && !quoted) {
          warnings.push_back(where + "is read up to its ';', which starts a comment; separate " +
                             "entries with commas");
          break;
        }
      }
    }
  }
  return warnings;
}

// The values as read that cannot be meant: a type with its dot, a position past the types.
std::vector<std::string> ValueWarnings(platform::SettingsStore& settings) {
  const auto get = [&settings](std::string_view key) {
    return settings.GetSetting(files::kSettingsApplication, files::kSettingsSection,
                               std::string(key));
  };
  std::vector<std::string> warnings;
  const std::string types = get(kKeys[0]);
  const std::vector<std::string_view> names = Split(types);
  for (const std::string_view name : names) {
    if (name.starts_with('.'))
      warnings.push_back("the type \"" + std::string(name) +
                         "\" begins with a dot, so it matches no ordinary file name; write it " +
                         "without");
  }
  const std::string checked = get(kKeys[1]);
  if (checked.empty()) return warnings;
  for (const std::string_view piece : Split(checked)) {
    const std::string_view digits = Trimmed(piece);
    std::size_t index = 0;
    const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), index);
    if (error != std::errc() || end != digits.data() + digits.size()) continue;
    if (index >= names.size()) {
      warnings.push_back("position " + std::to_string(index) + " of \"CheckedIndexes\" is past " +
                         "the " + std::to_string(names.size()) +
                         " types of \"FileTypes\" (counted from 0): it and those after it select "
                         "nothing");
      break;
    }
  }
  return warnings;
}

void Warn(const std::string& file, platform::SettingsStore& settings, Streams& streams) {
  std::ifstream in(file, std::ios::binary);
  if (!in) return;
  const std::string text(std::istreambuf_iterator<char>(in), {});
  for (const std::string& warning : LineWarnings(text))
    streams.err << "vornick-cli: warning: " << file << ':' << warning << '\n';
  for (const std::string& warning : ValueWarnings(settings))
    streams.err << "vornick-cli: warning: " << file << ": " << warning << '\n';
}

int SetTypes(std::span<const std::string> types, Streams& streams) {
  if (types.empty()) return UsageError(kTypesSyntax, "TYPE is missing", streams);
  for (const std::string& type : types) {
    if (const std::string why = files::RefusedFileType(type); !why.empty())
      return UsageError(kTypesSyntax, "the type \"" + type + "\" " + why, streams);
  }
  try {
    files::SetFileTypes(types, &platform::QtSettingsStore::SetLists);
  } catch (const platform::SettingsWriteError& error) {
    streams.err << "vornick-cli: " << error.what() << '\n';
    return kOutputNotWritten;
  }
  return 0;
}

}  // namespace

int RunTypes(std::span<const std::string> args, Streams streams) {
  const Arguments arguments = ParseArguments(kTypesSyntax, args, streams);
  if (arguments.done) return *arguments.done;
  const std::vector<std::string>& operands = arguments.operands;
  if (!operands.empty() && operands.front() == "set")
    return SetTypes(std::span(operands).subspan(1), streams);
  if (!operands.empty())
    return UsageError(kTypesSyntax, "unexpected argument '" + operands.front() + "'", streams);

  platform::QtSettingsStore settings;
  const std::string file = platform::QtSettingsStore::FileName(files::kSettingsApplication);
  try {
    platform::QtSettingsStore::CheckReadable(files::kSettingsApplication);
    Warn(file, settings, streams);
    for (const std::string& type : files::GetFileTypes(settings)) streams.out << type << '\n';
  } catch (const files::FileTypesError& error) {
    streams.err << "vornick-cli: " << file << ": " << error.what() << '\n';
    return 2;
  } catch (const platform::SettingsReadError& error) {
    streams.err << "vornick-cli: " << error.what() << '\n';
    return 2;
  }
  return Finish(streams, 0);
}

}  // namespace vornick::cli
