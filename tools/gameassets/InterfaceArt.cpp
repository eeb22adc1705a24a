#include "InterfaceArt.h"

#include <cmath>

#include "EmojiRenderer.h"
#include "Painting.h"
#include "Props.h"
#include "Scenes.h"

namespace GameAssets {

using namespace Paint;

ImageResource FromCanvas(const Canvas& c, const char* theGroup, const char* theId, const char* theFile,
                         ImageFormat theFormat, const char* theAttributes) {
  ImageResource r;
  r.mGroup = theGroup;
  r.mId = theId;
  r.mFile = theFile;
  r.mFormat = theFormat;
  r.mWidth = c.Width();
  r.mHeight = c.Height();
  r.mPixels = c.Pixels();
  r.mAttributes = theAttributes;
  return r;
}

const std::vector<std::vector<uint32_t>>& SceneBackgrounds() {
  static const std::vector<std::vector<uint32_t>> kScenes = [] {
    std::vector<std::vector<uint32_t>> aScenes;
    for (int anId = 1; anId <= k_locationCount; ++anId) {
      Canvas c(k_sceneWidth, k_sceneHeight);
      PaintScene(anId, c);
      aScenes.push_back(c.Pixels());
    }
    return aScenes;
  }();
  return kScenes;
}

std::unique_ptr<Canvas> Medallion(const std::vector<uint32_t>& theScene, int theWidth, int theHeight, bool theRound) {
  Canvas aScene(k_sceneWidth, k_sceneHeight);
  aScene.SetPixels(theScene);
  auto c = std::make_unique<Canvas>(theWidth, theHeight);
  cairo_t* cr = c->cr();
  const double cx = theWidth / 2.0, cy = theHeight / 2.0, rx = cx - 4, ry = cy - 4;
  auto Shape = [&](double k) {
    if (theRound)
      c->Ellipse(cx, cy, rx - k, ry - k);
    else
      c->RoundRect(4 + k, 4 + k, theWidth - 8 - 2 * k, theHeight - 8 - 2 * k, 12);
  };
  c->Glow(cx, cy + 3, std::max(rx, ry) + 2, Hex(0x000000), 0.5);
  cairo_save(cr);
  Shape(0);
  cairo_clip(cr);
  const double aScale = std::max((theWidth - 8.0) / k_sceneWidth, (theHeight - 8.0) / k_sceneHeight);
  c->Paste(aScene, cx - k_sceneWidth * aScale / 2, cy - k_sceneHeight * aScale / 2, aScale);
  cairo_restore(cr);
  Shape(0);
  cairo_set_line_width(cr, 4);
  c->Color(Hex(0x3A2408));
  cairo_stroke_preserve(cr);
  cairo_set_line_width(cr, 2.5);
  c->Color(Hex(0xE0B44A));
  cairo_stroke(cr);
  return c;
}

std::unique_ptr<Canvas> SideBar() {
  auto c = std::make_unique<Canvas>(140, 600);
  cairo_t* cr = c->cr();
  // Dark leather with a tooled gold border.
  c->LinearV(0, 600, Hex(0x3A1E12), Hex(0x1E0E08));
  cairo_paint(cr);
  Random r(4242);
  for (int i = 0; i < 40; ++i) {
    c->Ellipse(r.Range(0, 140), r.Range(0, 600), r.Range(10, 40), r.Range(5, 20));
    c->Fill(Hex(0x000000), 0.08);
  }
  c->Noise(4243, 0.05);
  cairo_rectangle(cr, 3, 3, 134, 594);
  cairo_set_line_width(cr, 2);
  c->Color(Hex(0xB08A3A), 0.9);
  cairo_stroke(cr);
  cairo_rectangle(cr, 7, 7, 126, 586);
  cairo_set_line_width(cr, 0.8);
  c->Color(Hex(0xB08A3A), 0.6);
  cairo_stroke(cr);
  // Top: the coin purse row and the menu plaque.
  Plaque(*c, 11, 6, 118, 40, "", 0, false);
  auto aCoin = EmojiRenderer::Get().Render(0x1FA99, EmojiLook{14, {1, 1, 1}, 1.0, 0, false, false});
  if (aCoin) c->Paste(*aCoin, 46, 4);
  c->EngravedText("Menu", 70, 42, Face::SerifBold, 15, Hex(0xE8C870));
  // The find-list panel and the clock panel.
  c->RoundRect(10, 140, 120, 290, 8);
  c->LinearV(140, 430, Hex(0x140804), Hex(0x241208), 0.75, 0.75);
  cairo_fill_preserve(cr);
  cairo_set_line_width(cr, 1.2);
  c->Color(Hex(0x8A6A2A), 0.8);
  cairo_stroke(cr);
  Panel(*c, 22, 432, 96, 36, 10, Hex(0x0A0604), Hex(0x2A160A), Hex(0xC89A3A), 1.2);
  // A faint arc where the reveal charges sit, and the stand of the crystal ball.
  cairo_arc(cr, 70, 540, 64, M_PI * 1.1, M_PI * 1.9);
  cairo_set_line_width(cr, 1.5);
  c->Color(Hex(0xB08A3A), 0.45);
  cairo_stroke(cr);
  return c;
}

std::unique_ptr<Canvas> RepelPanel(bool theHover, bool theReady) {
  auto c = std::make_unique<Canvas>(122, 50);
  cairo_t* cr = c->cr();
  // The crystal ball on its stand, and the word.
  cairo_move_to(cr, 10, 47);
  cairo_line_to(cr, 38, 47);
  cairo_line_to(cr, 33, 38);
  cairo_line_to(cr, 15, 38);
  cairo_close_path(cr);
  c->Fill(Hex(0x8A6226));
  cairo_arc(cr, 24, 23, 17, 0, 2 * M_PI);
  const Rgb aBall = theReady ? Hex(0x7A5AE0) : Hex(0x5A5A66);
  c->Radial(18, 16, 20, Mix(aBall, Hex(0xFFFFFF), 0.6), 1.0, 1.0);
  cairo_fill(cr);
  cairo_arc(cr, 24, 23, 17, 0, 2 * M_PI);
  c->Radial(24, 23, 17, aBall, 0.0, 0.95);
  cairo_fill(cr);
  cairo_arc(cr, 18, 16, 4, 0, 2 * M_PI);
  c->Fill(Hex(0xFFFFFF), 0.7);
  if (theHover) Light(*c, 24, 23, 28, Hex(0x8060FF), 0.6);
  c->EngravedText("Repel", 78, 32, Face::SerifBold, 17, theReady ? Hex(theHover ? 0xFFF0B0 : 0xE8C870) : Hex(0x8A8478));
  return c;
}

std::vector<ImageResource> InitImages() {
  Canvas c(480, 270);
  cairo_t* cr = c.cr();
  // The company mark: an owl in a ring of stars above the name.
  c.Glow(240, 105, 110, Hex(0x4060C0), 0.35);
  cairo_arc(cr, 240, 105, 74, 0, 2 * M_PI);
  cairo_set_line_width(cr, 5);
  c.Color(Hex(0xE0B44A));
  cairo_stroke(cr);
  for (int i = 0; i < 12; ++i) {
    const double t = i * M_PI / 6;
    c.Glow(240 + std::cos(t) * 86, 105 + std::sin(t) * 86, 6, Hex(0xFFF0B0), 0.9);
  }
  auto anOwl = EmojiRenderer::Get().Render(0x1F989, EmojiLook{104, {1, 1, 1}, 1.0, 0, false, false});
  if (anOwl) c.Paste(*anOwl, 240 - anOwl->Width() / 2.0, 105 - anOwl->Height() / 2.0);
  c.EngravedText("Orvo Soft Games", 240, 240, Face::SerifBold, 34, Hex(0xF0D27A));
  return {FromCanvas(c, "Init", "IMAGE_DEZADUDE_LOGO", "images/logo_orvo.jpg", ImageFormat::JpegAlpha)};
}

std::vector<ImageResource> PartnerLogos() {
  struct Logo {
    const char* mFile;
    char32_t mEmblem;
    const char* mName;
    const char* mLine;
    uint32_t mColour;
  };
  // The publisher, the studio and the sound house, each on black like the company logo.
  const Logo kLogos[] = {
      {"pellmark.jpg", 0x1FAB6, "Pellmark", "Publishing", 0xD8C8A0},
      {"wzklogo.jpg", 0x1F52E, "Wizkettle", "Studio", 0x9AB8F0},
      {"tqnlogo.jpg", 0x1F3BB, "Tarquin", "Sound & Music", 0xE0A070},
  };
  std::vector<ImageResource> v;
  for (const Logo& l : kLogos) {
    Canvas c(420, 260);
    cairo_t* cr = c.cr();
    cairo_set_source_rgb(cr, 0, 0, 0);
    cairo_paint(cr);
    c.Glow(210, 92, 90, Hex(l.mColour), 0.22);
    auto anEmblem = EmojiRenderer::Get().Render(l.mEmblem, EmojiLook{96, {1, 1, 1}, 1.0, 0, false, false});
    if (anEmblem) c.Paste(*anEmblem, 210 - anEmblem->Width() / 2.0, 92 - anEmblem->Height() / 2.0);
    c.EngravedText(l.mName, 210, 200, Face::SerifBold, 40, Hex(l.mColour));
    c.EngravedText(l.mLine, 210, 236, Face::Serif, 20, Mix(Hex(l.mColour), Hex(0x808080), 0.4));
    v.push_back(FromCanvas(c, "", "", l.mFile, ImageFormat::Jpeg));
  }
  return v;
}

namespace {

std::unique_ptr<Canvas> Button(int w, int h, bool theHover, bool theBottom) {
  auto c = std::make_unique<Canvas>(w, h);
  const Rgb aTop = theBottom ? Hex(theHover ? 0x6A3A1E : 0x4A2614) : Hex(theHover ? 0xFFF4D0 : 0xEAD8A8);
  const Rgb aLow = theBottom ? Hex(theHover ? 0x3A1A0A : 0x26120A) : Hex(theHover ? 0xE8C878 : 0xC8A870);
  Panel(*c, 2, 2, w - 4, h - 4, h / 2.0 - 2, aTop, aLow, Hex(theHover ? 0xF8D870 : 0x8A6226), 2);
  if (theHover) Light(*c, w / 2.0, h / 2.0, w * 0.5, Hex(0x604818), 0.35);
  return c;
}

ImageResource Named(std::unique_ptr<Canvas> c, const char* theId, const char* theFile,
                    ImageFormat theFormat = ImageFormat::Png, const char* theAttributes = "") {
  return FromCanvas(*c, "Main", theId, theFile, theFormat, theAttributes);
}

std::unique_ptr<Canvas> SidePlaque(int w, int h, const char* theWord, bool theLit, double theSize) {
  auto c = std::make_unique<Canvas>(w, h);
  Plaque(*c, 2, 2, w - 4, h - 4, theWord, theSize, theLit);
  return c;
}

std::unique_ptr<Canvas> Glowing(int w, int h, const Rgb& theColour, double a) {
  auto c = std::make_unique<Canvas>(w, h);
  c->Ellipse(w / 2.0, h / 2.0, w / 2.0 - 1, h / 2.0 - 1);
  c->Radial(w / 2.0, h / 2.0, std::max(w, h) / 2.0, theColour, a, 0.0);
  cairo_fill(c->cr());
  return c;
}

std::unique_ptr<Canvas> RevealPanel(bool theActive) {
  auto c = std::make_unique<Canvas>(100, 24);
  c->EngravedText("Reveal", 50, 17, Face::SerifBold, 14, theActive ? Hex(0xE8C870) : Hex(0x8A8478));
  return c;
}

std::unique_ptr<Canvas> Checkbox() {
  auto c = std::make_unique<Canvas>(52, 26);
  cairo_t* cr = c->cr();
  for (int k = 0; k < 2; ++k) {
    const double x = k * 26;
    Panel(*c, x + 3, 3, 20, 20, 4, Hex(0xF4E8C8), Hex(0xD8C090), Hex(0x5A3A1A), 2);
    if (k == 1) {
      cairo_move_to(cr, x + 7, 13);
      cairo_line_to(cr, x + 12, 19);
      cairo_line_to(cr, x + 21, 5);
      cairo_set_line_width(cr, 3.5);
      cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
      c->Color(Hex(0x8A1E18));
      cairo_stroke(cr);
    }
  }
  return c;
}

std::unique_ptr<Canvas> SliderTrack() {
  // Three cells of 20: left cap, a tile, right cap.
  auto c = std::make_unique<Canvas>(60, 12);
  cairo_t* cr = c->cr();
  Panel(*c, 2, 2, 56, 8, 4, Hex(0x3A2010), Hex(0x7A5A30), Hex(0xB08A3A), 1);
  // The middle cell must tile: paint it flat over the rounded shape.
  cairo_rectangle(cr, 20, 2, 20, 8);
  c->LinearV(2, 10, Hex(0x3A2010), Hex(0x7A5A30));
  cairo_fill(cr);
  cairo_rectangle(cr, 20, 1.5, 20, 1);
  cairo_rectangle(cr, 20, 9.5, 20, 1);
  c->Fill(Hex(0xB08A3A));
  return c;
}

std::unique_ptr<Canvas> SliderThumb() {
  auto c = std::make_unique<Canvas>(20, 24);
  Panel(*c, 3, 2, 14, 20, 5, Hex(0xF8E08A), Hex(0xA8741C), Hex(0x3A2408), 1.5);
  return c;
}

std::unique_ptr<Canvas> Divider() {
  auto c = std::make_unique<Canvas>(120, 12);
  cairo_t* cr = c->cr();
  cairo_move_to(cr, 4, 6);
  cairo_curve_to(cr, 30, 2, 50, 10, 60, 6);
  cairo_curve_to(cr, 70, 2, 90, 10, 116, 6);
  cairo_set_line_width(cr, 1.5);
  c->Color(Hex(0xD8B060));
  cairo_stroke(cr);
  cairo_move_to(cr, 60, 1);
  cairo_line_to(cr, 65, 6);
  cairo_line_to(cr, 60, 11);
  cairo_line_to(cr, 55, 6);
  cairo_close_path(cr);
  c->Fill(Hex(0xF0D27A));
  return c;
}

std::unique_ptr<Canvas> ChargeBar(bool theFill) {
  auto c = std::make_unique<Canvas>(140, 10);
  cairo_t* cr = c->cr();
  if (theFill) {
    cairo_rectangle(cr, 0, 2, 140, 6);
    c->LinearGradient(0, 0, 140, 0, {{0, {0.35, 0.2, 0.8}}, {1, {0.7, 0.55, 1.0}}});
    cairo_fill(cr);
    cairo_rectangle(cr, 0, 3, 140, 1.5);
    c->Fill(Hex(0xFFFFFF), 0.5);
  } else {
    cairo_rectangle(cr, 0, 0, 140, 10);
    c->Fill(Hex(0x0A0608));
    cairo_rectangle(cr, 0.5, 0.5, 139, 9);
    cairo_set_line_width(cr, 1);
    c->Color(Hex(0x8A6A2A));
    cairo_stroke(cr);
  }
  return c;
}

// A flying book: covers open by theOpen (0 closed, 1 flat), seen from the side.
void Book(Canvas& c, double cx, double cy, double w, double theOpen, const Rgb& theCover) {
  cairo_t* cr = c.cr();
  const double a = (0.15 + 0.8 * theOpen) * M_PI / 2, len = w * 0.45;
  for (int s = -1; s <= 1; s += 2) {
    const double ex = cx + s * std::sin(a) * len, ey = cy - std::cos(a) * len * 0.55;
    // Pages fanning between the spine and the cover.
    for (int k = 0; k < 4; ++k) {
      const double t = a * (0.55 + k * 0.1);
      cairo_move_to(cr, cx, cy);
      cairo_line_to(cr, cx + s * std::sin(t) * len * 0.95, cy - std::cos(t) * len * 0.5);
      cairo_set_line_width(cr, 1.2);
      c.Color(Hex(0xF4ECD8));
      cairo_stroke(cr);
    }
    cairo_move_to(cr, cx, cy);
    cairo_line_to(cr, ex, ey);
    cairo_set_line_width(cr, 5);
    cairo_set_line_cap(cr, CAIRO_LINE_CAP_ROUND);
    c.Color(theCover);
    cairo_stroke(cr);
  }
  cairo_arc(cr, cx, cy, 4, 0, 2 * M_PI);
  c.Fill(Scale(theCover, 0.7));
}

std::unique_ptr<Canvas> BookStrip(int theRows, int theCols, int theFrames, bool theBlue, double theTilt) {
  const int cw = 72, ch = 56;
  auto c = std::make_unique<Canvas>(cw * theCols, ch * theRows);
  const Rgb aCover = theBlue ? Hex(0x4A7ADA) : Hex(0xB04A2A);
  for (int f = 0; f < theFrames; ++f) {
    const double x = (f % theCols) * cw, y = (f / theCols) * ch;
    const double aOpen = 0.5 + 0.5 * std::cos(2 * M_PI * f / theFrames);
    cairo_save(c->cr());
    cairo_translate(c->cr(), x + cw / 2.0, y + ch / 2.0 + 6);
    cairo_rotate(c->cr(), theTilt);
    Book(*c, 0, 0, cw * 0.9, aOpen, aCover);
    cairo_restore(c->cr());
  }
  return c;
}

std::unique_ptr<Canvas> SpotlightStrip() {
  const int s = 200;
  auto c = std::make_unique<Canvas>(s * 3, s);
  for (int f = 0; f < 3; ++f) {
    const double cx = f * s + s / 2.0, cy = s / 2.0, r = s / 2.0 * (0.92 + 0.04 * f);
    // Dark at the rim, clear in the middle: the game tints it black and fills beyond.
    cairo_rectangle(c->cr(), f * s, 0, s, s);
    c->RadialGradient(cx, cy, r * 0.35, cx, cy, r,
                      {{0, {0, 0, 0}, 0}, {0.7, {0, 0, 0}, 0.75}, {1, {0, 0, 0}, 1}});
    cairo_fill(c->cr());
  }
  return c;
}

std::unique_ptr<Canvas> FireStrip() {
  const int cw = 40, ch = 64;
  auto c = std::make_unique<Canvas>(cw * 6, ch);
  for (int f = 0; f < 6; ++f) {
    const double x = f * cw + cw / 2.0;
    Light(*c, x, ch * 0.55, cw * 0.5, Hex(0xFF8A30), 0.5);
    cairo_save(c->cr());
    cairo_translate(c->cr(), x, ch - 4);
    cairo_scale(c->cr(), 1.0 + 0.08 * std::sin(f * 1.7), 1.0 + 0.12 * std::cos(f * 2.1));
    Flame(*c, 0, 0, ch * 0.78);
    cairo_restore(c->cr());
  }
  return c;
}

}  // namespace

std::vector<ImageResource> MainImages() {
  std::vector<ImageResource> v;
  v.push_back(Named(SidePlaque(120, 40, "", false, 0), "IMAGE_SIDE_MENU", "images/sidebar/menu.png"));
  v.push_back(Named(Glowing(120, 40, Hex(0xFFD870), 0.55), "IMAGE_SIDE_MENU_HOVER", "images/sidebar/menu_hover.png"));
  v.push_back(Named(RepelPanel(false, true), "IMAGE_SIDE_REPEL", "images/sidebar/repel.png"));
  v.push_back(Named(RepelPanel(true, true), "IMAGE_SIDE_REPEL_HOVER", "images/sidebar/repel_hover.png"));
  v.push_back(Named(RepelPanel(false, false), "IMAGE_SIDE_REPEL_INACTIVE", "images/sidebar/repel_inactive.tga",
                    ImageFormat::Tga));
  v.push_back(Named(RevealPanel(true), "IMAGE_SIDE_REVEAL", "images/sidebar/reveal.png"));
  v.push_back(Named(RevealPanel(false), "IMAGE_SIDE_REVEAL_INACTIVE", "images/sidebar/reveal_inactive.png"));
  v.push_back(Named(SidePlaque(100, 40, "Map", false, 17), "IMAGE_SIDE_MAP", "images/sidebar/map.png"));
  v.push_back(Named(SidePlaque(100, 40, "Map", true, 17), "IMAGE_SIDE_MAP_HOVER", "images/sidebar/map_hover.png"));
  v.push_back(Named(Glowing(60, 78, Hex(0x9A7AFF), 0.9), "IMAGE_SIDE_CRYSTAL_BALL_GLOW", "images/sidebar/ball_glow.png"));
  v.push_back(Named(ChargeBar(false), "IMAGE_SIDE_REPEL_CHARGEBAR_BACK", "images/sidebar/charge_back.png"));
  v.push_back(Named(ChargeBar(true), "IMAGE_SIDE_REPEL_CHARGEBAR_FILL", "images/sidebar/charge_fill.png"));
  v.push_back(Named(Divider(), "IMAGE_SIDE_DIVIDER", "images/sidebar/divider.png", ImageFormat::PngPalette));
  v.push_back(Named(Runestone(48, 5), "IMAGE_INGAME_RUNESTONE", "images/runestone_big.png"));
  v.push_back(Named(MagicEye(26, false, false), "IMAGE_REVEAL_ICON", "images/sidebar/eye.png"));
  v.push_back(Named(MagicEye(26, true, false), "IMAGE_REVEAL_ICON_HOVER", "images/sidebar/eye_hover.png"));
  v.push_back(Named(MagicEye(26, false, true), "IMAGE_REVEAL_ICON_WINK", "images/sidebar/eye_wink.png"));
  v.push_back(Named(SideBar(), "IMAGE_SIDE_BAR", "images/sidebar/sidebar.png"));
  v.push_back(Named(Checkbox(), "IMAGE_CHECKBOX", "images/controls/checkbox.gif", ImageFormat::Gif));
  v.push_back(Named(SliderTrack(), "IMAGE_SLIDER_TRACK", "images/controls/slider_track.png"));
  v.push_back(Named(SliderThumb(), "IMAGE_SLIDER_THUMB", "images/controls/slider_thumb.png"));
  v.push_back(Named(Button(150, 34, false, true), "IMAGE_OPTIONS_BOTTOM_BUTTON", "images/controls/bottom.png"));
  v.push_back(Named(Button(150, 34, true, true), "IMAGE_OPTIONS_BOTTOM_BUTTON_HI", "images/controls/bottom_hi.png"));
  v.push_back(Named(Button(84, 32, false, false), "IMAGE_OPTIONS_BUTTON_SMALL", "images/controls/small.png"));
  v.push_back(Named(Button(84, 32, true, false), "IMAGE_OPTIONS_BUTTON_SMALL_HI", "images/controls/small_hi.png"));
  v.push_back(Named(Button(136, 32, false, false), "IMAGE_OPTIONS_BUTTON_MED", "images/controls/med.png"));
  v.push_back(Named(Button(136, 32, true, false), "IMAGE_OPTIONS_BUTTON_MED_HI", "images/controls/med_hi.png"));
  v.push_back(Named(Button(250, 32, false, false), "IMAGE_OPTIONS_BUTTON_LARGE", "images/controls/large.png"));
  v.push_back(Named(Button(250, 32, true, false), "IMAGE_OPTIONS_BUTTON_LARGE_HI", "images/controls/large_hi.png"));
  struct Strip {
    const char* mId;
    const char* mFile;
    int mRows, mCols, mFrames;
    bool mBlue;
    double mTilt;
  };
  const Strip kBooks[] = {{"ANIM_BOOK1", "images/anims/book1.png", 2, 6, 11, false, 0.3},
                          {"ANIM_BOOK2", "images/anims/book2.png", 2, 4, 7, false, 0.0},
                          {"ANIM_BOOK3", "images/anims/book3.png", 1, 7, 6, false, -0.3},
                          {"ANIM_BLUE_BOOK1", "images/anims/bluebook1.png", 2, 6, 11, true, 0.3},
                          {"ANIM_BLUE_BOOK2", "images/anims/bluebook2.png", 2, 4, 7, true, 0.0},
                          {"ANIM_BLUE_BOOK3", "images/anims/bluebook3.png", 1, 7, 6, true, -0.3}};
  for (const Strip& s : kBooks) {
    ImageResource r = Named(BookStrip(s.mRows, s.mCols, s.mFrames, s.mBlue, s.mTilt), s.mId, s.mFile);
    r.mRows = s.mRows;
    r.mCols = s.mCols;
    r.mAttributes = "anim=\"loop\" framedelay=\"10\"";
    v.push_back(r);
  }
  ImageResource aSpot = Named(SpotlightStrip(), "ANIM_SPOTLIGHT", "images/anims/spotlight.png");
  aSpot.mCols = 3;
  aSpot.mAttributes = "anim=\"pingpong\" framedelay=\"20\"";
  v.push_back(aSpot);
  ImageResource aFire = Named(FireStrip(), "ANIM_FIRE1", "images/anims/fire1.png");
  aFire.mCols = 6;
  aFire.mAttributes = "anim=\"loop\" framedelay=\"10\"";
  v.push_back(aFire);
  return v;
}

}  // namespace GameAssets
