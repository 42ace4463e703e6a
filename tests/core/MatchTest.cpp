// The key:value matcher: a parse, then look-ups in its tables.
#include <string>

#include <gtest/gtest.h>

#include "LogManager.h"
#include "TestSupport.h"
#include "match.h"

using namespace std::string_literals;

namespace {

TEST(MatchTest, ParsesOnceAndLooksUpInTheLastParse) {
  // An empty text looks up in the tables of the last non-empty one.
  const struct {
    std::string text, find, expected;
  } cases[] = {
      {"a:1, b:2", "b", "2"},
      {"", "a", "1"},
      {"", "A", ""}, // case-sensitive
      {"", "c", ""},
      {"alone,k:v:w,:v,key:,x::y", "alone", ""},
      {"", "k", "v"},
      {"", "w", ""},
      {"", "v", ""}, // leading colons are skipped: v is a key
      {"", "key", ""},
      {"", "x", "y"}, // repeated colons count as one
      {"a:1,,b:2", "b", "2"},
      {"a:1,::,b:2", "a", "1"}, // an item of colons ends the parse
      {"", "b", ""},
      {"a:1,a:2", "a", "1"}, // the first of a repeated key wins
      {"a:1", "", ""},
      {"c:3", "a", ""}, // a new parse replaces the tables
      {"", "c", "3"},
      {" \t\n\r\v\f", "c", ""}, // white space alone is a parse that leaves no items
      {" k e y : v\ta\nl\r\v\f , x:1", "key", "val"},
      {"a:1,b:2\0,c:3"s, "b", "2"}, // the text ends at a NUL byte
      {"", "c", ""},
      {"\xe9t\xe9:\xff\xa0,", "\xe9t\xe9", "\xff\xa0"},
      {",,,", "", ""},
      {":,", "zz", ""},
      {",:,:,", "zz", ""},
      {"::a", "a", ""}, // key a, no value
      {std::string(20000, ','), "a", ""},
      {std::string(20000, ':'), "a", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ks::match(c.text, c.find), c.expected) << "'" << c.text << "' " << c.find;

  std::string text;
  for (int i = 0; i < 5000; i++)
    text += "k" + std::to_string(i) + ":" + std::to_string(i * 2) + ",";
  EXPECT_EQ(ks::match(text, "k4999"), "9998");
  EXPECT_EQ(ks::match("", "k0"), "0");
  EXPECT_EQ(ks::match("", "k5000"), "");
}

TEST(MatchTest, TracesFromLevelFifteenOnly) {
  std::string log = kstest::startLog("log");
  ks::LogManager &lm = ks::LogManager::getInstance();
  ks::match("a:1,b:2", "b");
  EXPECT_TRUE(kstest::logMessages(log).empty());
  lm.setLogLevel(15);
  ks::match("a:1,,b:2", "b");
  std::vector<std::string> lines = kstest::logMessages(log);
  lm.setLogLevel(0);
  lm.shutDown();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines.front(), "match(\"a:1,,b:2\", \"b\")");
  EXPECT_EQ(lines.back(), "match(): Looking for match 'b' among 2 items.");
}

} // namespace
