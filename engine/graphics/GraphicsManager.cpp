#include "GraphicsManager.h"

#include "Configuration.h"
#include "LogManager.h"
#include "utility.h"

namespace ks {

namespace {

/// Largest window side in pixels: what the X protocol and common GL drivers can take.
const int MAX_WINDOW_PIXELS = 16384;

} // namespace

GraphicsManager::GraphicsManager()
    : font(), p_window(nullptr), window_horizontal_pixels(0), window_vertical_pixels(0),
      window_horizontal_chars(0), window_vertical_chars(0), p_rectangle(nullptr),
      background_color(), p_text(nullptr) {
  setType("GraphicsManager");
}

GraphicsManager::~GraphicsManager() {}

GraphicsManager &GraphicsManager::getInstance() {
  static GraphicsManager graphics_manager;
  return graphics_manager;
}

void GraphicsManager::releaseWindow() {
  if (p_window != nullptr) {
    p_window->close();
    delete p_window;
    p_window = nullptr;
  }
  delete p_text;
  p_text = nullptr;
  delete p_rectangle;
  p_rectangle = nullptr;
}

void GraphicsManager::logDesktopResolution() const {
  sf::VideoMode desktop = sf::VideoMode::getDesktopMode();
  LogManager::getInstance().writeLog(
      5, "GraphicsManager::startUp(): Window resolution (%d, %d) pixels",
      static_cast<int>(desktop.width), static_cast<int>(desktop.height));
}

int GraphicsManager::startUp() {
  const LogManager &lm = LogManager::getInstance();
  if (p_window != nullptr) {
    lm.writeLog("GraphicsManager::startUp(): Already started.");
    return 0;
  }
  const Configuration &config = Configuration::getInstance();
  window_horizontal_pixels = config.getWindowHorizontalPixels();
  window_vertical_pixels = config.getWindowVerticalPixels();
  window_horizontal_chars = config.getWindowHorizontalChars();
  window_vertical_chars = config.getWindowVerticalChars();

  // A window of no size kills the process with an X error, cells of no size divide by zero,
  // and a window past what X and GL can hold hangs or crashes them: refuse all before asking
  // for a window.
  if (window_horizontal_pixels <= 0 || window_vertical_pixels <= 0 ||
      window_horizontal_pixels > MAX_WINDOW_PIXELS || window_vertical_pixels > MAX_WINDOW_PIXELS ||
      window_horizontal_chars <= 0 || window_vertical_chars <= 0) {
    logDesktopResolution();
    lm.writeLog("GraphicsLayer::startUp(): Unable to alloate window!");
    window_horizontal_pixels = window_vertical_pixels = 0;
    window_horizontal_chars = window_vertical_chars = 0;
    return -1;
  }
  p_window =
      new sf::RenderWindow(sf::VideoMode(window_horizontal_pixels, window_vertical_pixels, 32),
                           sf::String(config.getWindowTitle()), config.getWindowStyle());
  // Asked only now that the window holds the display connection: closing the last connection
  // just before opening the window's lets a bare X server reset under it, which aborts.
  logDesktopResolution();
  if (!p_window->isOpen()) {
    lm.writeLog("GraphicsLayer::startUp(): Unable to alloate window!");
    releaseWindow();
    return -1;
  }
  p_window->setMouseCursorVisible(config.getShowMouse());
  p_window->setVerticalSyncEnabled(true);

  if (!font.loadFromFile(config.getFontFile())) {
    lm.writeLog("GraphicsManager::startUp(): Unable to load font from file '%s'.",
                config.getFontFile().c_str());
    // Don't leave a window open that nothing will ever draw into.
    releaseWindow();
    return -1;
  }
  p_rectangle = new sf::RectangleShape(sf::Vector2f(charWidth(), charHeight()));
  p_text = new sf::Text();
  p_text->setFont(font);
  p_text->setStyle(sf::Text::Bold);
  float cell = charWidth() < charHeight() ? charWidth() : charHeight();
  // Truncate toward zero; a negative or absurd scale must not overflow the conversion.
  float size = config.getFontScale() * cell;
  unsigned int character_size = 0;
  if (size >= 1)
    character_size = size > 1000 ? 1000 : static_cast<unsigned int>(size);
  p_text->setCharacterSize(character_size);
  // An int outside the enumeration is no Color at all: it gets CUSTOM's white.
  int background = config.getWindowBackgroundColor();
  background_color = colorToSFML(background >= UNDEFINED_COLOR && background <= CUSTOM
                                     ? static_cast<Color>(background)
                                     : CUSTOM);
  p_rectangle->setFillColor(background_color);

  Manager::startUp();
  lm.writeLog(1, "GraphicsManager::startUp(): successfully started.");
  return 0;
}

void GraphicsManager::shutDown() {
  releaseWindow();
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "GraphicsManager::shutDown(): successfully stopped.");
}

int GraphicsManager::drawCh(char ch, Color color, Vector world_pos) {
  if (!isStarted()) {
    LogManager::getInstance().writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (p_window == nullptr)
    return -1;
  Vector pixel = spacesToPixels(worldToView(world_pos));
  p_rectangle->setPosition(pixel.getX() - charWidth() / 10, pixel.getY() + charHeight() / 5);
  p_window->draw(*p_rectangle);

  // Colours without components (CUSTOM, unknown values) draw white.
  unsigned char r = 255, g = 255, b = 255;
  colorToRGB(color, &r, &g, &b);
  p_text->setString(sf::String(ch));
  p_text->setFillColor(sf::Color(r, g, b, 255));
  p_text->setPosition(pixel.getX(), pixel.getY());
  p_window->draw(*p_text);
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
  std::string str = frame.getString();
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
  if (p_window == nullptr)
    return -1;
  p_window->display();
  p_window->clear(background_color);
  return 0;
}

sf::RenderWindow *GraphicsManager::getWindow() const {
  return p_window;
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

// Without a window (headless, or before start-up) there are no cells: size 0, not 0 / 0.
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
