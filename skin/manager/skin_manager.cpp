#include "skin/manager/skin_manager.h"

#include <filesystem>

#include "base/scope_exit.h"
#include "runtime/dialogs.h"
#include "skin/definition/skin_loader.h"
#include "skin/definition/skin_version.h"
#include "runtime/application.h"
#include "skin/manager/skin_broadcast.h"
#include "skin/manager/skin_change_fade.h"
#include "skin/package/skin_locations.h"
#include "skin/package/skin_source.h"
#include "skin/windows/ole_jpeg_decoder.h"
#include "skin/image/pixel_rules.h"
#include "skin/image/png_decoder.h"
#include "win/directory_listing.h"
#include "win/layered_windows.h"
#include "win/module_path.h"
#include "win/resource_bytes.h"
#include "win/system_info.h"
#include "win/text.h"

namespace klarvik {

namespace {

std::wstring FolderOf(const std::wstring& path) { return path.substr(0, path.find_last_of(L"\\/") + 1); }

// The error of a load that failed, shown once the previous skin is back in place: the
// box's modal loop lets windows repaint.
void ShowLoadError(const std::string& reason) {
  MessageBoxW(GetActiveWindow(), FromUtf8(reason).c_str(), L"Error", MB_OK | MB_ICONERROR);
}

// Sets the process-wide loading flag for a scope; an exception never leaves it set.
class LoadingScope {
 public:
  explicit LoadingScope(bool& flag) : flag_(flag), previous_(flag) { flag_ = true; }
  ~LoadingScope() { flag_ = previous_; }
  LoadingScope(const LoadingScope&) = delete;
  LoadingScope& operator=(const LoadingScope&) = delete;

 private:
  bool& flag_;
  bool previous_;
};

// The entries of the skin directory, as the skin list reads them.
std::vector<SkinDirectoryEntry> SkinDirectoryEntries(const std::wstring& directory) {
  std::vector<SkinDirectoryEntry> entries;
  WIN32_FIND_DATAW found;
  DirectoryLister lister;
  const UniqueFindHandle listing(lister.First(directory + L"*.*", found));
  if (!listing) return entries;
  do {
    const bool isFolder = (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
    const std::wstring definition = directory + found.cFileName + L"\\Options.dat";
    const bool holdsDefinition = isFolder && GetFileAttributesW(definition.c_str()) != INVALID_FILE_ATTRIBUTES;
    entries.push_back({found.cFileName, isFolder, holdsDefinition});
  } while (FindNextFileW(listing.Get(), &found));
  return entries;
}

}  // namespace

TsSkinManager::TsSkinManager(TComponent* AOwner)
    : TComponent(AOwner), ProgramFolder(FolderOf(RunningExecutablePath())) {
  ThirdParty.Reset(false);
  if (!defaultManager_) {
    defaultManager_ = this;
    if (Application) applicationHook_ = std::make_unique<ApplicationWindowHook>(*this, Application->Handle());
  }
  internalSkins_.OnUpdate = [this] {
    if (OnSkinListChanged) OnSkinListChanged(this);
  };
  if (skinDirectory_.empty()) skinDirectory_ = L"c:\\Skins";
}

TsSkinManager::~TsSkinManager() {
  internalSkins_.OnUpdate = nullptr;
  if (active_) {
    active_ = false;
    Deactivate();
  }
  threadHook_.reset();
  applicationHook_.reset();
  if (defaultManager_ == this) defaultManager_ = nullptr;
}

void TsSkinManager::Loaded() {
  TComponent::Loaded();
  if (skinDirectory_.empty()) skinDirectory_ = L"c:\\Skins";
  ThirdParty.Reset(false);
  if (MenuSupport.IcoLineSkin.empty()) MenuSupport.IcoLineSkin = L"ICOLINE";
  if (active_ && !skinName_.empty()) Apply(false);
  if (active_ && OnActivate) OnActivate(this);
}

std::wstring TsSkinManager::ResolvedSkinDirectory() const { return ResolveSkinDirectory(skinDirectory_, ProgramFolder); }

void TsSkinManager::SetSkinDirectory(const std::wstring& value) {
  if (value == skinDirectory_) return;
  skinDirectory_ = value;
  tables_.SkinData.SkinFolder = ToUtf8(ResolvedSkinDirectory());
  if (OnSkinListChanged) OnSkinListChanged(this);
}

void TsSkinManager::SetSkinName(const std::wstring& value) {
  const std::wstring oldName = skinName_;
  skinName_ = value;
  if (!active_) return;
  if (OnBeforeChange) OnBeforeChange(this);
  {
    LoadingScope loading(loading_);
    const bool wasApplied = tables_.SkinData.Active;
    SetGlobalActive(false);
    skinName_ = WithoutPackageExtension(skinName_);
    try {
      LoadSkin();
    } catch (const std::exception& failure) {
      skinName_ = oldName;
      SetGlobalActive(wasApplied);
      ShowLoadError(failure.what());
    }
    if (active_) {
      if (!updateLock_) Apply(true);
      if (!IsLoading() && OnActivate) OnActivate(this);
    } else {
      Deactivate();
      if (OnDeactivate) OnDeactivate(this);
    }
  }
  if (OnAfterChange) OnAfterChange(this);
}

void TsSkinManager::LoadSkin() {
  const SkinSource source = FindSkinSource(ResolvedSkinDirectory(), ToUtf8(skinName_), internalSkins_);
  if (source.kind == SkinSourceKind::kNone) {
    active_ = false;
    return;
  }
  static const OleJpegDecoder jpeg;
  TsLoadSettings settings;
  settings.System = LiveSystemInfo();
  settings.CommonSections = commonSections_;
  settings.Jpeg = &jpeg;
  settings.HueOffset = hueOffset_;
  settings.Saturation = saturation_;
  LoadedSkin loaded = LoadSkinSource(source, internalSkins_, std::move(settings));
  CheckVersion(loaded.tables.SkinData.Version);
  skinName_ = FromUtf8(source.name);
  tables_ = std::move(loaded.tables);
  fromPackage_ = loaded.fromPackage;
  UpdateExtendedBorderState();
  if (OnSkinLoading) OnSkinLoading(this);
}

void TsSkinManager::CheckVersion(double version) {
  if (JudgeSkinVersion(version) != SkinVersionVerdict::kNewer) return;
  // Standard dialogs stay unskinned while the warning is up.
  const unsigned rules = skinningRules_;
  skinningRules_ &= ~static_cast<unsigned>(srStdDialogs);
  const ScopeExit restore([this, rules] { skinningRules_ |= rules & srStdDialogs; });
  MessageDlg(FromUtf8(kNewerSkinWarning), TMsgDlgType::mtWarning, mbOK, 0);
}

void TsSkinManager::SetActive(bool value) {
  if (value == active_) return;
  active_ = value;
  if (value) {
    SetSkinName(skinName_);
    return;
  }
  if (skinName_.empty()) return;
  if (!IsLoading()) Deactivate();
  tables_.Cached = ComputeCachedIndexes(tables_);
  if (OnDeactivate) OnDeactivate(this);
}

void TsSkinManager::SetIsDefault(bool value) {
  if (!value && defaultManager_ && defaultManager_ != this) return;
  defaultManager_ = this;
  if (active_) {
    Apply(true);
  } else {
    Deactivate();
  }
}

void TsSkinManager::SetCommonSections(const std::vector<std::string>& lines) {
  commonSections_ = PrepareCommonSections(lines);
  SetSkinName(skinName_);
}

void TsSkinManager::SetHueOffset(int value) {
  if (value == hueOffset_) return;
  hueOffset_ = value;
  ReloadAdjusted();
}

void TsSkinManager::SetSaturation(int value) {
  if (value == saturation_) return;
  saturation_ = value;
  ReloadAdjusted();
}

void TsSkinManager::ReloadAdjusted() {
  if (!active_ || IsLoading()) return;
  {
    LoadingScope loading(loading_);
    const bool wasApplied = tables_.SkinData.Active;
    LoadSkin();
    SetGlobalActive(wasApplied);
    if (OnAfterChange) OnAfterChange(this);
  }
  if (!updateLock_) Repaint(true);
}

std::wstring TsSkinManager::SkinInfo() const {
  if (!tables_.SkinData.Active) return L"N/A";
  return FromUtf8(SkinVersionText(tables_.SkinData.Version));
}

std::wstring TsSkinManager::SkinNames(std::vector<std::wstring>& list, SkinListKind kind) const {
  std::vector<std::wstring> stored;
  for (int i = 0; i < internalSkins_.Count(); ++i) stored.push_back(FromUtf8(internalSkins_.Items(i).Name()));
  const SkinList found = ListSkins(stored, SkinDirectoryEntries(ResolvedSkinDirectory()), kind, [](const std::wstring& a, const std::wstring& b) {
    return CompareStringW(LOCALE_USER_DEFAULT, NORM_IGNORECASE, a.c_str(), -1, b.c_str(), -1) == CSTR_LESS_THAN;
  });
  list = found.names;
  return found.first;
}

void TsSkinManager::UpdateSkin(bool animate) {
  if (active_) Apply(animate);
}

void TsSkinManager::EndUpdate(bool repaint, bool allowAnimation) {
  updateLock_ = false;
  const bool animation = AnimEffects.SkinChanging.Active;
  if (!allowAnimation) AnimEffects.SkinChanging.Active = false;
  const ScopeExit restore([this, animation] { AnimEffects.SkinChanging.Active = animation; });
  UpdateSkin(repaint);
}

void TsSkinManager::Apply(bool animate) {
  if (ComponentState() & (csLoading | csReading)) return;
  SkinChangeFade fade(AnimEffects.SkinChanging, animate && SkinChangeAnimated());
  SetGlobalActive(false);
  tables_.Cached = ComputeCachedIndexes(tables_);
  Broadcast(SKC_SKINLOADED);
  SetGlobalActive(true);
  if (animate) RepaintAll();
  fade.Finish();
  if (IsDefault() && !threadHook_) threadHook_ = std::make_unique<ThreadHook>(OnHookedWindow);
}

void TsSkinManager::Deactivate() {
  // The handlers of the hooked windows go with the hook.
  if (IsDefault()) threadHook_.reset();
  SetGlobalActive(false);
  Broadcast(SKC_SKINREMOVED);
  tables_ = TsSkinTables();
  fromPackage_ = false;
  extendedBorderState_ = ExtendedBorderImages{};
}

void TsSkinManager::Repaint(bool prepare) {
  SkinChangeFade fade(AnimEffects.SkinChanging, prepare && SkinChangeAnimated());
  RepaintAll();
  fade.Finish();
}

void TsSkinManager::RepaintAll() {
  Broadcast(SKC_STOPANIMATION);
  Broadcast(SKC_SKINAPPLIED);
}

bool TsSkinManager::SkinChangeAnimated() const {
  return IsDefault() && AnimEffects.SkinChanging.Active && !(Application && Application->MainForm() &&
                                                             Application->MainForm()->HandleAllocated() &&
                                                             IsIconic(Application->MainForm()->Handle()));
}

bool TsSkinManager::GlowingAllowed() const { return Effects.AllowGlowing && LayeredWindowsAvailable(); }

void TsSkinManager::SetScrollSize(int value) {
  if (value == ScrollsOptions.ScrollSize) return;
  ScrollsOptions.ScrollSize = value;
  if (!IsLoading()) Repaint(false);
}

bool TsSkinManager::ExtendedBorders() const { return extendedBorders_ && LayeredWindowsAvailable(); }

void TsSkinManager::SetExtendedBorders(bool value) {
  if (value == extendedBorders_) return;
  extendedBorders_ = value;
  if (!tables_.SkinData.Active) return;
  {
    LoadingScope loading(loading_);
    LoadSkin();
    SetGlobalActive(true);
  }
  if (!(ComponentState() & (csLoading | csReading))) Repaint(true);
}

namespace {

// The built-in shadows, from the program's resources; empty where the program carries none.
const std::pair<SkinBitmap, SkinBitmap>& BuiltInShadows() {
  static const std::pair<SkinBitmap, SkinBitmap> shadows = [] {
    const auto decode = [](const wchar_t* name) {
      const auto bytes = RcDataBytes(GetModuleHandleW(nullptr), name);
      if (!bytes) return SkinBitmap{};
      try {
        SkinBitmap picture = DecodePng(*bytes);
        ClearTransparentWhite(picture.View());
        return picture;
      } catch (const std::exception&) {
        return SkinBitmap{};
      }
    };
    return std::pair{decode(L"SHADOWACTIVE"), decode(L"SHADOWINACTIVE")};
  }();
  return shadows;
}

}  // namespace

void TsSkinManager::UpdateExtendedBorderState() {
  if (!active_ || !ExtendedBorders()) {
    extendedBorderState_ = ExtendedBorderImages{};
    return;
  }
  const auto& [active, inactive] = BuiltInShadows();
  extendedBorderState_ = ComputeExtendedBorders(tables_, active, inactive);
}

void TsSkinManager::SetHotWindow(HWND window) {
  if (window == hotWindow_) return;
  if (hotWindow_ && hotControl_) {
    SetHotControl(nullptr);
    if (hotControl_) return;
  }
  const HWND previous = hotWindow_;
  hotWindow_ = window;
  const LPARAM self = reinterpret_cast<LPARAM>(this);
  if (previous && IsWindow(previous)) SendMessageW(previous, WM_SKINCOMMAND, SkinCommandParam(SKC_MOUSELEAVE), self);
  if (window) SendMessageW(window, WM_SKINCOMMAND, SkinCommandParam(SKC_MOUSEENTER), self);
}

void TsSkinManager::SetHotControl(TControl* control) {
  if (control == hotControl_) return;
  // The mouse still over the hot control keeps it hot.
  if (!control && hotControl_ && hotControl_->Perform(WM_SKINCOMMAND, SkinCommandParam(SKC_ISMOUSEINSIDE), 0) == 1)
    return;
  TControl* previous = hotControl_;
  hotControl_ = control;
  if (control) hotWindow_ = nullptr;
  if (previous) previous->Perform(WM_SKINCOMMAND, SkinCommandParam(SKC_MOUSELEAVE), reinterpret_cast<LPARAM>(this));
}

int ScrollBarWidth(const TsSkinManager* manager) {
  if (manager && manager->ScrollsOptions.ScrollSize >= 0) return manager->ScrollsOptions.ScrollSize;
  return GetSystemMetrics(SM_CXVSCROLL);
}

void TsSkinManager::Broadcast(TSkinCommand command) { BroadcastSkinCommand(command, reinterpret_cast<LPARAM>(this)); }

}  // namespace klarvik
