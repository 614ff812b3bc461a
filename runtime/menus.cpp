#include "runtime/menus.h"

#include <algorithm>
#include <unordered_set>

#include "win/exceptions.h"
#include "win/text.h"

namespace klarvik {

namespace {

// WM_COMMAND ids of menu items; below the range the runtime gives child windows.
UINT NextCommand() {
  static UINT next = 0x100;
  if (++next >= 0xF000) next = 0x101;
  return next;
}


std::wstring KeyName(WORD key) {
  if (key >= VK_F1 && key <= VK_F24) return L"F" + std::to_wstring(key - VK_F1 + 1);
  if ((key >= '0' && key <= '9') || (key >= 'A' && key <= 'Z')) return std::wstring(1, static_cast<wchar_t>(key));
  switch (key) {
    case VK_BACK: return L"BkSp";
    case VK_TAB: return L"Tab";
    case VK_RETURN: return L"Enter";
    case VK_ESCAPE: return L"Esc";
    case VK_SPACE: return L"Space";
    case VK_PRIOR: return L"PgUp";
    case VK_NEXT: return L"PgDn";
    case VK_END: return L"End";
    case VK_HOME: return L"Home";
    case VK_LEFT: return L"Left";
    case VK_UP: return L"Up";
    case VK_RIGHT: return L"Right";
    case VK_DOWN: return L"Down";
    case VK_INSERT: return L"Ins";
    case VK_DELETE: return L"Del";
    default: break;
  }
  wchar_t name[64] = {};
  const LONG scanCode = static_cast<LONG>(MapVirtualKeyW(key, MAPVK_VK_TO_VSC)) << 16;
  return GetKeyNameTextW(scanCode, name, 64) > 0 ? std::wstring(name) : std::wstring();
}

}  // namespace

TShortCut ShortCut(WORD key, unsigned shiftState) {
  return static_cast<TShortCut>((key & 0xFF) | (shiftState & (scShift | scCtrl | scAlt)));
}

std::wstring ShortCutToText(TShortCut shortCut) {
  const std::wstring key = KeyName(static_cast<WORD>(shortCut & 0xFF));
  if (key.empty()) return {};
  std::wstring text;
  if (shortCut & scShift) text += L"Shift+";
  if (shortCut & scCtrl) text += L"Ctrl+";
  if (shortCut & scAlt) text += L"Alt+";
  return text + key;
}

namespace {

std::unordered_set<const void*>& LiveItems() {
  static std::unordered_set<const void*> items;
  return items;
}

}  // namespace

TMenuItem::TMenuItem(TComponent* AOwner) : TComponent(AOwner), command_(NextCommand()) { LiveItems().insert(this); }

bool TMenuItem::IsLive(const void* item) { return item && LiveItems().contains(item); }

TMenuItem::~TMenuItem() {
  LiveItems().erase(this);
  SetComponentState(csDestroying);
  while (!items_.empty()) {
    TMenuItem* last = items_.back();
    Free(last);
    std::erase(items_, last);
  }
  // Leaves the parent's HMENU before this item's own pop-up HMENU is destroyed.
  if (parent_) parent_->Remove(this);
}

void TMenuItem::SetCaption(const std::wstring& caption) {
  if (caption == caption_) return;
  caption_ = caption;
  EntryChanged();
}

void TMenuItem::SetShortCut(TShortCut shortCut) {
  if (shortCut == shortCut_) return;
  shortCut_ = shortCut;
  EntryChanged();
}

void TMenuItem::SetGroupIndex(BYTE groupIndex) {
  if (groupIndex == groupIndex_) return;
  groupIndex_ = groupIndex;
  if (radioItem_ && checked_) TurnSiblingsOff();
}

void TMenuItem::SetRadioItem(bool radioItem) {
  if (radioItem == radioItem_) return;
  radioItem_ = radioItem;
  if (radioItem_ && checked_) TurnSiblingsOff();
  EntryChanged();
}

void TMenuItem::SetChecked(bool checked) {
  if (checked == checked_) return;
  checked_ = checked;
  if (radioItem_ && checked_) TurnSiblingsOff();
  EntryChanged();
}

void TMenuItem::SetEnabled(bool enabled) {
  if (enabled == enabled_) return;
  enabled_ = enabled;
  EntryChanged();
}

void TMenuItem::SetVisible(bool visible) {
  if (visible == visible_) return;
  visible_ = visible;
  EntryChanged();
}

void TMenuItem::TurnSiblingsOff() {
  if (!parent_) return;
  bool changed = false;
  for (TMenuItem* sibling : parent_->items_) {
    if (sibling == this || !sibling->radioItem_ || sibling->groupIndex_ != groupIndex_ || !sibling->checked_) continue;
    sibling->checked_ = false;
    changed = true;
  }
  if (changed) parent_->RebuildEntries();
}

void TMenuItem::Click() {
  if (enabled_ && OnClick) OnClick(this);
}

void TMenuItem::Add(TMenuItem* item) { Insert(Count(), item); }

void TMenuItem::Insert(int index, TMenuItem* item) {
  if (!item || item == this) throw EInvalidOperation(L"Cannot insert this menu item here");
  if (item->parent_) throw EInvalidOperation(L"Menu item '" + item->Name() + L"' already has a parent");
  const int at = std::clamp(index, 0, Count());
  items_.insert(items_.begin() + at, item);
  item->parent_ = this;
  RebuildEntries();
  // The first child turns this item's entry into a sub-menu.
  if (items_.size() == 1) EntryChanged();
}

void TMenuItem::Remove(TMenuItem* item) {
  const auto found = std::find(items_.begin(), items_.end(), item);
  if (found == items_.end()) return;
  items_.erase(found);
  item->parent_ = nullptr;
  if (IsDestroying()) return;
  RebuildEntries();
  if (items_.empty()) EntryChanged();
}

TMenuItem* TMenuItem::Items(int index) const {
  if (index < 0 || index >= Count()) return nullptr;
  return items_[static_cast<size_t>(index)];
}

int TMenuItem::IndexOf(const TMenuItem* item) const {
  const auto found = std::find(items_.begin(), items_.end(), item);
  return found == items_.end() ? -1 : static_cast<int>(found - items_.begin());
}

TMenuItem* TMenuItem::Find(const std::wstring& caption) const {
  const std::wstring wanted = WithoutAccessKeys(caption);
  for (TMenuItem* item : items_) {
    if (SameText(WithoutAccessKeys(item->caption_), wanted)) return item;
  }
  return nullptr;
}

TMenu* TMenuItem::Menu() const {
  const TMenuItem* root = this;
  while (root->parent_) root = root->parent_;
  return root->menu_;
}

TMenuItem* TMenuItem::FindCommand(UINT command) {
  if (command_ == command) return this;
  for (TMenuItem* item : items_) {
    if (TMenuItem* found = item->FindCommand(command)) return found;
  }
  return nullptr;
}

HMENU TMenuItem::Handle() {
  if (!handle_) {
    const bool bar = !parent_ && menu_ && menu_->IsMenuBar();
    handle_.Reset(bar ? CreateMenu() : CreatePopupMenu());
    if (!handle_) throw EOSError(L"CreateMenu", GetLastError());
    RebuildEntries();
  }
  return handle_.Get();
}

std::wstring TMenuItem::EntryText() const {
  const std::wstring keys = ShortCutToText(shortCut_);
  return keys.empty() ? caption_ : caption_ + L"\t" + keys;
}

void TMenuItem::BuildItemInfo(MENUITEMINFOW& info, std::wstring& text) {
  info = MENUITEMINFOW{};
  info.cbSize = sizeof(info);
  info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STATE | MIIM_DATA | MIIM_SUBMENU;
  info.wID = command_;
  info.dwItemData = reinterpret_cast<ULONG_PTR>(this);
  info.fState = (checked_ ? MFS_CHECKED : MFS_UNCHECKED) | (enabled_ ? MFS_ENABLED : MFS_DISABLED);
  info.hSubMenu = items_.empty() ? nullptr : Handle();
  if (IsLine()) {
    info.fType = MFT_SEPARATOR;
    return;
  }
  info.fType = radioItem_ ? MFT_RADIOCHECK : MFT_STRING;
  info.fMask |= MIIM_STRING;
  text = EntryText();
  info.dwTypeData = text.data();
  info.cch = static_cast<UINT>(text.size());
}

void TMenuItem::RebuildEntries() {
  if (!handle_) return;
  HMENU menu = handle_.Get();
  // RemoveMenu, not DeleteMenu: the children's pop-up HMENUs stay with their items.
  while (GetMenuItemCount(menu) > 0) RemoveMenu(menu, 0, MF_BYPOSITION);
  UINT position = 0;
  for (TMenuItem* item : items_) {
    if (!item->visible_) continue;
    MENUITEMINFOW info;
    std::wstring text;
    item->BuildItemInfo(info, text);
    InsertMenuItemW(menu, position++, TRUE, &info);
  }
  if (TMenu* owner = Menu()) owner->MenuChanged();
}

void TMenuItem::EntryChanged() {
  if (parent_) parent_->RebuildEntries();
}

TMenu::TMenu(TComponent* AOwner) : TComponent(AOwner), items_(new TMenuItem(this)) { items_->SetMenuField(this); }

TMenu::~TMenu() {
  if (window_ && GetMenu(window_) == items_->handle_.Get()) SetMenu(window_, nullptr);
  window_ = nullptr;
  Free(items_);
  items_ = nullptr;
}

namespace {

TMenuItem* FindShortCutIn(const TMenuItem& parent, TShortCut shortCut) {
  for (int i = 0; i < parent.Count(); ++i) {
    TMenuItem* item = parent.Items(i);
    if (!item->Enabled() || !item->Visible()) continue;
    if (item->ShortCut() == shortCut) return item;
    if (TMenuItem* found = FindShortCutIn(*item, shortCut)) return found;
  }
  return nullptr;
}

bool IsModifierKey(WPARAM key) { return key == VK_SHIFT || key == VK_CONTROL || key == VK_MENU; }

}  // namespace

TMenuItem* TMenu::FindShortCut(TShortCut shortCut) const {
  if (shortCut == 0) return nullptr;
  return FindShortCutIn(*items_, shortCut);
}

bool TMenu::IsShortCut(const MSG& message) {
  if (message.message != WM_KEYDOWN && message.message != WM_SYSKEYDOWN) return false;
  if (IsModifierKey(message.wParam)) return false;
  unsigned shift = 0;
  if (GetKeyState(VK_SHIFT) < 0) shift |= scShift;
  if (GetKeyState(VK_CONTROL) < 0) shift |= scCtrl;
  if (message.lParam & (KF_ALTDOWN << 16)) shift |= scAlt;
  TMenuItem* item = FindShortCut(ShortCut(static_cast<WORD>(message.wParam), shift));
  if (!item) return false;
  item->Click();
  return true;
}

void TMainMenu::MenuChanged() {
  if (WindowHandle()) DrawMenuBar(WindowHandle());
}

void TPopupMenu::Popup(int x, int y) {
  if (OnPopup) OnPopup(this);
  HWND owner = GetActiveWindow();
  const UINT command = static_cast<UINT>(
      TrackPopupMenuEx(Handle(), TPM_RETURNCMD | TPM_LEFTALIGN | TPM_RIGHTBUTTON, x, y, owner, nullptr));
  if (TMenuItem* item = command ? FindItem(command) : nullptr) item->Click();
}

}  // namespace klarvik
