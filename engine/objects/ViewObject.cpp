#include "ViewObject.h"

#include "EventView.h"
#include "GraphicsManager.h"
#include "LogManager.h"
#include "WorldManager.h"
#include "match.h"
#include "utility.h"

namespace ks {

namespace {

/// Serialization keys of the view object attributes, by ViewObjectAttribute.
const char *const VIEW_KEYS[VIEW_ATTRIBUTE_COUNT] = {"view_string", "value",    "border",
                                                     "color",       "location", "draw_value"};

} // namespace

ViewObject::ViewObject()
    : view_string(), value(0), draw_value(true), border(false), color(WHITE),
      location(UNDEFINED_LOCATION) {
  setSolidness(SPECTRAL);
  setAltitude(MAX_ALTITUDE);
  setType("ViewObject");
  setLocation(TOP_CENTER);
  setBorder(true);
  setValue(0);
  draw_value = true;
  setColor(WHITE);
  for (bool &flag : v_modified)
    flag = true;
  registerInterest(VIEW_EVENT);
}

void ViewObject::setPosition(Vector new_pos) {
  if (new_pos == getPosition())
    return;
  Object::setPosition(new_pos);
  location = UNDEFINED_LOCATION;
  v_modified[LOCATION] = true;
}

void ViewObject::setLocation(int new_location) {
  WorldManager &world_manager = WorldManager::getInstance();
  float w = world_manager.getView().getHorizontal();
  float h = world_manager.getView().getVertical();
  if (new_location < TOP_LEFT || new_location > BOTTOM_RIGHT) {
    LogManager::getInstance().writeLog(
        "ViewObject::setLocation(): Location out of range (%d).  Ignored.", new_location);
    return;
  }
  int column = new_location % 3; // left, centre, right
  int row = new_location / 3;    // top, centre, bottom
  float x = w * (1 + 2 * column) / 6;
  float y;
  if (row == 0)
    y = border ? 1 : 0;
  else if (row == 1)
    y = border ? h / 2 : h / 2 - 1;
  else
    y = border ? h - 2 : h - 1;
  setPosition(Vector(x, y));
  location = new_location;
  v_modified[LOCATION] = true;
}

int ViewObject::getLocation() const {
  return location;
}

void ViewObject::setBorder(bool new_border) {
  if (new_border == border)
    return;
  border = new_border;
  v_modified[BORDER] = true;
  if (location != UNDEFINED_LOCATION)
    setLocation(location);
}

bool ViewObject::getBorder() const {
  return border;
}

void ViewObject::setViewString(std::string new_view_string) {
  if (new_view_string == view_string)
    return;
  view_string = new_view_string;
  v_modified[VIEW_STRING] = true;
}

std::string ViewObject::getViewString() const {
  return view_string;
}

void ViewObject::setValue(int new_value) {
  if (new_value == value)
    return;
  value = new_value;
  v_modified[VALUE] = true;
}

int ViewObject::getValue() const {
  return value;
}

void ViewObject::setColor(int new_color) {
  if (new_color == color)
    return;
  color = new_color;
  v_modified[COLOR] = true;
}

int ViewObject::getColor() const {
  return color;
}

bool ViewObject::getDrawValue() const {
  return draw_value;
}

void ViewObject::setDrawValue(bool new_draw_value) {
  draw_value = new_draw_value;
}

int ViewObject::eventHandler(const Event *p_e) {
  if (p_e->getType() != VIEW_EVENT)
    return Object::eventHandler(p_e);
  const EventView *p_ve = static_cast<const EventView *>(p_e);
  if (p_ve->getTag() != view_string)
    return 0;
  setValue(p_ve->getDelta() ? value + p_ve->getValue() : p_ve->getValue());
  return 1;
}

void ViewObject::draw() {
  std::string text;
  if (border)
    text = " " + view_string + (draw_value ? " " + toString(value) : "") + " ";
  else
    text = view_string + (draw_value ? " " + toString(value) : "");

  GraphicsManager &gm = GraphicsManager::getInstance();
  Vector draw_pos = getPosition() + WorldManager::getInstance().getView().getCorner();
  // An int outside the enumeration is no Color at all: draw it like CUSTOM (white).
  Color c = color >= UNDEFINED_COLOR && color <= CUSTOM ? static_cast<Color>(color) : CUSTOM;
  gm.drawString(draw_pos, text, CENTER_JUSTIFIED, c);
  if (!border)
    return;
  int n = static_cast<int>(text.size());
  std::string dashes(n, '-');
  gm.drawString(Vector(draw_pos.getX(), draw_pos.getY() - 1), dashes, CENTER_JUSTIFIED, c);
  gm.drawString(Vector(draw_pos.getX(), draw_pos.getY() + 1), dashes, CENTER_JUSTIFIED, c);
  float left = draw_pos.getX() - static_cast<float>(n / 2) - 1;
  gm.drawCh('|', c, Vector(left, draw_pos.getY()));
  gm.drawCh('|', c, Vector(left + n + 1, draw_pos.getY()));
}

bool ViewObject::isModified(ViewObjectAttribute attribute) const {
  if (attribute < 0 || attribute >= VIEW_ATTRIBUTE_COUNT)
    return false;
  return v_modified[attribute];
}

bool ViewObject::isModified() const {
  const LogManager &lm = LogManager::getInstance();
  for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++) {
    lm.writeLog(10, "ViewObject::isModified(): %d is %s", i, v_modified[i] ? "true" : "false");
    if (v_modified[i])
      return true;
  }
  return Object::isModified();
}

std::string ViewObject::serialize(bool all) {
  std::string s = Object::serialize(all);
  const std::string texts[VIEW_ATTRIBUTE_COUNT] = {view_string,          toString(value),
                                                   boolToString(border), toString(color),
                                                   toString(location),   boolToString(draw_value)};
  for (int i = 0; i < VIEW_ATTRIBUTE_COUNT; i++)
    if (all || v_modified[i])
      s.append(VIEW_KEYS[i]).append(":").append(texts[i]).append(",");
  for (bool &flag : v_modified)
    flag = false;
  return s;
}

int ViewObject::deserialize(std::string s) {
  // Object::deserialize() leaves the parsed items in the matcher's tables.
  Object::deserialize(s);
  const LogManager &lm = LogManager::getInstance();
  std::string text;

  text = match("", VIEW_KEYS[VIEW_STRING]);
  if (!text.empty()) {
    lm.writeLog(10, "ViewObject::deserialize(): view_string is %s", text.c_str());
    setViewString(text);
  }

  text = match("", VIEW_KEYS[VALUE]);
  if (!text.empty()) {
    int v = textToInt(text);
    lm.writeLog(10, "ViewObject::deserialize(): value is %d", v);
    setValue(v);
  }

  text = match("", VIEW_KEYS[BORDER]);
  if (!text.empty()) {
    lm.writeLog(10, "ViewObject::deserialize(): border is %s", text.c_str());
    setBorder(text == "true");
  }

  text = match("", VIEW_KEYS[COLOR]);
  if (!text.empty()) {
    int v = textToInt(text);
    lm.writeLog(10, "ViewObject::deserialize(): color is %d", v);
    setColor(v);
  }

  text = match("", VIEW_KEYS[LOCATION]);
  if (!text.empty()) {
    int v = textToInt(text);
    lm.writeLog(10, "ViewObject::deserialize(): location is %d", v);
    // -1 (placed by position) is refused here; the position restored above stays.
    setLocation(v);
  }

  text = match("", VIEW_KEYS[DRAW_VALUE]);
  if (!text.empty()) {
    lm.writeLog(10, "ViewObject::deserialize(): draw_value is %s", text.c_str());
    draw_value = text == "true";
  }
  return 0;
}

} // namespace ks
