// Helpers shared by the tests: scratch files, reading logs back, starting the engine.
#ifndef KS_TEST_SUPPORT_H
#define KS_TEST_SUPPORT_H

#include <string>
#include <vector>

namespace kstest {

/// A fresh path under the test scratch folder, unique to the running test and `name`.
std::string scratchPath(const std::string &name);

/// The whole content of a file ("" if it can't be read).
std::string readFile(const std::string &path);

/// The file's lines, without line ends.
std::vector<std::string> readLines(const std::string &path);

/// Writes `content` to `path` (binary).
void writeFile(const std::string &path, const std::string &content);

/// The log lines with the time and step prefixes removed (log started by startLog()).
std::vector<std::string> logMessages(const std::string &path);

/// True if some line of the log holds `text`.
bool logContains(const std::string &path, const std::string &text);

/// Number of log lines that hold `text`.
int logCount(const std::string &path, const std::string &text);

/// Points the configuration's log file at a scratch file and starts the log manager (after
/// stopping it if needed). Returns the log file's path.
std::string startLog(const std::string &name);

/// Starts the game manager headless with frame time 0 and its log in a scratch file.
/// Returns the log file's path.
std::string startHeadless(const std::string &name);

} // namespace kstest

#endif
