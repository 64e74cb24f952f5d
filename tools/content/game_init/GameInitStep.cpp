// The game initialisation file "game_init\game_init": the language the game starts in and, per
// language, the fonts of the GUI's font slots. Copied as it is, once it is known to parse.
// Without the file the game starts in its first language with no fonts chosen.

#include <cstdio>
#include <filesystem>

#include "source/stream/cMemoryStream.h"
#include "source/xml/XmlDocument.h"
#include "tools/content/ContentStep.h"

namespace {

bool MakeGameInit(const ContentPaths& paths) {
  const std::string source = paths.SourceFor("game_init/game_init.xml");
  if (!std::filesystem::exists(source)) return true;  // sources without this area make no file
  FILE* in = std::fopen(source.c_str(), "rb");
  if (in == nullptr) {
    std::fprintf(stderr, "game_init: cannot read %s\n", source.c_str());
    return false;
  }
  cMemoryStream bytes;
  char buffer[4096];
  for (std::size_t n; (n = std::fread(buffer, 1, sizeof buffer, in)) > 0;) bytes.Write(buffer, static_cast<uint32_t>(n));
  std::fclose(in);
  bytes.Seek(0, 0);
  XmlDocument document;
  if (!document.Load(bytes) || document.GetRoot().GetName() != "game_init") {
    std::fprintf(stderr, "game_init: %s is not a game_init document\n", source.c_str());
    return false;
  }
  std::error_code error;
  std::filesystem::copy_file(source, paths.PathFor("data", "game_init/game_init.xml"),
                             std::filesystem::copy_options::overwrite_existing, error);
  if (error) std::fprintf(stderr, "game_init: %s\n", error.message().c_str());
  return !error;
}

}  // namespace

VELMARIS_CONTENT_STEP("game_init", 10, MakeGameInit);
