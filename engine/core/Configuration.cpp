#include "Configuration.h"

#include <climits>
#include <cstdlib>
#include <fstream>

#include "Color.h"
#include "LogManager.h"
#include "match.h"
#include "utility.h"

namespace ks {

namespace {

const int STYLE_DEFAULT = 5;
const int STYLE_FULLSCREEN = 8;

/// The value of `key` in the last parsed configuration text ("" when absent or empty).
std::string lookUp(const char *key) {
  return match("", key);
}

} // namespace

Configuration::Configuration() {
  reset();
}

Configuration &Configuration::getInstance() {
  static Configuration configuration;
  return configuration;
}

void Configuration::reset() {
  config = "";
  window_horizontal_pixels = 1024;
  window_vertical_pixels = 768;
  window_horizontal_chars = 80;
  window_vertical_chars = 24;
  window_style = STYLE_DEFAULT;
  window_background_color = BLACK;
  frame_time = 33;
  font_scale = 2.0f;
  window_title = "Kestle";
  show_mouse = false;
  headless = false;
  display = "window";
  record_file = "";
  replay_file = "";
  frame_log = "";
  log_level = 0;
  path_plies = 100;
  overrides = "";
  font_file = "ks-font.ttf";
  logfile = "kestle.log";
  random_seed = 0;
}

std::string Configuration::readConfig() const {
  std::ifstream file(CONFIG_FILENAME);
  if (!file.is_open()) {
    LogManager::getInstance().writeLog(
        1, "readConfig(): Cannot open Kestle configuration file '%s'.", CONFIG_FILENAME.c_str());
    return "";
  }
  std::string result, line;
  while (std::getline(file, line)) {
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    if (line.empty() || line[0] == '#')
      continue;
    result += line;
  }
  return result;
}

void Configuration::loadConfig(std::string new_config) {
  config = new_config;
  // match("") would answer from whatever text was parsed last; an empty configuration (no file)
  // must change nothing.
  if (config.empty())
    return;
  match(config, "");
  const LogManager &log_manager = LogManager::getInstance();

  std::string value;
  if (!(value = lookUp("frame_time")).empty())
    frame_time = textToInt(value);
  if (!(value = lookUp("font_scale")).empty())
    font_scale = textToFloat(value);
  if (!(value = lookUp("window_horizontal_pixels")).empty())
    window_horizontal_pixels = textToInt(value);
  if (!(value = lookUp("window_vertical_pixels")).empty())
    window_vertical_pixels = textToInt(value);
  if (!(value = lookUp("window_horizontal_chars")).empty())
    window_horizontal_chars = textToInt(value);
  if (!(value = lookUp("window_vertical_chars")).empty())
    window_vertical_chars = textToInt(value);
  if (!(value = lookUp("window_background_color")).empty()) {
    Color color;
    if (colorFromName(value, &color) == 0)
      window_background_color = color;
    else
      log_manager.writeLog("loadConfig(): Unsupported window color '%s'", value.c_str());
  }
  if (!(value = lookUp("window_style")).empty()) {
    if (value == "fullscreen")
      window_style = STYLE_FULLSCREEN;
    else if (value == "default")
      window_style = STYLE_DEFAULT;
    else
      log_manager.writeLog("loadConfig(): Unsupported window style '%s'", value.c_str());
  }
  if (!(value = lookUp("window_title")).empty())
    window_title = value;
  if (!(value = lookUp("show_mouse")).empty())
    show_mouse = value == "true";
  if (!(value = lookUp("headless")).empty())
    headless = value == "true";
  if (!(value = lookUp("display")).empty()) {
    if (value == "window" || value == "text" || value == "terminal")
      display = value;
    else
      log_manager.writeLog("loadConfig(): Unsupported display '%s'", value.c_str());
  }
  if (!(value = lookUp("record_file")).empty())
    record_file = value;
  if (!(value = lookUp("replay_file")).empty())
    replay_file = value;
  if (!(value = lookUp("log_level")).empty()) {
    int level = textToInt(value);
    if (level >= 0)
      log_level = level;
    else
      log_manager.writeLog("loadConfig(): Unsupported log level '%s'", value.c_str());
  }
  if (!(value = lookUp("frame_log")).empty())
    frame_log = value;
  if (!(value = lookUp("path_plies")).empty()) {
    int plies = textToInt(value);
    if (plies >= 1)
      path_plies = plies;
    else
      log_manager.writeLog("loadConfig(): Unsupported path plies '%s'", value.c_str());
  }
  if (!(value = lookUp("font_file")).empty())
    font_file = value;
  if (!(value = lookUp("logfile")).empty())
    logfile = value;
  if (!(value = lookUp("random_seed")).empty())
    random_seed = textToInt(value);
}

void Configuration::print() const {
  const LogManager &lm = LogManager::getInstance();
  lm.writeLog(1, "-----------------------------------");
  lm.writeLog(1, "Kestle configuration:");
  lm.writeLog(1, "  Window horizontal pixels: %d", window_horizontal_pixels);
  lm.writeLog(1, "  Window vertical pixels: %d", window_vertical_pixels);
  lm.writeLog(1, "  Window horizontal characters: %d", window_horizontal_chars);
  lm.writeLog(1, "  Window vertical characters: %d", window_vertical_chars);
  lm.writeLog(1, "  Window background color: %d", window_background_color);
  lm.writeLog(1, "  Frame time: %d", frame_time);
  lm.writeLog(1, "  Window style: %s", window_style == STYLE_DEFAULT ? "default" : "fullscreen");
  lm.writeLog(1, "  Window title: %s", window_title.c_str());
  lm.writeLog(1, "  Show mouse: %s", show_mouse ? "true" : "false");
  lm.writeLog(1, "  Headless: %s", headless ? "true" : "false");
  lm.writeLog(1, "  Font file: %s", font_file.c_str());
  lm.writeLog(1, "  Log file: %s", logfile.c_str());
  lm.writeLog(1, "  Random seed: %d", random_seed);
  lm.writeLog(1, "  Display: %s", display.c_str());
  lm.writeLog(1, "  Record file: %s", record_file.c_str());
  lm.writeLog(1, "  Replay file: %s", replay_file.c_str());
  lm.writeLog(1, "  Log level: %d", log_level);
  lm.writeLog(1, "  Frame log: %s", frame_log.c_str());
  lm.writeLog(1, "  Path plies: %d", path_plies);
  lm.writeLog(1, "-----------------------------------");
}

} // namespace ks
