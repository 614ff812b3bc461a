#include "controls/common_data.h"

#include <cxxabi.h>

#include <algorithm>
#include <cstdlib>
#include <typeinfo>

#include "base/ascii_text.h"
#include "base/colors.h"
#include "base/pixel.h"
#include "controls/glow_window.h"
#include "controls/label.h"
#include "runtime/application.h"
#include "runtime/colors.h"
#include "runtime/forms.h"
#include "runtime/win_control.h"
#include "skin/manager/skin_broadcast.h"

namespace klarvik {

namespace {

bool InRange(int kind, int low, int high) { return kind >= low && kind <= high; }

// The owner's class name without its namespace or template arguments, for owners of
// kinds without a section.
std::string ClassNameOf(const TObject& object) {
  const char* mangled = typeid(object).name();
  int status = 0;
  char* demangled = abi::__cxa_demangle(mangled, nullptr, nullptr, &status);
  std::string name = status == 0 && demangled ? demangled : mangled;
  std::free(demangled);
  name = name.substr(0, name.find('<'));
  const std::size_t colons = name.rfind("::");
  return colons == std::string::npos ? name : name.substr(colons + 2);
}

TColor Resolved(TColor color) { return TColor{static_cast<std::int32_t>(ColorToRGB(color))}; }

bool DrawsCentre(const TsSkinTables& tables, int mask) {
  return tables.IsValidMaskIndex(mask) && (tables.Masks[static_cast<std::size_t>(mask)].FillMode & kFillCentre) != 0;
}

bool HasCorners(const TsGeneralData& section) {
  return std::any_of(section.CornerIndexes.begin(), section.CornerIndexes.end(), [](int i) { return i >= 0; });
}

template <typename Visit>
void ForEachLiveChild(TWinControl& container, Visit visit) {
  for (int i = 0; i < container.ControlCount(); ++i) {
    TControl* child = container.Controls(i);
    if (!child->IsDestroying()) visit(*child);
  }
}

}  // namespace

bool IsContainerKind(int kind) { return kind == 19 || InRange(kind, 51, 74) || kind == 110 || InRange(kind, 141, 161); }

bool IsNoGlowKind(int kind) {
  switch (kind) {
    case 51: case 52: case 54: case 56: case 57: case 58: case 59: case 60: case 68: case 73: case 74:
    case 110: case 141: case 143: case 151: case 161: case 226:
      return true;
    default:
      return false;
  }
}

bool IsEditKind(int kind) {
  return InRange(kind, 2, 18) || kind == 41 || InRange(kind, 76, 84) || kind == 96 || InRange(kind, 131, 140) ||
         kind == 231;
}

std::string_view DefaultSectionOfKind(int kind) {
  if (InRange(kind, 2, 8) || kind == 10 || kind == 41 || kind == 76 || kind == 78 || InRange(kind, 83, 85) ||
      kind == 96 || kind == 131 || kind == 140 || kind == 230)
    return "EDIT";
  if (InRange(kind, 11, 18) || kind == 81 || kind == 82) return "COMBOBOX";
  switch (kind) {
    case 19: return "BAR";
    case 20: return "BARTITLE";
    case 32: case 33: case 50: case 152: return "CHECKBOX";
    case 51: case 59: case 68: case 73: return "PANEL";
    case 52: case 58: return "PANEL_LOW";
    case 53: case 54: case 60: return "TOOLBAR";
    case 56: return "DRAGBAR";
    case 57: return "TABSHEET";
    case 74: case 226: return "GROUPBOX";
    case 75: return "SPLITTER";
    case 92: case 95: return "SPEEDBUTTON";
    case 93: case 94: return "BUTTON";
    case 98: return "TOOLBUTTON";
    case 141: case 143: return "PAGECONTROL";
    case 151: return "STATUSBAR";
    case 161: return "GAUGE";
    case 165: return "TRACKBAR";
    default: return {};
  }
}

// Asked through the command, so that any owner can answer.
TsCommonData* SkinDataOf(TControl& control) {
  return reinterpret_cast<TsCommonData*>(AskSkinCommand(control, SKC_GETSKINDATA));
}

TsCommonData::TsCommonData(TComponent* owner, bool withCache)
    : owner_(owner), control_(dynamic_cast<TControl*>(owner)), cache_(withCache ? std::make_unique<TBitmap>() : nullptr) {}

TsCommonData::~TsCommonData() {
  if (GlowHandle >= 0) HideGlow(GlowHandle);
}

const TsSkinTables* TsCommonData::Tables() const {
  TsSkinManager* manager = Manager();
  return manager ? &manager->Tables() : nullptr;
}

const TsGeneralData* TsCommonData::Section() const {
  const TsSkinTables* tables = Tables();
  if (!tables || !tables->IsValidSectionIndex(SectionIndex)) return nullptr;
  return &tables->Sections[static_cast<std::size_t>(SectionIndex)];
}

bool TsCommonData::Skinned(bool checkActive) const {
  TsSkinManager* manager = Manager();
  if (skinSection_.empty() || !manager || manager->IsDestroying() || owner_->IsDestroying()) return false;
  if (!manager->Tables().IsValidSectionIndex(SectionIndex)) return false;
  return !checkActive || manager->Tables().SkinData.Active;
}

void TsCommonData::SetSkinSection(std::string_view value) {
  if (value == skinSection_) return;
  skinSection_ = value.empty() ? std::string("UNKNOWN") : UpperCase(value);
  TsSkinManager* manager = Manager();
  if (!manager || manager->Tables().Sections.empty()) {
    SectionIndex = -1;
  } else {
    UpdateIndexes();
  }
  if (ControlKind == kKindFormProvider) {
    BackgroundDirty = true;
    return;
  }
  if (control_ && !(control_->ComponentState() & (csLoading | csReading)) && control_->Parent() &&
      !control_->IsDestroying()) {
    if (!PaintLocked) TellOwnerOfSkinChange(manager);
    if (GlowHandle >= 0) {
      HideGlow(GlowHandle);
      GlowHandle = -1;
    }
  }
}

void TsCommonData::SetSkinManager(TsSkinManager* value) {
  if (value == TsSkinManager::DefaultManager()) value = nullptr;
  if (value == skinManager_) return;
  skinManager_ = value;
  if (owner_->IsLoading()) return;
  TsSkinManager* manager = Manager();
  if (manager && !manager->Tables().Sections.empty()) {
    UpdateIndexes();
  } else {
    SectionIndex = -1;
  }
  if (ControlKind != kKindFormProvider && control_ && control_->Parent() && !control_->IsDestroying()) {
    TellOwnerOfSkinChange(manager);
    if (GlowHandle >= 0) {
      HideGlow(GlowHandle);
      GlowHandle = -1;
    }
  }
}

void TsCommonData::TellOwnerOfSkinChange(TsSkinManager* manager) {
  const bool applied = manager && !manager->Tables().Sections.empty() && Section() != nullptr;
  SendSkinCommand(*control_, applied ? SKC_SKINAPPLIED : SKC_SKINREMOVED, reinterpret_cast<LPARAM>(manager));
}

void TsCommonData::SetCustomColor(bool value) {
  customColor_ = value;
  if (control_ && !control_->IsLoading()) ApplySkinColors(true);
}

void TsCommonData::SetCustomFont(bool value) {
  customFont_ = value;
  if (control_ && !control_->IsLoading()) ApplySkinColors(true);
}

void TsCommonData::SetHUEOffset(int value) {
  hueOffset_ = value;
  Refresh();
  Invalidate(false);
}

void TsCommonData::SetSaturation(int value) {
  saturation_ = value;
  Refresh();
  Invalidate(false);
}

void TsCommonData::UpdateIndexes() {
  BackgroundDirty = true;
  TsSkinManager* manager = Manager();
  const TsSkinTables* tables = Tables();
  SectionIndex = manager && manager->Active() ? tables->IndexOfSection(skinSection_) : -1;
  BackgroundKinds = 0;
  SkinState = kSkinStateUndetermined;
  const TsGeneralData* section = Section();
  if (!section) {
    BorderMaskIndex = PatternIndex = HotPatternIndex = -1;
    return;
  }
  if (section->ImagePercent != 0) BackgroundKinds |= 4;
  if (section->GradientPercent != 0 && section->GradientArray && !section->GradientArray->empty()) {
    switch (section->GradientArray->front().Mode) {
      case 0: BackgroundKinds |= 2; break;
      case 1: BackgroundKinds |= 1; break;
      case 2: BackgroundKinds |= 3; break;
      default: break;
    }
  }
  // The global record keeps 0 where other sections keep -1: it has no border of its own.
  BorderMaskIndex = SectionIndex == tables->Cached.GlobalInfo ? -1 : section->BorderMaskIndex;
  PatternIndex = tables->IndexOfTexture(SectionIndex, skinSection_, "PATTERN");
  HotPatternIndex = tables->IndexOfTexture(SectionIndex, skinSection_, "HOTPATTERN");
  UpdateSkinState(false);
}

TWinControl* TsCommonData::WindowedOwner() const { return dynamic_cast<TWinControl*>(control_); }

TCustomForm* TsCommonData::ProviderForm() const {
  return ControlKind == kKindFormProvider ? dynamic_cast<TCustomForm*>(owner_->Owner()) : nullptr;
}

TWinControl* TsCommonData::ParentControl() const {
  if (control_) return control_->Parent();
  TCustomForm* form = ProviderForm();
  return form ? form->Parent() : nullptr;
}

TWinControl* TsCommonData::ChildContainer() const {
  if (TWinControl* windowed = WindowedOwner()) return windowed;
  return ProviderForm();
}

TColor TsCommonData::OwnerColor() const {
  if (control_) return control_->Color();
  if (TCustomForm* form = ProviderForm()) return form->Color();
  return clBtnFace;
}

int TsCommonData::ParentDependency() const {
  const TsGeneralData* section = Section();
  if (!section) return 1;
  const TsSkinTables& tables = *Tables();
  if (DrawsCentre(tables, BorderMaskIndex)) return 0;
  if (section->Transparency == 100) {
    if (tables.IsValidMaskIndex(PatternIndex) && tables.Masks[static_cast<std::size_t>(PatternIndex)].FillMode == 10)
      return 0;
    TWinControl* parent = ParentControl();
    if (!parent) return 0;
    if (!parent->HandleAllocated()) return 2;
    TsCommonData* parentData = SkinDataOf(*parent);
    if (parentData && parentData->Skinned()) return SendSkinCommand(*parent, SKC_SKINSTATE, 0) & kSkinStatePlain;
    return 1;
  }
  if ((section->Transparency > 0 && section->Transparency < 100) || section->ImagePercent > 0 ||
      section->GradientPercent > 0)
    return 0;
  return HasCorners(*section) ? 0 : 1;
}

void TsCommonData::UpdateSkinState(bool withChildren) {
  SkinState &= ~kSkinStatePlain;
  const bool container = dynamic_cast<TCustomForm*>(control_) != nullptr;
  if (container || ControlKind == kKindFormProvider) {
    const int dependency = ParentDependency();
    if (container) {
      if (dependency != 2) {
        if (dependency == 1) SkinState |= kSkinStatePlain;
        SkinState &= ~kSkinStateUndetermined;
      }
    } else if (dependency == 0) {
      SkinState = 0;
    } else if (dependency & 1) {
      SkinState = static_cast<std::uint16_t>((SkinState | kSkinStatePlain) & ~kSkinStateUndetermined);
    }
  }
  if (!withChildren) return;
  if (TWinControl* children = ChildContainer()) {
    ForEachLiveChild(*children, [](TControl& child) { SendSkinCommand(child, SKC_SKINSTATE, 1); });
  }
}

void TsCommonData::ChooseDefaultSection() {
  if (!skinSection_.empty()) return;
  const std::string_view byKind = DefaultSectionOfKind(ControlKind);
  SetSkinSection(byKind.empty() ? std::string_view(ClassNameOf(*owner_)) : byKind);
}

void TsCommonData::Refresh() {
  ChooseDefaultSection();
  if (!Skinned() || !control_ || control_->IsLoading() || !control_->Parent()) return;
  if (WindowedOwner()) NotifyForm(*control_);
  ApplySkinColors(false);
}

void TsCommonData::ApplySkinColors(bool repaint) {
  if (!Skinned() || !IsEditKind(ControlKind) || !control_) return;
  if (TWinControl* windowed = WindowedOwner(); windowed && !windowed->HandleAllocated()) return;
  const TsGeneralData& section = *Section();
  const TsSkinTables& tables = *Tables();
  if (!customColor_) {
    const TColor color = ShiftColor(tables.ColorRef(section.Color), hueOffset_, saturation_);
    if (control_->Color() != color) control_->SetColor(color);
  }
  if (!customFont_ && ControlKind != 10) {
    const TColor color = ShiftColor(tables.ColorRef(section.FontColors[0]), hueOffset_, saturation_);
    if (control_->Font().Color() != color) control_->Font().SetColor(color);
  }
  if (repaint) Invalidate(false);
}

void TsCommonData::Invalidate(bool updateNow) {
  BackgroundDirty = true;
  TControl* target = control_ ? control_ : ProviderForm();
  if (!target) return;
  target->Invalidate();
  if (updateNow) target->Update();
}

void TsCommonData::BeginUpdate() {
  if (UpdateNesting++ == 0 && control_) SendSkinCommand(*control_, SKC_BEGINUPDATE, 0);
  PaintLocked = true;
  SkinState |= kSkinStateUpdating;
}

void TsCommonData::EndUpdate(bool repaint) {
  --UpdateNesting;
  PaintLocked = false;
  SkinState &= ~kSkinStateUpdating;
  if (UpdateNesting > 0) return;
  UpdateNesting = 0;
  if (control_) SendSkinCommand(*control_, SKC_ENDUPDATE, 0, repaint ? 1 : 0);
  if (repaint) Invalidate(false);
}

void TsCommonData::PrepareCache() {
  if (!cache_) cache_ = std::make_unique<TBitmap>();
  const TControl* sized = control_ ? control_ : ProviderForm();
  if (sized && (cache_->Width() != sized->Width() || cache_->Height() != sized->Height()))
    cache_->SetSize(sized->Width(), sized->Height());
}

void TsCommonData::UpdatePartlyHidden() {
  TWinControl* parent = control_ ? control_->Parent() : nullptr;
  PartlyHidden = parent && !parent->ClientRect().Contains(control_->BoundsRect());
}

bool TsCommonData::PaintFace(int state, TacParentCache& parent) {
  if (!control_) return false;
  bool ready = true;
  parent = ParentBackgroundOf(*control_, &ready);
  if (!ready) {
    PaintLocked = true;
    return false;
  }
  PrepareCache();
  if (cache_->Empty()) return false;
  cache_->Canvas().Font().Assign(control_->Font());
  PaintControlItem(cache_->Pixels(), Rect{0, 0, control_->Width(), control_->Height()}, paintSource_, parent, Point{}, state,
                   true);
  return true;
}

int TsCommonData::StateIndex(int state) const {
  const TsGeneralData* section = Section();
  const int limited = std::min(state, section ? section->States - 1 : 0);
  return limited > 0 ? 1 : 0;
}

bool TsCommonData::CacheFitsOwner() const {
  if (!cache_ || cache_->Empty()) return false;
  const TControl* sized = control_ ? control_ : ProviderForm();
  return sized && cache_->Width() == sized->Width() && cache_->Height() == sized->Height();
}

void TsCommonData::AnswerWithColor(TacBgRequest& request, COLORREF color) const {
  request.Kind = TacBgRequest::kColor;
  request.Color = color;
  if (request.DrawNow && request.DC) {
    const UniqueBrush brush(CreateSolidBrush(color));
    FillRect(request.DC, &request.Rect, brush.Get());
  }
}

void TsCommonData::AnswerWithCache(TacBgRequest& request) const {
  request.Kind = TacBgRequest::kImage;
  if (request.DrawNow && request.DC) {
    // Through the cache's own canvas, which holds its bitmap.
    const RECT& r = request.Rect;
    BitBlt(request.DC, r.left, r.top, r.right - r.left, r.bottom - r.top, cache_->Canvas().Handle(), request.OffsetX,
           request.OffsetY, SRCCOPY);
    return;
  }
  request.Image = cache_.get();
  request.OffsetX = request.OffsetY = 0;
}

void TsCommonData::AskParentForBackground(TacBgRequest& request, HWND window) const {
  const TsSkinTables& tables = *Tables();
  if (TWinControl* parent = ParentControl()) {
    SendSkinCommand(*parent, SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&request));
    if (request.Kind == TacBgRequest::kUnset) AnswerWithColor(request, ColorToRGB(parent->Color()));
    const TControl* placed = control_ ? static_cast<const TControl*>(control_) : ProviderForm();
    request.OffsetX += placed->Left();
    request.OffsetY += placed->Top();
    return;
  }
  HWND parentWindow = window ? GetParent(window) : nullptr;
  if (!parentWindow) {
    AnswerWithColor(request, ColorToRGB(tables.ColorRef(tables.MainColor())));
    return;
  }
  SendMessageW(parentWindow, WM_SKINCOMMAND, SkinCommandParam(SKC_GETBACKGROUND), reinterpret_cast<LPARAM>(&request));
  if (request.Image) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    MapWindowPoints(nullptr, parentWindow, reinterpret_cast<POINT*>(&bounds), 2);
    request.OffsetX += bounds.left;
    request.OffsetY += bounds.top;
  }
}

void TsCommonData::GetBackground(TacBgRequest& request, int state, HWND window) {
  request.Image = nullptr;
  const TsGeneralData* section = Section();
  if (!Skinned() || customColor_ || !section) {
    AnswerWithColor(request, ColorToRGB(OwnerColor()));
    return;
  }
  const TsSkinTables& tables = *Tables();
  const TsGenState& props = section->StateProps[static_cast<std::size_t>(StateIndex(state))];
  const int transparency = props.Transparency;
  if (transparency <= 0) {
    if (props.GradientPercent == 0 && props.ImagePercent == 0 && !HasCorners(*section)) {
      if (tables.IsValidMaskIndex(BorderMaskIndex) &&
          !(tables.Masks[static_cast<std::size_t>(BorderMaskIndex)].FillMode & kFillNoStateZero)) {
        const TsMaskData& border = tables.Masks[static_cast<std::size_t>(BorderMaskIndex)];
        request.BorderLeft = MarginLeft(border);
        request.BorderTop = MarginTop(border);
        request.BorderRight = MarginRight(border);
        request.BorderBottom = MarginBottom(border);
        request.Image = cache_.get();
        request.OffsetX = request.OffsetY = 0;
      }
      AnswerWithColor(request, ColorToRGB(ControlColor(state, window)));
      return;
    }
    request.Color = ColorToRGB(tables.ColorRef(tables.MainColor()));
    if (!CacheFitsOwner()) {
      request.Kind = TacBgRequest::kNotReady;
      return;
    }
  } else if (transparency >= 100) {
    if ((SkinState & kSkinStatePlain) || !cache_) {
      AskParentForBackground(request, window);
      return;
    }
    if (BackgroundDirty && control_) SendSkinCommand(*control_, SKC_BGPAINTED, 0);
  } else {
    if (!cache_) {
      request.Kind = TacBgRequest::kColor;
      request.Color = ColorToRGB(kKeyColor);
      return;
    }
    if (cache_->Empty()) {
      PaintLocked = true;
      request.Kind = TacBgRequest::kNotReady;
      return;
    }
  }
  AnswerWithCache(request);
}

TColor TsCommonData::ParentColor(HWND window) const {
  if (TWinControl* parent = ParentControl()) {
    TsCommonData* parentData = SkinDataOf(*parent);
    if (parentData && parentData->Skinned())
      return TColor{static_cast<std::int32_t>(SendSkinCommand(*parent, SKC_GETCOLOR, 0))};
    return Resolved(parent->Color());
  }
  if (HWND parentWindow = window ? GetParent(window) : nullptr) {
    return TColor{static_cast<std::int32_t>(
        SendMessageW(parentWindow, WM_SKINCOMMAND, SkinCommandParam(SKC_GETCOLOR), 0))};
  }
  return Resolved(clBtnFace);
}

TColor TsCommonData::ControlColor(int state, HWND window) const {
  const TsGeneralData* section = Section();
  if (!Skinned() || customColor_ || !section) return Resolved(OwnerColor());
  const std::size_t index = state > 0 && section->States > 1 ? 1 : 0;
  const TsGenState& props = section->StateProps[index];
  const TColor own = Tables()->ColorRef(props.Color);
  if (props.Transparency <= 0) return own;
  const TColor parent = ParentColor(window);
  if (props.Transparency >= 100) return parent;
  return MixColors(parent, own, props.Transparency / 100.0);
}

TColor TsCommonData::ColorForChildren() const {
  const TsGeneralData* section = Section();
  if (!Skinned() || !section) return Resolved(OwnerColor());
  const TsGenState& props = section->StateProps[0];
  const TColor own = Tables()->ColorRef(props.Color);
  const int transparency = props.Transparency;
  if (transparency <= 0) return own;
  TWinControl* parent = ParentControl();
  if (!parent) return transparency >= 100 ? Resolved(OwnerColor()) : own;
  TsCommonData* parentData = SkinDataOf(*parent);
  const TColor under = parentData && parentData->Skinned()
                           ? TColor{static_cast<std::int32_t>(SendSkinCommand(*parent, SKC_GETCOLOR, 0))}
                           : Resolved(parent->Color());
  if (transparency >= 100) return under;
  // Byte by byte, transparency percent of the way from our colour to the parent's.
  const auto mix = [&](int shift) {
    const int c = (ColorValue(own) >> shift) & 0xFF, p = (ColorValue(under) >> shift) & 0xFF;
    return static_cast<std::uint32_t>(c + transparency * (p - c) / 100) << shift;
  };
  return TColor{static_cast<std::int32_t>(mix(0) | mix(8) | mix(16))};
}

namespace {

TacParentCache CacheFromRequest(const TacBgRequest& request, Point at) {
  TacParentCache cache;
  switch (request.Kind) {
    case TacBgRequest::kImage:
    case TacBgRequest::kColor:
      if (request.Image) cache.Image = request.Image->Pixels();
      cache.OffsetX = request.OffsetX + at.x;
      cache.OffsetY = request.OffsetY + at.y;
      cache.Ready = request.Kind == TacBgRequest::kImage;
      if (request.Kind == TacBgRequest::kColor) {
        cache.FillColor = TColor{static_cast<std::int32_t>(request.Color)};
        cache.BorderLeft = request.BorderLeft;
        cache.BorderTop = request.BorderTop;
        cache.BorderRight = request.BorderRight;
        cache.BorderBottom = request.BorderBottom;
      }
      break;
    default:
      cache.FillColor = kKeyColor;
      break;
  }
  return cache;
}

}  // namespace

TacParentCache ParentBackgroundOf(TControl& control, bool* ready) {
  if (ready) *ready = true;
  TWinControl* parent = control.Parent();
  if (!parent) return TacParentCache{};
  TacBgRequest request;
  SendSkinCommand(*parent, SKC_GETBACKGROUND, reinterpret_cast<LPARAM>(&request));
  if (ready) *ready = request.Kind != TacBgRequest::kNotReady;
  if (request.Kind == TacBgRequest::kUnset) {
    request.Kind = TacBgRequest::kColor;
    request.Color = ColorToRGB(parent->Color());
  }
  return CacheFromRequest(request, Point{control.Left(), control.Top()});
}

TacParentCache TsCommonData::GetParentCache() {
  HWND window = nullptr;
  if (TWinControl* windowed = WindowedOwner(); windowed && windowed->HandleAllocated()) window = windowed->Handle();
  TControl* placed = control_ ? control_ : ProviderForm();
  const bool hasParent = ParentControl() != nullptr;
  if (!Skinned() || (!hasParent && !(window && GetParent(window)))) {
    TacParentCache cache;
    cache.FillColor = ControlColor(0, window);
    return cache;
  }
  if (hasParent) return ParentBackgroundOf(*placed);
  TacBgRequest request;
  SendMessageW(GetParent(window), WM_SKINCOMMAND, SkinCommandParam(SKC_GETBACKGROUND), reinterpret_cast<LPARAM>(&request));
  return CacheFromRequest(request, Point{});
}

int TsCommonData::MaxBorderWidth() const {
  const TsSkinTables* tables = Tables();
  if (!tables || !tables->IsValidMaskIndex(BorderMaskIndex)) return 0;
  const TsMaskData& border = tables->Masks[static_cast<std::size_t>(BorderMaskIndex)];
  if (border.FillMode & kFillNoStateZero) return 0;
  return std::max({MarginLeft(border), MarginTop(border), MarginRight(border), MarginBottom(border)});
}

bool TsCommonData::IsActive() const {
  if (!control_ || control_->IsDestroying() || !control_->Enabled()) return false;
  if (HasFocus) return true;
  if (TWinControl* windowed = WindowedOwner(); windowed && windowed->HandleAllocated() && GetFocus() == windowed->Handle())
    return true;
  return MouseInside && !IsContainerKind(ControlKind);
}

bool TsCommonData::IsPaintLocked() const {
  if (!Manager()) return false;
  if ((SkinState & kSkinStatePlain) && (!IsActive() || IsNoGlowKind(ControlKind))) return PaintLocked;
  if (owner_->IsDestroying()) return PaintLocked;
  if (PaintLocked) return true;
  TWinControl* parent = ParentControl();
  return parent && SendSkinCommand(*parent, SKC_ISBUSY, 0) != 0;
}

bool TsCommonData::BackgroundFollowsParent() const {
  if (PaintNow || !Skinned() || !control_ || !control_->Enabled()) return true;
  if (Section()->Transparency <= 0) return false;
  TWinControl* parent = ParentControl();
  return parent && parent->HandleAllocated() && SendSkinCommand(*parent, SKC_NEEDSPARENTPAINT, 0) != 0;
}

LRESULT TsCommonData::NeedsParentPaint() const {
  const TsGeneralData& section = *Section();
  TWinControl* parent = ParentControl();
  if (section.Transparency > 0 && parent) return SendSkinCommand(*parent, SKC_NEEDSPARENTPAINT, 0) & 0x7F;
  if (section.GradientPercent > 0 || section.ImagePercent > 0 || BackgroundFollowsParent()) return 1;
  return DrawsCentre(*Tables(), BorderMaskIndex) ? 1 : 0;
}

void TsCommonData::UpdateGlow(bool hide, HWND) {
  TsSkinManager* manager = Manager();
  const TsGeneralData* section = Section();
  if (!manager || !manager->GlowingAllowed() || !section || section->Glow < 1 || !control_) return;
  const bool buttonHeld = MouseInside && (GetKeyState(VK_LBUTTON) & 0x8000) != 0;
  if (!MouseInside || buttonHeld || (hide && GlowHandle >= 0)) {
    HideGlow(GlowHandle);
    GlowHandle = -1;
    return;
  }
  if (GlowHandle >= 0) return;
  TWinControl* parent = control_->Parent();
  if (!parent || !parent->HandleAllocated()) return;
  RECT bounds = ToRECT(control_->BoundsRect());
  MapWindowPoints(parent->Handle(), nullptr, reinterpret_cast<POINT*>(&bounds), 2);
  RECT client{};
  GetClientRect(parent->Handle(), &client);
  MapWindowPoints(parent->Handle(), nullptr, reinterpret_cast<POINT*>(&client), 2);
  const Rect screen = FromRECT(bounds);
  const Rect visible = screen.Intersect(FromRECT(client));
  TCustomForm* form = ParentFormOf(*control_);
  const TsSkinTables& tables = *Tables();
  const int mask = tables.IndexOfMask(SectionIndex, skinSection_, "GLOW0");
  GlowHandle = ShowGlow(tables, mask, form && form->HandleAllocated() ? form->Handle() : nullptr, screen, visible,
                        section->GlowMargin);
}

void TsCommonData::HideOwnGlow() {
  if (GlowHandle < 0) return;
  HideGlow(GlowHandle);
  GlowHandle = -1;
}

void TsCommonData::SkinRemoved(TsSkinManager* manager) {
  if (manager && manager->IsDestroying() && skinManager_ == manager) skinManager_ = nullptr;
  SectionIndex = BorderMaskIndex = PatternIndex = HotPatternIndex = -1;
  PaintLocked = true;
  if (cache_) cache_->SetSize(0, 0);
  HideAllGlows();
  GlowHandle = -1;
  if (TWinControl* windowed = WindowedOwner()) {
    ForEachLiveChild(*windowed, [](TControl& child) {
      if (auto* label = dynamic_cast<TsCustomLabel*>(&child)) label->Font().SetColor(clWindowText);
    });
  }
}

void TsCommonData::ParentUpdated() {
  TWinControl* windowed = WindowedOwner();
  if (!PaintLocked || !windowed) return;
  PaintLocked = false;
  if (IsPaintLocked()) {
    PaintLocked = true;
  } else if (windowed->HandleAllocated()) {
    RedrawWindow(windowed->Handle(), nullptr, nullptr,
                 RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  }
  NotifyChildrenUpdated(*windowed);
}

void TsCommonData::ParentBackgroundChanged(WORD value) {
  const bool follows = BackgroundFollowsParent();
  if (follows) BackgroundDirty = true;
  TWinControl* windowed = WindowedOwner();
  if (!windowed || !windowed->HandleAllocated()) return;
  if (value == 1)
    RedrawWindow(windowed->Handle(), nullptr, nullptr, RDW_ALLCHILDREN | RDW_NOERASE | RDW_NOINTERNALPAINT | RDW_INVALIDATE);
  if (follows)
    ForEachLiveChild(*windowed, [value](TControl& child) { SendSkinCommand(child, SKC_PARENTBGCHANGED, 0, value); });
}

void TsCommonData::ClearCache() {
  if (!cache_) return;
  if (TWinControl* windowed = WindowedOwner()) {
    ForEachLiveChild(*windowed, [](TControl& child) {
      auto* childWindow = dynamic_cast<TWinControl*>(&child);
      if (childWindow && childWindow->HandleAllocated()) SendSkinCommand(child, SKC_CLEARCACHE, 0);
    });
  }
  cache_->SetSize(0, 0);
  BackgroundDirty = true;
}

bool TsCommonData::HandleSkinCommand(TMessage& message) {
  const auto command = static_cast<TSkinCommand>(SkinCommandOf(message.WParam));
  const WORD value = SkinCommandValue(message.WParam);
  // Another thread or process cannot hand us a pointer into its memory.
  if (CarriesPointer(command) && InSendMessage()) {
    message.Result = 0;
    return true;
  }
  auto* manager = reinterpret_cast<TsSkinManager*>(message.LParam);
  HWND window = nullptr;
  if (TWinControl* windowed = WindowedOwner(); windowed && windowed->HandleAllocated()) window = windowed->Handle();
  switch (command) {
    case SKC_SKINLOADED:
      if (manager != Manager()) return false;
      HideAllGlows();
      GlowHandle = -1;
      UpdateIndexes();
      UpdateSkinState(false);
      return true;
    case SKC_SKINREMOVED:
      if (manager != Manager()) return false;
      SkinRemoved(manager);
      return true;
    case SKC_SKINAPPLIED:
      if (manager != Manager()) return false;
      BackgroundDirty = true;
      PaintLocked = false;
      ApplySkinColors(true);
      UpdateSkinState(false);
      return true;
    case SKC_PARENTUPDATED:
      ParentUpdated();
      return true;
    case SKC_ISSKINNED:
      message.Result = 1;
      return true;
    case SKC_SETPAINTLOCK:
      PaintLocked = value == 1;
      return true;
    case SKC_SETPAINTNOW:
      PaintNow = value == 1;
      return true;
    case SKC_ISBUSY:
      message.Result = BackgroundDirty || PaintLocked ? 1 : 0;
      return true;
    case SKC_ISPARTLYHIDDEN:
      message.Result = PartlyHidden ? 1 : 0;
      return true;
    case SKC_SETSECTION:
      if (const auto* request = reinterpret_cast<const TacSectionRequest*>(message.LParam); request && request->SectionName)
        SetSkinSection(request->SectionName);
      return true;
    case SKC_INVALIDATEBG:
      BackgroundDirty = true;
      return true;
    case SKC_NEEDSPARENTPAINT:
      if (!Section()) return false;
      message.Result = NeedsParentPaint();
      return true;
    case SKC_PARENTBGCHANGED:
      ParentBackgroundChanged(value);
      return true;
    case SKC_GETCOLOR:
      message.Result = static_cast<LRESULT>(ColorValue(ColorForChildren()));
      return true;
    case SKC_SETPARTLYHIDDEN:
      PartlyHidden = true;
      return true;
    case SKC_BGPAINTED:
      BackgroundDirty = false;
      return true;
    case SKC_GETSECTIONINDEX:
      if (auto* info = reinterpret_cast<TacSectionInfo*>(message.LParam)) info->SectionIndex = SectionIndex;
      return true;
    case SKC_CLEARCACHE:
      ClearCache();
      return true;
    case SKC_GETBACKGROUND:
      if (auto* request = reinterpret_cast<TacBgRequest*>(message.LParam))
        GetBackground(*request, HasFocus || MouseInside ? 1 : 0, window);
      return true;
    case SKC_SKINSTATE:
      if (message.LParam == 1) {
        UpdateSkinState(true);
      } else {
        if (SkinState & kSkinStateUndetermined) UpdateSkinState(false);
        message.Result = SkinState;
      }
      return true;
    case SKC_GETSKINDATA:
      message.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case SKC_ISMOUSEINSIDE:
      message.Result = MouseInside ? 1 : 0;
      return true;
    case SKC_SETPRINTDC:
      PrintContext = reinterpret_cast<HDC>(message.LParam);
      if (PrintContext) {
        SkinState |= kSkinStatePrinting;
      } else {
        SkinState &= ~kSkinStatePrinting;
      }
      return true;
    case SKC_GETAPPLICATION:
      message.Result = reinterpret_cast<LRESULT>(Application);
      return true;
    default:
      return false;
  }
}

bool TsCommonData::SetColorsOfState(bool hot) {
  const TsGeneralData* section = Section();
  if (!section || !control_ || !IsEditKind(ControlKind) || ControlKind == 10 || section->States < 2) return false;
  const TsSkinTables& tables = *Tables();
  bool changed = false;
  if (!customColor_) {
    const TColor color = tables.ColorRef(hot ? section->HotColor : section->Color);
    if (control_->Color() != color) {
      control_->SetColor(color);
      changed = true;
    }
  }
  if (!customFont_) {
    const TColor color = tables.ColorRef(hot ? section->HotFontColors[0] : section->FontColors[0]);
    if (control_->Font().Color() != color) {
      control_->Font().SetColor(color);
      changed = true;
    }
  }
  return changed;
}

void TsCommonData::MouseEntered() {
  if (!Skinned()) return;
  if (!IsContainerKind(ControlKind)) MouseInside = true;
  if (!IsNoGlowKind(ControlKind) && !InRange(ControlKind, 92, 94)) UpdateGlow(false, nullptr);
  if (SetColorsOfState(true)) {
    BackgroundDirty = true;
    Invalidate(false);
  }
}

void TsCommonData::MouseLeft() {
  if (!IsContainerKind(ControlKind)) MouseInside = false;
  if (!IsNoGlowKind(ControlKind) && !InRange(ControlKind, 92, 94)) UpdateGlow(true, nullptr);
  if (!IsActive() && SetColorsOfState(false) && control_ && control_->Visible()) {
    BackgroundDirty = true;
    Invalidate(false);
  }
}

void TsCommonData::FocusChanged(bool focused) {
  BackgroundDirty = true;
  HasFocus = focused;
  if (!focused && IsActive()) return;
  if (SetColorsOfState(focused)) Invalidate(false);
}

bool TsCommonData::HandleMessage(TMessage& message) {
  switch (message.Msg) {
    case WM_SKINCOMMAND:
      return HandleSkinCommand(message);
    case WM_WINDOWPOSCHANGED:
      if (const auto* position = reinterpret_cast<const WINDOWPOS*>(message.LParam))
        OwnerBoundsChanged(!(position->flags & SWP_NOMOVE), !(position->flags & SWP_NOSIZE));
      return false;
    case WM_SETFOCUS:
      if (TWinControl* windowed = WindowedOwner(); windowed && windowed->TabStop()) FocusChanged(true);
      return false;
    case WM_KILLFOCUS:
      if (WindowedOwner()) FocusChanged(false);
      return false;
    case WM_UPDATEUISTATE:
      if (!Skinned()) return false;
      message.Result = 0;
      return true;
    case WM_PARENTNOTIFY:
      if (LOWORD(message.WParam) == WM_CREATE && WindowedOwner()) NotifyForm(*control_);
      return false;
    case CM_MOUSEENTER:
      MouseEntered();
      return false;
    case CM_MOUSELEAVE:
      MouseLeft();
      return false;
    default:
      return false;
  }
}

void TsCommonData::OwnerEnabledChanged() {
  MouseInside = HasFocus = false;
  if (control_ && !control_->Enabled()) HideOwnGlow();
}

void TsCommonData::OwnerVisibleChanged() {
  if (!cache_ || !control_) return;
  if (control_->Visible()) {
    PaintLocked = false;
  } else {
    cache_->SetSize(0, 0);
    if (TWinControl* windowed = WindowedOwner())
      ForEachLiveChild(*windowed, [](TControl& child) { SendSkinCommand(child, SKC_CLEARCACHE, 0); });
  }
  BackgroundDirty = true;
}

void TsCommonData::OwnerBoundsChanged(bool moved, bool sized) {
  if (!control_) return;
  if (moved && BackgroundFollowsParent()) {
    BackgroundDirty = true;
    SendSkinCommand(*control_, SKC_PARENTBGCHANGED, 0, 1);
  }
  if (sized && Skinned()) {
    BackgroundDirty = true;
    TWinControl* windowed = WindowedOwner();
    if (windowed && Section()->GradientPercent > 0)
      ForEachLiveChild(*windowed, [](TControl& child) { SendSkinCommand(child, SKC_PARENTBGCHANGED, 0, 1); });
  }
  if (GlowHandle >= 0 && control_->Parent() && control_->Parent()->HandleAllocated()) {
    POINT topLeft{control_->Left(), control_->Top()};
    ClientToScreen(control_->Parent()->Handle(), &topLeft);
    MoveGlow(GlowHandle, Point{topLeft.x, topLeft.y});
  }
}

TColor TsCommonData::PaintSourceAdapter::OwnColor() const { return data_.customColor_ ? data_.OwnerColor() : kKeyColor; }

}  // namespace klarvik
