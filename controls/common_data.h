#pragma once
// TsCommonData: what every skinned control (and a form's skin provider) keeps of the skin.
// It binds its owner to a section of the active skin, keeps the indices painting needs,
// holds the owner's cache bitmap (its finished picture, lent to transparent children),
// tracks focus and mouse-over, locks painting while skins or parents change, and answers
// the skin command message for its owner.
#include <windows.h>

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

#include "paint/primitives/section_item.h"
#include "runtime/bitmap.h"
#include "runtime/control.h"
#include "skin/manager/skin_commands.h"
#include "skin/manager/skin_manager.h"

namespace klarvik {

class TCustomForm;
class TWinControl;

// The owner kinds this program uses, and the form provider's.
constexpr int kKindCheckBox = 32;
constexpr int kKindButton = 93;
constexpr int kKindGauge = 161;
constexpr int kKindFormProvider = 224;

// Kinds that hold other controls: never hot, never set MouseInside.
bool IsContainerKind(int kind);
// Kinds that show no glow on mouse-over.
bool IsNoGlowKind(int kind);
// Kinds whose colour and font colour follow the skin.
bool IsEditKind(int kind);
// The section an owner of that kind uses when none is named; empty for kinds without one.
std::string_view DefaultSectionOfKind(int kind);

enum TsSkinStateFlag : std::uint16_t {
  kSkinStatePlain = 1,         // the background can be answered with a colour or taken from the parent
  kSkinStateUndetermined = 2,
  kSkinStatePrinting = 0x200,
  kSkinStateUpdating = 0x800,
};

class TsCommonData;
// The skin data a control publishes (its answer to SKC_GETSKINDATA), or null.
TsCommonData* SkinDataOf(TControl& control);

// What the control's parent tells of the background under the control, as the painters
// take it; a parent that does not answer gives its colour. `ready` (when given) is false
// when the parent's own picture is not ready yet.
TacParentCache ParentBackgroundOf(TControl& control, bool* ready = nullptr);

class TsCommonData : public TObject {
 public:
  TsCommonData(TComponent* owner, bool withCache);
  ~TsCommonData() override;

  const std::string& SkinSection() const { return skinSection_; }
  // Stored upper-case; empty stores "UNKNOWN".
  void SetSkinSection(std::string_view value);
  bool CustomFont() const { return customFont_; }
  void SetCustomFont(bool value);
  bool CustomColor() const { return customColor_; }
  void SetCustomColor(bool value);
  int HUEOffset() const { return hueOffset_; }
  void SetHUEOffset(int value);
  int Saturation() const { return saturation_; }
  void SetSaturation(int value);
  // The manager set for this owner; null means the default manager.
  TsSkinManager* SkinManager() const { return skinManager_; }
  void SetSkinManager(TsSkinManager* value);
  // The manager in use: the one set, else the default.
  TsSkinManager* Manager() const { return skinManager_ ? skinManager_ : TsSkinManager::DefaultManager(); }

  int UpdateNesting = 0;
  int GlowHandle = -1;
  bool PaintLocked = false;
  int BorderMaskIndex = -1;
  int SectionIndex = -1;
  int PatternIndex = -1;
  int HotPatternIndex = -1;
  bool PaintNow = false;
  bool BackgroundDirty = true;
  bool PartlyHidden = true;
  TControl* Control() const { return control_; }
  TComponent* Owner() const { return owner_; }
  // The owner's picture; null when made without a cache.
  TBitmap* CacheBitmap() const { return cache_.get(); }
  int ControlKind = 0;
  bool HasFocus = false;
  bool MouseInside = false;
  std::uint16_t SkinState = kSkinStateUndetermined;
  std::uint16_t BackgroundKinds = 0;
  HDC PrintContext = nullptr;

  // The section is set, the manager lives and knows it, the owner is not going away; with
  // checkActive the skin must also be shown.
  bool Skinned(bool checkActive = false) const;
  // The owner shows its hot look.
  bool IsActive() const;
  bool IsPaintLocked() const;
  // The owner's picture depends on its parent's.
  bool BackgroundFollowsParent() const;
  void UpdateIndexes();
  void UpdateSkinState(bool withChildren);
  void ChooseDefaultSection();
  void Refresh();
  void ApplySkinColors(bool repaint);
  void Invalidate(bool updateNow);
  void BeginUpdate();
  void EndUpdate(bool repaint);
  // Makes the cache if missing and sizes it to the owner.
  void PrepareCache();
  // PartlyHidden from the owner's bounds against its parent's client area; owners that
  // check it call this as they paint.
  void UpdatePartlyHidden();
  // The start of a skinned control's picture: the cache sized to the owner, given the
  // owner's font, and its section item painted in `state` over the background its parent
  // reports, which `parent` receives. False (painting locked) while that background is not
  // ready, or when the owner has no size.
  bool PaintFace(int state, TacParentCache& parent);
  void GetBackground(TacBgRequest& request, int state, HWND window);
  // The colour children should use.
  TColor ControlColor(int state, HWND window) const;
  TacParentCache GetParentCache();
  int MaxBorderWidth() const;
  void UpdateGlow(bool hide, HWND window);
  // Answers WM_SKINCOMMAND; false when the command is left to the owner.
  bool HandleSkinCommand(TMessage& message);
  // The owner's messages, before its own handling; WM_SKINCOMMAND goes to
  // HandleSkinCommand. True when the message was answered here.
  bool HandleMessage(TMessage& message);

  // What the section painters read of this owner.
  const ControlSkinSource& PaintSource() const { return paintSource_; }
  // The loaded skin's tables, or null without a manager.
  const TsSkinTables* Tables() const;
  // The section record, or null when the index is not valid.
  const TsGeneralData* Section() const;

  // Owners say what the runtime tells them through virtual hooks.
  void OwnerEnabledChanged();
  void OwnerVisibleChanged();
  void OwnerBoundsChanged(bool moved, bool sized);

 private:
  class PaintSourceAdapter : public ControlSkinSource {
   public:
    explicit PaintSourceAdapter(const TsCommonData& data) : data_(data) {}
    const TsSkinTables* Tables() const override { return data_.Tables(); }
    int SectionIndex() const override { return data_.SectionIndex; }
    int PatternIndex() const override { return data_.PatternIndex; }
    int HotPatternIndex() const override { return data_.HotPatternIndex; }
    TColor OwnColor() const override;
    int HueOffset() const override { return data_.hueOffset_; }
    int Saturation() const override { return data_.saturation_; }

   private:
    const TsCommonData& data_;
  };

  // Sends the owner SKC_SKINAPPLIED or SKC_SKINREMOVED after a change of section or manager.
  void TellOwnerOfSkinChange(TsSkinManager* manager);
  TWinControl* WindowedOwner() const;
  // The form of a form provider, else null.
  TCustomForm* ProviderForm() const;
  // The parent control (a form provider's: its form's), or null.
  TWinControl* ParentControl() const;
  // Where the owner's children are: a windowed owner, or a provider's form.
  TWinControl* ChildContainer() const;
  // The owner's colour (a form provider's: its form's).
  TColor OwnerColor() const;
  TColor ParentColor(HWND window) const;
  int StateIndex(int state) const;
  bool CacheFitsOwner() const;
  // 1 plain, 0 not plain, 2 undetermined: how the owner's background depends on its parent.
  int ParentDependency() const;
  LRESULT NeedsParentPaint() const;
  TColor ColorForChildren() const;
  void AnswerWithColor(TacBgRequest& request, COLORREF color) const;
  void AnswerWithCache(TacBgRequest& request) const;
  void AskParentForBackground(TacBgRequest& request, HWND window) const;
  void HideOwnGlow();
  void SkinRemoved(TsSkinManager* manager);
  void ParentUpdated();
  void ParentBackgroundChanged(WORD value);
  void ClearCache();
  void MouseEntered();
  void MouseLeft();
  void FocusChanged(bool focused);
  // Colour and font colour of the normal or hot state, for edit kinds; true when changed.
  bool SetColorsOfState(bool hot);

  TComponent* owner_;
  TControl* control_;
  std::unique_ptr<TBitmap> cache_;
  std::string skinSection_;
  bool customFont_ = false;
  bool customColor_ = false;
  int hueOffset_ = 0;
  int saturation_ = 0;
  TsSkinManager* skinManager_ = nullptr;
  PaintSourceAdapter paintSource_{*this};
};

}  // namespace klarvik
