#include <algorithm>
#include <cmath>
#include <cstdio>

#include "EmojiRenderer.h"
#include "InterfaceArt.h"
#include "MapLayout.h"
#include "Painting.h"
#include "Props.h"
#include "Scenes.h"

namespace GameAssets {

using namespace Paint;

namespace {

std::unique_ptr<Canvas> EmojiPicture(uint32_t theCode, int theSize) {
  return EmojiRenderer::Get().Render(theCode, EmojiLook{theSize, {1, 1, 1}, 1.0, 0, false, true});
}

void PasteEmoji(Canvas& c, uint32_t theCode, int theSize, double cx, double cy) {
  auto e = EmojiPicture(theCode, theSize);
  if (e) c.Paste(*e, cx - e->Width() / 2.0, cy - e->Height() / 2.0);
}

// The valley at night, shared by the story backgrounds and the ending.
void Valley(Canvas& c, bool theDawn) {
  if (theDawn) {
    // The sun comes up on the right, behind the eastern hills; the last of the night lingers
    // over the middle of the valley, where the credits pass.
    Sky(c, 420, Hex(0x1E2856), Hex(0xA86A60));
    Stars(c, 76, 40, 200);
    Light(c, c.Width() * 0.94, 350, 330, Hex(0xFFB868), 0.65);
    Light(c, c.Width() * 0.02, 380, 170, Hex(0xE89080), 0.3);
  } else {
    Sky(c, 420, Hex(0x05081A), Hex(0x1E2448));
    Stars(c, 77, 160, 360);
    Moon(c, c.Width() * 0.78, 90, 26, Hex(0xE8E6D0));
  }
  Hills(c, 78, 330, 30, theDawn ? Hex(0x3A3A5A) : Hex(0x141A2E), theDawn ? Hex(0x2A2A3A) : Hex(0x0A0E18));
  // A castle on the far ridge.
  cairo_t* cr = c.cr();
  const double bx = c.Width() * 0.3;
  for (int i = 0; i < 4; ++i) {
    const double x = bx + i * 34, h = 60 + (i % 2) * 40;
    cairo_rectangle(cr, x, 330 - h, 24, h);
    cairo_move_to(cr, x - 4, 330 - h);
    cairo_line_to(cr, x + 12, 330 - h - 26);
    cairo_line_to(cr, x + 28, 330 - h);
    cairo_close_path(cr);
  }
  c.Fill(theDawn ? Hex(0x2A2440) : Hex(0x0A0C16));
  // The story's words are written over the castle in the same gold: at night its windows glow
  // a dim ember so that they do not read as stray marks among the letters.
  for (int i = 0; i < 6; ++i) {
    cairo_rectangle(cr, bx + 6 + i * 20, 290 - (i % 3) * 14, 4, 6);
    if (theDawn)
      c.Fill(Hex(0xFFC860), 0.9);
    else
      c.Fill(Hex(0x9A4A28), 0.45);
  }
  Hills(c, 79, 420, 35, theDawn ? Hex(0x2A3A2A) : Hex(0x0A1410), theDawn ? Hex(0x1A221A) : Hex(0x040806));
  for (int i = 0; i < 9; ++i)
    Tree(c, 80 + i, 30 + i * c.Width() / 9.0, 470 + (i % 3) * 20, 150, Hex(0x0A0806),
         theDawn ? Hex(0x1A2A1A) : Hex(0x08120C), 0.05);
}

std::unique_ptr<Canvas> Scroll() {
  auto c = std::make_unique<Canvas>(800, 165);
  cairo_t* cr = c->cr();
  c->RoundRect(30, 14, 740, 137, 6);
  Parchment(*c, 30, 14, 740, 137, 91);
  for (double x : {8.0, 762.0}) {  // the rolled ends
    c->RoundRect(x, 4, 30, 157, 14);
    c->LinearGradient(x, 0, x + 30, 0,
                      {{0, {0.55, 0.4, 0.22}}, {0.5, {0.95, 0.86, 0.64}}, {1, {0.5, 0.36, 0.2}}});
    cairo_fill(cr);
  }
  return c;
}

// Title screen geometry: the window's opening in screen pixels.
const double kArchX = 190, kArchY = 205, kArchW = 180, kArchH = 215;

void ArchPath(cairo_t* cr, double x, double y, double w, double h) {
  cairo_move_to(cr, x, y + h);
  cairo_line_to(cr, x, y + w / 2);
  cairo_arc(cr, x + w / 2, y + w / 2, w / 2, M_PI, 2 * M_PI);
  cairo_line_to(cr, x + w, y + h);
  cairo_close_path(cr);
}

void WindowFrame(Canvas& c, double ox, double oy) {
  cairo_t* cr = c.cr();
  const double x = kArchX - ox, y = kArchY - oy;
  ArchPath(cr, x - 14, y - 14, kArchW + 28, kArchH + 22);
  ArchPath(cr, x, y, kArchW, kArchH);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_EVEN_ODD);
  c.LinearV(y - 14, y + kArchH, Hex(0x8A7A6A), Hex(0x4A3E34));
  cairo_fill(cr);
  cairo_set_fill_rule(cr, CAIRO_FILL_RULE_WINDING);
  // Leading and mullions.
  cairo_set_line_width(cr, 4);
  c.Color(Hex(0x2A2018));
  cairo_move_to(cr, x + kArchW / 2, y + 4);
  cairo_line_to(cr, x + kArchW / 2, y + kArchH);
  cairo_move_to(cr, x, y + kArchH * 0.55);
  cairo_line_to(cr, x + kArchW, y + kArchH * 0.55);
  cairo_stroke(cr);
  cairo_rectangle(cr, x - 24, y + kArchH, kArchW + 48, 16);
  c.LinearV(y + kArchH, y + kArchH + 16, Hex(0x9A8A7A), Hex(0x5A4A3E));
  cairo_fill(cr);
}

// The three menu words on the open codex (left edge x, top y, box width).
struct MenuWord {
  const char* mWord;
  int mX, mY, mW, mH;
};
const MenuWord kMenuWords[3] = {{"Play", 441, 432, 120, 44}, {"Options", 298, 469, 140, 44}, {"Exit", 200, 429, 90, 44}};

void MenuWordText(Canvas& c, const MenuWord& m, double ox, double oy, bool theGlow) {
  const double cx = m.mX + m.mW / 2.0 - ox, by = m.mY + 31 - oy;
  if (theGlow) {
    for (int k = 0; k < 3; ++k) c.Text(m.mWord, cx, by, Face::SerifBold, 28, Hex(0xFFD860), 0.25, true);
    Light(c, cx, by - 10, m.mW * 0.55, Hex(0xA07820), 0.8);
    c.Text(m.mWord, cx, by, Face::SerifBold, 28, Hex(0xFFF4C0), 1.0, true);
  } else {
    c.Text(m.mWord, cx + 1, by + 1, Face::SerifBold, 28, Hex(0x2A1A08), 0.6, true);
    c.Text(m.mWord, cx, by, Face::SerifBold, 28, Hex(0x8A5A1E), 1.0, true);
  }
}

std::unique_ptr<Canvas> TitleBack() {
  auto c = std::make_unique<Canvas>(800, 600);
  cairo_t* cr = c->cr();
  StoneWall(*c, 1301, 0, 0, 800, 600, Hex(0x4A4458), 70, 36);
  cairo_rectangle(cr, 0, 0, 800, 600);
  c->Fill(Hex(0x0A0818), 0.35);
  // Bookshelves and a curtain on the right.
  Bookcase(*c, 1302, 470, 150, 320, 300, Hex(0x4A2C18));
  Curtain(*c, 410, 140, 70, 300, Hex(0x5A1424), false);
  // The window, with a dark sky behind the animations.
  ArchPath(cr, kArchX, kArchY, kArchW, kArchH);
  c->LinearV(kArchY, kArchY + kArchH, Hex(0x0A1028), Hex(0x2A3050));
  cairo_fill(cr);
  WindowFrame(*c, 0, 0);
  // The welcome board and the title.
  c->RoundRect(612, 16, 176, 124, 10);
  Parchment(*c, 612, 16, 176, 124, 1303);
  GoldFrame(*c, 612, 16, 176, 124, 10, 4);
  c->Glow(392, 80, 230, Hex(0x4050A0), 0.25);
  c->Text("The Vesper's Codex", 392 + 2, 78 + 2, Face::SerifBold, 30, Hex(0x000000), 0.7, true);
  c->Text("The Vesper's Codex", 392, 78, Face::SerifBold, 30, Hex(0xF4D27A), 1.0, true);
  c->Text("Gloam Hollow", 357 + 1, 108 + 1, Face::SerifItalic, 21, Hex(0x000000), 0.7, true);
  c->Text("Gloam Hollow", 357, 108, Face::SerifItalic, 21, Hex(0xD8E0FF), 1.0, true);
  // The desk and the open codex with the menu words.
  cairo_rectangle(cr, 0, 440, 800, 160);
  c->LinearV(440, 600, Hex(0x4A2A14), Hex(0x1A0C06));
  cairo_fill(cr);
  Codex(*c, 150, 400, 490, 170, 1304);
  for (const MenuWord& m : kMenuWords) MenuWordText(*c, m, 0, 0, false);
  Candle(*c, 700, 560, 70);
  Candle(*c, 90, 570, 50);
  Finish(*c, 1305, 0.035, 0.45);
  return c;
}

std::unique_ptr<Canvas> TitleCover() {
  auto c = std::make_unique<Canvas>(230, 262);
  WindowFrame(*c, 169, 193);
  return c;
}

std::unique_ptr<Canvas> Highlight(const MenuWord& m) {
  auto c = std::make_unique<Canvas>(m.mW, m.mH);
  MenuWordText(*c, m, m.mX, m.mY, true);
  return c;
}

// Lightning backdrop: 4 cells of the stormy sky seen through the window.
ImageResource TitleAnimBackdrop() {
  const int cw = 250, ch = 290, ox = 134, oy = 146;
  Canvas c(cw * 2, ch * 2);
  cairo_t* cr = c.cr();
  for (int f = 0; f < 4; ++f) {
    const double x0 = (f % 2) * cw, y0 = (f / 2) * ch;
    cairo_save(cr);
    cairo_rectangle(cr, x0, y0, cw, ch);
    cairo_clip(cr);
    const bool aFlash = f == 1 || f == 2;
    c.LinearV(y0, y0 + ch, aFlash ? Hex(0x6A70B0) : Hex(0x0A1028), aFlash ? Hex(0xB0B8E0) : Hex(0x2A3050));
    cairo_paint(cr);
    Random r(static_cast<uint32_t>(1400 + f));
    for (int k = 0; k < 8; ++k) {
      c.Ellipse(x0 + r.Range(0, cw), y0 + r.Range(40, 200), r.Range(30, 70), r.Range(10, 20));
      c.Fill(aFlash ? Hex(0xD0D4F0) : Hex(0x20243A), 0.6);
    }
    if (aFlash) {  // the bolt
      double bx = x0 + (f == 1 ? 110 : 170), by = y0 + 60;
      cairo_move_to(cr, bx, by);
      while (by < y0 + 250) {
        bx += r.Range(-18, 18);
        by += r.Range(14, 30);
        cairo_line_to(cr, bx, by);
      }
      cairo_set_line_width(cr, 4);
      c.Color(Hex(0xFFFFFF), 0.9);
      cairo_stroke_preserve(cr);
      cairo_set_line_width(cr, 10);
      c.Color(Hex(0xC0C8FF), 0.3);
      cairo_stroke(cr);
    }
    // The far hills.
    cairo_move_to(cr, x0, y0 + 250);
    cairo_curve_to(cr, x0 + 80, y0 + 220, x0 + 160, y0 + 260, x0 + cw, y0 + 230);
    cairo_line_to(cr, x0 + cw, y0 + ch);
    cairo_line_to(cr, x0, y0 + ch);
    cairo_close_path(cr);
    c.Fill(aFlash ? Hex(0x2A2A40) : Hex(0x05060C));
    cairo_restore(cr);
  }
  ImageResource r = FromCanvas(c, "TitleScreen", "IMAGE_TITLE_ANIM_BG", "images/title/storm.png", ImageFormat::PngGrid);
  r.mRows = 2;
  r.mCols = 2;
  // One alpha cel for all four: the window's arch, feathered.
  Canvas aMask(cw, ch);
  ArchPath(aMask.cr(), kArchX - ox - 2, kArchY - oy - 2, kArchW + 4, kArchH + 4);
  aMask.Fill(Hex(0xFFFFFF));
  aMask.Blur(2);
  r.mGridAlpha = aMask.Pixels();
  return r;
}

std::unique_ptr<Canvas> HtpFrame(int w, int h) {
  auto c = std::make_unique<Canvas>(w, h);
  c->RoundRect(3, 3, w - 6, h - 6, 10);
  c->Fill(Hex(0x1A1008));
  return c;
}

void FrameBorder(Canvas& c) {
  GoldFrame(c, 3, 3, c.Width() - 6, c.Height() - 6, 10, 3);
}

std::unique_ptr<Canvas> SceneCrop(int theId, int w, int h, double theScale, double cx, double cy) {
  auto c = HtpFrame(w, h);
  Canvas aScene(k_sceneWidth, k_sceneHeight);
  aScene.SetPixels(SceneBackgrounds()[static_cast<size_t>(theId - 1)]);
  cairo_save(c->cr());
  c->RoundRect(5, 5, w - 10, h - 10, 9);
  cairo_clip(c->cr());
  c->Paste(aScene, w / 2.0 - cx * theScale, h / 2.0 - cy * theScale, theScale);
  cairo_restore(c->cr());
  return c;
}

std::unique_ptr<Canvas> Corner(int s) {
  auto c = std::make_unique<Canvas>(s, s);
  cairo_t* cr = c->cr();
  cairo_move_to(cr, 3, s - 3);
  cairo_line_to(cr, 3, 3);
  cairo_line_to(cr, s - 3, 3);
  cairo_set_line_width(cr, s * 0.14);
  c->Color(Hex(0xC89A3A));
  cairo_stroke(cr);
  cairo_arc(cr, s * 0.3, s * 0.3, s * 0.16, 0, 2 * M_PI);
  c->Fill(Hex(0xF0D27A));
  cairo_arc(cr, s * 0.3, s * 0.3, s * 0.08, 0, 2 * M_PI);
  c->Fill(Hex(0x8A1E18));
  return c;
}

std::unique_ptr<Canvas> Flipped(const Canvas& theSource) {
  auto c = std::make_unique<Canvas>(theSource.Width(), theSource.Height());
  cairo_save(c->cr());
  cairo_translate(c->cr(), 0, theSource.Height());
  cairo_scale(c->cr(), 1, -1);
  c->Paste(theSource, 0, 0);
  cairo_restore(c->cr());
  return c;
}

}  // namespace

std::vector<ImageResource> StoryImages() {
  std::vector<ImageResource> v;
  Canvas aValley(640, 600);
  Valley(aValley, false);
  aValley.Vignette(0.6);
  aValley.Noise(1501, 0.03);
  const std::vector<uint32_t> aPixels = aValley.Pixels();
  Canvas aTop(640, 252), aBottom(640, 348);
  aTop.SetPixels(std::vector<uint32_t>(aPixels.begin(), aPixels.begin() + 640 * 252));
  aBottom.SetPixels(std::vector<uint32_t>(aPixels.begin() + 640 * 252, aPixels.end()));
  v.push_back(FromCanvas(aTop, "Story", "IMAGE_STORY_BACK_TOP", "images/story/back_top.jpg", ImageFormat::Jpeg));
  v.push_back(FromCanvas(aBottom, "Story", "IMAGE_STORY_BACK_BOTTOM", "images/story/back_bottom.tga", ImageFormat::Tga));
  v.push_back(FromCanvas(*Scroll(), "Story", "IMAGE_SCROLL", "images/story/scroll.png", ImageFormat::Png));
  // As wide as the story's pictures: the screen's edge shading falls on its sides.
  Canvas anEnd(640, 600);
  Valley(anEnd, true);
  // The codex open on the eastern hill, shining in the dawn.
  Light(anEnd, 560, 490, 120, Hex(0xFFE0A0), 0.7);
  Codex(anEnd, 508, 494, 104, 40, 1502);
  // The credits rise through the middle in gold: a band of shadow keeps them clear of the sky.
  cairo_rectangle(anEnd.cr(), 0, 0, 640, 600);
  const Rgb kShadow{0.02, 0.02, 0.06};
  anEnd.LinearGradient(0, 0, 640, 0,
                       {{0, kShadow, 0},
                        {60 / 640.0, kShadow, 0},
                        {130 / 640.0, kShadow, 0.45},
                        {510 / 640.0, kShadow, 0.45},
                        {580 / 640.0, kShadow, 0},
                        {1, kShadow, 0}});
  cairo_fill(anEnd.cr());
  anEnd.Vignette(0.3);
  anEnd.Noise(1503, 0.025);
  v.push_back(FromCanvas(anEnd, "Story", "IMAGE_END_OF_GAME", "images/story/ending.jpg", ImageFormat::Jpeg));
  v.push_back(FromCanvas(*Runestone(44, 3), "Story", "IMAGE_RUNESTONE", "images/story/runestone.png",
                         ImageFormat::PngPalette));
  return v;
}

std::vector<ImageResource> TitleImages() {
  std::vector<ImageResource> v;
  v.push_back(FromCanvas(*TitleBack(), "TitleScreen", "IMAGE_TITLE_BACK", "images/title/back.jpg", ImageFormat::Jpeg));
  v.push_back(FromCanvas(*TitleCover(), "TitleScreen", "IMAGE_TITLE_COVER", "images/title/cover.png", ImageFormat::Png));
  const char* const kIds[3] = {"IMAGE_TITLE_PLAY_HIGH", "IMAGE_TITLE_OPTION_HIGH", "IMAGE_TITLE_EXIT_HIGH"};
  const char* const kFiles[3] = {"images/title/play_hi.png", "images/title/options_hi.png", "images/title/exit_hi.png"};
  for (int i = 0; i < 3; ++i)
    v.push_back(FromCanvas(*Highlight(kMenuWords[i]), "TitleScreen", kIds[i], kFiles[i], ImageFormat::Png));
  v.push_back(TitleAnimBackdrop());
  return v;
}

std::vector<ImageResource> HowToPlayImages() {
  std::vector<ImageResource> v;
  auto Add = [&](std::unique_ptr<Canvas> c, const char* theId, const char* theFile,
                 ImageFormat theFormat = ImageFormat::Png) {
    FrameBorder(*c);
    v.push_back(FromCanvas(*c, "HowToPlay", theId, theFile, theFormat));
  };
  {  // Searching a location, the magnifier over a find.
    auto c = SceneCrop(7, 260, 170, 0.55, 300, 300);
    PasteEmoji(*c, 0x1F52E, 40, 150, 88);
    PasteEmoji(*c, 0x1F50D, 70, 170, 100);
    Add(std::move(c), "IMAGE_HTP_INGAME_1", "images/htp/ingame1.jpg", ImageFormat::Jpeg);
  }
  {  // The map, beside the first page's words on picking a place.
    auto c = HtpFrame(240, 160);
    c->RoundRect(6, 6, 228, 148, 9);
    Parchment(*c, 6, 6, 228, 148, 1601);
    for (int i = 0; i < 5; ++i) {
      auto m = Medallion(SceneBackgrounds()[static_cast<size_t>(i * 2)], 54, 44, true);
      c->Paste(*m, 18 + i * 42, 30 + (i % 2) * 60);
    }
    Add(std::move(c), "IMAGE_HTP_INGAME_2", "images/htp/ingame2.png");
  }
  {  // The reveal charges, with room for the label at the bottom.
    auto c = HtpFrame(240, 150);
    c->Glow(120, 70, 110, Hex(0x3A2A6A), 0.6);
    const double kXs[5] = {40, 80, 120, 160, 200}, kYs[5] = {62, 40, 32, 40, 62};
    for (int i = 0; i < 5; ++i) c->Paste(*MagicEye(36, i == 2, false), kXs[i] - 18, kYs[i] - 18);
    Add(std::move(c), "IMAGE_HTP_INGAME_3", "images/htp/ingame3.png");
  }
  {  // The repel spell driving the distractions away.
    auto c = HtpFrame(220, 150);
    c->Paste(*RepelPanel(true, true), 49, 86);
    PasteEmoji(*c, 0x1F577, 34, 50, 40);
    PasteEmoji(*c, 0x1F4D5, 34, 170, 36);
    Light(*c, 75, 110, 90, Hex(0x6040C0), 0.5);
    Add(std::move(c), "IMAGE_HTP_INGAME_4", "images/htp/ingame4.png");
  }
  {  // Coins.
    auto c = SceneCrop(6, 240, 150, 0.5, 300, 420);
    for (int i = 0; i < 3; ++i) PasteEmoji(*c, 0x1FA99, 44, 60 + i * 60, 80 + (i % 2) * 12);
    Add(std::move(c), "IMAGE_HTP_INGAME_5", "images/htp/ingame5.png");
  }
  {  // The find list, beside the page on clicking with care.
    auto c = HtpFrame(220, 170);
    auto aBar = SideBar();
    c->Paste(*aBar, 40, -130);
    const char* const kNames[] = {"Crystal Ball", "Owl", "Candle x2", "Open Book"};
    for (int i = 0; i < 4; ++i) c->Text(kNames[i], 110, 40 + i * 28, Face::Serif, 13, Hex(0xFDEAC7), 1.0, true);
    Add(std::move(c), "IMAGE_HTP_INGAME_6", "images/htp/ingame6.png");
  }
  {  // The chapter's results: a page of the Codex with a grade's medal, the clock, and the
     // spell bound into the open book. Before the first chapter the game writes a sample result
     // down the middle (lines at 14, 50, 95 and 121): only faint marks stand there.
    auto c = HtpFrame(300, 240);
    cairo_t* cr = c->cr();
    c->RoundRect(6, 6, 288, 228, 9);
    Parchment(*c, 6, 6, 288, 228, 1602);
    for (int k = 0; k < 3; ++k) {  // a faint ring of runes, as if pressed into the page
      cairo_arc(cr, 150, 78, 62 - k * 9, 0, 2 * M_PI);
      cairo_set_line_width(cr, k == 0 ? 2.0 : 1.0);
      c->Color(Hex(0x8A6226), 0.14);
      cairo_stroke(cr);
    }
    for (int i = 0; i < 12; ++i) {
      const double t = i * M_PI / 6;
      cairo_move_to(cr, 150 + std::cos(t) * 54, 78 + std::sin(t) * 54);
      cairo_line_to(cr, 150 + std::cos(t + 0.2) * 58, 78 + std::sin(t + 0.2) * 58);
      cairo_set_line_width(cr, 1.5);
      c->Color(Hex(0x8A6226), 0.18);
      cairo_stroke(cr);
    }
    cairo_move_to(cr, 96, 88);  // a flourish between the grade and the spell
    cairo_curve_to(cr, 120, 82, 136, 94, 150, 88);
    cairo_curve_to(cr, 164, 82, 180, 94, 204, 88);
    cairo_set_line_width(cr, 1.5);
    c->Color(Hex(0xB08A3A), 0.8);
    cairo_stroke(cr);
    PasteEmoji(*c, 0x1F3C5, 46, 40, 46);  // the grade's medal
    PasteEmoji(*c, 0x231B, 38, 262, 46);  // the clock that counts
    c->Glow(150, 196, 70, Hex(0xFFE8A0), 0.7);
    Codex(*c, 96, 174, 108, 46, 1603);
    for (int i = 0; i < 5; ++i) {  // the spell's letters rising from the page
      const double x = 122 + i * 13, y = 178 - (i % 2) * 8;
      c->Glow(x, y - 14, 5, Hex(0xFFD870), 0.9);
    }
    PasteEmoji(*c, 0x1FA84, 44, 232, 190);  // the wand that casts it
    PasteEmoji(*c, 0x2728, 24, 70, 178);
    Add(std::move(c), "IMAGE_HTP_INGAME_7", "images/htp/ingame7.png");
  }
  auto Potion = [&](const char* theId, const char* theFile, int w, int h, int theVariant) {
    auto c = HtpFrame(w, h);
    c->RoundRect(6, 6, w - 12, h - 12, 9);
    c->LinearV(0, h, Hex(0x2A1A3A), Hex(0x140A1A));
    cairo_fill(c->cr());
    static const uint32_t kIngredients[6] = {0x1F344, 0x1F9EA, 0x1F33F, 0x1F48E, 0x1F9B4, 0x1FAB6};
    if (theVariant == 1 || theVariant == 3) {
      PasteEmoji(*c, 0x2697, std::min(w, h) - 50, w / 2.0, h / 2.0);
    } else {
      for (int j = 0; j < 3; ++j)
        for (int i = 0; i < 4; ++i)
          PasteEmoji(*c, kIngredients[(i * 3 + j * 5 + theVariant) % 6], 34, 35 + i * 56, 35 + j * 50);
      if (theVariant == 2) {
        cairo_move_to(c->cr(), 35, 35);
        cairo_line_to(c->cr(), 91, 85);
        cairo_line_to(c->cr(), 147, 85);
        cairo_set_line_width(c->cr(), 5);
        c->Color(Hex(0xFFE070), 0.8);
        cairo_stroke(c->cr());
      }
    }
    Add(std::move(c), theId, theFile);
  };
  Potion("IMAGE_HTP_POTION_1", "images/htp/potion1.png", 240, 170, 0);
  Potion("IMAGE_HTP_POTION_2", "images/htp/potion2.png", 150, 200, 1);
  Potion("IMAGE_HTP_POTION_3", "images/htp/potion3.png", 240, 170, 2);
  Potion("IMAGE_HTP_POTION_4", "images/htp/potion4.png", 180, 180, 3);
  {  // The chant's side bar, with room for the game's texts at the top and at 200.
    auto c = HtpFrame(137, 230);
    auto aBar = SideBar();
    c->Paste(*aBar, -2, -60);
    Add(std::move(c), "IMAGE_HTP_CHANT_1", "images/htp/chant1.png");
  }
  auto Chant = [&](const char* theId, const char* theFile, int theVariant) {
    auto c = HtpFrame(240, 170);
    c->RoundRect(6, 6, 228, 158, 9);
    c->LinearV(0, 170, Hex(0x3A2A1A), Hex(0x1A100A));
    cairo_fill(c->cr());
    static const char* const kParts[] = {"abba", "ray", "tao", "mel", "zia", "kae", "sor", "ot", "vir"};
    Random r(static_cast<uint32_t>(1700 + theVariant));
    for (int i = 0; i < 9; ++i) {
      const double x = 20 + (i % 3) * 70 + r.Range(0, 10), y = 22 + (i / 3) * 38 + r.Range(0, 6);
      c->RoundRect(x, y, 56, 28, 6);
      c->LinearV(y, y + 28, Hex(0xE8D8B0), Hex(0xB89A68));
      cairo_fill(c->cr());
      c->Text(kParts[i], x + 28, y + 20, Face::SerifBold, 15, Hex(0x5A1E18), (theVariant == 2 && i % 4 == 0) ? 0.35 : 1.0, true);
    }
    if (theVariant == 3) c->EngravedText("Cast", 150, 150, Face::SerifBold, 22, Hex(0xC83A4A), true);
    Add(std::move(c), theId, theFile);
  };
  Chant("IMAGE_HTP_CHANT_2", "images/htp/chant2.png", 1);
  Chant("IMAGE_HTP_CHANT_3", "images/htp/chant3.png", 2);
  Chant("IMAGE_HTP_CHANT_4", "images/htp/chant4.png", 3);
  auto aBig = Corner(44), aSmall = Corner(30);
  v.push_back(FromCanvas(*aBig, "HowToPlay", "IMAGE_CORNER_TOP_BIG", "images/htp/corner_top_big.png", ImageFormat::Png));
  v.push_back(FromCanvas(*aSmall, "HowToPlay", "IMAGE_CORNER_TOP_SMALL", "images/htp/corner_top_small.gif", ImageFormat::Gif));
  v.push_back(FromCanvas(*Flipped(*aBig), "HowToPlay", "IMAGE_CORNER_BOTTOM_BIG", "images/htp/corner_bottom_big.png", ImageFormat::Png));
  v.push_back(FromCanvas(*Flipped(*aSmall), "HowToPlay", "IMAGE_CORNER_BOTTOM_SMALL", "images/htp/corner_bottom_small.tga", ImageFormat::Tga));
  return v;
}

std::vector<ImageResource> MapImages() {
  std::vector<ImageResource> v;
  for (int i = 0; i < 12; ++i) {
    const MapSpot& s = MapSpotAt(i);
    const MapRect& a = MapPictureArea(i);
    // A warm halo over the location's picture, drawn additively by the game from its hover
    // point; it fades out before the image's edges.
    const int w = std::min(std::max(40, a.Right() + 10 - s.mHoverX), 660 - s.mHoverX);
    const int h = std::min(std::max(40, a.Bottom() + 10 - s.mHoverY), 600 - s.mHoverY);
    Canvas c(w, h);
    const double cx = std::clamp(a.mX + a.mW / 2.0 - s.mHoverX, 10.0, w - 10.0);
    const double cy = std::clamp(a.mY + a.mH / 2.0 - s.mHoverY, 10.0, h - 10.0);
    const double rx = std::min({a.mW / 2.0 + 8, cx, w - cx}), ry = std::min({a.mH / 2.0 + 8, cy, h - cy});
    c.Ellipse(cx, cy, rx, ry);
    c.RadialGradient(cx, cy, 0, cx, cy, std::max(rx, ry),
                     {{0, {1.0, 0.85, 0.45}, 0.5}, {0.7, {1.0, 0.7, 0.3}, 0.3}, {1, {1.0, 0.6, 0.2}, 0.0}});
    cairo_fill(c.cr());
    char anId[32], aFile[64];
    std::snprintf(anId, sizeof(anId), "MAP_LOC%02d_HOVER", i + 1);
    std::snprintf(aFile, sizeof(aFile), "images/map/loc%02d_hover.png", i + 1);
    v.push_back(FromCanvas(c, "Map", anId, aFile, ImageFormat::Png));
  }
  return v;
}

}  // namespace GameAssets
