// Local paths from the text/uri-list of a drop, as exact bytes.
#include <gtest/gtest.h>

#include <ostream>

#include "platform/qt/uri_list.h"

namespace vornick::platform::qt {
namespace {

struct UriCase {
  const char* uri;
  const char* path;  // nullptr: passed over
};

// Test names show the URI, bytes outside printable ASCII as \xNN.
void PrintTo(const UriCase& c, std::ostream* out) {
  for (const char* p = c.uri; *p != '\0'; ++p) {
    const auto byte = static_cast<unsigned char>(*p);
    if (byte > 0x20 && byte < 0x7F) {
      *out << *p;
    } else {
      *out << "\\x" << std::hex << static_cast<int>(byte) << std::dec;
    }
  }
}

class UriListTest : public ::testing::TestWithParam<UriCase> {};

TEST_P(UriListTest, GivesTheBytesTheUriNames) {
  const UriCase& c = GetParam();
  const std::vector<std::string> paths = LocalPathsFromUriList(QByteArray(c.uri) + "\r\n");
  if (c.path == nullptr) {
    EXPECT_TRUE(paths.empty());
  } else {
    EXPECT_EQ(paths, std::vector<std::string>{c.path});
  }
}

INSTANTIATE_TEST_SUITE_P(
    Uris, UriListTest,
    ::testing::Values(UriCase{"file:///music/a%20b.mp3", "/music/a b.mp3"},
                      UriCase{"file://localhost/music/x.mp3", "/music/x.mp3"},
                      UriCase{"file:///music/caf%E9.mp3", "/music/caf\xE9.mp3"},  // not UTF-8
                      UriCase{"file:///music/caf%C3%A9.mp3", "/music/caf\xC3\xA9.mp3"},
                      UriCase{"file:///music/caf\xE9.mp3", "/music/caf\xE9.mp3"},  // unescaped
                      UriCase{"file:///music/caf\xC3\xA9 x.mp3", "/music/caf\xC3\xA9 x.mp3"},
                      UriCase{"file:///music/100%25%3F%23.mp3", "/music/100%?#.mp3"},
                      UriCase{"file:///music/Live/", "/music/Live/"},
                      UriCase{"file://elsewhere.example/music/x.mp3", nullptr},
                      UriCase{"https://example.org/x.mp3", nullptr},
                      UriCase{"# file:///music/x.mp3", nullptr}, UriCase{"file://", nullptr},
                      UriCase{"not a uri at all", nullptr}));

TEST(UriList, KeepsTheOrderAndTakesBareLineFeeds) {
  EXPECT_EQ(LocalPathsFromUriList("file:///b.mp3\n\nfile:///a/\r\nfile:///c.mp3"),
            (std::vector<std::string>{"/b.mp3", "/a/", "/c.mp3"}));
}

}  // namespace
}  // namespace vornick::platform::qt
