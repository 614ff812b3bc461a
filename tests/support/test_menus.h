#pragma once
// A menu bar for tests: one top-level item per caption, each with one entry under it.
#include <initializer_list>

#include "runtime/menus.h"

namespace klarvik::test {

inline TMainMenu* NewMenuBar(TComponent* owner, std::initializer_list<const wchar_t*> captions) {
  auto* menu = new TMainMenu(owner);
  for (const wchar_t* caption : captions) {
    auto* top = new TMenuItem(owner);
    top->SetCaption(caption);
    menu->Items()->Add(top);
    auto* entry = new TMenuItem(owner);
    entry->SetCaption(L"Entry");
    top->Add(entry);
  }
  return menu;
}

}  // namespace klarvik::test
