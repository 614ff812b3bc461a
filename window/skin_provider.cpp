// The provider's life with its form: taking the form's messages over, answering the skin
// manager, and the messages after which the system would draw its own frame.
#include "window/skin_provider.h"

#include <algorithm>

#include "runtime/menus.h"
#include "skin/manager/skin_broadcast.h"
#include "win/exceptions.h"
#include "win/handles.h"
#include "window/caption_cover.h"
#include "window/desktop_composition.h"
#include "window/handler_link.h"

namespace klarvik {

namespace {

TCustomForm& FormOwner(TComponent* owner) {
  auto* form = dynamic_cast<TCustomForm*>(owner);
  if (!form) throw EInvalidOperation(L"TsSkinProvider component may be used with forms only!");
  return *form;
}

}  // namespace

// Asked through the form's handler, so that a form without a window yet answers too.
TsSkinProvider* ProviderOf(TCustomForm& form) {
  return reinterpret_cast<TsSkinProvider*>(form.Perform(WM_SKINCOMMAND, SkinCommandParam(SKC_GETPROVIDER), 0));
}

TsSkinProvider::TsSkinProvider(TComponent* AOwner) : TComponent(&FormOwner(AOwner)), form_(&FormOwner(AOwner)) {
  skinData_ = std::make_unique<TsCommonData>(this, true);
  skinData_->ControlKind = kKindFormProvider;
  skinData_->SetSkinSection("FORM");
  if (ProviderOf(*form_)) {
    inert_ = true;
    return;
  }
  if (form_->ComponentState() & (csLoading | csReading)) skinData_->BeginUpdate();
  TakeOverForm();
}

void TsSkinProvider::TakeOverForm() {
  link_ = new TacHandlerLink(*form_, *this);
  menuLineCount_ = -1;
  SkinnedForms().push_back(form_);
  formIsActive_ = true;
}

TsSkinProvider::~TsSkinProvider() {
  captionCover_.reset();
  if (link_) {
    auto& forms = SkinnedForms();
    if (auto at = std::find(forms.begin(), forms.end(), form_); at != forms.end()) {
      *at = forms.back();
      forms.pop_back();
    }
  }
  // A form being destroyed has lost its window and frees the link itself.
  if (link_ && !form_->IsDestroying()) link_->ProviderGone();
}

void TsSkinProvider::Loaded() {
  TComponent::Loaded();
  if (inert_) return;
  if (skinData_->UpdateNesting > 0) skinData_->EndUpdate(false);
  if (form_->BorderStyle() == TFormBorderStyle::bsSizeToolWin) UseGlobalColor = true;
  InitializeForSkin();
}

bool TsSkinProvider::WindowReady() const { return form_->HandleAllocated() && !form_->IsDestroying(); }

bool TsSkinProvider::SkinActive() const {
  TsSkinManager* manager = skinData_->Manager();
  return manager && manager->Active() && !manager->Tables().Sections.empty() && manager->Tables().SkinData.Active &&
         skinData_->Skinned() && skinData_->Section();
}

TBitmap* TsSkinProvider::FormImage() const {
  TBitmap* image = skinData_->CacheBitmap();
  return image && !image->Empty() ? image : nullptr;
}

void TsSkinProvider::StripSystemMenuStyle() {
  HWND window = form_->Handle();
  const LONG_PTR style = GetWindowLongPtrW(window, GWL_STYLE);
  if (DrawNonClientArea && (style & WS_SYSMENU)) {
    systemMenuStyleRemoved_ = true;
    SetWindowLongPtrW(window, GWL_STYLE, style & ~WS_SYSMENU);
  } else if (!DrawNonClientArea && systemMenuStyleRemoved_) {
    systemMenuStyleRemoved_ = false;
    SetWindowLongPtrW(window, GWL_STYLE, style | WS_SYSMENU);
  }
}

void TsSkinProvider::InitializeForSkin() {
  if (inert_ || !skinData_->Manager() || !WindowReady() || !SkinActive()) return;
  skinData_->UpdateIndexes();
  // Without the system menu style the system draws no caption buttons and no icon.
  StripSystemMenuStyle();
  SetTransitionsForceDisabled(form_->Handle(), DrawNonClientArea);
  captionSectionIndex_ = skinData_->Tables()->IndexOfSection("CAPTION");
  SelectCaptionGlyphs();
  regionDirty_ = true;
  MarkImageChanged();
  menuLineCount_ = -1;
  if (UseGlobalColor && !(form_->ComponentState() & (csLoading | csReading)) && !skinData_->CustomColor()) {
    const TsSkinTables& tables = *skinData_->Tables();
    form_->SetColor(tables.ColorRef(tables.MainColor()));
  }
}

void TsSkinProvider::CallPrevious(TMessage& message) { link_->CallPrevious(message); }

bool TsSkinProvider::MayCoverCaption() const {
  return DrawNonClientArea && redrawLockCount_ == 0 && form_->Showing() && IsWindowVisible(form_->Handle()) &&
         FormImage() != nullptr && CaptionHeight() > 0;
}

void TsSkinProvider::CallPreviousCovered(TMessage& message, bool rebuildAfter) {
  HWND window = form_->Handle();
  if (CompositionEnabled()) {
    SendMessageW(window, WM_SETREDRAW, FALSE, 0);
    CallPrevious(message);
    SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  } else if (MayCoverCaption()) {
    captionCover_ = std::make_unique<TacCaptionCover>(*this);
    CallPrevious(message);
  } else {
    CallPrevious(message);
  }
  if (rebuildAfter) MarkImageChanged();
  PaintFrameNow();
  captionCover_.reset();
}

void TsSkinProvider::HandleMessage(TMessage& message) {
  if (message.Msg == WM_SKINCOMMAND && HandleSkinCommand(message)) return;
  if (!SkinActive()) {
    CallPrevious(message);
    return;
  }
  switch (message.Msg) {
    case WM_NCCREATE:
    case WM_CREATE:
      CallPrevious(message);
      InitializeForSkin();
      return;
    case WM_NCPAINT:
      NCPaint(message);
      return;
    case WM_ERASEBKGND:
      EraseClient(message);
      return;
    case WM_PAINT:
      PaintClient(message);
      return;
    case WM_PRINTCLIENT:
      message.Result = 0;
      return;
    case WM_PRINT:
      PrintWindowImage(message);
      return;
    case WM_NCACTIVATE:
      NCActivate(message);
      return;
    case WM_SETTEXT:
      SetText(message);
      return;
    case WM_SETICON:
      SetIcon(message);
      return;
    case WM_SETREDRAW:
      redrawLockCount_ = std::max(0, redrawLockCount_ + (message.WParam ? -1 : 1));
      CallPrevious(message);
      return;
    case WM_STYLECHANGING:
      // The runtime re-applies the form's style now and then; the system menu style stays off.
      if (message.WParam == static_cast<WPARAM>(GWL_STYLE) && DrawNonClientArea && systemMenuStyleRemoved_) {
        reinterpret_cast<STYLESTRUCT*>(message.LParam)->styleNew &= ~WS_SYSMENU;
      }
      CallPrevious(message);
      return;
    case WM_SIZE:
      Size(message);
      return;
    case WM_ENABLE:
      CallPrevious(message);
      MarkImageChanged();
      SendMessageW(form_->Handle(), WM_NCPAINT, 1, 0);
      return;
    case WM_SETTINGCHANGE:
      MarkImageChanged();
      CallPrevious(message);
      return;
    case WM_ACTIVATE:
      if (LOWORD(message.WParam) == WA_ACTIVE) menuLineCount_ = -1;
      CallPrevious(message);
      return;
    case WM_NCHITTEST:
      NCHitTest(message);
      return;
    case WM_NCLBUTTONDOWN:
    case WM_NCLBUTTONDBLCLK:
    case WM_NCLBUTTONUP:
      if (!CaptionButtonPress(message)) CallPrevious(message);
      return;
    default:
      CallPrevious(message);
  }
}

bool TsSkinProvider::HandleSkinCommand(TMessage& message) {
  const auto command = static_cast<TSkinCommand>(SkinCommandOf(message.WParam));
  auto* manager = reinterpret_cast<TsSkinManager*>(message.LParam);
  switch (command) {
    case SKC_ISSKINNED:
      message.Result = 1;
      return true;
    case SKC_GETPROVIDER:
      message.Result = reinterpret_cast<LRESULT>(this);
      return true;
    case SKC_SKINLOADED:
    case SKC_SKINAPPLIED:
      if (manager != skinData_->Manager()) return false;
      skinData_->HandleSkinCommand(message);
      SkinLoaded(command == SKC_SKINAPPLIED);
      return true;
    case SKC_SKINREMOVED:
      if (manager != skinData_->Manager()) return false;
      skinData_->HandleSkinCommand(message);
      SkinRemoved();
      return true;
    case SKC_GETBACKGROUND: {
      if (InSendMessage() || !message.LParam) return false;
      // The form image holds the whole window; children ask in client coordinates.
      auto& request = *reinterpret_cast<TacBgRequest*>(message.LParam);
      if (request.DrawNow) {
        request.OffsetX += ClientOffsetX();
        request.OffsetY += ClientOffsetY();
      }
      skinData_->HandleSkinCommand(message);
      if (request.Kind == TacBgRequest::kImage && !request.DrawNow) {
        request.OffsetX += ClientOffsetX();
        request.OffsetY += ClientOffsetY();
      }
      return true;
    }
    default:
      return skinData_->HandleSkinCommand(message);
  }
}

void TsSkinProvider::SkinLoaded(bool refresh) {
  if (!WindowReady()) return;
  InitializeForSkin();
  if (!SkinActive()) return;
  if (refresh) {
    regionDirty_ = true;
    RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
  }
  RepaintNonClient();
}

void TsSkinProvider::SkinRemoved() {
  captionSectionIndex_ = -1;
  menuLineCount_ = -1;
  captionCover_.reset();
  if (!WindowReady()) return;
  HWND window = form_->Handle();
  if (systemMenuStyleRemoved_) {
    systemMenuStyleRemoved_ = false;
    SetWindowLongPtrW(window, GWL_STYLE, GetWindowLongPtrW(window, GWL_STYLE) | WS_SYSMENU);
  }
  // The system owns the region it was given; handing it none frees it.
  SetWindowRgn(window, nullptr, FALSE);
  cornerCutouts_.clear();
  regionShape_ = Rect{};
  regionDirty_ = true;
  if (UseGlobalColor && !skinData_->CustomColor()) form_->SetColor(clBtnFace);
  if (TBitmap* image = skinData_->CacheBitmap()) image->SetSize(0, 0);
  SetWindowPos(window, nullptr, 0, 0, 0, 0,
               SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE | SWP_FRAMECHANGED);
  RedrawWindow(window, nullptr, nullptr, RDW_FRAME | RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TsSkinProvider::RepaintNonClient() {
  if (!WindowReady()) return;
  MarkImageChanged();
  // Straight to the frame: invalidating it would repaint the client area as well.
  SendMessageW(form_->Handle(), WM_NCPAINT, 1, 0);
}

void TsSkinProvider::PaintFrameNow() {
  if (!WindowReady() || !SkinActive() || !DrawNonClientArea || !RebuildImage()) return;
  const WindowDc dc(form_->Handle(), true);
  PaintNonClient(dc.Get());
}

bool TsSkinProvider::HasTwoLooks() const {
  const TsSkinTables& tables = *skinData_->Tables();
  const auto sectionHasTwo = [&](int index) {
    return tables.IsValidSectionIndex(index) && tables.Sections[static_cast<std::size_t>(index)].States > 1;
  };
  const int mask = skinData_->BorderMaskIndex;
  return sectionHasTwo(skinData_->SectionIndex) || sectionHasTwo(TitleSection()) ||
         (tables.IsValidMaskIndex(mask) && tables.Masks[static_cast<std::size_t>(mask)].StateCount > 1);
}

void TsSkinProvider::NCActivate(TMessage& message) {
  if (!DrawNonClientArea) {
    CallPrevious(message);
    return;
  }
  formIsActive_ = message.WParam != 0;
  // A title with one look keeps its picture.
  if (HasTwoLooks()) MarkImageChanged();
  // -1 asks the system to change the activation state without drawing its own caption.
  TMessage quiet{message.Msg, message.WParam, -1, 0};
  CallPrevious(quiet);
  message.Result = quiet.Result;
  PaintFrameNow();
}

void TsSkinProvider::SetText(TMessage& message) {
  if (!form_->Showing() || !DrawNonClientArea) {
    CallPrevious(message);
    MarkImageChanged();
    return;
  }
  CallPreviousCovered(message, true);
}

void TsSkinProvider::SetIcon(TMessage& message) {
  if (!message.LParam || !form_->Showing()) {
    CallPrevious(message);
    return;
  }
  HWND window = form_->Handle();
  const bool composition = CompositionEnabled();
  if (!composition) SendMessageW(window, WM_SETREDRAW, FALSE, 0);
  CallPrevious(message);
  if (!composition) SendMessageW(window, WM_SETREDRAW, TRUE, 0);
  MarkImageChanged();
  PaintFrameNow();
}

void TsSkinProvider::Size(TMessage& message) {
  menuLineCount_ = -1;
  skinData_->BeginUpdate();
  CallPrevious(message);
  skinData_->EndUpdate(false);
  if (!form_->Showing()) return;
  TBitmap* image = skinData_->CacheBitmap();
  const Rect window = WindowRect();
  if (!image || image->Width() != ImageWidth() || image->Height() != window.Height()) {
    regionDirty_ = true;
    RepaintNonClient();
  }
  RedrawWindow(form_->Handle(), nullptr, nullptr, RDW_ERASE | RDW_INVALIDATE | RDW_ALLCHILDREN);
}

}  // namespace klarvik
