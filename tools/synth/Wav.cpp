#include "Wav.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <vector>

namespace synth {

namespace {

// WAV is little-endian whatever the host is.
void put16(std::vector<unsigned char> &out, uint16_t v) {
  out.push_back(static_cast<unsigned char>(v & 0xff));
  out.push_back(static_cast<unsigned char>(v >> 8));
}

void put32(std::vector<unsigned char> &out, uint32_t v) {
  for (int i = 0; i < 4; i++)
    out.push_back(static_cast<unsigned char>((v >> (8 * i)) & 0xff));
}

void putTag(std::vector<unsigned char> &out, const char *tag) {
  out.insert(out.end(), tag, tag + 4);
}

} // namespace

int writeWav(const std::string &path, const Track &track) {
  const std::vector<float> &samples = track.getSamples();
  const uint32_t rate = static_cast<uint32_t>(track.getSampleRate());
  const uint32_t data_bytes = static_cast<uint32_t>(samples.size() * 2);

  std::vector<unsigned char> out;
  out.reserve(44 + data_bytes);
  putTag(out, "RIFF");
  put32(out, 36 + data_bytes);
  putTag(out, "WAVE");
  putTag(out, "fmt ");
  put32(out, 16);       // size of the format chunk
  put16(out, 1);        // PCM
  put16(out, 1);        // mono
  put32(out, rate);     // samples per second
  put32(out, rate * 2); // bytes per second
  put16(out, 2);        // bytes per sample frame
  put16(out, 16);       // bits per sample
  putTag(out, "data");
  put32(out, data_bytes);
  for (float s : samples) {
    long v = std::lround(std::clamp(s, -1.0f, 1.0f) * 32767.0f);
    put16(out, static_cast<uint16_t>(static_cast<int16_t>(v)));
  }

  FILE *p_f = std::fopen(path.c_str(), "wb");
  if (p_f == nullptr) {
    std::fprintf(stderr, "ks_synth: cannot open '%s' for writing\n", path.c_str());
    return -1;
  }
  size_t written = std::fwrite(out.data(), 1, out.size(), p_f);
  int closed = std::fclose(p_f);
  if (written != out.size() || closed != 0) {
    std::fprintf(stderr, "ks_synth: cannot write '%s'\n", path.c_str());
    return -1;
  }
  return 0;
}

} // namespace synth
