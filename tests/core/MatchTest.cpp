#include <string>

#include <gtest/gtest.h>

#include "LogManager.h"
#include "TestSupport.h"
#include "match.h"

using namespace std::string_literals;

namespace {

class MatchTest : public testing::Test {
protected:
  void SetUp() override { log_path = kstest::startLog("log"); }
  void TearDown() override {
    ks::LogManager::getInstance().setLogLevel(0);
    ks::LogManager::getInstance().shutDown();
  }

  /// Log lines written from here on.
  std::vector<std::string> newMessages() {
    std::vector<std::string> all = kstest::logMessages(log_path);
    std::vector<std::string> fresh(all.begin() + seen, all.end());
    seen = all.size();
    return fresh;
  }

  std::string log_path;
  size_t seen = 0;
};

TEST_F(MatchTest, LookUpBeforeAnyParseFindsNothing) {
  testing::FLAGS_gtest_death_test_style = "threadsafe";
  // A fresh process, so the tables are still empty.
  EXPECT_EXIT(exit(ks::match("", "") == "" && ks::match("", "a") == "" ? 0 : 1),
              testing::ExitedWithCode(0), "");
}

TEST_F(MatchTest, ParseThenLookUp) {
  EXPECT_EQ(ks::match("a:1, b:2", "b"), "2");
  EXPECT_EQ(ks::match("", "a"), "1");
  EXPECT_EQ(ks::match("", "b"), "2");
  EXPECT_EQ(ks::match("", "c"), "");
  EXPECT_EQ(ks::match("", "A"), ""); // case-sensitive
}

TEST_F(MatchTest, ItemShapes) {
  ks::match("alone,k:v:w,:v,key:,x::y", "");
  EXPECT_EQ(ks::match("", "alone"), "");
  EXPECT_EQ(ks::match("", "k"), "v");
  EXPECT_EQ(ks::match("", "v"), ""); // ":v": leading colons are skipped, v is the key
  EXPECT_EQ(ks::match("", "key"), "");
  EXPECT_EQ(ks::match("", "x"), "y"); // repeated colons count as one
  EXPECT_EQ(ks::match("", "w"), "");
}

TEST_F(MatchTest, EmptyItemsAreSkipped) {
  ks::LogManager::getInstance().setLogLevel(15);
  newMessages();
  EXPECT_EQ(ks::match("a:1,,b:2", "b"), "2");
  std::vector<std::string> lines = newMessages();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[0], "match(\"a:1,,b:2\", \"b\")");
  EXPECT_EQ(lines[1], "match(): number of elements allocated is 3");
  EXPECT_EQ(lines.back(), "match(): Looking for match 'b' among 2 items.");
}

TEST_F(MatchTest, ItemOfColonsEndsTheParse) {
  ks::match("a:1,::,b:2", "");
  EXPECT_EQ(ks::match("", "a"), "1");
  EXPECT_EQ(ks::match("", "b"), "");
}

TEST_F(MatchTest, FirstOfARepeatedKeyWins) {
  EXPECT_EQ(ks::match("a:1,a:2", "a"), "1");
}

TEST_F(MatchTest, EmptyKeyOnlyFromParsingCall) {
  // The parsing call's result is "" unless some item has an empty key, which can't happen.
  EXPECT_EQ(ks::match("a:1", ""), "");
  EXPECT_EQ(ks::match(",,,", ""), "");
}

TEST_F(MatchTest, NewParseReplacesTables) {
  ks::match("a:1,b:2", "");
  ks::match("c:3", "");
  EXPECT_EQ(ks::match("", "a"), "");
  EXPECT_EQ(ks::match("", "c"), "3");
  // A string of white space alone is non-empty: it is parsed and leaves no items.
  ks::match(" \t\n\r\v\f", "");
  EXPECT_EQ(ks::match("", "c"), "");
}

TEST_F(MatchTest, EveryWhiteSpaceCharacterIsRemoved) {
  EXPECT_EQ(ks::match(" k e y : v\ta\nl\r\v\f , x:1", "key"), "val");
}

TEST_F(MatchTest, DegenerateInputs) {
  ks::LogManager::getInstance().setLogLevel(15);
  const char *inputs[] = {",", ",,,,,,", ":", ":::::", ",:,:,", ":,", "a", "a,", ",a", "::a"};
  for (const char *input : inputs)
    EXPECT_EQ(ks::match(input, "zz"), "") << input;
  ks::match(",,,,,,", "");
  EXPECT_TRUE(kstest::logContains(log_path, "match(): number of elements allocated is 7"));
  EXPECT_EQ(ks::match("", "a"), "");
  EXPECT_EQ(ks::match("::a", "a"), ""); // key a, no value
  EXPECT_EQ(ks::match("", "a"), "");
}

TEST_F(MatchTest, ThousandsOfItems) {
  std::string text;
  for (int i = 0; i < 5000; i++)
    text += "k" + std::to_string(i) + ":" + std::to_string(i * 2) + ",";
  EXPECT_EQ(ks::match(text, "k4999"), "9998");
  EXPECT_EQ(ks::match("", "k0"), "0");
  EXPECT_EQ(ks::match("", "k2500"), "5000");
  EXPECT_EQ(ks::match("", "k5000"), "");
  EXPECT_EQ(ks::match(std::string(20000, ','), "k0"), "");
  EXPECT_EQ(ks::match(std::string(20000, ':'), "k0"), "");
}

TEST_F(MatchTest, NulByteEndsTheParsedText) {
  ks::LogManager::getInstance().setLogLevel(15);
  newMessages();
  EXPECT_EQ(ks::match("a:1,b:2\0,c:3"s, "a"), "1");
  EXPECT_EQ(ks::match("", "b"), "2");
  EXPECT_EQ(ks::match("", "c"), "");
  std::vector<std::string> lines = newMessages();
  ASSERT_GE(lines.size(), 2u);
  EXPECT_EQ(lines[1], "match(): number of elements allocated is 3");
}

TEST_F(MatchTest, HighBytesAreOrdinaryCharacters) {
  EXPECT_EQ(ks::match("\xe9t\xe9:\xff\xa0,", "\xe9t\xe9"), "\xff\xa0");
}

TEST_F(MatchTest, TraceAtLevelFifteen) {
  ks::LogManager::getInstance().setLogLevel(15);
  newMessages();
  ks::match("a:1, b:2", "b");
  EXPECT_EQ(newMessages(),
            (std::vector<std::string>{
                "match(\"a:1, b:2\", \"b\")", "match(): number of elements allocated is 2",
                "\titem number 0", "\tkey a", "\tval 1", "\titem number 1", "\tkey b", "\tval 2",
                "match(): parsed.", "match(): Looking for match 'b' among 2 items."}));
  ks::match("", "zz");
  EXPECT_EQ(newMessages(),
            (std::vector<std::string>{"match(\"\", \"zz\")",
                                      "match(): Looking for match 'zz' among 2 items."}));
}

TEST_F(MatchTest, TraceAtLevelSeventeen) {
  ks::LogManager::getInstance().setLogLevel(17);
  newMessages();
  ks::match("a:1,b:2", "b");
  std::vector<std::string> lines = newMessages();
  ASSERT_EQ(lines.size(), 18u);
  EXPECT_EQ(lines[2], "\titem number 0");
  EXPECT_EQ(lines[3].rfind("\tp_element is 'a:1' (", 0), 0u) << lines[3];
  EXPECT_EQ(lines[4].rfind("\ttoken is 'a' (", 0), 0u) << lines[4];
  EXPECT_EQ(lines[5], "\tkey a");
  EXPECT_EQ(lines[6], "\tval 1");
  EXPECT_EQ(lines[12], "match(): parsed.");
  EXPECT_EQ(lines[13], "\t0  a : 1");
  EXPECT_EQ(lines[14], "\t1  b : 2");
  EXPECT_EQ(lines[15], "match(): Looking for match 'b' among 2 items.");
  EXPECT_EQ(lines[16], "match(): 0: a == b?");
  EXPECT_EQ(lines[17], "match(): 1: b == b?");
}

TEST_F(MatchTest, SilentAtDefaultLevel) {
  ks::match("a:1,b:2", "b");
  ks::match("", "a");
  EXPECT_TRUE(kstest::logMessages(log_path).empty());
}

} // namespace
