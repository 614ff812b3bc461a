#include "app/about_form.h"

#include "app/skin_background.h"
#include "runtime/colors.h"
#include "win/com_stream.h"
#include "win/resource_bytes.h"

namespace klarvik {

namespace {

constexpr wchar_t kIconResource[] = L"ABOUTICON";

// The program's icon as a 32 x 32 picture with its alpha, carried in the resources.
void LoadIcon(TAdvGDIPPicture& picture) {
  const auto bytes = RcDataBytes(GetModuleHandleW(nullptr), kIconResource);
  if (!bytes) return;
  const UniqueStream stream = StreamOnCopyOf(std::vector<std::uint8_t>(bytes->begin(), bytes->end()));
  if (stream) picture.Picture().LoadFromStream(stream.Get());
}

}  // namespace

TAboutForm1::TAboutForm1(TComponent* AOwner) : TForm(AOwner) {
  SetName(L"AboutForm1");
  SetCaption(L"About");
  SetBorderStyle(TFormBorderStyle::bsSizeable);
  SetBorderIcons(0);
  SetBounds(0, 0, 410, 249);
  SetPosition(TPosition::poMainFormCenter);
  SetColor(clBtnFace);
  Font().SetName(L"MS Sans Serif");
  Font().SetHeight(-11);

  const auto place = [this](TControl* control, const wchar_t* name, int left, int top, int width, int height) {
    control->SetName(name);
    control->SetParent(this);
    control->SetBounds(left, top, width, height);
  };
  AdvGDIPPicture1 = new TAdvGDIPPicture(this);
  place(AdvGDIPPicture1, L"AdvGDIPPicture1", 16, 16, 32, 32);
  AdvGDIPPicture1->SetAutoSize(true);
  LoadIcon(*AdvGDIPPicture1);

  // The captions here stand in until the About command fills them in.
  const auto newLabel = [&](const wchar_t* name, int top, int width, const wchar_t* caption) {
    auto* label = new TsLabel(this);
    place(label, name, 72, top, width, 13);
    label->SetCaption(caption);
    return label;
  };
  sLabel1 = newLabel(L"sLabel1", 40, 39, L"Product");
  sLabel2 = newLabel(L"sLabel2", 56, 38, L"Version");
  sLabel3 = newLabel(L"sLabel3", 72, 44, L"Copyright");
  sWebLabel1 = new TsWebLabel(this);
  place(sWebLabel1, L"sWebLabel1", 72, 88, 60, 13);
  sWebLabel1->SetCaption(L"Home page");
  for (TFont* font : {&sWebLabel1->NormalFont(), &sWebLabel1->HoverFont()}) {
    font->SetName(L"MS Sans Serif");
    font->SetHeight(-11);
    font->SetColor(clWindowText);
    font->SetStyle(0);
  }
  sLabel4 = new TsLabel(this);
  place(sLabel4, L"sLabel4", 72, 120, 313, 49);
  sLabel4->SetAutoSize(false);
  sLabel4->SetWordWrap(true);
  sLabel4->SetCaption(
      L"Klarvik is free to use and to give away unchanged. It comes without any warranty: it deletes only old "
      L"temporary files, and you use it at your own risk.");

  sButton1 = new TsButton(this);
  place(sButton1, L"sButton1", 304, 168, 75, 25);
  sButton1->SetCaption(L"OK");
  sButton1->SetDefault(true);
  sButton1->SetModalResult(mrOk);
  sButton1->SetTabOrder(0);
  sButton1->SetShowFocus(false);
  sButton1->SkinData().SetSkinSection("BUTTON");
  // Without a skin provider of its own yet, the box takes the skin's main colour, on which
  // the skinned labels' text colours are readable.
  FollowSkinBackground(*this);
  EndLoading();
}

}  // namespace klarvik
