#include "tools/skingen/skin_builder.h"

#include <algorithm>

#include "base/ascii_text.h"
#include "base/bmp_file.h"
#include "base/colors.h"
#include "paint/primitives/bitmap_ops.h"
#include "tools/skingen/contrast.h"
#include "tools/skingen/drawing.h"
#include "tools/skingen/element_art.h"

namespace klarvik {

namespace {

constexpr int kMasterWidth = 256;

class Builder {
 public:
  explicit Builder(SkinBuild& build) : b_(build), r_(build.recipe), c_(build.recipe.colours), d_(build.definition) {}

  void Run() {
    Global();
    Windows();
    Menus();
    Buttons();
    Checks();
    Gauges();
    ScrollBars();
    Fields();
    Panels();
    Tabs();
    if (r_.extras) r_.extras(b_);
  }

 private:
  // A masked piece of the master bitmap as a border: margins all `margin`.
  std::string Border(const SkinBitmap& art, int states, int margin, int fill) {
    const Rect at = b_.atlas.Place(art, PieceKind::Masked);
    return BorderValue(at, Margins{margin, margin, margin, margin}, states, true, fill);
  }
  std::string Glyph(const SkinBitmap& art, int states) { return GlyphValue(b_.atlas.Place(art, PieceKind::Masked), states, true); }

  // Colours and ramp of a section in its normal look, and its hot look when it has one.
  void Colours(std::string_view section, const Surface& normal, const Surface* hot) {
    d_.Set(section, "STATES", hot ? 3 : 1);
    d_.Set(section, "COLOR", normal.fill.top);
    d_.Set(section, "FONTCOLOR", normal.text);
    d_.Set(section, "GRADIENTDATA", GradientValue({{normal.fill.top, normal.fill.bottom, 100}}));
    d_.Set(section, "GRADIENTPERCENT", 100);
    if (!hot) return;
    d_.Set(section, "HOTCOLOR", hot->fill.top);
    d_.Set(section, "HOTFONTCOLOR", hot->text);
    d_.Set(section, "HOTGRADIENTDATA", GradientValue({{hot->fill.top, hot->fill.bottom, 100}}));
    d_.Set(section, "HOTGRADIENTPERCENT", 100);
  }
  // A section drawn over its parent's background: only its text colours count.
  void SeeThrough(std::string_view section, const Surface& under, TColor text, TColor hotText) {
    d_.Set(section, "STATES", 3);
    d_.Set(section, "COLOR", under.fill.top);
    d_.Set(section, "FONTCOLOR", text);
    d_.Set(section, "TRANSPARENCY", 100);
    d_.Set(section, "HOTCOLOR", under.fill.top);
    d_.Set(section, "HOTFONTCOLOR", hotText);
    d_.Set(section, "HOTTRANSPARENCY", 100);
  }
  void Parent(std::string_view section, std::string_view parent) { d_.Set(section, "PARENTCLASS", std::string(parent)); }

  void Global() {
    const std::string_view g = "GLOBALINFO";
    d_.Set(g, "VERSION", r_.version);
    d_.Set(g, "AUTHOR", "Klarvik");
    d_.Set(g, "DESCRIPTION", r_.description);
    d_.Set(g, "MASTERBITMAP", UpperCase(r_.masterFile));
    d_.Set(g, "TITLEHEIGHT", r_.shape.titleHeight);
    d_.Set(g, "BORDERWIDTH", r_.shape.borderWidth);
    d_.Set(g, "FORMOFFSET", r_.shape.borderWidth);
    d_.Set(g, "BISPACE", 1);
    d_.Set(g, "BIRIGHT", 2);
    d_.Set(g, "SHADOW1COLOR", 0);
    d_.Set(g, "SHADOW1OFFSET", 0);
    d_.Set(g, "SHADOW1BLUR", -1);
    d_.Set(g, "SHADOW1TRANSPARENCY", 0);
    d_.Set(g, "COLOR", c_.window.fill.top);
    d_.Set(g, "FONTCOLOR", c_.window.text);
    d_.Set(g, "BORDERCOLOR", c_.frame);
    const int big = std::min(r_.shape.titleHeight - 6, 20), small = big - 4;
    const std::string close = Glyph(CaptionButton(r_, big, CaptionSymbol::Close), 3);
    d_.Set(g, "BICONCLOSE", close);
    d_.Set(g, "BICLOSEALONE", close);
    d_.Set(g, "BICONMAX", Glyph(CaptionButton(r_, big, CaptionSymbol::Maximise), 3));
    d_.Set(g, "BICONMIN", Glyph(CaptionButton(r_, big, CaptionSymbol::Minimise), 3));
    d_.Set(g, "BICONNORM", Glyph(CaptionButton(r_, big, CaptionSymbol::Restore), 3));
    d_.Set(g, "BICONHELP", Glyph(CaptionButton(r_, big, CaptionSymbol::Help), 3));
    d_.Set(g, "SICONCLOSE", Glyph(CaptionButton(r_, small, CaptionSymbol::Close), 3));
    d_.Set(g, "SICONMAX", Glyph(CaptionButton(r_, small, CaptionSymbol::Maximise), 3));
    d_.Set(g, "SICONMIN", Glyph(CaptionButton(r_, small, CaptionSymbol::Minimise), 3));
    d_.Set(g, "SICONNORM", Glyph(CaptionButton(r_, small, CaptionSymbol::Restore), 3));
    d_.Set(g, "TITLEBUTTON", Glyph(CaptionButton(r_, big, CaptionSymbol::None), 3));
    d_.Set(g, "BOXCHECKED", Glyph(CheckBox(r_, 13, BoxMark::Checked), 3));
    d_.Set(g, "BOXUNCHECKED", Glyph(CheckBox(r_, 13, BoxMark::Unchecked), 3));
    d_.Set(g, "BOXGRAYED", Glyph(CheckBox(r_, 13, BoxMark::Grayed), 3));
    d_.Set(g, "RADIOCHECKED", Glyph(RadioButton(r_, 13, true), 3));
    d_.Set(g, "RADIOUNCHECKED", Glyph(RadioButton(r_, 13, false), 3));
    d_.Set(g, "GRIPIMAGE", Glyph(SizeGrip(r_, 12), 1));
  }

  void Windows() {
    const int bw = r_.shape.borderWidth;
    Colours("FORM", c_.window, nullptr);
    SkinBitmap frame = WindowFrame(r_);
    if (r_.frameArt) r_.frameArt(frame.View());
    d_.Set("FORM", "BORDERSMASK", Border(frame, 1, bw, 0));
    Colours("FORMTITLE", c_.title, nullptr);
    if (!r_.ownTitleBand) {
      const Rect title = b_.atlas.Place(TitleBand(r_, 64), PieceKind::Masked);
      d_.Set("FORMTITLE", "BORDERSMASK", BorderValue(title, Margins{bw + 4, bw, bw + 4, 2}, 1, true, kFillStretchSides | kFillCentre));
    }
    SeeThrough("CAPTION", c_.title, c_.title.text, c_.title.text);
    d_.Set("CAPTION", "STATES", 1);
    Parent("DIALOG", "FORM");
    Colours("HINT", c_.hint, nullptr);
    d_.Set("HINT", "BORDERSMASK", Border(PlainFrame(c_.hint.edge, c_.hint.fill, 8, std::min(r_.shape.radius, 3), 255), 1, 3,
                                         kFillStretchSides | kFillCentre));
  }

  void Menus() {
    Colours("MAINMENU", c_.menu, nullptr);
    Colours("MENULINE", c_.menu, nullptr);
    Colours("MENUITEM", c_.menu, &c_.selection);
    d_.Set("MENUITEM", "BORDERSMASK", Border(MenuSelection(r_, 10), 2, 3, kFillStretchSides | kFillNoStateZero | kFillCentre));
    Parent("MENUBTN", "MENUITEM");
    Parent("MENUCAPTION", "MENUITEM");
    d_.Set("MENUCAPTION", "STATES", 1);
    // The icon column: a shade of the menu, enough to set it apart.
    Surface column = c_.menu;
    column.fill = Ramp{MixColorsPercent(c_.menu.fill.top, c_.menu.edge, 88), MixColorsPercent(c_.menu.fill.bottom, c_.menu.edge, 88)};
    Colours("ICOLINE", column, nullptr);
    Colours("SELECTION", c_.selection, &c_.selection);
  }

  void Buttons() {
    const int margin = std::max(r_.shape.radius + 1, 3);
    Colours("BUTTON", c_.button, &c_.buttonHot);
    d_.Set("BUTTON", "BORDERSMASK", Border(ButtonFaces(r_, 24, 22, r_.shape.radius), 3, margin, kFillStretchSides | kFillCentre));
    Parent("BUTTON_HUGE", "BUTTON");
    const int huge = r_.hugeSize;
    SkinBitmap faces = NewPicture(huge * 3, huge);
    if (r_.buttonArt) {
      for (int state = 0; state < 3; ++state) r_.buttonArt(faces.View(), Rect{state * huge, 0, (state + 1) * huge, huge}, state);
    } else {
      faces = ButtonFaces(r_, huge, huge, std::min(r_.shape.radius * 2, huge / 3));
    }
    b_.files.push_back({r_.hugeFile, BmpFileBytes(MaskedPicture(faces).View())});
    const int hugeMargin = huge / 3;
    d_.Set("BUTTON_HUGE", "BORDERSMASK", ImageValue(UpperCase(r_.hugeFile), 3, true, 0,
                                                    Margins{hugeMargin, hugeMargin, hugeMargin, hugeMargin},
                                                    kFillStretchSides | kFillCentre));
    for (std::string_view child : {"BUTTON_BIG", "SPEEDBUTTON", "SPEEDBUTTON_SMALL", "TOOLBUTTON", "UPDOWNBTN"}) {
      Parent(child, "BUTTON");
    }
    SeeThrough("WEBBUTTON", c_.window, c_.link, c_.linkHot);
  }

  void Checks() {
    SeeThrough("CHECKBOX", c_.window, c_.window.text, c_.window.text);
    Parent("RADIOBUTTON", "CHECKBOX");
  }

  void Gauges() {
    Surface track{Ramp{c_.gaugeTrack, c_.gaugeTrack}, c_.window.text, c_.frame};
    Colours("GAUGE", track, nullptr);
    d_.Set("GAUGE", "BORDERSMASK", Border(GaugeTrack(r_, 8), 1, 2, kFillStretchSides | kFillCentre));
    Surface fill{c_.gauge, ReadableOn(c_.gauge), c_.frame};
    Colours("PROGRESSH", fill, nullptr);
    d_.Set("PROGRESSH", "BORDERSMASK", Border(GaugeFill(r_, 12, 12), 1, 2, kFillStretchSides | kFillCentre));
    d_.Set("PROGRESSH", "LRGN", Border(GaugeLight(12, 12), 1, 2, kFillStretchSides | kFillCentre));
    Parent("PROGRESSV", "PROGRESSH");
  }

  void ScrollBars() {
    Surface track{Ramp{c_.gaugeTrack, c_.gaugeTrack}, c_.window.text, c_.frame};
    Colours("SCROLLBAR1H", track, nullptr);
    d_.Set("SCROLLBAR1H", "BORDERSMASK", Border(BevelFrame(r_, 6, true), 1, 1, kFillStretchSides));
    for (std::string_view other : {"SCROLLBAR1V", "SCROLLBAR2H", "SCROLLBAR2V"}) Parent(other, "SCROLLBAR1H");
    const int small = std::min(r_.shape.radius, 3);
    const std::string face = Border(ButtonFaces(r_, 16, 16, small), 3, 3, kFillStretchSides | kFillCentre);
    const std::pair<std::string_view, Side> buttons[] = {
        {"SCROLLBTNLEFT", Side::Left}, {"SCROLLBTNRIGHT", Side::Right}, {"SCROLLBTNTOP", Side::Top}, {"SCROLLBTNBOTTOM", Side::Bottom}};
    for (const auto& [section, side] : buttons) {
      Parent(section, "BUTTON");
      d_.Set(section, "BORDERSMASK", face);
      d_.Set(section, "GLYPHMASK", Glyph(Arrow(r_, 10, side), 3));
    }
    for (const auto& [section, vertical] : {std::pair<std::string_view, bool>{"SCROLLSLIDERH", false}, {"SCROLLSLIDERV", true}}) {
      Parent(section, "BUTTON");
      d_.Set(section, "BORDERSMASK", face);
      d_.Set(section, "GLYPHMASK", Glyph(SliderGrip(r_, 10, vertical), 3));
    }
  }

  void Fields() {
    Colours("EDIT", c_.field, &c_.field);
    d_.Set("EDIT", "BORDERSMASK", Border(FieldFrame(r_, 10), 2, 3, kFillStretchSides | kFillCentre));
    Parent("ALPHAEDIT", "EDIT");
    Parent("COMBOBOX", "EDIT");
    d_.Set("COMBOBOX", "GLYPHMASK", Glyph(Arrow(r_, 10, Side::Bottom), 3));
    Parent("ALPHACOMBOBOX", "COMBOBOX");
    Parent("COMBOBTN", "BUTTON");
    d_.Set("COMBOBTN", "BORDERSMASK", Border(ButtonFaces(r_, 16, 16, std::min(r_.shape.radius, 3)), 3, 3, kFillStretchSides | kFillCentre));
  }

  void Panels() {
    Colours("PANEL", c_.window, nullptr);
    d_.Set("PANEL", "BORDERSMASK", Border(BevelFrame(r_, 6, false), 1, 1, kFillStretchSides));
    Parent("PANEL_LOW", "PANEL");
    d_.Set("PANEL_LOW", "BORDERSMASK", Border(BevelFrame(r_, 6, true), 1, 1, kFillStretchSides));
    Colours("GROUPBOX", c_.window, nullptr);
    SkinBitmap group = PlainFrame(c_.frameLight, c_.window.fill, 12, r_.shape.radius, r_.shape.edgeAlpha);
    FillRect32(group.View(), Rect{4, 4, 8, 8}, TColor{0}, 0);
    d_.Set("GROUPBOX", "BORDERSMASK", Border(group, 1, 4, kFillStretchSides));
    Colours("STATUSBAR", c_.header, nullptr);
    d_.Set("STATUSBAR", "BORDERSMASK", Border(BevelFrame(r_, 6, false), 1, 1, kFillStretchSides));
    Parent("TOOLBAR", "STATUSBAR");
    Colours("TRACKBAR", c_.window, nullptr);
    d_.Set("TRACKBAR", "SLIDERCHANNEL", Border(GaugeTrack(r_, 6), 1, 2, kFillStretchSides | kFillCentre));
    d_.Set("TRACKBAR", "SLIDERMASK", Glyph(ButtonFaces(r_, 11, 18, std::min(r_.shape.radius, 3)), 3));
  }

  void Tabs() {
    Colours("PAGECONTROL", c_.window, nullptr);
    d_.Set("PAGECONTROL", "BORDERSMASK", Border(PlainFrame(c_.frameLight, c_.window.fill, 8, 0, r_.shape.edgeAlpha), 1, 2, kFillStretchSides));
    for (std::string_view other : {"PAGECONTROLBOTTOM", "PAGECONTROLLEFT", "PAGECONTROLRIGHT"}) Parent(other, "PAGECONTROL");
    Colours("TABTOP", c_.header, &c_.buttonHot);
    const int margin = std::max(r_.shape.radius + 1, 3);
    d_.Set("TABTOP", "BORDERSMASK", Border(TabFaces(r_, 20, 20, Side::Top), 3, margin, kFillStretchSides | kFillCentre));
    const std::pair<std::string_view, Side> others[] = {{"TABBOTTOM", Side::Bottom}, {"TABLEFT", Side::Left}, {"TABRIGHT", Side::Right}};
    for (const auto& [section, side] : others) {
      Parent(section, "TABTOP");
      d_.Set(section, "BORDERSMASK", Border(TabFaces(r_, 20, 20, side), 3, margin, kFillStretchSides | kFillCentre));
    }
  }

  SkinBuild& b_;
  const SkinRecipe& r_;
  const SkinColours& c_;
  DefinitionText& d_;
};

}  // namespace

std::vector<SkinFile> BuildSkin(const SkinRecipe& recipe) {
  SkinBuild build(recipe);
  Builder(build).Run();
  const SkinBitmap master = build.atlas.Compose();
  const PixelView view = ConstView(master);
  std::vector<SkinFile> files;
  const std::string text = build.definition.Text();
  files.push_back({"Options.dat", std::vector<std::uint8_t>(text.begin(), text.end())});
  files.push_back({recipe.masterFile, BmpFileBytes(view, recipe.masterCoreHeader ? BmpHeader::kCore : BmpHeader::kInfo)});
  for (SkinFile& file : build.files) files.push_back(std::move(file));
  return files;
}

}  // namespace klarvik
