// What the fuzz targets share: a quiet headless engine, and inputs handed over as files.
#ifndef KS_FUZZ_SUPPORT_H
#define KS_FUZZ_SUPPORT_H

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>

namespace ksfuzz {

/// A fresh scratch folder of this process, made on the first call.
const std::string &scratchDir();

/// Runs `action` with `dir` as the working directory, then goes back (libFuzzer reads its
/// corpus through relative paths).
void inFolder(const std::string &dir, const std::function<void()> &action);

/// Once per process: starts the engine headless in the scratch folder (so that no
/// configuration file around applies), its log going to /dev/null without the time and step
/// prefixes. The engine is shut down at exit.
void startEngine();

/// Writes the input to the file `name` in the scratch folder and returns its path.
std::string inputFile(const uint8_t *data, size_t size, const std::string &name);

} // namespace ksfuzz

#endif
