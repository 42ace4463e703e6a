#include "GameOptions.h"

#include <climits>
#include <cstdlib>
#include <vector>

namespace {

/// `path` made absolute (the game runs in its own folder), or "" if it can't be expressed as
/// a configuration value (which stops at commas and drops blanks).
std::string settingPath(const std::string &path) {
  if (path.empty() || path.find_first_of(", \t:") != std::string::npos)
    return "";
  char resolved[PATH_MAX];
  if (path[0] != '/' && realpath(".", resolved) != nullptr)
    return std::string(resolved) + "/" + path;
  return path;
}

} // namespace

const char *GameOptions::usage() {
  return "Usage: kestle-game [options]\n"
         "  --record FILE       record the run's input to FILE\n"
         "  --replay FILE       play the input recorded in FILE instead of reading any\n"
         "  --text              with --replay: no window, frames kept as text, full speed\n"
         "  --terminal          play in this terminal instead of a window (with --replay:\n"
         "                      watch the recording there at its speed)\n"
         "  --final-frame FILE  when the game ends, write its last frame to FILE as text\n"
         "  --frame-log FILE    write every frame to FILE as text\n"
         "  --help              show this text\n";
}

int GameOptions::parse(int argc, const char *const *argv, std::string *p_error) {
  std::vector<std::string> args(argv + 1, argv + argc);
  for (size_t i = 0; i < args.size(); i++) {
    const std::string &arg = args[i];
    std::string *p_file = arg == "--record"        ? &record
                          : arg == "--replay"      ? &replay
                          : arg == "--final-frame" ? &final_frame
                          : arg == "--frame-log"   ? &frame_log
                                                   : nullptr;
    if (p_file != nullptr) {
      if (i + 1 == args.size() || (*p_file = settingPath(args[++i])).empty()) {
        *p_error = arg + " needs a file name without blanks, commas or colons";
        return -1;
      }
    } else if (arg == "--text") {
      text = true;
    } else if (arg == "--terminal") {
      terminal = true;
    } else {
      *p_error = arg == "--help" || arg == "-h" ? "" : "unknown option '" + arg + "'";
      return -1;
    }
  }
  if (text && terminal) {
    *p_error = "--text and --terminal are two different displays: choose one";
    return -1;
  }
  if (text && replay.empty()) {
    *p_error = "--text needs --replay: a game shown as text reads no input";
    return -1;
  }
  return 0;
}

std::string GameOptions::getOverrides() const {
  std::string items;
  if (text)
    items += "display:text,frame_time:0,";
  if (terminal)
    items += "display:terminal,";
  if (!record.empty())
    items += "record_file:" + record + ",";
  if (!replay.empty())
    items += "replay_file:" + replay + ",";
  if (!frame_log.empty())
    items += "frame_log:" + frame_log + ",";
  return items;
}

std::string GameOptions::getFinalFrame() const {
  return final_frame;
}
