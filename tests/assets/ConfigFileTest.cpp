// The shipped settings file: every key on a line of its own, with its default.
#include <gtest/gtest.h>

#include "Configuration.h"
#include "LogManager.h"
#include "TestSupport.h"

TEST(ShippedConfiguration, NamesEveryKeyWithItsDefaultOnALineOfItsOwn) {
  std::string settings, text;
  for (const std::string &line :
       kstest::readLines(std::string(KS_GAME_DATA_DIR) + "/ks-config.txt"))
    if (!line.empty() && line[0] != '#') {
      settings += line + "\n";
      text += line;
    }
  // A missing comma would join two settings into one item; a DOS line end would show as "\r".
  EXPECT_EQ("window_horizontal_pixels:1024,\nwindow_vertical_pixels:768,\n"
            "window_horizontal_chars:80,\nwindow_vertical_chars:24,\nwindow_style:default,\n"
            "window_background_color:black,\nframe_time:33,\nfont_scale:2.0,\n"
            "window_title:Kestle,\nshow_mouse:false,\nheadless:false,\nfont_file:ks-font.ttf,\n"
            "logfile:kestle.log,\nrandom_seed:0,\ndisplay:window,\nrecord_file:,\n"
            "replay_file:,\nframe_log:,\nlog_level:0,\npath_plies:100\n",
            settings);

  // Loaded, it changes nothing: the summary is the one of the built-in defaults.
  std::string log = kstest::startLog("log");
  ks::LogManager::getInstance().setLogLevel(1);
  ks::Configuration &config = ks::Configuration::getInstance();
  config.reset();
  config.setLogFile("kestle.log");
  config.print();
  config.loadConfig(text);
  config.print();
  std::vector<std::string> printed = kstest::logMessages(log);
  ASSERT_EQ(0u, printed.size() % 2);
  EXPECT_EQ(std::vector<std::string>(printed.begin(), printed.begin() + printed.size() / 2),
            std::vector<std::string>(printed.begin() + printed.size() / 2, printed.end()));
  ks::LogManager::getInstance().setLogLevel(0);
  config.reset();
}
