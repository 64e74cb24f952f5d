#include "source/render/Updatable.h"

#include <algorithm>

#include "source/render/RenderManager.h"

Updatable::Updatable() { JoinUpdateList(); }

void Updatable::JoinUpdateList() {
  std::vector<Updatable*>& list = RenderManager::GetInstance()->GetUpdateList();
  if (std::find(list.begin(), list.end(), this) == list.end()) list.push_back(this);
  m_joined = true;
}

Updatable::~Updatable() {
  RenderManager* manager = RenderManager::PeekInstance();
  if (!m_joined || manager == nullptr) return;
  std::vector<Updatable*>& list = manager->GetUpdateList();
  auto it = std::find(list.begin(), list.end(), this);
  if (it != list.end()) list.erase(it);
}
