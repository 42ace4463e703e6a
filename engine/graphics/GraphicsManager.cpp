#include "GraphicsManager.h"

#include "Configuration.h"
#include "LogManager.h"
#include "TerminalDisplay.h"
#include "TextDisplay.h"
#include "WindowDisplay.h"
#include "utility.h"

namespace ks {

namespace {

/// Largest window side in pixels: what the X protocol and common GL drivers can take.
const int MAX_WINDOW_PIXELS = 16384;

} // namespace

GraphicsManager::GraphicsManager()
    : p_display(nullptr), p_window_display(nullptr), window_horizontal_pixels(0),
      window_vertical_pixels(0), window_horizontal_chars(0), window_vertical_chars(0), screen(),
      presented(), p_frame_log(nullptr), frames_presented(0) {
  setType("GraphicsManager");
}

GraphicsManager::~GraphicsManager() {
  closeDisplay();
}

GraphicsManager &GraphicsManager::getInstance() {
  static GraphicsManager graphics_manager;
  return graphics_manager;
}

void GraphicsManager::closeDisplay() {
  if (p_frame_log != nullptr) {
    fclose(p_frame_log);
    p_frame_log = nullptr;
  }
  if (p_display != nullptr) {
    p_display->close();
    delete p_display;
    p_display = nullptr;
    p_window_display = nullptr;
  }
  screen.clear();
  presented.clear();
}

void GraphicsManager::clearSizes() {
  window_horizontal_pixels = window_vertical_pixels = 0;
  window_horizontal_chars = window_vertical_chars = 0;
}

int GraphicsManager::startUp() {
  const LogManager &lm = LogManager::getInstance();
  if (p_display != nullptr) {
    lm.writeLog("GraphicsManager::startUp(): Already started.");
    return 0;
  }
  const Configuration &config = Configuration::getInstance();
  window_horizontal_pixels = config.getWindowHorizontalPixels();
  window_vertical_pixels = config.getWindowVerticalPixels();
  window_horizontal_chars = config.getWindowHorizontalChars();
  window_vertical_chars = config.getWindowVerticalChars();
  bool window = config.getDisplay() == "window";

  // A window of no size kills the process with an X error, cells of no size divide by zero,
  // and a window past what X and GL can hold hangs or crashes them: refuse all before asking
  // for a window.
  if (window_horizontal_pixels <= 0 || window_vertical_pixels <= 0 ||
      window_horizontal_pixels > MAX_WINDOW_PIXELS || window_vertical_pixels > MAX_WINDOW_PIXELS ||
      window_horizontal_chars <= 0 || window_vertical_chars <= 0) {
    if (window)
      WindowDisplay::logDesktopResolution();
    lm.writeLog("GraphicsLayer::startUp(): Unable to alloate window!");
    clearSizes();
    return -1;
  }
  if (window) {
    p_window_display = new WindowDisplay;
    p_display = p_window_display;
  } else if (config.getDisplay() == "terminal") {
    p_display = new TerminalDisplay;
  } else {
    p_display = new TextDisplay;
  }
  if (p_display->open(window_horizontal_chars, window_vertical_chars, charWidth(), charHeight()) !=
      0) {
    closeDisplay();
    clearSizes();
    return -1;
  }
  screen.setSize(window_horizontal_chars, window_vertical_chars);
  presented.setSize(window_horizontal_chars, window_vertical_chars);
  frames_presented = 0;
  if (!config.getFrameLog().empty() &&
      (p_frame_log = fopen(config.getFrameLog().c_str(), "w")) == nullptr) {
    lm.writeLog("GraphicsManager::startUp(): Unable to write frame log '%s'.",
                config.getFrameLog().c_str());
    closeDisplay();
    clearSizes();
    return -1;
  }
  Manager::startUp();
  lm.writeLog(1, "GraphicsManager::startUp(): successfully started.");
  return 0;
}

void GraphicsManager::shutDown() {
  closeDisplay();
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "GraphicsManager::shutDown(): successfully stopped.");
}

int GraphicsManager::drawCh(char ch, Color color, Vector world_pos) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (p_display == nullptr)
    return -1;
  screen.addCharacter(ch, color, worldToView(world_pos));
  return 0;
}

int GraphicsManager::drawShape(const ShapeDraw &shape, Vector world_pos) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (p_display == nullptr)
    return -1;
  screen.addShape(shape, worldToView(world_pos));
  return 0;
}

int GraphicsManager::drawString(Vector world_pos, std::string str, Justification just,
                                Color color) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  int length = static_cast<int>(str.size());
  float start_x = world_pos.getX();
  if (just == CENTER_JUSTIFIED)
    start_x -= static_cast<float>(length / 2);
  else if (just == RIGHT_JUSTIFIED)
    start_x -= static_cast<float>(length);
  for (int i = 0; i < length; i++)
    drawCh(str[i], color, Vector(start_x + i, world_pos.getY()));
  return 0;
}

int GraphicsManager::drawFrame(bool centered, Color color, char transparent, Vector world_pos,
                               Frame frame) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  const std::string &str = frame.getString();
  if (str.empty())
    return -1;
  int width = frame.getWidth(), height = frame.getHeight();
  int x_offset = centered ? width / 2 : 0;
  int y_offset = centered ? height / 2 : 0;
  for (int y = 0; y < height; y++) {
    for (int x = 0; x < width; x++) {
      size_t index = static_cast<size_t>(y) * width + x;
      if (index >= str.size())
        return 0; // a frame built by hand may hold fewer characters than its size says
      char c = str[index];
      if (transparent == 0 || c != transparent)
        drawCh(c, color, Vector(x + world_pos.getX() - x_offset, y + world_pos.getY() - y_offset));
    }
  }
  return 0;
}

int GraphicsManager::swapBuffers() {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (p_display == nullptr)
    return -1;
  int result = p_display->present(screen);
  if (p_frame_log != nullptr) {
    std::string text =
        "frame " + std::to_string(frames_presented) + "\n" + TextFrame::fromScreen(screen).toText();
    fputs(text.c_str(), p_frame_log);
  }
  frames_presented++;
  presented.swap(screen);
  screen.clear();
  return result == 0 ? 0 : -1;
}

sf::RenderWindow *GraphicsManager::getWindow() const {
  if (p_window_display == nullptr)
    return nullptr;
  p_window_display->flush(screen);
  p_window_display->markWindowTouched();
  return p_window_display->getWindow();
}

Display *GraphicsManager::getDisplay() const {
  return p_display;
}

const Screen &GraphicsManager::getScreen() const {
  return screen;
}

TextFrame GraphicsManager::getLastFrame() const {
  return TextFrame::fromScreen(presented);
}

int GraphicsManager::getHorizontal() const {
  return window_horizontal_chars;
}
int GraphicsManager::getVertical() const {
  return window_vertical_chars;
}
int GraphicsManager::getHorizontalPixels() const {
  return window_horizontal_pixels;
}
int GraphicsManager::getVerticalPixels() const {
  return window_vertical_pixels;
}

// Without a display (headless, or before start-up) there are no cells: size 0, not 0 / 0.
float charWidth() {
  const GraphicsManager &gm = GraphicsManager::getInstance();
  if (gm.getHorizontal() <= 0)
    return 0;
  return static_cast<float>(gm.getHorizontalPixels()) / static_cast<float>(gm.getHorizontal());
}

float charHeight() {
  const GraphicsManager &gm = GraphicsManager::getInstance();
  if (gm.getVertical() <= 0)
    return 0;
  return static_cast<float>(gm.getVerticalPixels()) / static_cast<float>(gm.getVertical());
}

Vector spacesToPixels(Vector spaces) {
  Vector pixels(charWidth() * spaces.getX(), charHeight() * spaces.getY());
  LogManager::getInstance().writeLog(
      15, "spacesToPixels(int): spaces (%d,%d) = pixels (%d,%d)", static_cast<int>(spaces.getX()),
      static_cast<int>(spaces.getY()), static_cast<int>(pixels.getX()),
      static_cast<int>(pixels.getY()));
  return pixels;
}

Vector pixelsToSpaces(Vector pixels) {
  Vector spaces(pixels.getX() / charWidth(), pixels.getY() / charHeight());
  LogManager::getInstance().writeLog(15,
                                     "pixelsToSpaces(): pixels (%.2f,%.2f) = spaces (%.2f,%.2f)",
                                     pixels.getX(), pixels.getY(), spaces.getX(), spaces.getY());
  return spaces;
}

} // namespace ks
