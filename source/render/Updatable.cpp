#include "source/render/Updatable.h"

#include <algorithm>

#include "source/render/RenderManager.h"

Updatable::Updatable() {
  std::vector<Updatable*>& list = RenderManager::GetInstance()->GetUpdateList();
  if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
}

Updatable::~Updatable() {
  RenderManager* manager = RenderManager::PeekInstance();
  if (manager == nullptr) return;
  std::vector<Updatable*>& list = manager->GetUpdateList();
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) list.erase(it);
}
