#include "PathFind.h"

#include <charconv>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <string>

#include "LogManager.h"
#include "Object.h"
#include "ObjectListIterator.h"
#include "WorldManager.h"
#include "utility.h"

namespace ks {

namespace {

// Appends "(x,y) ", the trace's form of a cell.
void appendCell(std::string &s, Cell c) {
  const int INT_CHARS = 11; // "-2147483648"
  char buffer[2 * INT_CHARS + 4];
  char *p = buffer;
  *p++ = '(';
  p = std::to_chars(p, p + INT_CHARS, c.x).ptr;
  *p++ = ',';
  p = std::to_chars(p, p + INT_CHARS, c.y).ptr;
  *p++ = ')';
  *p++ = ' ';
  s.append(buffer, p);
}

// Appends `text` (no terminator) at `p`.
char *appendText(char *p, const char *text) {
  size_t length = strlen(text);
  memcpy(p, text, length);
  return p + length;
}

// "\tNode (%d,%d), cost %.2f to min %.2f", built without printf: these lines are most of a
// search's trace, and to_chars gives the same correctly rounded digits (and "inf") as %.2f.
const char *nodeLine(Cell c, float cost, float min) {
  static char line[256]; // ints take at most 11 chars, %.2f of a float at most 44
  char *last = line + sizeof line - 1;
  char *p = appendText(line, "\tNode (");
  p = std::to_chars(p, last, c.x).ptr;
  *p++ = ',';
  p = std::to_chars(p, last, c.y).ptr;
  p = appendText(p, "), cost ");
  p = std::to_chars(p, last, static_cast<double>(cost), std::chars_format::fixed, 2).ptr;
  p = appendText(p, " to min ");
  p = std::to_chars(p, last, static_cast<double>(min), std::chars_format::fixed, 2).ptr;
  *p = '\0';
  return line;
}

float distance(int dx, int dy) {
  return static_cast<float>(std::sqrt(static_cast<double>(dx) * dx + static_cast<double>(dy) * dy));
}

} // namespace

PathFind::PathFind(Object *p_o, Cell start_cell, Cell end_cell)
    : p_object(p_o), start(start_cell), end(end_cell), columns(0), rows(0), grid(nullptr),
      open_set(), closed_set(), open_text(), closed_text(), ply(0) {
  Box boundary = WorldManager::getInstance().getBoundary();
  int want_columns = static_cast<int>(boundary.getHorizontal());
  int want_rows = static_cast<int>(boundary.getVertical());
  if (want_columns > 0 && want_rows > 0)
    grid = static_cast<Node **>(calloc(want_rows, sizeof(Node *)));
  if (grid != nullptr) {
    columns = want_columns;
    for (rows = 0; rows < want_rows; rows++) {
      grid[rows] = static_cast<Node *>(calloc(columns, sizeof(Node)));
      if (grid[rows] == nullptr)
        break;
    }
  }
  // A short grid only shrinks the area searched: rows past `rows` count as outside.
  if (want_columns > 0 && rows < want_rows)
    LogManager::getInstance().writeLog("PathFind::PathFind(): Error! No memory for %d x %d cells.",
                                       want_columns, want_rows);
  if (inArea(start)) {
    Node &s = node(start);
    s.from_start = 0;
    s.to_end = distance(start.x - end.x, start.y - end.y);
    s.parent_x = start.x;
    s.parent_y = start.y;
    s.in_open = true;
    open_set.push_back(start);
  }
}

PathFind::~PathFind() {
  // Free exactly what was allocated, whatever the boundary is now.
  for (int y = 0; y < rows; y++)
    free(grid[y]);
  free(grid);
}

Object *PathFind::getObject() const {
  return p_object;
}

int PathFind::getPly() const {
  return ply;
}

PathFind::Node &PathFind::node(Cell c) const {
  return grid[c.y][c.x];
}

bool PathFind::inArea(Cell c) const {
  return c.x >= 0 && c.y >= 0 && c.x < columns && c.y < rows;
}

Cell PathFind::lowestOpen() const {
  const LogManager &lm = LogManager::getInstance();
  lm.writeLog("\tFinding lowest cost in open set");
  Cell lowest = start;
  float min = std::numeric_limits<float>::infinity();
  // Backwards, so that ties go to the most recently discovered cell.
  for (auto it = open_set.rbegin(); it != open_set.rend(); ++it) {
    float cost = node(*it).to_end;
    lm.writeLog("%s", nodeLine(*it, cost, min));
    if (cost < min) {
      lowest = *it;
      min = cost;
    }
  }
  lm.writeLog("\tLowest (%d,%d), cost %.2f", lowest.x, lowest.y, min);
  return lowest;
}

PathResult PathFind::cycleOnce() {
  const LogManager &lm = LogManager::getInstance();
  lm.writeLog("-------------------------------");
  ply++;
  lm.writeLog("PathFind::cycleOnce(): ply %d", ply);
  Cell lowest = lowestOpen();
  for (auto it = open_set.begin(); it != open_set.end(); ++it) {
    if (*it == lowest) {
      open_set.erase(it);
      break;
    }
  }
  open_text.clear();
  for (const Cell &c : open_set)
    appendCell(open_text, c);
  lm.writeLog("\tOpen set: %s", open_text.c_str());
  closed_set.push_back(lowest);
  appendCell(closed_text, lowest);
  if (inArea(lowest)) {
    node(lowest).in_open = false;
    node(lowest).in_closed = true;
  }
  lm.writeLog("\tClosed set: %s", closed_text.c_str());
  if (lowest == end) {
    lm.writeLog("PathFind::cycleOnce(): done. FOUND.");
    return FOUND;
  }
  if (inArea(lowest))
    for (int dy = -1; dy <= 1; dy++)
      for (int dx = -1; dx <= 1; dx++)
        if (dx != 0 || dy != 0)
          examine(lowest, dx, dy);
  if (open_set.empty()) {
    lm.writeLog("PathFind::cycleOnce(): done. NOT_FOUND.");
    return NOT_FOUND;
  }
  lm.writeLog("PathFind::cycleOnce(): done. INCOMPLETE.");
  return INCOMPLETE;
}

void PathFind::examine(Cell from, int dx, int dy) {
  const LogManager &lm = LogManager::getInstance();
  Cell n{from.x + dx, from.y + dy};
  if (!inArea(n))
    return;
  lm.writeLog("\tExamining neighbor (%d, %d)", n.x, n.y);
  ObjectList touched;
  if (p_object != nullptr) // without an object there is no box to block
    touched = WorldManager::getInstance().getCollisions(
        p_object, Vector(static_cast<float>(n.x), static_cast<float>(n.y)));
  ObjectListIterator li(&touched);
  for (li.first(); !li.isDone(); li.next()) {
    if (li.currentObject()->getSolidness() == HARD) {
      lm.writeLog("\t\tCollision (%s)", li.currentObject()->getType().c_str());
      return;
    }
  }
  Node &rec = node(n);
  if (rec.in_closed) {
    lm.writeLog("\t\tin_closed already");
    return;
  }
  float g = node(from).from_start + distance(dx, dy);
  if (!rec.in_open) {
    open_set.push_back(n);
    rec.in_open = true;
    lm.writeLog("\t\tin_open new");
    update(n, from, g);
    return;
  }
  lm.writeLog("\t\tin_open already");
  if (g <= rec.from_start)
    update(n, from, g);
}

void PathFind::update(Cell n, Cell from, float g) {
  Node &rec = node(n);
  rec.parent_x = from.x;
  rec.parent_y = from.y;
  rec.from_start = g;
  rec.to_end = g + distance(n.x - end.x, n.y - end.y);
  LogManager::getInstance().writeLog("\t\tbetter path from (%d, %d) (from_start %.2f, to_end %.2f)",
                                     from.x, from.y, rec.from_start, rec.to_end);
}

Path PathFind::getPath() const {
  std::vector<Vector> nodes;
  // Walk parents only from a goal the search reached; after NOT_FOUND they are unset.
  bool reached = inArea(end) && node(end).in_closed;
  if (reached) {
    Cell c = end;
    while (!(c == start) && nodes.size() <= static_cast<size_t>(columns) * rows) {
      nodes.push_back(Vector(static_cast<float>(c.x), static_cast<float>(c.y)));
      const Node &rec = node(c);
      c = Cell{rec.parent_x, rec.parent_y};
    }
    nodes.push_back(Vector(static_cast<float>(start.x), static_cast<float>(start.y)));
  } else if (start == end) {
    nodes.push_back(Vector(static_cast<float>(start.x), static_cast<float>(start.y)));
  }
  std::vector<Vector> forward(nodes.rbegin(), nodes.rend());
  std::string rendered;
  for (const Vector &v : forward)
    rendered += "(" + toString(v.getX()) + "," + toString(v.getY()) + ") ";
  LogManager::getInstance().writeLog("PathFind::getPath(): %s", rendered.c_str());
  return Path(forward);
}

} // namespace ks
