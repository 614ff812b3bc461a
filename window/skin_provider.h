#pragma once
// TsSkinProvider: makes one form look skinned. It takes the form's messages over, keeps
// the system's caption, frame and caption buttons out of view and paints its own from the
// active skin into one picture of the whole window (the form image); the frame strips and
// the client background are copied from that picture.
#include <windows.h>

#include <memory>
#include <string>
#include <vector>

#include "base/geometry.h"
#include "controls/common_data.h"
#include "runtime/bitmap.h"
#include "runtime/font.h"
#include "runtime/forms.h"

namespace klarvik {

class TacCaptionCover;
class TacHandlerLink;

enum class TsCaptionAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TsGripMode { gmNone, gmRightBottom };

// A second caption text after the form's.
struct TacAddedTitle {
  std::wstring Text;
  TFont Font;  // colour clNone: the title section's font colour
  bool ShowMainCaption = true;
  TacAddedTitle() { Font.SetColor(clNone); }
};

struct TsTitleIcon {
  std::unique_ptr<TBitmap> Glyph;  // null or empty: the form's or the program's icon
  int Width = 0;                   // 0: from the caption height
  int Height = 0;
  bool Visible = true;
};

struct CaptionButtonSlot {
  int State = -1;  // 0 normal, 1 hot, 2 pressed; -1 not shown
  int GlyphIndex = -1;
  Rect Bounds;  // window coordinates
  bool TopAligned = false;
  int HitCode = HTNOWHERE;
};

class TsSkinProvider : public TComponent {
 public:
  // The owner must be a form. A second provider on a form that has one stays inert.
  explicit TsSkinProvider(TComponent* AOwner);
  ~TsSkinProvider() override;
  void Loaded() override;

  TacAddedTitle AddedTitle;
  TsCaptionAlignment CaptionAlignment = TsCaptionAlignment::taLeftJustify;
  bool DrawNonClientArea = true;
  bool DrawClientArea = true;
  TsGripMode GripMode = TsGripMode::gmNone;
  // Asks for the skin choice in the system menu; the system menu comes with its behaviour.
  bool MakeSkinMenu = false;
  std::string MenuLineSkin;  // empty: "MENULINE"
  bool ShowAppIcon = true;
  TsTitleIcon TitleIcon;
  std::string TitleSkin;  // empty: "FORMTITLE"
  bool UseGlobalColor = true;

  TsCommonData& SkinData() { return *skinData_; }
  TCustomForm& Form() const { return *form_; }
  bool Inert() const { return inert_; }
  bool FormIsActive() const { return formIsActive_; }

  void HandleMessage(TMessage& message);
  void InitializeForSkin();
  // Repaints the form image when it is marked changed; false when it could not be made.
  bool RebuildImage();
  // Copies the frame strips of the form image onto a device context of the whole window.
  void PaintNonClient(HDC dc);
  void RepaintNonClient();
  void UpdateRegion(bool redraw);

  // Geometry, in pixels.
  int FrameWidth() const;
  int CaptionHeight() const;
  int MenuLineHeight() const;
  int MenuLineCount();
  int ClientOffsetX() const;
  int ClientOffsetY() const;
  int ImageWidth() const;
  int ButtonsWidth() const;

  // What the last rebuild laid out, window coordinates.
  const CaptionButtonSlot& CloseButton() const { return closeButton_; }
  const CaptionButtonSlot& MinimizeButton() const { return minimizeButton_; }
  const CaptionButtonSlot& MaximizeButton() const { return maximizeButton_; }
  const std::vector<Rect>& CornerCutouts() const { return cornerCutouts_; }
  // The form image: null until the first non-client paint under a skin.
  TBitmap* FormImage() const;
  // The helper form that covers the title while the system handles a caption change;
  // null when none is shown.
  TacCaptionCover* CaptionCover() const { return captionCover_.get(); }

 private:
  bool WindowReady() const;
  bool SkinActive() const;
  // The form has a frame to draw: a border style, or it is a child window.
  bool HasBorder() const;
  bool IsToolWindow() const;
  bool WindowMaximized() const;
  bool WindowMinimized() const;
  bool HasSystemMenu() const;
  bool MinimizeVisible() const;
  bool MaximizeVisible() const;
  bool HasBarMenu() const;
  bool IconShown() const;
  SIZE IconSize() const;
  Rect WindowRect() const;
  Rect ClientRectInWindow() const;
  int LookIndex(int section) const;
  int TitleSection() const;
  bool PlainBackground();
  // The colour of a plain background: the form's own when it keeps its colour, else the
  // section's for the form's look.
  TColor PlainColor() const;

  void TakeOverForm();
  void SelectCaptionGlyphs();
  void LayoutTitle();
  void PlaceButton(CaptionButtonSlot& button, int& x, int topLine);
  SIZE ButtonSize(const CaptionButtonSlot& button) const;
  void MarkImageChanged() { skinData_->BackgroundDirty = true; }
  bool ImageChanged() const { return skinData_->BackgroundDirty; }
  void PrepareImage();

  // Painting the form image.
  bool PaintFrameAndBackground(TBitmap& image);
  void PaintGrip(TBitmap& image);
  void PaintTitle(TBitmap& image);
  void PaintTitleIcon(TBitmap& image);
  void PaintMenuBand(TBitmap& image);
  void PaintCaptionText(TBitmap& image);
  void PaintCaptionButtons(TBitmap& image);
  void PaintCaptionButton(TBitmap& image, const CaptionButtonSlot& button, bool enabled);

  // The client area.
  void EraseClient(TMessage& message);
  void PaintClient(TMessage& message);
  // The client background and the windowless children over it, at the DC's origin.
  void PaintClientInto(HDC dc);
  void FillPlainBackground(HDC dc, const Rect& client);
  void PrintWindowImage(TMessage& message);

  // Messages.
  bool HandleSkinCommand(TMessage& message);
  void SkinLoaded(bool refresh);
  void SkinRemoved();
  void NCPaint(TMessage& message);
  void NCActivate(TMessage& message);
  void SetText(TMessage& message);
  void SetIcon(TMessage& message);
  void Size(TMessage& message);
  void NCHitTest(TMessage& message);
  bool CaptionButtonPress(TMessage& message);
  CaptionButtonSlot* ButtonWithHitCode(int hitCode);
  void RepaintButton(CaptionButtonSlot& button);
  void StripSystemMenuStyle();
  void CallPrevious(TMessage& message);
  // Runs the previous handler while the system's own caption drawing stays out of view.
  void CallPreviousCovered(TMessage& message, bool rebuildAfter);
  // Copies the frame from the form image, rebuilt first when it is marked changed.
  void PaintFrameNow();
  // The frame or title has an active and an inactive look.
  bool HasTwoLooks() const;
  bool MayCoverCaption() const;

  // Window region.
  void BuildCornerCutouts();

  TCustomForm* form_ = nullptr;
  TacHandlerLink* link_ = nullptr;  // owned by the form; null for an inert provider
  std::unique_ptr<TsCommonData> skinData_;
  bool inert_ = false;
  bool formIsActive_ = true;
  bool regionDirty_ = true;
  bool regionUpdating_ = false;
  bool systemMenuStyleRemoved_ = false;
  int captionSectionIndex_ = -1;
  int menuLineCount_ = -1;
  int captionCenterY_ = 0;
  int redrawLockCount_ = 0;
  bool largeButtons_ = true;
  int pressedHitCode_ = HTNOWHERE;
  bool paintingClient_ = false;  // erases inside our own WM_PAINT are covered by it
  std::vector<Rect> cornerCutouts_;
  Rect regionShape_;  // the window size the applied region was made for; empty: none applied
  bool regionMaximized_ = false;
  Rect iconRect_;
  CaptionButtonSlot minimizeButton_, maximizeButton_, closeButton_, helpButton_;
  TBitmap titleBackground_;
  TBitmap menuLineImage_;
  std::unique_ptr<TacCaptionCover> captionCover_;
};

// The provider serving a form, or null.
TsSkinProvider* ProviderOf(TCustomForm& form);

}  // namespace klarvik
