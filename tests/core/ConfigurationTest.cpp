// The configuration file: its format, every setting with its bad values, and the summary; and
// the key:value matcher that parses it.
#include <filesystem>
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "Configuration.h"
#include "LogManager.h"
#include "TestSupport.h"
#include "match.h"

using namespace std::string_literals;
using Lines = std::vector<std::string>;

namespace {

// Each test runs in a scratch folder of its own (the file is read from the working directory)
// with the defaults, its log in a scratch file.
class ConfigurationTest : public testing::Test {
protected:
  void SetUp() override {
    std::filesystem::remove_all(kstest::scratchPath("dir"));
    std::filesystem::create_directories(kstest::scratchPath("dir"));
    std::filesystem::current_path(kstest::scratchPath("dir"));
    config.reset();
    log_path = kstest::startLog("log");
  }
  void TearDown() override {
    lm.shutDown();
    lm.setLogLevel(0);
    config.reset();
    std::filesystem::current_path(old_dir);
  }

  /// Writes `content` as the configuration file and loads it.
  void load(const std::string &content) {
    kstest::writeFile("ks-config.txt", content);
    config.loadConfig(config.readConfig());
  }

  /// The log lines written since the last call.
  Lines newMessages() {
    Lines all = kstest::logMessages(log_path);
    Lines fresh(all.begin() + std::min(seen, all.size()), all.end());
    seen = all.size();
    return fresh;
  }

  /// The summary as print() writes it at level 1.
  Lines summary() {
    newMessages();
    lm.setLogLevel(1);
    config.print();
    lm.setLogLevel(0);
    return newMessages();
  }

  ks::Configuration &config = ks::Configuration::getInstance();
  ks::LogManager &lm = ks::LogManager::getInstance();
  std::filesystem::path old_dir = std::filesystem::current_path();
  std::string log_path;
  size_t seen = 0;
};

/// The summary of settings with `values`, in the order print() writes them.
Lines summaryOf(const Lines &values) {
  std::istringstream labels(
      "Window horizontal pixels|Window vertical pixels|Window horizontal characters|Window "
      "vertical characters|Window background color|Frame time|Window style|Window title|Show "
      "mouse|Headless|Font file|Log file|Random seed|Display|Record file|Replay file|Log "
      "level|Frame log|Path plies");
  Lines lines = {"-----------------------------------", "Kestle configuration:"};
  std::string label;
  for (const std::string &value : values)
    if (std::getline(labels, label, '|'))
      lines.push_back("  " + label + ": " + value);
  lines.push_back(lines[0]);
  return lines;
}

TEST_F(ConfigurationTest, WithoutAFileEverythingKeepsItsDefault) {
  EXPECT_EQ(config.readConfig(), "");
  config.print();
  EXPECT_TRUE(newMessages().empty()); // both at level 1
  lm.setLogLevel(1);
  EXPECT_EQ(config.readConfig(), "");
  EXPECT_EQ(newMessages(),
            Lines{"readConfig(): Cannot open Kestle configuration file 'ks-config.txt'."});
  lm.setLogLevel(0);
  // Text parsed by someone else last (an object, say) must not leak into the settings.
  ks::match("frame_time:5,headless:true", "");
  config.loadConfig(config.readConfig());
  EXPECT_EQ(summary(),
            summaryOf({"1024", "768", "80", "24", "0", "33", "default", "Kestle", "false", "false",
                       "ks-font.ttf", log_path, "0", "window", "", "", "0", "", "100"}));
}

TEST_F(ConfigurationTest, EveryKeyIsAppliedAndSummarized) {
  load("# all of them\nwindow_horizontal_pixels:800,\nwindow_vertical_pixels:600,\n"
       "window_horizontal_chars:100,\nwindow_vertical_chars:30,\nwindow_style:fullscreen,\n"
       "window_background_color:cyan,\nframe_time:16,\r\nfont_scale:1.5,\nwindow_title:Cave,\n"
       "show_mouse:true,\nheadless:true,\nfont_file:fonts/mono.ttf,\nlogfile:run.log,\n"
       "random_seed:-9,\ndisplay:text,\nrecord_file:in.rec,\nreplay_file:out.rec,\n"
       "log_level:4,\nframe_log:frames.txt,\npath_plies:7\n");
  EXPECT_FLOAT_EQ(config.getFontScale(), 1.5f);
  EXPECT_EQ(config.getConfig().find('\r'), std::string::npos); // DOS line ends read too
  EXPECT_EQ(summary(), summaryOf({"800", "600", "100", "30", "6", "16", "fullscreen", "Cave",
                                  "true", "true", "fonts/mono.ttf", "run.log", "-9", "text",
                                  "in.rec", "out.rec", "4", "frames.txt", "7"}));
}

TEST_F(ConfigurationTest, LinesAreJoinedAndValuesReadLikeAtoiOrRefusedWithAMessage) {
  // Files loaded in turn, so that a refused value keeps the one before it.
  const struct {
    std::string file;
    const char *line, *message;
  } cases[] = {
      {"frame_time:16\nheadless:true\n", "  Headless: false", nullptr}, // frame_time 16headless
      {"# glued on if kept\r\n\r\nframe_time:17,\r\n", "  Frame time: 17", nullptr},
      {"window_title: Deep  Cave ,\n\tframe_time : 20 ,", "  Window title: DeepCave", nullptr},
      {"frame_time:,window_title,Frame_Time:5,unknown:7,font_file:", "  Frame time: 20", nullptr},
      {"\x01\xff:\x7f::,\nframe_time:19,\n", "  Frame time: 19", nullptr},
      {"window_background_color:Yellow,", "  Window background color: 0",
       "loadConfig(): Unsupported window color 'Yellow'"},
      {"window_style:fullscreen,", "  Window style: fullscreen", nullptr},
      {"window_style:Default,", "  Window style: fullscreen",
       "loadConfig(): Unsupported window style 'Default'"},
      {"window_style:default,", "  Window style: default", nullptr},
      {"display:Window,", "  Display: window", "loadConfig(): Unsupported display 'Window'"},
      {"display:window,", "  Display: window", nullptr},
      {"log_level:-1,", "  Log level: 0", "loadConfig(): Unsupported log level '-1'"},
      {"path_plies:0,", "  Path plies: 100", "loadConfig(): Unsupported path plies '0'"},
      {"show_mouse:TRUE,", "  Show mouse: false", nullptr},
      {"frame_time:99999999999,", "  Frame time: 2147483647", nullptr},
  };
  for (const auto &c : cases) {
    SCOPED_TRACE(c.file);
    load(c.file);
    EXPECT_EQ(newMessages(), c.message != nullptr ? Lines{c.message} : Lines{});
    Lines lines = summary();
    EXPECT_NE(std::find(lines.begin(), lines.end(), c.line), lines.end());
  }
}

TEST(MatchTest, ParsesOnceAndLooksUpInTheLastParse) {
  // An empty text looks up in the last parse.
  const struct {
    std::string text, find, expected;
  } cases[] = {
      {"a:1, b:2", "b", "2"},
      {"", "a", "1"},
      {"", "A", ""}, // case-sensitive
      {"alone,k:v:w,:v,key:,x::y", "alone", ""},
      {"", "k", "v"},
      {"", "v", ""},  // leading colons are skipped: v is a key
      {"", "x", "y"}, // repeated colons count as one
      {"a:1,,b:2", "b", "2"},
      {"a:1,::,b:2", "a", "1"}, // an item of colons ends the parse
      {"", "b", ""},
      {"a:1,a:2", "a", "1"}, // the first of a repeated key wins
      {"c:3", "a", ""},      // a new parse replaces the tables
      {"", "c", "3"},
      {" \t\n\r\v\f", "c", ""}, // white space alone is a parse that leaves no items
      {" k e y : v\ta\nl\r\v\f , x:1", "key", "val"},
      {"a:1,b:2\0,c:3"s, "b", "2"}, // the text ends at a NUL byte
      {"", "c", ""},
      {"\xe9t\xe9:\xff\xa0,", "\xe9t\xe9", "\xff\xa0"},
      {std::string(20000, ','), "a", ""},
  };
  for (const auto &c : cases)
    EXPECT_EQ(ks::match(c.text, c.find), c.expected) << "'" << c.text << "' " << c.find;
}

} // namespace
