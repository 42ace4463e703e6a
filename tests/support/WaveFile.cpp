#include "WaveFile.h"

#include <algorithm>
#include <cmath>
#include <complex>
#include <cstdint>
#include <cstring>
#include <fstream>
#include <iterator>

namespace kstest {

namespace {

uint32_t get32(const std::vector<char> &bytes, size_t at) {
  uint32_t value = 0;
  std::memcpy(&value, bytes.data() + at, 4);
  return value;
}

uint16_t get16(const std::vector<char> &bytes, size_t at) {
  uint16_t value = 0;
  std::memcpy(&value, bytes.data() + at, 2);
  return value;
}

/// In-place radix-2 FFT; `data.size()` is a power of two. `inverse` leaves out the 1/n scale.
void fft(std::vector<std::complex<double>> &data, bool inverse) {
  const size_t n = data.size();
  for (size_t i = 1, j = 0; i < n; i++) {
    size_t bit = n >> 1;
    for (; (j & bit) != 0; bit >>= 1)
      j ^= bit;
    j ^= bit;
    if (i < j)
      std::swap(data[i], data[j]);
  }
  for (size_t len = 2; len <= n; len <<= 1) {
    const double angle = 2 * M_PI / static_cast<double>(len) * (inverse ? 1 : -1);
    const std::complex<double> step(std::cos(angle), std::sin(angle));
    for (size_t i = 0; i < n; i += len) {
      std::complex<double> w(1);
      for (size_t k = 0; k < len / 2; k++) {
        std::complex<double> u = data[i + k];
        std::complex<double> v = data[i + k + len / 2] * w;
        data[i + k] = u + v;
        data[i + k + len / 2] = u - v;
        w *= step;
      }
    }
  }
}

} // namespace

bool readWave(const std::string &path, Wave &wave) {
  std::ifstream in(path, std::ios::binary);
  std::vector<char> bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
  if (bytes.size() < 12 || std::memcmp(bytes.data(), "RIFF", 4) != 0 ||
      std::memcmp(bytes.data() + 8, "WAVE", 4) != 0)
    return false;
  int format = 0, bits = 0;
  size_t at = 12;
  while (at + 8 <= bytes.size()) {
    const uint32_t size = get32(bytes, at + 4);
    if (std::memcmp(bytes.data() + at, "fmt ", 4) == 0 && at + 8 + 16 <= bytes.size()) {
      format = get16(bytes, at + 8);
      wave.channels = get16(bytes, at + 10);
      wave.rate = static_cast<int>(get32(bytes, at + 12));
      bits = get16(bytes, at + 22);
      if (format == 0xFFFE && size >= 40 && at + 8 + 26 <= bytes.size())
        format = get16(bytes, at + 8 + 24); // the sub-format's leading code
    } else if (std::memcmp(bytes.data() + at, "data", 4) == 0) {
      wave.data_offset = static_cast<long>(at + 8);
      break;
    }
    at += 8 + size + (size & 1);
  }
  if (wave.data_offset == 0 || wave.channels <= 0 ||
      !((format == 1 && bits == 16) || (format == 3 && bits == 32)))
    return false;
  wave.frame_bytes = wave.channels * bits / 8;
  // The length field is not trusted: a recorder that was not closed leaves it short or zero.
  const size_t frames = (bytes.size() - static_cast<size_t>(wave.data_offset)) /
                        static_cast<size_t>(wave.frame_bytes);
  wave.mono.assign(frames, 0.0f);
  const char *p_data = bytes.data() + wave.data_offset;
  for (size_t f = 0; f < frames; f++)
    for (int c = 0; c < wave.channels; c++) {
      const char *p_sample =
          p_data + f * static_cast<size_t>(wave.frame_bytes) + static_cast<size_t>(c * bits / 8);
      if (format == 1) {
        int16_t sample = 0;
        std::memcpy(&sample, p_sample, 2);
        wave.mono[f] += static_cast<float>(sample) / 32768.0f;
      } else {
        float sample = 0;
        std::memcpy(&sample, p_sample, 4);
        wave.mono[f] += sample;
      }
    }
  return true;
}

Match findPattern(const std::vector<float> &signal, size_t first, size_t last,
                  const std::vector<float> &pattern) {
  Match best;
  last = std::min(last, signal.size());
  const size_t m = pattern.size();
  if (m == 0 || first >= last || last - first < m)
    return best;
  // Correlation block by block (overlap-save), so that memory stays small for long recordings.
  size_t size = 1 << 17;
  while (size < 2 * m)
    size <<= 1;
  std::vector<std::complex<double>> p(size);
  double pattern_energy = 0;
  for (size_t i = 0; i < m; i++) {
    p[i] = pattern[i];
    pattern_energy += static_cast<double>(pattern[i]) * pattern[i];
  }
  if (pattern_energy <= 0)
    return best;
  fft(p, false);
  const double pattern_norm = std::sqrt(pattern_energy);
  std::vector<std::complex<double>> s(size);
  std::vector<double> sums(size + 1);
  for (size_t start = first; start + m <= last; start += size - m + 1) {
    const size_t n = std::min(size, last - start);
    std::fill(s.begin(), s.end(), std::complex<double>());
    sums[0] = 0;
    for (size_t i = 0; i < n; i++) {
      const double x = signal[start + i];
      s[i] = x;
      sums[i + 1] = sums[i] + x * x;
    }
    fft(s, false);
    for (size_t i = 0; i < size; i++)
      s[i] *= std::conj(p[i]);
    fft(s, true);
    for (size_t k = 0; k + m <= n; k++) {
      const double window = sums[k + m] - sums[k];
      if (window <= 1e-9)
        continue;
      const double score =
          s[k].real() / static_cast<double>(size) / (pattern_norm * std::sqrt(window));
      if (score > best.score) {
        best.score = score;
        best.frame = start + k;
      }
    }
  }
  return best;
}

double rms(const std::vector<float> &signal, size_t first, size_t last) {
  last = std::min(last, signal.size());
  if (first >= last)
    return 0.0;
  double sum = 0;
  for (size_t i = first; i < last; i++)
    sum += static_cast<double>(signal[i]) * signal[i];
  return std::sqrt(sum / static_cast<double>(last - first));
}

} // namespace kstest
