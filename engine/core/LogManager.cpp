#include "LogManager.h"

#include "Configuration.h"
#include "GameManager.h"
#include "utility.h"

namespace ks {

LogManager::LogManager()
    : do_flush(false), p_f(nullptr), log_level(0), log_time_string(true), log_step_count(true) {
  setType("LogManager");
}

LogManager::~LogManager() {
  if (p_f != nullptr)
    fclose(p_f);
}

LogManager &LogManager::getInstance() {
  static LogManager log_manager;
  return log_manager;
}

int LogManager::startUp() {
  if (isStarted()) {
    writeLog("LogManager::startup(): Warning! LogManager already started.");
    return -1;
  }
  std::string filename = Configuration::getInstance().getLogFile();
  p_f = fopen(filename.c_str(), "w");
  if (p_f == nullptr) {
    writeLog("LogManager::startup(): Warning! Unable to open file '%s'.\n", filename.c_str());
    return -1;
  }
  Manager::startUp();
  writeLog(1, "LogManager::startUp(): successfully started.");
  return 0;
}

void LogManager::shutDown() {
  Manager::shutDown();
  writeLog(1, "LogManager::shutDown(): successfully stopped.");
  if (p_f != nullptr) {
    fclose(p_f);
    p_f = nullptr;
  }
}

int LogManager::writeLine(const char *fmt, va_list args) const {
  FILE *p_out = p_f != nullptr ? p_f : stderr;
  bool failed = false;
  if (log_time_string && fprintf(p_out, "%s ", getTimeString()) < 0)
    failed = true;
  if (log_step_count && fprintf(p_out, "%4d ", GameManager::getInstance().getStepCount()) < 0)
    failed = true;
  int written = vfprintf(p_out, fmt, args);
  if (written < 0 || fputs("\n", p_out) == EOF)
    failed = true;
  // Buffered writes only fail when the buffer goes out, so a failed flush fails the line.
  if (do_flush && fflush(p_out) == EOF)
    failed = true;
  return failed ? -1 : written;
}

int LogManager::writeLog(const char *fmt, ...) const {
  va_list args;
  va_start(args, fmt);
  int result = writeLine(fmt, args);
  va_end(args);
  return result;
}

int LogManager::writeLog(int msg_level, const char *fmt, ...) const {
  if (msg_level > log_level)
    return 0;
  va_list args;
  va_start(args, fmt);
  int result = writeLine(fmt, args);
  va_end(args);
  return result;
}

void LogManager::setFlush(bool new_do_flush) {
  do_flush = new_do_flush;
}

void LogManager::setLogLevel(int new_log_level) {
  log_level = new_log_level;
}

int LogManager::getLogLevel() const {
  return log_level;
}

void LogManager::setLogTimeString(bool new_log_time_string) {
  log_time_string = new_log_time_string;
}

void LogManager::setLogStepCount(bool new_log_step_count) {
  log_step_count = new_log_step_count;
}

} // namespace ks
