#include "utility.h"

#include <cfloat>
#include <climits>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <sstream>

#include "WorldManager.h"

namespace ks {

const char *getTimeString() {
  static char time_str[32];
  time_t now = time(nullptr);
  struct tm local {};
  if (now == static_cast<time_t>(-1) || localtime_r(&now, &local) == nullptr) {
    snprintf(time_str, sizeof(time_str), "(time error)");
    return time_str;
  }
  snprintf(time_str, sizeof(time_str), "%02d:%02d:%02d", local.tm_hour, local.tm_min, local.tm_sec);
  return time_str;
}

std::string toString(int i) {
  return std::to_string(i);
}

std::string toString(float f) {
  std::ostringstream ss;
  ss << f;
  return ss.str();
}

std::string toString(char c) {
  if (c == 0)
    return "0";
  return std::string(1, c);
}

int textToInt(const std::string &text) {
  long long number = strtoll(text.c_str(), nullptr, 10);
  if (number > INT_MAX)
    return INT_MAX;
  if (number < INT_MIN)
    return INT_MIN;
  return static_cast<int>(number);
}

float textToFloat(const std::string &text) {
  double number = atof(text.c_str());
  if (number > FLT_MAX)
    return HUGE_VALF;
  if (number < -FLT_MAX)
    return -HUGE_VALF;
  return static_cast<float>(number);
}

std::string boolToString(bool b) {
  return b ? "true" : "false";
}

Vector worldToView(Vector world_pos) {
  return world_pos - WorldManager::getInstance().getView().getCorner();
}

} // namespace ks
