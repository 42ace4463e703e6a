#include "match.h"

#include <cctype>
#include <new>

#include "LogManager.h"

namespace ks {

namespace {

// The tables of the last parse; they live until the next parse replaces them.
std::string *p_keys = nullptr;
std::string *p_values = nullptr;
int match_count = 0; ///< items parsed; 0 <= match_count <= the tables' size

void freeTables() {
  delete[] p_keys;
  delete[] p_values;
  p_keys = nullptr;
  p_values = nullptr;
  match_count = 0;
}

/// The next non-empty token of `s` from `*p_pos` on, split at `sep`; "" when there is none.
std::string nextToken(const std::string &s, size_t *p_pos, char sep) {
  size_t start = s.find_first_not_of(sep, *p_pos);
  if (start == std::string::npos) {
    *p_pos = s.size();
    return "";
  }
  size_t end = s.find(sep, start);
  if (end == std::string::npos)
    end = s.size();
  *p_pos = end;
  return s.substr(start, end - start);
}

void parse(const std::string &str) {
  const LogManager &lm = LogManager::getInstance();
  std::string text;
  for (char c : str)
    if (!isspace(static_cast<unsigned char>(c)))
      text += c;

  freeTables();
  int n = 1;
  for (char c : text)
    if (c == ',')
      n++;
  lm.writeLog(15, "match(): number of elements allocated is %d", n);
  p_keys = new (std::nothrow) std::string[n];
  if (p_keys == nullptr) {
    lm.writeLog("match(): unable to allocate key array!");
    return;
  }
  p_values = new (std::nothrow) std::string[n];
  if (p_values == nullptr) {
    lm.writeLog("match(): unable to allocate val array!");
    freeTables();
    return;
  }
  // As a C string copy would, the items end at an embedded NUL byte.
  std::string copy(text.c_str());

  size_t pos = 0;
  for (std::string item = nextToken(copy, &pos, ','); !item.empty();
       item = nextToken(copy, &pos, ',')) {
    lm.writeLog(15, "\titem number %d", match_count);
    lm.writeLog(17, "\tp_element is '%s' (%p)", item.c_str(), static_cast<const void *>(&item));
    size_t item_pos = 0;
    std::string key = nextToken(item, &item_pos, ':');
    if (key.empty())
      break; // an item of colons alone ends the parse
    lm.writeLog(17, "\ttoken is '%s' (%p)", key.c_str(), static_cast<const void *>(&key));
    p_keys[match_count] = key;
    lm.writeLog(15, "\tkey %s", key.c_str());
    p_values[match_count] = nextToken(item, &item_pos, ':');
    lm.writeLog(15, "\tval %s", p_values[match_count].c_str());
    match_count++;
  }
  lm.writeLog(15, "match(): parsed.");
  for (int i = 0; i < match_count; i++)
    lm.writeLog(17, "\t%d  %s : %s", i, p_keys[i].c_str(), p_values[i].c_str());
}

} // namespace

std::string match(std::string str, std::string find) {
  const LogManager &lm = LogManager::getInstance();
  lm.writeLog(15, "match(\"%s\", \"%s\")", str.c_str(), find.c_str());
  if (!str.empty())
    parse(str);
  lm.writeLog(15, "match(): Looking for match '%s' among %d items.", find.c_str(), match_count);
  for (int i = 0; i < match_count; i++) {
    lm.writeLog(17, "match(): %d: %s == %s?", i, p_keys[i].c_str(), find.c_str());
    if (p_keys[i] == find)
      return p_values[i];
  }
  return "";
}

} // namespace ks
