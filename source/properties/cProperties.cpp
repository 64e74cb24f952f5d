#include "source/properties/cProperties.h"

#include "platform/os/os.h"

cProperties::cProperties() {
  const std::string exe_directory = os::ExecutableDirectory();
  const struct {
    const char* name;
    std::string text;
  } defaults[] = {
      {"application_name", ""},
      {"application_version", ""},
      {"company name", "Moskelt"},
      {"exe_directory", exe_directory},
      {"engine_directory", exe_directory},
      {"pack_files_directory", "Data"},
      {"log_directory", exe_directory},
      {"log", "true"},
      {"hard_log", "true"},
  };
  for (const auto& entry : defaults) m_map[entry.name].Reset(new cStringProperty(entry.text));
}
