#include "AudioSupport.h"

#include <cmath>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <sys/wait.h>
#include <unistd.h>
#include <vector>

#include "Configuration.h"
#include "LogManager.h"
#include "ResourceManager.h"

#include "TestSupport.h"

namespace kstest {

namespace {

void put16(std::string *p_out, uint16_t v) {
  p_out->push_back(static_cast<char>(v & 0xff));
  p_out->push_back(static_cast<char>(v >> 8));
}

void put32(std::string *p_out, uint32_t v) {
  for (int i = 0; i < 4; i++)
    p_out->push_back(static_cast<char>((v >> (8 * i)) & 0xff));
}

uint32_t get32(const std::string &s, size_t at) {
  uint32_t v = 0;
  for (int i = 3; i >= 0; i--)
    v = (v << 8) | static_cast<unsigned char>(s[at + i]);
  return v;
}

uint16_t get16(const std::string &s, size_t at) {
  return static_cast<uint16_t>(static_cast<unsigned char>(s[at]) |
                               (static_cast<unsigned char>(s[at + 1]) << 8));
}

} // namespace

void writeToneWav(const std::string &path, float seconds, float frequency, float amplitude) {
  const int rate = 44100;
  int frames = static_cast<int>(seconds * rate);
  std::string data;
  for (int i = 0; i < frames; i++) {
    double v = amplitude * std::sin(2 * M_PI * frequency * i / rate);
    put16(&data, static_cast<uint16_t>(static_cast<int16_t>(v * 32767)));
  }
  std::string out = "RIFF";
  put32(&out, static_cast<uint32_t>(36 + data.size()));
  out += "WAVEfmt ";
  put32(&out, 16);
  put16(&out, 1); // PCM
  put16(&out, 1); // mono
  put32(&out, rate);
  put32(&out, rate * 2);
  put16(&out, 2);
  put16(&out, 16);
  out += "data";
  put32(&out, static_cast<uint32_t>(data.size()));
  writeFile(path, out + data);
}

void writeWaveConf(const std::string &conf_path, const std::string &out_path) {
  writeFile(conf_path, "[general]\ndrivers = wave\n[wave]\nfile = " + out_path + "\n");
}

void writeNoDeviceConf(const std::string &conf_path) {
  // A driver list naming no real backend: every device open fails.
  writeFile(conf_path, "[general]\ndrivers = no-such-driver\n");
}

int runAudioChild(const std::string &conf_path, const std::function<int()> &body) {
  pid_t pid = fork();
  if (pid == 0) {
    setenv("ALSOFT_CONF", conf_path.c_str(), 1);
    exit(body());
  }
  int status = 0;
  if (pid < 0 || waitpid(pid, &status, 0) != pid || !WIFEXITED(status))
    return -1;
  return WEXITSTATUS(status);
}

WaveStats readWaveStats(const std::string &path) {
  WaveStats stats;
  std::string s = readFile(path);
  if (s.size() < 12 || s.compare(0, 4, "RIFF") != 0 || s.compare(8, 4, "WAVE") != 0)
    return stats;
  int format = 0, bits = 0;
  size_t at = 12;
  while (at + 8 <= s.size()) {
    std::string id = s.substr(at, 4);
    size_t size = get32(s, at + 4);
    size_t body = at + 8;
    if (id == "fmt " && body + 16 <= s.size()) {
      format = get16(s, body);
      stats.channels = get16(s, body + 2);
      stats.rate = static_cast<int>(get32(s, body + 4));
      bits = get16(s, body + 14);
      if (format == 0xFFFE && body + 26 <= s.size())
        format = get16(s, body + 24); // extensible: the sub-format's first two bytes
    } else if (id == "data") {
      // A file that was not closed may still carry a placeholder size: use what is there.
      size_t end = s.size();
      if (size != 0 && size != 0xffffffffu && body + size <= s.size())
        end = body + size;
      int bytes = bits / 8;
      if (stats.channels <= 0 || bytes <= 0 || (format != 1 && format != 3))
        return stats;
      size_t frame_bytes = static_cast<size_t>(bytes) * stats.channels;
      stats.frames = static_cast<long>((end - body) / frame_bytes);
      for (long f = 0; f < stats.frames; f++) {
        double peak = 0;
        for (int c = 0; c < stats.channels; c++) {
          size_t p = body + f * frame_bytes + c * bytes;
          double v = 0;
          if (format == 3 && bytes == 4) {
            float x;
            memcpy(&x, s.data() + p, 4);
            v = x;
          } else if (bytes == 1) {
            v = (static_cast<unsigned char>(s[p]) - 128) / 128.0;
          } else if (bytes == 2) {
            v = static_cast<int16_t>(get16(s, p)) / 32768.0;
          } else if (bytes == 4) {
            v = static_cast<int32_t>(get32(s, p)) / 2147483648.0;
          }
          peak = std::fmax(peak, std::fabs(v));
        }
        if (peak > 0.01) {
          stats.loud_frames++;
          stats.last_loud = f;
        }
      }
      stats.valid = true;
      return stats;
    }
    at = body + size + (size & 1);
  }
  return stats;
}

void startResources(const std::string &path, int level) {
  ks::LogManager &lm = ks::LogManager::getInstance();
  if (lm.isStarted())
    lm.shutDown();
  ks::Configuration::getInstance().setLogFile(path);
  lm.setFlush(true);
  lm.startUp();
  lm.setLogLevel(level);
  ks::ResourceManager::getInstance().startUp();
}

} // namespace kstest
