// Local paths from the text/uri-list of a drop, as exact bytes.
#include "platform/qt/uri_list.h"

#include <gtest/gtest.h>

namespace vornick::platform::qt {
namespace {

using Paths = std::vector<std::string>;

TEST(UriList, GivesTheBytesTheUriNames) {
  const std::pair<const char*, Paths> cases[] = {
      {"file:///music/a%20b.mp3", {"/music/a b.mp3"}},
      {"file://localhost/music/x.mp3", {"/music/x.mp3"}},
      {"file:///music/caf%E9.mp3", {"/music/caf\xE9.mp3"}},  // not UTF-8
      {"file:///music/caf%C3%A9.mp3", {"/music/caf\xC3\xA9.mp3"}},
      {"file:///music/caf\xE9.mp3", {"/music/caf\xE9.mp3"}},  // unescaped
      {"file:///music/caf\xC3\xA9 x.mp3", {"/music/caf\xC3\xA9 x.mp3"}},
      {"file:///music/100%25%3F%23.mp3", {"/music/100%?#.mp3"}},
      {"file:///music/Live/", {"/music/Live/"}},
      // Passed over.
      {"file://elsewhere.example/music/x.mp3", {}},
      {"https://example.org/x.mp3", {}},
      {"# file:///music/x.mp3", {}},
      {"file://", {}},
      {"not a uri at all", {}},
      // The order kept, bare line feeds taken.
      {"file:///b.mp3\n\nfile:///a/\r\nfile:///c.mp3", {"/b.mp3", "/a/", "/c.mp3"}},
  };
  for (const auto& [uri, paths] : cases)
    EXPECT_EQ(LocalPathsFromUriList(QByteArray(uri) + "\r\n"), paths) << uri;
}

}  // namespace
}  // namespace vornick::platform::qt
