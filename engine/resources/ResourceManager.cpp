#include "ResourceManager.h"

#include <climits>
#include <cstdlib>
#include <cstring>
#include <fstream>

#include <AL/alc.h>

#include "LogManager.h"
#include "utility.h"

namespace ks {

namespace {

/// Reads one line and drops a trailing "\r". False if the stream is no longer good after it.
bool readLine(std::istream &in, std::string *p_line) {
  std::getline(in, *p_line);
  if (!in.good())
    return false;
  if (!p_line->empty() && p_line->back() == '\r')
    p_line->pop_back();
  return true;
}

/// The value of a header line: what follows the tag and one separator character.
/// Shared by both header readers; "" (and a false result) when the line is not the tag's.
bool readHeaderValue(std::istream &in, int *p_line_number, const char *tag, std::string *p_value) {
  const LogManager &lm = LogManager::getInstance();
  (*p_line_number)++;
  std::string line;
  if (!readLine(in, &line)) {
    lm.writeLog("\tError line %d.  Unexpected end of file.", *p_line_number);
    return false;
  }
  size_t tag_length = strlen(tag);
  if (line.compare(0, tag_length, tag) != 0) {
    lm.writeLog("\tError line %d.  Expected '%s #'", *p_line_number, tag);
    lm.writeLog("\tHave '%s'", line.c_str());
    return false;
  }
  // A tag alone on its line has no value.
  *p_value = line.size() > tag_length + 1 ? line.substr(tag_length + 1) : "";
  return true;
}

/// True if the system has an audio device to open. SFML would answer every call with OpenAL
/// errors without one.
bool audioDeviceOpens() {
  ALCdevice *p_device = alcOpenDevice(nullptr);
  if (p_device == nullptr)
    return false;
  alcCloseDevice(p_device);
  return true;
}

} // namespace

ResourceManager::ResourceManager() : sprite_count(0), sound_count(0), music_count(0), audio(false) {
  setType("ResourceManager");
  for (Sprite *&p_s : p_sprite)
    p_s = nullptr;
}

ResourceManager::~ResourceManager() {
  for (int i = 0; i < sprite_count; i++)
    delete p_sprite[i];
}

ResourceManager &ResourceManager::getInstance() {
  static ResourceManager resource_manager;
  return resource_manager;
}

int ResourceManager::startUp() {
  // A second start-up without a shut-down would otherwise lose the sprites it forgets.
  for (int i = 0; i < sprite_count; i++) {
    delete p_sprite[i];
    p_sprite[i] = nullptr;
  }
  sprite_count = 0;
  sound_count = 0;
  music_count = 0;
  audio = audioDeviceOpens();
  if (!audio)
    LogManager::getInstance().writeLog(
        "ResourceManager::startUp(): No audio device. Sounds and music will not play.");
  Manager::startUp();
  LogManager::getInstance().writeLog(1, "ResourceManager::startUp(): successfully started.");
  return 0;
}

void ResourceManager::shutDown() {
  for (int i = 0; i < sprite_count; i++) {
    delete p_sprite[i];
    p_sprite[i] = nullptr;
  }
  sprite_count = 0;
  for (int i = 0; i < sound_count; i++)
    sound[i].stop();
  for (int i = 0; i < music_count; i++)
    music[i].stop();
  Manager::shutDown();
  LogManager::getInstance().writeLog(1, "ResourceManager::shutDown(): successfully stopped.");
}

bool ResourceManager::hasAudio() const {
  return audio;
}

int ResourceManager::readLineInt(std::istream &in, int *p_line_number, const char *tag) {
  std::string value;
  if (!readHeaderValue(in, p_line_number, tag, &value))
    return -1;
  return textToInt(value);
}

std::string ResourceManager::readLineStr(std::istream &in, int *p_line_number, const char *tag) {
  std::string value;
  if (!readHeaderValue(in, p_line_number, tag, &value))
    return "";
  return value;
}

Frame ResourceManager::readFrame(std::istream &in, int *p_line_number, int width, int height) {
  const LogManager &lm = LogManager::getInstance();
  std::string text, line;
  for (int row = 0; row < height; row++) {
    (*p_line_number)++;
    if (!readLine(in, &line))
      return Frame();
    if (static_cast<int>(line.size()) != width) {
      lm.writeLog("\tError line %d.  Width %d of %d.", *p_line_number,
                  static_cast<int>(line.size()), width);
      lm.writeLog("\tLine is '%s'", line.c_str());
      return Frame();
    }
    text += line;
  }
  (*p_line_number)++;
  if (!readLine(in, &line))
    return Frame();
  if (line != "end") {
    lm.writeLog("\tError line %d.  Expected '%s'.", *p_line_number, "end");
    lm.writeLog("\tLine is '%s'.", line.c_str());
    return Frame();
  }
  return Frame(width, height, text);
}

int ResourceManager::readHeader(std::istream &in, int *p_line_number, int *p_frames, int *p_width,
                                int *p_height, std::string *p_color) const {
  const LogManager &lm = LogManager::getInstance();
  *p_frames = readLineInt(in, p_line_number, "frames");
  if (*p_frames < 1) {
    lm.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  frames %d", *p_frames);
    return -1;
  }
  *p_width = readLineInt(in, p_line_number, "width");
  if (*p_width < 1) {
    lm.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  width %d", *p_width);
    return -1;
  }
  *p_height = readLineInt(in, p_line_number, "height");
  if (*p_height < 1) {
    lm.writeLog(10, "ResourceManager::loadSprite(): error readLineInt().  height %d", *p_height);
    return -1;
  }
  *p_color = readLineStr(in, p_line_number, "color");
  if (p_color->empty()) {
    lm.writeLog(10, "ResourceManager::loadSprite(): error readLineStr().  Color '%s'",
                p_color->c_str());
    return -1;
  }
  lm.writeLog(5, "                               Frames: %d", *p_frames);
  lm.writeLog(5, "                                Width: %d", *p_width);
  lm.writeLog(5, "                               Height: %d", *p_height);
  lm.writeLog(5, "                                Color: %s", p_color->c_str());
  return 0;
}

int ResourceManager::readFrames(std::istream &in, int *p_line_number, Sprite *p_s,
                                int frames) const {
  const LogManager &lm = LogManager::getInstance();
  for (int i = 0; i < frames; i++) {
    Frame frame = readFrame(in, p_line_number, p_s->getWidth(), p_s->getHeight());
    if (frame.getString().empty()) {
      lm.writeLog("ResourceManager::loadSprite(): Cannot add frame!");
      return -1;
    }
    if (p_s->addFrame(frame) == -1) {
      lm.writeLog("ResourceManager::loadSprite(): Cannot add frame!");
      lm.writeLog("                               Framecount is %d, max is %d.",
                  p_s->getFrameCount() + 1, frames);
      return -1;
    }
  }
  std::string line;
  if (!readLine(in, &line)) {
    lm.writeLog("\tError line %d. End of file reached or missing newline.", *p_line_number + 1);
    return -1;
  }
  if (line != "eof") {
    lm.writeLog("\tError line %d.  Expected '%s'.", *p_line_number + 1, "eof");
    lm.writeLog("\tLine is '%s'.", line.c_str());
    return -1;
  }
  return 0;
}

int ResourceManager::loadSprite(std::string filename, std::string label) {
  const LogManager &lm = LogManager::getInstance();
  if (!isStarted()) {
    lm.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (sprite_count == MAX_SPRITES) {
    lm.writeLog("ResourceManager::loadSprite(): Unable to add more Sprites (max is %d)\n",
                MAX_SPRITES);
    return -1;
  }
  std::ifstream in(filename, std::ios::binary);
  if (!in.is_open()) {
    lm.writeLog("ResourceManager::loadSprite(): Cannot open file '%s'", filename.c_str());
    return -1;
  }
  lm.writeLog(1, "ResourceManager::loadSprite(): Opened file '%s'", filename.c_str());
  int line_number = 0;
  int frames = 0, width = 0, height = 0;
  std::string color_name;
  if (readHeader(in, &line_number, &frames, &width, &height, &color_name) != 0)
    return -1;

  Sprite *p_s = new Sprite(frames);
  p_s->setWidth(width);
  p_s->setHeight(height);
  Color color = COLOR_DEFAULT;
  if (color_name != "default" && colorFromName(color_name, &color) != 0) {
    lm.writeLog("ResourceManager::loadSprite(): Unrecognized color '%s'", color_name.c_str());
    lm.writeLog("  Valid colors are: black, red, green, yellow,");
    lm.writeLog("                    blue, magenta, cyan and white.");
  }
  p_s->setColor(color);
  if (readFrames(in, &line_number, p_s, frames) != 0) {
    delete p_s;
    return -1;
  }
  p_s->setLabel(label);
  p_sprite[sprite_count++] = p_s;
  lm.writeLog(1, "ResourceManager::loadSprite(): Sprite '%s' successfully loaded", label.c_str());
  return 0;
}

Sprite *ResourceManager::getSprite(std::string label) const {
  for (int i = 0; i < sprite_count; i++)
    if (p_sprite[i]->getLabel() == label)
      return p_sprite[i];
  return nullptr;
}

int ResourceManager::loadSound(std::string filename, std::string label) {
  const LogManager &lm = LogManager::getInstance();
  if (!isStarted()) {
    lm.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (sound_count == MAX_SOUNDS) {
    lm.writeLog("ResourceManager::loadSound(): Unable to add more sounds (max is %d)", MAX_SOUNDS);
    return -1;
  }
  if (sound[sound_count].loadSound(filename, audio) != 0) {
    lm.writeLog("ResourceManager::loadSound(): Cannot load sound from file '%s'", filename.c_str());
    return -1;
  }
  sound[sound_count].setLabel(label);
  lm.writeLog(1, "ResourceManager::loadSound(): Sound '%s' successfully loaded", label.c_str());
  sound_count++;
  return 0;
}

Sound *ResourceManager::getSound(std::string label) {
  const LogManager &lm = LogManager::getInstance();
  lm.writeLog(5, "ResourceManager::getSound(): Looking for sound '%s'", label.c_str());
  for (int i = 0; i < sound_count; i++)
    if (sound[i].getLabel() == label)
      return &sound[i];
  lm.writeLog("ResourceManager::getSound(): Sound '%s' not found", label.c_str());
  return nullptr;
}

int ResourceManager::loadMusic(std::string filename, std::string label) {
  const LogManager &lm = LogManager::getInstance();
  if (!isStarted()) {
    lm.writeLog("%s not started!", getType().c_str());
    return -1;
  }
  if (music_count == MAX_MUSICS) {
    lm.writeLog("ResourceManager::loadMusic(): Unable to add more musics (max is %d)", MAX_MUSICS);
    return -1;
  }
  if (label.empty()) {
    lm.writeLog("ResourceManager::loadMusic(): Must provide label for music");
    return -1;
  }
  if (music[music_count].openMusic(filename, audio) != 0) {
    lm.writeLog("ResourceManager::loadmusic(): Cannot load music from file '%s'", filename.c_str());
    return -1;
  }
  music[music_count].setLabel(label);
  lm.writeLog(1, "ResourceManager::loadMusic(): Music '%s' successfully loaded", label.c_str());
  music_count++;
  return 0;
}

Music *ResourceManager::getMusic(std::string label) {
  const LogManager &lm = LogManager::getInstance();
  lm.writeLog(5, "ResourceManager::getMusic(): Looking for music '%s'", label.c_str());
  for (int i = 0; i < music_count; i++)
    if (music[i].getLabel() == label)
      return &music[i];
  lm.writeLog("ResourceManager::getMusic(): Music '%s' not found", label.c_str());
  return nullptr;
}

} // namespace ks
