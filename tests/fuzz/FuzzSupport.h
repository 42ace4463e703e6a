// What the fuzz targets share: a quiet headless engine, and inputs handed over as files.
#ifndef KS_FUZZ_SUPPORT_H
#define KS_FUZZ_SUPPORT_H

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <string>
#include <unistd.h>

#include "Configuration.h"
#include "GameManager.h"
#include "InputManager.h"
#include "LogManager.h"

namespace ksfuzz {

inline std::string scratch_dir; ///< this process's scratch folder, made by startEngine()

/// Runs `action` in `dir` (or, if empty, the scratch folder), then goes back: libFuzzer reads
/// its corpus through relative paths.
inline void inFolder(const std::string &dir, const std::function<void()> &action) {
  char old_dir[PATH_MAX];
  if (getcwd(old_dir, sizeof(old_dir)) == nullptr ||
      chdir((dir.empty() ? scratch_dir : dir).c_str()) != 0)
    abort();
  action();
  if (chdir(old_dir) != 0)
    abort();
}

/// Once per process: starts the engine headless in the scratch folder (so no configuration file
/// applies), logging to /dev/null without prefixes; shut down at exit.
inline void startEngine() {
  if (!scratch_dir.empty())
    return;
  const char *tmp = getenv("TMPDIR");
  scratch_dir = std::string(tmp != nullptr ? tmp : "/tmp") + "/kestle-fuzz-XXXXXX";
  if (mkdtemp(&scratch_dir[0]) == nullptr)
    abort();
  ks::Configuration::getInstance().setLogFile("/dev/null");
  ks::Configuration::getInstance().setHeadless(true);
  ks::LogManager::getInstance().setLogTimeString(false);
  ks::LogManager::getInstance().setLogStepCount(false);
  inFolder("", [] {
    if (ks::GameManager::getInstance().startUp() != 0)
      abort();
  });
  // Made now, so that it is destroyed after the shut-down at exit (objects left would leak).
  ks::InputManager::getInstance();
  atexit([] { ks::GameManager::getInstance().shutDown(); });
}

/// Writes the input to the file `name` in the scratch folder and returns its path.
inline std::string inputFile(const uint8_t *data, size_t size, const std::string &name) {
  std::string path = scratch_dir + "/" + name;
  FILE *p_f = fopen(path.c_str(), "wb");
  if (p_f == nullptr || fwrite(data, 1, size, p_f) != size || fclose(p_f) != 0)
    abort();
  return path;
}

} // namespace ksfuzz

#endif
