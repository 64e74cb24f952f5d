#pragma once
// The program-wide settings store: a PropertyMap filled with defaults at its creation, loaded
// from the configuration file and bound by the managers to their own variables. Only the keys
// marked persistent are written back to the configuration file.

#include <string>
#include <vector>

#include "source/core/Singleton.h"
#include "source/properties/PropertyMap.h"

class cProperties : public Singleton<cProperties> {
 public:
  cProperties();

  void SetValue(const std::string& name, const std::string& text) { SetPropertyValue(m_map, name, text); }
  std::string GetValue(const std::string& name) const { return GetPropertyValue(m_map, name); }

  PropertyMap& GetMap() { return m_map; }
  const PropertyMap& GetMap() const { return m_map; }

  // Marks a key to be written to the configuration file; keys keep the order of marking.
  void MarkPersistent(const std::string& name) { AppendUniqueName(m_persistent, name); }
  const std::vector<std::string>& GetPersistentKeys() const { return m_persistent; }

  // The player's folder for settings and the log (set when the configuration is loaded).
  void SetUserFolder(const std::string& folder) { m_user_folder = folder; }
  const std::string& GetUserFolder() const { return m_user_folder; }

  // Set while a configuration file that could not be read is kept as it is: nothing may be
  // written over it in this run.
  void SetConfigKept(bool kept) { m_config_kept = kept; }
  bool IsConfigKept() const { return m_config_kept; }

 private:
  PropertyMap m_map;
  std::vector<std::string> m_persistent;
  std::string m_user_folder;
  bool m_config_kept = false;
};
