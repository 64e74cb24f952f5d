// The content tool's sound step: every recipe of content/sounds/sounds.xml is synthesised and
// written below "data" as a WAV file or, through libvorbisenc, as Ogg Vorbis.

#include <cstdio>

#include "platform/os/os.h"
#include "source/sound/writer/SoundWriters.h"
#include "source/stream/cFileStream.h"
#include "tools/content/ContentStep.h"
#include "tools/content/sounds/SoundRecipe.h"

namespace {

// The Ogg stream number of a sound: from its name, so the bytes never change between runs.
int SerialOf(const std::string& name) {
  uint32_t hash = 2166136261u;
  for (unsigned char c : name) hash = (hash ^ c) * 16777619u;
  return static_cast<int>(hash & 0x7FFFFFFF);
}

bool WriteSound(const ContentPaths& paths, const SoundRecipe& recipe, const std::vector<float>& samples) {
  const std::string path = paths.PathFor("data", recipe.name + "." + recipe.format);
  cFileStream file(path, os::kCreateAlways, os::kAccessWrite, 0);
  if (!file.IsOpen()) return false;
  const auto channels = static_cast<uint16_t>(recipe.channels);
  const auto rate = static_cast<uint32_t>(recipe.rate);
  if (recipe.format == "ogg") return WriteOggVorbis(file, samples, channels, rate, recipe.quality, SerialOf(recipe.name));
  const audio::WaveFormat format = PcmFormat(channels, rate, static_cast<uint16_t>(recipe.bits));
  const std::vector<uint8_t> pcm = ToPcm(samples, format);
  return WriteWav(file, format, pcm.data(), static_cast<uint32_t>(pcm.size()));
}

bool MakeSounds(const ContentPaths& paths) {
  const std::string source = paths.SourceFor("sounds/sounds.xml");
  if (!os::FileExists(source)) return true;  // sources without sounds make none
  std::vector<SoundRecipe> recipes;
  std::string error;
  if (!ReadSoundRecipes(source, recipes, error)) {
    std::fprintf(stderr, "velmaris-content: %s\n", error.c_str());
    return false;
  }
  for (const SoundRecipe& recipe : recipes) {
    const std::vector<float> samples = SynthesizeSound(recipe, error);
    if (!error.empty() || samples.empty()) {
      std::fprintf(stderr, "velmaris-content: sound %s: %s\n", recipe.name.c_str(),
                   error.empty() ? "it has no length" : error.c_str());
      return false;
    }
    if (!WriteSound(paths, recipe, samples)) {
      std::fprintf(stderr, "velmaris-content: sound %s could not be written\n", recipe.name.c_str());
      return false;
    }
  }
  return true;
}

}  // namespace

VELMARIS_CONTENT_STEP("sounds", 40, MakeSounds);
