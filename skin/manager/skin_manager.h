#pragma once
// TsSkinManager: the component that owns the current skin. It finds a skin by name (a
// package file or a folder in its skin directory, or a stored skin), loads it into tables
// built aside, shifts hue and saturation, and tells every form and control that the skin
// was loaded, removed or must be repainted.
#include <memory>
#include <string>
#include <vector>

#include "runtime/control.h"
#include "skin/definition/extended_borders.h"
#include "skin/definition/skin_tables.h"
#include "skin/manager/application_hook.h"
#include "skin/manager/manager_options.h"
#include "skin/manager/skin_commands.h"
#include "skin/manager/thread_hook.h"
#include "skin/package/skin_list.h"
#include "skin/package/stored_skins.h"

namespace klarvik {

class TsSkinManager : public TComponent {
 public:
  explicit TsSkinManager(TComponent* AOwner);
  ~TsSkinManager() override;
  void Loaded() override;

  TacSkinEffects Effects;
  TacAnimEffects AnimEffects;
  TacButtonsSupport ButtonsOptions;
  TacScrollBarsSupport ScrollsOptions;
  TacMenuSupport MenuSupport;
  ThirdPartyList ThirdParty;
  bool SkinnedPopups = true;

  // Glowing as the effects ask for it, where the system can show it (layered windows).
  bool GlowingAllowed() const;
  // Stores the scroll bars' width (-1: the system's) and repaints.
  void SetScrollSize(int value);
  // Extended borders are used only where the system has layered windows. Changing them
  // reloads the applied skin and repaints.
  bool ExtendedBorders() const;
  void SetExtendedBorders(bool value);
  // The shadow images and margins of extended borders for the applied skin; margins 0
  // while none are in use.
  const ExtendedBorderImages& ExtendedBorderState() const { return extendedBorderState_; }

  // The default manager's hooks: on the application's window while it lives, and on the
  // thread from the first skin it applies until the skin is removed; null otherwise.
  ApplicationWindowHook* ApplicationHook() const { return applicationHook_.get(); }
  ThreadHook* ThreadHookOf() const { return threadHook_.get(); }
  // Where the thread hook hands each new or activated window (automatic skinning).
  WindowHandOff OnHookedWindow;

  // The one window and the one control the mouse makes hot. A new hot window is told with
  // SKC_MOUSEENTER, the one it replaces with SKC_MOUSELEAVE (after the hot control is
  // released); a control keeps its hotness while its skin data says the mouse is inside.
  HWND HotWindow() const { return hotWindow_; }
  void SetHotWindow(HWND window);
  TControl* HotControl() const { return hotControl_; }
  void SetHotControl(TControl* control);

  bool IsDefault() const { return defaultManager_ == this; }
  void SetIsDefault(bool value);
  bool Active() const { return active_; }
  void SetActive(bool value);
  // Overlay lines applied to every skin, compared in their exact letter case.
  const std::vector<std::string>& CommonSections() const { return commonSections_; }
  void SetCommonSections(const std::vector<std::string>& lines);
  int Saturation() const { return saturation_; }
  void SetSaturation(int value);
  int HueOffset() const { return hueOffset_; }
  void SetHueOffset(int value);
  TsStoredSkins& InternalSkins() { return internalSkins_; }
  const std::wstring& SkinDirectory() const { return skinDirectory_; }
  void SetSkinDirectory(const std::wstring& value);
  const std::wstring& SkinName() const { return skinName_; }
  void SetSkinName(const std::wstring& value);
  // The applied skin's version ("8.4"), or "N/A" while none is applied.
  std::wstring SkinInfo() const;
  unsigned SkinningRules() const { return skinningRules_; }
  void SetSkinningRules(unsigned rules) { skinningRules_ = rules; }
  std::wstring Version() const { return L"8.46"; }

  TNotifyEvent OnActivate;
  TNotifyEvent OnAfterChange;
  TNotifyEvent OnBeforeChange;
  TNotifyEvent OnDeactivate;
  TNotifyEvent OnSkinListChanged;
  TNotifyEvent OnSkinLoading;

  // Fills `list` with the names of the skins that can be chosen, alphabetically, and
  // returns the first found (the first stored skin when there is one).
  std::wstring SkinNames(std::vector<std::wstring>& list, SkinListKind kind) const;
  void UpdateSkin(bool animate);
  void BeginUpdate() { updateLock_ = true; }
  void EndUpdate(bool repaint, bool allowAnimation);
  void RepaintForms(bool prepare) { Repaint(prepare); }

  // The skin directory as a folder path with its final backslash.
  std::wstring ResolvedSkinDirectory() const;
  // The loaded skin; empty tables while none is loaded.
  const TsSkinTables& Tables() const { return tables_; }
  // The skin's images come from package members (a stored skin or a package file).
  bool FromPackage() const { return fromPackage_; }

  // The first manager created, until it is destroyed.
  static TsSkinManager* DefaultManager() { return defaultManager_; }
  // True while any manager loads a skin.
  static bool SkinLoading() { return loading_; }

  // The folder that relative skin directories start from; the running program's folder.
  std::wstring ProgramFolder;

 private:
  // Reads the skin that SkinName names into new tables and swaps them in; on failure
  // raises and leaves the tables as they were.
  void LoadSkin();
  void CheckVersion(double version);
  void Apply(bool animate);
  void Deactivate();
  // The repaint broadcast; with `prepare` the shown skinned forms are frozen around it and
  // the new look fades in.
  void Repaint(bool prepare);
  void RepaintAll();
  // The default manager animates a skin change while SkinChanging is on and the
  // application is not minimized.
  bool SkinChangeAnimated() const;
  void Broadcast(TSkinCommand command);
  void SetGlobalActive(bool value) { tables_.SkinData.Active = value; }
  // Reloads the current skin after a change of hue or saturation.
  void ReloadAdjusted();
  void UpdateExtendedBorderState();

  bool active_ = true;
  std::vector<std::string> commonSections_;
  int saturation_ = 0;
  int hueOffset_ = 0;
  TsStoredSkins internalSkins_;
  std::wstring skinDirectory_;
  std::wstring skinName_;
  unsigned skinningRules_ = kAllSkinningRules;

  TsSkinTables tables_;
  bool fromPackage_ = false;
  bool updateLock_ = false;
  bool extendedBorders_ = false;
  ExtendedBorderImages extendedBorderState_;
  std::unique_ptr<ApplicationWindowHook> applicationHook_;
  std::unique_ptr<ThreadHook> threadHook_;
  HWND hotWindow_ = nullptr;
  TControl* hotControl_ = nullptr;

  static inline TsSkinManager* defaultManager_ = nullptr;
  static inline bool loading_ = false;
};

// The width of vertical scroll bars: the manager's ScrollSize when it is 0 or more, else
// (and without a manager) the system's.
int ScrollBarWidth(const TsSkinManager* manager);

}  // namespace klarvik
