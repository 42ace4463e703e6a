#include "Sound.h"

#include <SFML/Audio/InputSoundFile.hpp>
#include <SFML/Audio/Sound.hpp>
#include <SFML/Audio/SoundBuffer.hpp>

#include "LogManager.h"

namespace ks {

Sound::Sound() : p_sound(nullptr), p_sound_buffer(nullptr), label("[Undefined]") {}

Sound::~Sound() {
  if (p_sound != nullptr)
    p_sound->resetBuffer();
  delete p_sound;
  delete p_sound_buffer;
}

int Sound::loadSound(std::string filename, bool audio) {
  if (!audio) {
    // Without a device any OpenAL call only prints errors: decode the header to check the file.
    sf::InputSoundFile file;
    return file.openFromFile(filename) ? 0 : -1;
  }
  sf::SoundBuffer *p_buffer = new sf::SoundBuffer();
  if (!p_buffer->loadFromFile(filename)) {
    delete p_buffer;
    return -1;
  }
  if (p_sound == nullptr)
    p_sound = new sf::Sound();
  p_sound->setBuffer(*p_buffer);
  delete p_sound_buffer;
  p_sound_buffer = p_buffer;
  return 0;
}

void Sound::setLabel(std::string new_label) {
  label = new_label;
}

std::string Sound::getLabel() const {
  return label;
}

void Sound::play(bool loop) {
  LogManager::getInstance().writeLog(5, "Sound::play(): Playing sound.");
  if (p_sound == nullptr)
    return;
  p_sound->play();
  p_sound->setLoop(loop);
}

void Sound::stop() {
  if (p_sound != nullptr)
    p_sound->stop();
}

bool Sound::isPlaying() const {
  return p_sound != nullptr && p_sound->getStatus() == sf::Sound::Playing;
}

} // namespace ks
