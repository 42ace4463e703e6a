#include "SolidGrid.h"

#include <algorithm>
#include <cmath>

namespace ks {

namespace {

template <typename T>
void eraseValue(std::vector<T> *p_list, T value) {
  auto it = std::find(p_list->begin(), p_list->end(), value);
  if (it != p_list->end()) {
    *it = p_list->back();
    p_list->pop_back();
  }
}

} // namespace

SolidGrid::SolidGrid() : area(), columns(0), rows(0), cells(), outside(), records() {}

void SolidGrid::setArea(Box new_area) {
  // One cell of margin all round: objects on the world's edge reach a little beyond it.
  area = Box(new_area.getCorner() - Vector(CELL, CELL), new_area.getHorizontal() + 2 * CELL,
             new_area.getVertical() + 2 * CELL);
  columns = std::max(0, static_cast<int>(std::ceil(area.getHorizontal() / CELL)) + 1);
  rows = std::max(0, static_cast<int>(std::ceil(area.getVertical() / CELL)) + 1);
  if (columns > 100000 || rows > 100000 || static_cast<long long>(columns) * rows > 4000000)
    columns = rows = 0; // a huge world: everything goes to the outside list
  cells.assign(static_cast<size_t>(columns) * rows, {});
  outside.clear();
  for (auto &entry : records)
    file(entry.second);
}

// The cells a box covers, or false when it reaches beyond the area, has a negative extent
// (it would cover no cell) or isn't a number: such boxes go to the outside list.
bool SolidGrid::spanOf(Box b, Span *p_span) const {
  if (columns == 0)
    return false;
  float left = (b.getCorner().getX() - area.getCorner().getX()) / CELL;
  float top = (b.getCorner().getY() - area.getCorner().getY()) / CELL;
  float right = left + b.getHorizontal() / CELL;
  float bottom = top + b.getVertical() / CELL;
  if (!(left >= 0 && top >= 0 && right >= left && bottom >= top && right < columns &&
        bottom < rows))
    return false;
  *p_span = Span{static_cast<int>(left), static_cast<int>(top), static_cast<int>(right),
                 static_cast<int>(bottom)};
  return true;
}

void SolidGrid::file(const Record &record) {
  Record &r = const_cast<Record &>(record);
  Span span{};
  r.outside = !spanOf(r.world_box, &span);
  if (r.outside) {
    outside.push_back(&r);
    return;
  }
  for (int y = span.y0; y <= span.y1; y++)
    for (int x = span.x0; x <= span.x1; x++)
      cells[static_cast<size_t>(y) * columns + x].push_back(&r);
}

void SolidGrid::unfile(const Record &record) {
  if (record.outside) {
    eraseValue(&outside, &record);
    return;
  }
  Span span{};
  spanOf(record.world_box, &span);
  for (int y = span.y0; y <= span.y1; y++)
    for (int x = span.x0; x <= span.x1; x++)
      eraseValue(&cells[static_cast<size_t>(y) * columns + x], &record);
}

void SolidGrid::insert(Object *p_o, Box world_box, uint64_t seq) {
  remove(p_o);
  auto result = records.emplace(p_o, Record{p_o, world_box, seq, false});
  file(result.first->second);
}

void SolidGrid::remove(const Object *p_o) {
  auto it = records.find(p_o);
  if (it == records.end())
    return;
  unfile(it->second);
  records.erase(it);
}

void SolidGrid::move(const Object *p_o, Box world_box) {
  auto it = records.find(p_o);
  if (it == records.end())
    return;
  unfile(it->second);
  it->second.world_box = world_box;
  file(it->second);
}

void SolidGrid::clear() {
  for (std::vector<const Record *> &cell : cells)
    cell.clear();
  outside.clear();
  records.clear();
}

bool SolidGrid::contains(const Object *p_o) const {
  return records.count(p_o) != 0;
}

std::vector<Object *> SolidGrid::candidates(Box b) const {
  std::vector<const Record *> found(outside.begin(), outside.end());
  // Boxes are closed, so a box whose edge lies on a cell border also touches the next cell:
  // widen the query by a little on every side.
  const float margin = 0.001f;
  float left = (b.getCorner().getX() - margin - area.getCorner().getX()) / CELL;
  float top = (b.getCorner().getY() - margin - area.getCorner().getY()) / CELL;
  float right = left + (b.getHorizontal() + 2 * margin) / CELL;
  float bottom = top + (b.getVertical() + 2 * margin) / CELL;
  if (!(left <= right && top <= bottom)) {
    // Not a number (or a negative extent): no cells to choose by, so everything.
    found.clear();
    for (const auto &entry : records)
      found.push_back(&entry.second);
  } else if (columns > 0 && right >= 0 && bottom >= 0 && left < columns && top < rows) {
    // An object filed in cells lies wholly in the area, so only the part of the query inside
    // the area can touch it; whatever reaches beyond the area is in `outside`.
    // Clamped as floats first: converting a huge float to int is undefined.
    int x0 = static_cast<int>(std::max(left, 0.0f));
    int y0 = static_cast<int>(std::max(top, 0.0f));
    int x1 = static_cast<int>(std::min(right, static_cast<float>(columns - 1)));
    int y1 = static_cast<int>(std::min(bottom, static_cast<float>(rows - 1)));
    for (int y = y0; y <= y1; y++)
      for (int x = x0; x <= x1; x++) {
        const std::vector<const Record *> &cell = cells[static_cast<size_t>(y) * columns + x];
        found.insert(found.end(), cell.begin(), cell.end());
      }
  }
  std::sort(found.begin(), found.end(),
            [](const Record *p_a, const Record *p_b) { return p_a->seq < p_b->seq; });
  found.erase(std::unique(found.begin(), found.end()), found.end());
  std::vector<Object *> result;
  result.reserve(found.size());
  for (const Record *p_r : found)
    result.push_back(p_r->p_object);
  return result;
}

} // namespace ks
