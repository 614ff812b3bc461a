#pragma once
// Named commands with an execute handler, collected in action lists.
#include <string>
#include <vector>

#include "runtime/component.h"

namespace klarvik {

class TActionList;

class TAction : public TComponent {
 public:
  explicit TAction(TComponent* AOwner);
  ~TAction() override;

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption) { caption_ = caption; }
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled) { enabled_ = enabled; }

  TNotifyEvent OnExecute;
  // Runs OnExecute(this); false when it is unassigned or the action is disabled.
  virtual bool Execute();

  TActionList* ActionList() const { return actionList_; }
  void SetActionList(TActionList* list);

 private:
  friend class TActionList;
  std::wstring caption_;
  bool enabled_ = true;
  TActionList* actionList_ = nullptr;
};

class TActionList : public TComponent {
 public:
  explicit TActionList(TComponent* AOwner);
  ~TActionList() override;

  int ActionCount() const { return static_cast<int>(actions_.size()); }
  TAction* Actions(int index) const;

 private:
  friend class TAction;
  std::vector<TAction*> actions_;
};

}  // namespace klarvik
