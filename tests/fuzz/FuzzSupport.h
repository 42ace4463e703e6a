// What the fuzz targets share: a quiet headless engine, and inputs handed over as files.
#ifndef KS_FUZZ_SUPPORT_H
#define KS_FUZZ_SUPPORT_H

#include <cstdint>
#include <cstdlib>
#include <functional>
#include <string>

namespace ksfuzz {

/// Runs `action` in `dir` (or, if empty, a scratch folder of this process), then goes back:
/// libFuzzer reads its corpus through relative paths.
void inFolder(const std::string &dir, const std::function<void()> &action);

/// Once per process: starts the engine headless in the scratch folder (no configuration file
/// around applies), logging to /dev/null without prefixes; shut down at exit.
void startEngine();

/// Writes the input to the file `name` in the scratch folder and returns its path.
std::string inputFile(const uint8_t *data, size_t size, const std::string &name);

} // namespace ksfuzz

#endif
