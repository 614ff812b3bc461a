#pragma once
// Menus built from TMenuItem trees onto real HMENUs: captions with "&" access keys, "-"
// separators, short cuts shown right-aligned, check marks and radio groups kept in sync.
#include <windows.h>

#include <string>
#include <vector>

#include "runtime/component.h"
#include "win/handles.h"

namespace klarvik {

using TShortCut = WORD;  // virtual key | scShift | scCtrl | scAlt
constexpr unsigned scShift = 0x2000;
constexpr unsigned scCtrl = 0x4000;
constexpr unsigned scAlt = 0x8000;
constexpr unsigned scNone = 0;

TShortCut ShortCut(WORD key, unsigned shiftState);
// "F5", "Ctrl+S", "Shift+Del"; empty for no short cut.
std::wstring ShortCutToText(TShortCut shortCut);

class TMenu;

class TMenuItem : public TComponent {
 public:
  explicit TMenuItem(TComponent* AOwner);
  // Also destroys the child items.
  ~TMenuItem() override;

  const std::wstring& Caption() const { return caption_; }
  void SetCaption(const std::wstring& caption);
  bool IsLine() const { return caption_ == L"-"; }
  TShortCut ShortCut() const { return shortCut_; }
  void SetShortCut(TShortCut shortCut);
  BYTE GroupIndex() const { return groupIndex_; }
  void SetGroupIndex(BYTE groupIndex);
  bool RadioItem() const { return radioItem_; }
  void SetRadioItem(bool radioItem);
  // Checking a radio item unchecks the other radio items of its group under the same parent.
  bool Checked() const { return checked_; }
  void SetChecked(bool checked);
  bool Enabled() const { return enabled_; }
  void SetEnabled(bool enabled);
  bool Visible() const { return visible_; }
  void SetVisible(bool visible);

  TNotifyEvent OnClick;
  // Runs OnClick when the item is enabled.
  virtual void Click();

  void Add(TMenuItem* item);
  void Insert(int index, TMenuItem* item);
  void Remove(TMenuItem* item);
  int Count() const { return static_cast<int>(items_.size()); }
  TMenuItem* Items(int index) const;
  int IndexOf(const TMenuItem* item) const;
  TMenuItem* Parent() const { return parent_; }
  // The direct child whose caption matches, ignoring "&" and case, or nullptr.
  TMenuItem* Find(const std::wstring& caption) const;

  // Whether `item` names a menu item that exists now: pointers that travel in window
  // messages are checked against the live items before they are used.
  static bool IsLive(const void* item);

  // The WM_COMMAND id of this item (unique in the process).
  UINT Command() const { return command_; }
  // The pop-up menu of this item's children, built on first request.
  HMENU Handle();
  // The menu component the tree belongs to, or nullptr.
  TMenu* Menu() const;
  // This item or a descendant with that WM_COMMAND id, or nullptr.
  TMenuItem* FindCommand(UINT command);

 protected:
  // Fills the item record the HMENU entry is made from; the skin layer adds owner drawing.
  virtual void BuildItemInfo(MENUITEMINFOW& info, std::wstring& text);

 private:
  friend class TMenu;

  void SetMenuField(TMenu* menu) { menu_ = menu; }
  // Remakes the entries of this item's HMENU from its children.
  void RebuildEntries();
  // A property shown in the parent's HMENU changed.
  void EntryChanged();
  void TurnSiblingsOff();
  std::wstring EntryText() const;

  std::wstring caption_;
  TShortCut shortCut_ = 0;
  BYTE groupIndex_ = 0;
  bool radioItem_ = false;
  bool checked_ = false;
  bool enabled_ = true;
  bool visible_ = true;
  UINT command_;
  TMenuItem* parent_ = nullptr;
  TMenu* menu_ = nullptr;  // set on the root item only
  std::vector<TMenuItem*> items_;
  // Owned; detached from the parent's HMENU before it is destroyed, so each HMENU is freed once.
  UniqueMenu handle_;
};

class TMenu : public TComponent {
 public:
  explicit TMenu(TComponent* AOwner);
  ~TMenu() override;

  TMenuItem* Items() const { return items_; }
  // The HMENU of the top-level items: a menu bar for a main menu, a pop-up menu otherwise.
  HMENU Handle() { return items_->Handle(); }
  virtual bool IsMenuBar() const { return false; }
  // Finds an enabled, visible item (with enabled, visible parents) with that short cut and clicks it.
  bool IsShortCut(const MSG& message);
  // The enabled, visible item with that short cut, or nullptr.
  TMenuItem* FindShortCut(TShortCut shortCut) const;
  // The item with that WM_COMMAND id, or nullptr.
  TMenuItem* FindItem(UINT command) const { return items_->FindCommand(command); }

  // The window the menu bar is shown in (set by the form); detached when the menu goes away.
  HWND WindowHandle() const { return window_; }
  void SetWindowHandle(HWND window) { window_ = window; }
  // The entries changed: a shown menu bar is redrawn.
  virtual void MenuChanged() {}

 private:
  TMenuItem* items_;
  HWND window_ = nullptr;
};

class TMainMenu : public TMenu {
 public:
  using TMenu::TMenu;

  bool IsMenuBar() const override { return true; }
  void MenuChanged() override;
};

class TPopupMenu : public TMenu {
 public:
  using TMenu::TMenu;

  // Shows the menu at a screen point and clicks the chosen item.
  void Popup(int x, int y);
  TNotifyEvent OnPopup;
};

}  // namespace klarvik
