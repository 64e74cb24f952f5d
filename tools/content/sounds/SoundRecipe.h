#pragma once
// A sound of the sample game as its source describes it (content/sounds/*.xml): tones and noises
// placed in time, and lines of notes played by simple instruments. See content/sounds/README.md.

#include <string>
#include <vector>

struct SoundLayer {
  bool noise = false;
  float start = 0;          // seconds
  float length = 0;         // seconds; 0: to the end of the sound
  float level = 0.5f;       // peak, 0..1
  float frequency = 440;    // tone: Hz at the start
  float to_frequency = 0;   // tone: Hz at the end (0: steady)
  float lowpass = 0;        // noise: cut-off in Hz at the start (0: none)
  float to_lowpass = 0;     // noise: cut-off at the end (0: steady)
  float attack = 0.002f;    // seconds of rise
  float decay = 0;          // seconds for the level to fall to 1/e (0: no fall)
  float release = 0.005f;   // seconds of fall at the layer's end
  float pan = 0;            // -1 left .. 1 right
};

struct NoteLine {
  std::string voice = "bell";  // bell, pluck, pad or bass
  float level = 0.2f;
  float pan = 0;
  std::string notes;           // "E5:1 C4+E4+G4:4 -:2": pitches (chords with +) and beats
  float start = 0;             // beats from the sound's start to the line's first note
  int repeat = 1;              // the notes played this many times, one after another
};

struct SoundRecipe {
  std::string name;            // the file below the "data" group, without extension
  std::string format = "wav";  // "wav" or "ogg"
  int rate = 44100;
  int channels = 1;
  int bits = 16;               // WAV only
  float quality = 0.4f;        // Ogg only
  float length = 0;            // seconds; 0: what the layers and notes need
  float tempo = 120;           // beats a minute for the note lines
  bool loop = false;           // the end runs on into the start (sounds on a loop ring out across it)
  std::vector<SoundLayer> layers;
  std::vector<NoteLine> lines;
};

// Reads every "sound" element of the file. False with `error` set when the file cannot be read
// or a value is out of range.
bool ReadSoundRecipes(const std::string& path, std::vector<SoundRecipe>& recipes, std::string& error);

// The sound as interleaved samples in -1..1 (scaled down only if its peak would clip).
std::vector<float> SynthesizeSound(const SoundRecipe& recipe, std::string& error);
