#include "TextFrame.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <fstream>
#include <sstream>

#include "LogManager.h"

namespace ks {

namespace {

const char FORMAT_LINE[] = "kestle-frame 1";
const char NOTHING_DRAWN = '.';

bool printable(char ch) {
  return ch >= ' ' && ch <= '~';
}

/// The nearest cell index of a window cell coordinate, or -1 outside [0, limit).
int nearestIndex(float v, int limit) {
  // Compared as floats first: NaN and huge values must not reach the int conversion.
  float rounded = std::floor(v + 0.5f);
  if (!(rounded >= 0) || rounded >= static_cast<float>(limit))
    return -1;
  return static_cast<int>(rounded);
}

char colorCode(int8_t color) {
  return color < 0 ? NOTHING_DRAWN : static_cast<char>('0' + color);
}

} // namespace

TextFrame::TextFrame(int init_horizontal, int init_vertical)
    : horizontal(init_horizontal > 0 ? init_horizontal : 0),
      vertical(init_vertical > 0 ? init_vertical : 0),
      cells(static_cast<size_t>(horizontal) * vertical, TextCell{' ', UNDEFINED_COLOR}) {}

TextFrame TextFrame::fromScreen(const Screen &screen) {
  TextFrame frame(screen.getHorizontal(), screen.getVertical());
  frame.place(screen);
  return frame;
}

void TextFrame::clear() {
  std::fill(cells.begin(), cells.end(), TextCell{' ', UNDEFINED_COLOR});
}

void TextFrame::place(const Screen &screen) {
  for (const Draw &d : screen.getDraws()) {
    if (d.is_shape)
      put(SHAPE_CHAR, static_cast<int8_t>(screen.getShape(d.shape_index).color), d.x, d.y);
    else
      placeCharacter(d.ch, static_cast<Color>(d.color), d.x, d.y);
  }
}

void TextFrame::placeCharacter(char ch, Color color, float x, float y) {
  if (static_cast<unsigned>(color) > static_cast<unsigned>(CUSTOM))
    color = WHITE;
  put(printable(ch) ? ch : REPLACEMENT_CHAR, static_cast<int8_t>(color), x, y);
}

void TextFrame::put(char ch, int8_t color, float x, float y) {
  int cx = nearestIndex(x, horizontal), cy = nearestIndex(y, vertical);
  if (cx < 0 || cy < 0)
    return;
  cells[static_cast<size_t>(cy) * horizontal + cx] = TextCell{ch, color};
}

int TextFrame::getHorizontal() const {
  return horizontal;
}

int TextFrame::getVertical() const {
  return vertical;
}

TextCell TextFrame::getCell(int x, int y) const {
  if (x < 0 || y < 0 || x >= horizontal || y >= vertical)
    return TextCell{' ', UNDEFINED_COLOR};
  return cells[static_cast<size_t>(y) * horizontal + x];
}

std::vector<std::string> TextFrame::getLines() const {
  std::vector<std::string> lines(vertical, std::string(horizontal, ' '));
  for (int y = 0; y < vertical; y++)
    for (int x = 0; x < horizontal; x++)
      lines[y][x] = getCell(x, y).ch;
  return lines;
}

std::vector<std::string> TextFrame::getColorLines() const {
  std::vector<std::string> lines(vertical, std::string(horizontal, NOTHING_DRAWN));
  for (int y = 0; y < vertical; y++)
    for (int x = 0; x < horizontal; x++)
      lines[y][x] = colorCode(getCell(x, y).color);
  return lines;
}

std::string TextFrame::toText() const {
  std::string text = std::string(FORMAT_LINE) + "\nsize " + std::to_string(horizontal) + " " +
                     std::to_string(vertical) + "\ntext\n";
  for (const std::string &line : getLines())
    text += "|" + line + "|\n";
  text += "colors\n";
  for (const std::string &line : getColorLines())
    text += "|" + line + "|\n";
  return text + "end\n";
}

namespace {

/// Reads the file form line by line; the first fault is logged with its line number.
class FrameReader {
public:
  explicit FrameReader(const std::string &text) : in(text), line_number(0) {}

  bool expect(const char *wanted) { return next() && line == wanted ? true : fail(wanted); }

  bool size(int *p_h, int *p_v) {
    char rest = 0;
    if (next() && sscanf(line.c_str(), "size %d %d%c", p_h, p_v, &rest) == 2 && *p_h >= 0 &&
        *p_v >= 0 && *p_h <= MAX_SIDE && *p_v <= MAX_SIDE)
      return true;
    return fail("size <columns> <rows>");
  }

  /// The inside of a "|...|" row of `width` characters.
  bool row(int width, std::string *p_row) {
    if (!next() || line.size() != static_cast<size_t>(width) + 2 || line.front() != '|' ||
        line.back() != '|')
      return fail("a row of the frame's width between '|' and '|'");
    *p_row = line.substr(1, width);
    return true;
  }

  bool fail(const char *wanted) {
    LogManager::getInstance().writeLog("TextFrame::fromText(): Error on line %d: expected %s.",
                                       line_number, wanted);
    return false;
  }

private:
  static const int MAX_SIDE = 100000;

  bool next() {
    if (!std::getline(in, line))
      return false;
    line_number++;
    if (!line.empty() && line.back() == '\r')
      line.pop_back();
    return true;
  }

  std::istringstream in;
  std::string line;
  int line_number;
};

} // namespace

int TextFrame::fromText(const std::string &text) {
  FrameReader reader(text);
  int h = 0, v = 0;
  if (!reader.expect(FORMAT_LINE) || !reader.size(&h, &v) || !reader.expect("text"))
    return -1;
  TextFrame read(h, v);
  std::string row;
  for (int y = 0; y < v; y++) {
    if (!reader.row(h, &row))
      return -1;
    for (int x = 0; x < h; x++) {
      if (!printable(row[x])) {
        reader.fail("printable characters");
        return -1;
      }
      read.cells[static_cast<size_t>(y) * h + x].ch = row[x];
    }
  }
  if (!reader.expect("colors"))
    return -1;
  for (int y = 0; y < v; y++) {
    if (!reader.row(h, &row))
      return -1;
    for (int x = 0; x < h; x++) {
      char c = row[x];
      if (c != NOTHING_DRAWN && (c < '0' || c > '0' + CUSTOM)) {
        reader.fail("colour codes '0' to '8' or '.'");
        return -1;
      }
      read.cells[static_cast<size_t>(y) * h + x].color =
          static_cast<int8_t>(c == NOTHING_DRAWN ? UNDEFINED_COLOR : c - '0');
    }
  }
  if (!reader.expect("end"))
    return -1;
  *this = read;
  return 0;
}

int TextFrame::writeFile(const std::string &filename) const {
  std::ofstream file(filename, std::ios::binary | std::ios::trunc);
  file << toText();
  file.flush();
  if (!file) {
    LogManager::getInstance().writeLog("TextFrame::writeFile(): Unable to write '%s'.",
                                       filename.c_str());
    return -1;
  }
  return 0;
}

int TextFrame::readFile(const std::string &filename) {
  std::ifstream file(filename, std::ios::binary);
  if (!file) {
    LogManager::getInstance().writeLog("TextFrame::readFile(): Unable to open '%s'.",
                                       filename.c_str());
    return -1;
  }
  std::ostringstream text;
  text << file.rdbuf();
  return fromText(text.str());
}

bool TextFrame::operator==(const TextFrame &other) const {
  if (horizontal != other.horizontal || vertical != other.vertical)
    return false;
  for (size_t i = 0; i < cells.size(); i++)
    if (cells[i].ch != other.cells[i].ch || cells[i].color != other.cells[i].color)
      return false;
  return true;
}

} // namespace ks
