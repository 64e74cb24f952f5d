// Renders a sound recipe: layers of tones and noises with their envelopes, and note lines played
// by four small instruments made of sine partials.

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <sstream>

#include "tools/content/sounds/SoundRecipe.h"

namespace {

constexpr double kTwoPi = 6.283185307179586;
constexpr float kPeakLimit = 0.98f;

// The sound being drawn: one plane a channel. On a loop, what runs past the end comes in at the
// start; otherwise it is cut.
class Canvas {
 public:
  Canvas(int rate, int channels, size_t frames, bool loop)
      : m_rate(rate), m_loop(loop), m_planes(static_cast<size_t>(channels), std::vector<float>(frames, 0.0f)) {}

  int Rate() const { return m_rate; }
  void Add(size_t frame, float value, float pan) {
    const size_t frames = m_planes[0].size();
    if (frames == 0) return;
    if (frame >= frames) {
      if (!m_loop) return;
      frame %= frames;
    }
    if (m_planes.size() == 1) {
      m_planes[0][frame] += value;
      return;
    }
    m_planes[0][frame] += value * std::min(1.0f, 1.0f - pan);
    m_planes[1][frame] += value * std::min(1.0f, 1.0f + pan);
  }
  std::vector<float> Interleaved() const {
    const size_t frames = m_planes[0].size();
    std::vector<float> samples(frames * m_planes.size());
    float peak = 0.0f;
    for (size_t i = 0; i < frames; ++i) {
      for (size_t c = 0; c < m_planes.size(); ++c) {
        samples[i * m_planes.size() + c] = m_planes[c][i];
        peak = std::max(peak, std::fabs(m_planes[c][i]));
      }
    }
    if (peak > kPeakLimit) {
      for (float& sample : samples) sample *= kPeakLimit / peak;
    }
    return samples;
  }

 private:
  int m_rate;
  bool m_loop;
  std::vector<std::vector<float>> m_planes;
};

float Envelope(double t, double length, float attack, float decay, float release) {
  double level = attack > 0 ? std::min(1.0, t / attack) : 1.0;
  if (decay > 0) level *= std::exp(-t / decay);
  if (release > 0) level *= std::clamp((length - t) / release, 0.0, 1.0);
  return static_cast<float>(level);
}

// The program's noise: a fixed sequence, so the same recipe always gives the same bytes.
class Noise {
 public:
  float Next() {
    m_state = m_state * 1664525u + 1013904223u;
    return static_cast<float>(m_state >> 8) / 8388608.0f - 1.0f;
  }

 private:
  uint32_t m_state = 22222u;
};

void DrawLayer(Canvas& canvas, const SoundLayer& layer, double total, Noise& noise) {
  const int rate = canvas.Rate();
  const double length = layer.length > 0 ? layer.length : std::max(0.0, total - layer.start);
  const auto first = static_cast<size_t>(std::lround(layer.start * rate));
  const auto count = static_cast<size_t>(std::lround(length * rate));
  double phase = 0.0;
  double filtered = 0.0;
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    const double along = length > 0 ? t / length : 0.0;
    double value;
    if (!layer.noise) {
      const double f = layer.to_frequency > 0 ? layer.frequency * std::pow(layer.to_frequency / layer.frequency, along)
                                              : layer.frequency;
      value = std::sin(phase);
      phase = std::fmod(phase + kTwoPi * f / rate, kTwoPi);
    } else if (layer.lowpass > 0) {
      const double cut = layer.to_lowpass > 0 ? layer.lowpass * std::pow(layer.to_lowpass / layer.lowpass, along)
                                              : layer.lowpass;
      const double a = 1.0 - std::exp(-kTwoPi * std::min(cut, rate * 0.45) / rate);
      filtered += a * (noise.Next() - filtered);
      // Filtering takes level away; this gives it back, so "level" means about the same either way.
      value = std::clamp(filtered * std::sqrt((2.0 - a) / a), -1.0, 1.0);
    } else {
      value = noise.Next();
    }
    const float env = Envelope(t, length, layer.attack, layer.decay, layer.release);
    canvas.Add(first + i, static_cast<float>(value) * env * layer.level, layer.pan);
  }
}

struct Partial {
  double ratio;
  float level;
  float decay;
};

// One note of an instrument: its partials, its rise, how long it rings past its written length.
void DrawNote(Canvas& canvas, const std::string& voice, double frequency, double start, double duration,
              float level, float pan) {
  std::vector<Partial> partials;
  float attack = 0.004f;
  double ring = 0.0;
  float release = 0.05f;
  bool sustained = false;
  if (voice == "bell") {
    partials = {{1, 1.0f, 1.4f}, {2, 0.35f, 0.8f}, {3, 0.12f, 0.45f}, {4.2, 0.05f, 0.25f}};
    ring = 1.8;
    release = 0.4f;
  } else if (voice == "pluck") {
    partials = {{1, 1.0f, 0.5f}, {2, 0.5f, 0.3f}, {3, 0.25f, 0.2f}, {4, 0.12f, 0.15f}};
    ring = 0.6;
    release = 0.2f;
  } else if (voice == "pad") {
    partials = {{1, 0.34f, 0}, {1.0035, 0.33f, 0}, {0.9965, 0.33f, 0}, {2, 0.08f, 0}};
    attack = 0.35f;
    ring = 0.45;
    release = 0.45f;
    sustained = true;
  } else {  // bass
    partials = {{1, 1.0f, 1.6f}, {2, 0.25f, 0.6f}};
    attack = 0.01f;
    ring = 0.3;
    release = 0.15f;
  }
  const int rate = canvas.Rate();
  const double length = duration + ring;
  const auto first = static_cast<size_t>(std::lround(start * rate));
  const auto count = static_cast<size_t>(std::lround(length * rate));
  for (size_t i = 0; i < count; ++i) {
    const double t = static_cast<double>(i) / rate;
    double value = 0.0;
    for (const Partial& p : partials) {
      if (frequency * p.ratio >= rate * 0.45) continue;
      const double fall = p.decay > 0 ? std::exp(-t / p.decay) : 1.0;
      value += std::sin(kTwoPi * frequency * p.ratio * t) * p.level * fall;
    }
    // A sustained voice holds until its note ends, then lets go over its release.
    const double held = sustained ? std::clamp(1.0 - (t - duration) / ring, 0.0, 1.0) : 1.0;
    const float env = Envelope(t, length, attack, 0, release) * static_cast<float>(held);
    canvas.Add(first + i, static_cast<float>(value) * env * level, pan);
  }
}

// "A4" (with # or b after the letter) to its frequency; 0 for a rest ("-").
bool PitchOf(const std::string& name, double& frequency) {
  if (name == "-") {
    frequency = 0;
    return true;
  }
  static const int kSteps[] = {9, 11, 0, 2, 4, 5, 7};  // A B C D E F G from C
  if (name.size() < 2 || name[0] < 'A' || name[0] > 'G') return false;
  int semitone = kSteps[name[0] - 'A'];
  size_t at = 1;
  if (name[at] == '#' || name[at] == 'b') semitone += name[at++] == '#' ? 1 : -1;
  char* end = nullptr;
  const long octave = std::strtol(name.c_str() + at, &end, 10);
  if (end == name.c_str() + at || *end != '\0' || octave < 0 || octave > 8) return false;
  const int midi = 12 * (static_cast<int>(octave) + 1) + semitone;
  frequency = 440.0 * std::pow(2.0, (midi - 69) / 12.0);
  return true;
}

// Calls `note` (pitches, start beat, beats) for every token of the notes from beat `beats` on,
// which it moves past them.
template <class F>
bool WalkNotes(const std::string& notes, double& beats, std::string& error, F note) {
  std::istringstream tokens(notes);
  std::string token;
  while (tokens >> token) {
    const size_t colon = token.find(':');
    char* end = nullptr;
    const double length = colon == std::string::npos ? 0 : std::strtod(token.c_str() + colon + 1, &end);
    if (colon == std::string::npos || *end != '\0' || !(length > 0 && length <= 64)) {
      error = "note \"" + token + "\" has no length in beats";
      return false;
    }
    std::vector<double> pitches;
    std::istringstream chord(token.substr(0, colon));
    std::string pitch;
    while (std::getline(chord, pitch, '+')) {
      double frequency = 0;
      if (!PitchOf(pitch, frequency)) {
        error = "\"" + pitch + "\" is not a pitch";
        return false;
      }
      if (frequency > 0) pitches.push_back(frequency);
    }
    note(pitches, beats, length);
    beats += length;
  }
  return true;
}

// The whole line: from its start beat, its notes as many times as it repeats them.
template <class F>
bool WalkLine(const NoteLine& line, double& beats, std::string& error, F note) {
  beats = line.start;
  for (int turn = 0; turn < line.repeat; ++turn) {
    if (!WalkNotes(line.notes, beats, error, note)) return false;
  }
  return true;
}

}  // namespace

std::vector<float> SynthesizeSound(const SoundRecipe& recipe, std::string& error) {
  const double beat = 60.0 / recipe.tempo;
  double total = recipe.length;
  if (total <= 0) {
    for (const SoundLayer& layer : recipe.layers) total = std::max<double>(total, layer.start + layer.length);
    for (const NoteLine& line : recipe.lines) {
      double beats = 0;
      if (!WalkLine(line, beats, error, [](const std::vector<double>&, double, double) {})) return {};
      total = std::max(total, beats * beat + (recipe.loop ? 0.0 : 1.5));
    }
  }
  const auto frames = static_cast<size_t>(std::lround(total * recipe.rate));
  Canvas canvas(recipe.rate, recipe.channels, frames, recipe.loop);
  Noise noise;
  for (const SoundLayer& layer : recipe.layers) DrawLayer(canvas, layer, total, noise);
  for (const NoteLine& line : recipe.lines) {
    double beats = 0;
    WalkLine(line, beats, error, [&](const std::vector<double>& pitches, double at, double length) {
      for (double frequency : pitches) {
        DrawNote(canvas, line.voice, frequency, at * beat, length * beat, line.level, line.pan);
      }
    });
  }
  return canvas.Interleaved();
}
