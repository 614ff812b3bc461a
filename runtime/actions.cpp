#include "runtime/actions.h"

#include <algorithm>

namespace klarvik {

TAction::TAction(TComponent* AOwner) : TComponent(AOwner) {}

TAction::~TAction() { SetActionList(nullptr); }

bool TAction::Execute() {
  if (!enabled_ || !OnExecute) return false;
  OnExecute(this);
  return true;
}

void TAction::SetActionList(TActionList* list) {
  if (list == actionList_) return;
  if (actionList_) std::erase(actionList_->actions_, this);
  actionList_ = list;
  if (actionList_) actionList_->actions_.push_back(this);
}

TActionList::TActionList(TComponent* AOwner) : TComponent(AOwner) {}

TActionList::~TActionList() {
  for (TAction* action : actions_) action->actionList_ = nullptr;
}

TAction* TActionList::Actions(int index) const {
  if (index < 0 || index >= ActionCount()) return nullptr;
  return actions_[static_cast<size_t>(index)];
}

}  // namespace klarvik
