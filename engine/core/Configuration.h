#ifndef KS_CONFIGURATION_H
#define KS_CONFIGURATION_H

#include <string>

namespace ks {

/// Name of the optional configuration file, looked for in the working directory.
const std::string CONFIG_FILENAME = "ks-config.txt";

/// Every engine setting, with its default until loadConfig() applies the configuration file.
class Configuration {
public:
  /// The one configuration, created on first use with the defaults.
  static Configuration &getInstance();

  /// Reads the configuration file: its lines joined, without comment ("#...") and empty lines,
  /// each without a trailing "\r". "" if the file cannot be opened.
  std::string readConfig() const;

  /// Parses `config` (comma-separated key:value items) and applies every known, non-empty
  /// value.
  void loadConfig(std::string config);

  /// Writes the configuration summary to the log (level 1).
  void print() const;

  /// The configuration text last given to loadConfig().
  std::string getConfig() const { return config; }
  /// Window width in pixels (default 1024).
  int getWindowHorizontalPixels() const { return window_horizontal_pixels; }
  /// Sets the window width in pixels.
  void setWindowHorizontalPixels(int v) { window_horizontal_pixels = v; }
  /// Window height in pixels (default 768).
  int getWindowVerticalPixels() const { return window_vertical_pixels; }
  /// Sets the window height in pixels.
  void setWindowVerticalPixels(int v) { window_vertical_pixels = v; }
  /// Window width in character cells (default 80).
  int getWindowHorizontalChars() const { return window_horizontal_chars; }
  /// Sets the window width in character cells.
  void setWindowHorizontalChars(int v) { window_horizontal_chars = v; }
  /// Window height in character cells (default 24).
  int getWindowVerticalChars() const { return window_vertical_chars; }
  /// Sets the window height in character cells.
  void setWindowVerticalChars(int v) { window_vertical_chars = v; }
  /// SFML window style flags: 5 (title bar and close button, the default) or 8 (fullscreen).
  int getWindowStyle() const { return window_style; }
  /// Sets the SFML window style flags.
  void setWindowStyle(int v) { window_style = v; }
  /// Background colour, a Color value (default BLACK).
  int getWindowBackgroundColor() const { return window_background_color; }
  /// Sets the background colour (a Color value).
  void setWindowBackgroundColor(int v) { window_background_color = v; }
  /// Milliseconds per game loop step (default 33).
  int getFrameTime() const { return frame_time; }
  /// Sets the milliseconds per game loop step.
  void setFrameTime(int v) { frame_time = v; }
  /// Character size relative to the smaller side of a cell (default 2).
  float getFontScale() const { return font_scale; }
  /// Sets the character size relative to the smaller side of a cell.
  void setFontScale(float v) { font_scale = v; }
  /// Window title (default "Kestle").
  std::string getWindowTitle() const { return window_title; }
  /// Sets the window title.
  void setWindowTitle(std::string v) { window_title = v; }
  /// True if the system mouse pointer shows over the window (default false).
  bool getShowMouse() const { return show_mouse; }
  /// Shows or hides the system mouse pointer over the window.
  void setShowMouse(bool v) { show_mouse = v; }
  /// True to run without window and input (default false).
  bool getHeadless() const { return headless; }
  /// Runs without window and input when true.
  void setHeadless(bool v) { headless = v; }
  /// How frames are shown: "window" (the default), "terminal" (the one the program runs in) or
  /// "text" (no window).
  std::string getDisplay() const { return display; }
  /// Sets how frames are shown ("window", "terminal" or "text").
  void setDisplay(std::string v) { display = v; }
  /// File to record the run's input to ("": none).
  std::string getRecordFile() const { return record_file; }
  /// Sets the file to record input to ("": none).
  void setRecordFile(std::string v) { record_file = v; }
  /// Recording to replay instead of reading input ("": none).
  std::string getReplayFile() const { return replay_file; }
  /// Sets the recording to replay ("": none).
  void setReplayFile(std::string v) { replay_file = v; }
  /// Highest level of the levelled log messages that are written (0: only the unlevelled).
  int getLogLevel() const { return log_level; }
  /// Sets the log level applied at start-up.
  void setLogLevel(int v) { log_level = v; }
  /// File to write every presented frame to as text ("": none).
  std::string getFrameLog() const { return frame_log; }
  /// Sets the file to write every presented frame to ("": none).
  void setFrameLog(std::string v) { frame_log = v; }
  /// Path search plies per step while recording or replaying (instead of a time budget).
  int getPathPlies() const { return path_plies; }
  /// Sets the path search plies per step while recording or replaying.
  void setPathPlies(int v) { path_plies = v; }

  /// Settings given by the program itself (its command line, say), in the file's key:value
  /// form; start-up applies them over the file's.
  std::string getOverrides() const { return overrides; }
  /// Sets the settings applied over the file's at start-up.
  void setOverrides(std::string v) { overrides = v; }

  /// Font file name (default "ks-font.ttf").
  std::string getFontFile() const { return font_file; }
  /// Sets the font file name.
  void setFontFile(std::string v) { font_file = v; }
  /// Log file name (default "kestle.log").
  std::string getLogFile() const { return logfile; }
  /// Sets the log file name, used by the next log start-up.
  void setLogFile(std::string v) { logfile = v; }
  /// Seed of the random number generator; 0 seeds from the clock (default 0).
  int getRandomSeed() const { return random_seed; }
  /// Sets the random seed; 0 seeds from the clock.
  void setRandomSeed(int v) { random_seed = v; }

  /// Puts every setting back to its default (for programs that configure themselves twice).
  void reset();

private:
  Configuration();
  Configuration(const Configuration &) = delete;
  Configuration &operator=(const Configuration &) = delete;

  std::string config;           ///< the configuration text last given to loadConfig()
  int window_horizontal_pixels; ///< window width in pixels
  int window_vertical_pixels;   ///< window height in pixels
  int window_horizontal_chars;  ///< window width in character cells
  int window_vertical_chars;    ///< window height in character cells
  int window_style;             ///< 5 (title bar and close button) or 8 (full screen)
  int window_background_color;  ///< a Color
  int frame_time;               ///< milliseconds per game loop step
  float font_scale;             ///< character size relative to the smaller cell side
  std::string window_title;     ///< window title
  bool show_mouse;              ///< show the system mouse cursor
  bool headless;                ///< run without window and input
  std::string display;          ///< a display name: "window", "text" or "terminal"
  std::string record_file;      ///< where to record input, "" for nowhere
  std::string replay_file;      ///< recording to replay, "" for none
  int log_level;                ///< the log manager's level at start-up, >= 0
  std::string frame_log;        ///< where to write every presented frame, "" for nowhere
  int path_plies;               ///< path plies per step while recording or replaying, >= 1
  std::string overrides;        ///< settings applied over the file's at start-up
  std::string font_file;        ///< font file name
  std::string logfile;          ///< log file name
  int random_seed;              ///< rand() seed; 0 seeds from the clock
};

} // namespace ks

#endif
