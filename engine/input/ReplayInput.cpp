#include "ReplayInput.h"

namespace ks {

ReplayInput::ReplayInput() : recording(), next(0), loaded(false) {}

int ReplayInput::load(const std::string &filename) {
  if (recording.readFile(filename) != 0)
    return -1;
  next = 0;
  loaded = true;
  return 0;
}

bool ReplayInput::isLoaded() const {
  return loaded;
}

const RecordingSettings &ReplayInput::getSettings() const {
  return recording.getSettings();
}

bool ReplayInput::isOver(int step) const {
  return loaded && step >= recording.getSteps();
}

int ReplayInput::start() {
  next = 0;
  return 0;
}

void ReplayInput::stop() {
  recording = Recording();
  loaded = false;
  next = 0;
}

void ReplayInput::poll(int step, std::vector<InputEvent> &events) {
  const std::vector<RecordedEvent> &all = recording.getEvents();
  // Events of steps already past (a replay started late) are dropped, not sent late.
  while (next < all.size() && all[next].step < step)
    next++;
  for (; next < all.size() && all[next].step == step; next++)
    events.push_back(all[next].event);
}

} // namespace ks
