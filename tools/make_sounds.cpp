// Writes the chime plug-in's two sounds as 16-bit mono PCM WAV files at 11,025
// samples a second: chime.wav, three short pips and one long tone an octave up,
// like a radio time signal, each a soft sine that fades; and alarm.wav, one second
// of four bright two-tone beeps and a rest, which the plug-in repeats while an
// alarm rings. Only arithmetic, so every run writes the same bytes.
//   make_sounds OUTPUT_FOLDER
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "base/little_endian.h"

namespace {

constexpr int kRate = 11025;
constexpr double kPi = 3.14159265358979323846;

// One tone added into `samples` from `start` seconds on: a sine of `frequency`
// with a little of its octave for warmth, a 10 ms rise and an exponential fade
// with time constant `fade`.
void AddTone(std::vector<double>& samples, double start, double length, double frequency,
             double fade, double level) {
  const int first = static_cast<int>(start * kRate);
  const int count = static_cast<int>(length * kRate);
  for (int i = 0; i < count && first + i < static_cast<int>(samples.size()); ++i) {
    const double t = static_cast<double>(i) / kRate;
    const double rise = t < 0.01 ? t / 0.01 : 1.0;
    // The last 5 ms fall to silence, so that a cut tone does not click.
    const double end = (length - t) < 0.005 ? (length - t) / 0.005 : 1.0;
    const double wave =
        std::sin(2 * kPi * frequency * t) + 0.15 * std::sin(4 * kPi * frequency * t);
    samples[first + i] += level * rise * end * std::exp(-t / fade) * wave;
  }
}

bool WriteWav(const std::string& path, const std::vector<double>& samples) {
  std::vector<uint8_t> bytes;
  const auto append = [&bytes](const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); };
  const uint32_t dataSize = static_cast<uint32_t>(samples.size() * 2);
  append("RIFF");
  AppendUint32(bytes, 36 + dataSize);
  append("WAVE");
  append("fmt ");
  AppendUint32(bytes, 16);
  AppendUint16(bytes, 1);  // PCM
  AppendUint16(bytes, 1);  // mono
  AppendUint32(bytes, kRate);
  AppendUint32(bytes, kRate * 2);
  AppendUint16(bytes, 2);
  AppendUint16(bytes, 16);
  append("data");
  AppendUint32(bytes, dataSize);
  for (const double sample : samples) {
    const double clamped = sample > 1.0 ? 1.0 : (sample < -1.0 ? -1.0 : sample);
    AppendUint16(bytes, static_cast<uint16_t>(static_cast<int16_t>(std::lround(clamped * 32767))));
  }
  FILE* file = std::fopen(path.c_str(), "wb");
  if (file == nullptr) return false;
  const bool written = std::fwrite(bytes.data(), 1, bytes.size(), file) == bytes.size();
  return std::fclose(file) == 0 && written;
}

std::vector<double> Chime() {
  std::vector<double> samples(static_cast<size_t>(2.9 * kRate));
  for (int pip = 0; pip < 3; ++pip) AddTone(samples, pip * 0.5, 0.12, 440, 0.08, 0.45);
  AddTone(samples, 1.5, 1.4, 880, 0.45, 0.45);
  return samples;
}

std::vector<double> Alarm() {
  std::vector<double> samples(kRate);
  for (int beep = 0; beep < 4; ++beep) {
    AddTone(samples, beep * 0.16, 0.07, 1568, 0.1, 0.35);
    AddTone(samples, beep * 0.16 + 0.07, 0.07, 1319, 0.1, 0.35);
  }
  return samples;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: make_sounds OUTPUT_FOLDER\n");
    return 2;
  }
  const std::string folder = argv[1];
  if (!WriteWav(folder + "/chime.wav", Chime()) || !WriteWav(folder + "/alarm.wav", Alarm())) {
    std::fprintf(stderr, "make_sounds: cannot write into %s\n", folder.c_str());
    return 1;
  }
  return 0;
}
