#ifndef KS_LOG_MANAGER_H
#define KS_LOG_MANAGER_H

#include <cstdarg>
#include <cstdio>

#include "Manager.h"

namespace ks {

/// Writes the engine's log file: one line per message, prefixed with the time of day and the
/// game loop's step count. Lines written while no file is open go to standard error.
class LogManager : public Manager {
public:
  /// The one log manager, created on first use.
  static LogManager &getInstance();

  ~LogManager() override;

  /// Opens the configured log file, truncating it. 0, or -1 if already started or the file
  /// cannot be opened.
  int startUp() override;

  /// Closes the log file; later lines go to standard error.
  void shutDown() override;

  /// Writes one line whatever the log level. Returns the characters the message produced, or
  /// -1 if a write failed.
  int writeLog(const char *fmt, ...) const __attribute__((format(printf, 2, 3)));

  /// Writes one line if `msg_level` <= the log level; otherwise returns 0 at once.
  int writeLog(int msg_level, const char *fmt, ...) const __attribute__((format(printf, 3, 4)));

  /// Flush after every line when true.
  void setFlush(bool do_flush = true);

  /// Highest level of levelled messages that are written (0: none of them).
  void setLogLevel(int new_log_level);
  /// Highest level of levelled messages that are written.
  int getLogLevel() const;

  /// Prefix lines with the time of day.
  void setLogTimeString(bool new_log_time_string);

  /// Prefix lines with the game loop's step count.
  void setLogStepCount(bool new_log_step_count);

private:
  LogManager();
  int writeLine(const char *fmt, va_list args) const;

  bool do_flush;        ///< flush the stream after every line
  FILE *p_f;            ///< the open log file, or null while stopped
  int log_level;        ///< highest level that levelled messages may have to be written
  bool log_time_string; ///< prefix with the time of day
  bool log_step_count;  ///< prefix with the step count
};

} // namespace ks

#endif
