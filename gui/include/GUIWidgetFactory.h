#pragma once
// Makes a window from its type word: forms and XML window descriptions name each element's
// class by its tag. Lookup is by the exact word; an unknown word makes nothing.

#include <map>
#include <string>

#include "source/core/Singleton.h"

class GUIWindow;

class GUIWidgetFactory : public Singleton<GUIWidgetFactory> {
 public:
  // Makes the window with its parent; null when it cannot.
  using Creator = GUIWindow* (*)(const std::string& name, GUIWindow* parent);

  // Registers the window classes the GUI library has.
  GUIWidgetFactory();

  // A later registration of a word replaces the earlier one.
  void Register(const std::string& type, Creator creator);
  // The creator of the word, or null.
  Creator Find(const std::string& type) const;
  // The new window attached to `parent`, or null for an unknown word.
  GUIWindow* Create(const std::string& type, const std::string& name, GUIWindow* parent) const;

  template <class T>
  static GUIWindow* CreatorOf(const std::string& name, GUIWindow* parent) {
    return new T(parent, name);
  }

 private:
  std::map<std::string, Creator> m_creators;
};
