// A window that paints sections of the active skin with the paint layer, for looking at
// the stored skins before the controls wear them. With an output path it saves its
// window's picture as a BMP once painted and ends; without one it stays until closed.
//   skin_preview [skin name | "none"] [out.bmp]
#include <windows.h>
#include <shellapi.h>

#include <string>
#include <vector>

#include "app/stored_skins.h"
#include "base/bmp_file.h"
#include "controls/section_item_dc.h"
#include "runtime/application.h"
#include "runtime/bitmap.h"
#include "runtime/custom_control.h"
#include "runtime/forms.h"
#include "skin/manager/skin_manager.h"
#include "win/handles.h"
#include "win/rect.h"
#include "win/text.h"

using namespace klarvik;

namespace {

// The sections a window of the program is made of, each drawn in its states.
class SectionSampler : public TCustomControl {
 public:
  SectionSampler(TComponent* owner, TsSkinManager& manager) : TCustomControl(owner), manager_(manager) {}

  void WndProc(TMessage& message) override {
    if (message.Msg == WM_SKINCOMMAND && message.LParam == reinterpret_cast<LPARAM>(&manager_)) {
      Invalidate();
      return;
    }
    TCustomControl::WndProc(message);
  }

 protected:
  void Paint() override {
    const Rect client = ClientRect();
    TBitmap picture(client.Width(), client.Height());
    HDC dc = picture.Canvas().Handle();
    SetBkMode(dc, TRANSPARENT);
    const TsSkinTables& tables = manager_.Tables();
    if (!tables.SkinData.Active) {
      const RECT area = ToRECT(client);
      FillRect(dc, &area, GetSysColorBrush(COLOR_BTNFACE));
      Text(dc, 12, 12, L"Standard look", TColor{0});
    } else {
      Section(dc, "FORM", client, 0);
      Text(dc, 12, 8, L"Skin " + manager_.SkinName() + L", version " + manager_.SkinInfo(), tables.MainTextColor());
      const char* rows[] = {"BUTTON", "CHECKBOX", "EDIT", "MENUITEM", "PANEL"};
      int top = 32;
      for (const char* name : rows) {
        Text(dc, 12, top + 5, FromUtf8(name), tables.MainTextColor());
        for (int state = 0; state < 3; ++state) Section(dc, name, Rect{110 + state * 110, top, 210 + state * 110, top + 25}, state);
        top += 33;
      }
      Section(dc, "GAUGE", Rect{12, top, 430, top + 25}, 0);
      Section(dc, "PROGRESSH", Rect{14, top + 2, 14 + 250, top + 23}, 0);
    }
    BitBlt(Canvas().Handle(), 0, 0, client.Width(), client.Height(), dc, 0, 0, SRCCOPY);
  }

 private:
  void Section(HDC dc, const char* name, const Rect& rect, int state) {
    const TsSkinTables& tables = manager_.Tables();
    SectionPaint paint;
    paint.tables = &tables;
    paint.section = tables.IndexOfSection(name);
    paint.state = state;
    paint.parent.FillColor = tables.MainColor();
    PaintSectionItemToDC(dc, rect, paint, false);
    if (paint.section < 0 || std::string_view(name) == "FORM") return;
    const TsGeneralData& section = tables.Sections[static_cast<std::size_t>(paint.section)];
    // A section of fewer states paints its last one, in that state's text colour.
    const TColor font = SectionStateIndex(section, state) == 0 ? section.FontColors[0] : section.HotFontColors[0];
    Text(dc, rect.left + 8, rect.top + 5, state == 0 ? L"Normal" : state == 1 ? L"Hot" : L"Pressed", font);
  }

  static void Text(HDC dc, int x, int y, const std::wstring& text, TColor color) {
    SetTextColor(dc, static_cast<COLORREF>(ColorValue(color) & 0xFFFFFF));
    TextOutW(dc, x, y, text.c_str(), static_cast<int>(text.size()));
  }

  TsSkinManager& manager_;
};

class PreviewForm : public TForm {
 public:
  explicit PreviewForm(TComponent* owner) : TForm(owner) {
    SetCaption(L"Skin preview");
    SetBorderStyle(TFormBorderStyle::bsSingle);
    SetClientWidth(444);
    SetClientHeight(240);
    SetPosition(TPosition::poScreenCenter);
    manager = new TsSkinManager(this);
    AddStoredSkins(manager->InternalSkins());
    manager->SetSkinDirectory(L".\\Skins");
    manager->SetActive(false);
    sampler = new SectionSampler(this, *manager);
    sampler->SetParent(this);
    sampler->SetBounds(0, 0, 444, 240);
    EndLoading();
  }

  TsSkinManager* manager;
  SectionSampler* sampler;
};

// The window, frame included, as the screen shows it.
void SaveWindowPicture(HWND window, const std::wstring& path) {
  RECT bounds;
  GetWindowRect(window, &bounds);
  TBitmap picture(bounds.right - bounds.left, bounds.bottom - bounds.top);
  const WindowDc source(window, true);
  BitBlt(picture.Canvas().Handle(), 0, 0, picture.Width(), picture.Height(), source.Get(), 0, 0, SRCCOPY);
  const std::vector<std::uint8_t> bytes = BmpFileBytes(picture.Pixels());
  const UniqueKernelHandle file(CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr));
  DWORD written = 0;
  if (file) WriteFile(file.Get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr);
}

}  // namespace

int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
  int argc = 0;
  wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
  const std::wstring skin = argc > 1 ? argv[1] : L"Steam2 (internal)";
  const std::wstring output = argc > 2 ? argv[2] : L"";
  LocalFree(argv);

  Application = new TApplication(nullptr);
  Application->Initialize();
  Application->SetTitle(L"Skin preview");
  PreviewForm* form = nullptr;
  Application->CreateForm(form);
  if (skin != L"none") {
    form->manager->SetSkinName(skin);
    form->manager->SetActive(true);
  }
  form->Show();
  if (output.empty()) {
    Application->Run();
  } else {
    Application->ProcessMessages();
    UpdateWindow(form->Handle());
    SaveWindowPicture(form->Handle(), output);
  }
  delete Application;
  return 0;
}
