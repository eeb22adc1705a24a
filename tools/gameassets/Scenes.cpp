#include "Scenes.h"

#include <algorithm>
#include <cmath>

#include "Painting.h"

namespace GameAssets {

using namespace Paint;

const std::vector<LocationDef>& Locations() {
  static const std::vector<LocationDef> kLocations = {
      {1, "Wyrm Cellar", {0.9, 0.74, 0.6}, 170,
       {{"Crown", 0x1F451, 0, 1}, {"Golden Cup", 0x1F3C6, 0, 1}, {"Shield", 0x1F6E1, 0, 1}, {"Skull", 0x1F480, 0, 1},
        {"Gem", 0x1F48E, 0, 1}, {"Axe", 0x1FA93, 0, 1}, {"Amphora", 0x1F3FA, 0, 1}, {"Money Bag", 0x1F4B0, 0, 1},
        {"Dragon Egg", 0x1F95A, 1, 2}, {"Ring", 0x1F48D, 1, 1}, {"Dagger", 0x1F5E1, 1, 1}, {"Bone", 0x1F9B4, 1, 1},
        {"Lizard", 0x1F98E, 1, 1}, {"Chains", 0x26D3, 1, 1}, {"Urn", 0x26B1, 1, 1}, {"Bell", 0x1F514, 1, 1},
        {"Bat", 0x1F987, 2, 1}, {"Key", 0x1F511, 2, 1}, {"Mushroom", 0x1F344, 2, 1}, {"Snail", 0x1F40C, 2, 1},
        {"Prayer Beads", 0x1F4FF, 2, 1}, {"Hook", 0x1FA9D, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Spider", 0x1F577, 2, 1}},
       {0x1FAA8, 0x1FAA8},
       {{40, 270, 470}, {470, 650, 500}, {592, 648, 332}}},
      {2, "Clockmaker's Loft", {1.0, 0.93, 0.84}, 120,
       {{"Mantel Clock", 0x1F570, 0, 1}, {"Painting", 0x1F5BC, 0, 1}, {"Violin", 0x1F3BB, 0, 1}, {"Chair", 0x1FA91, 0, 1},
        {"Top Hat", 0x1F3A9, 0, 1}, {"Teapot", 0x1FAD6, 0, 1}, {"Candle", 0x1F56F, 0, 2}, {"Mirror", 0x1FA9E, 0, 1},
        {"Drum", 0x1F941, 1, 1}, {"Chess Pawn", 0x265F, 1, 1}, {"Die", 0x1F3B2, 1, 1}, {"Theatre Masks", 0x1F3AD, 1, 1},
        {"Scissors", 0x2702, 1, 1}, {"Letter", 0x2709, 1, 1}, {"Rose", 0x1F339, 1, 1}, {"Hourglass", 0x231B, 1, 1},
        {"Mouse", 0x1F401, 2, 1}, {"Bow", 0x1F380, 2, 1}, {"Needle", 0x1FAA1, 2, 1}, {"Yarn", 0x1F9F6, 2, 1},
        {"Thread", 0x1F9F5, 2, 1}, {"Spoon", 0x1F944, 2, 1}, {"Old Key", 0x1F5DD, 2, 1}, {"Pushpin", 0x1F4CC, 2, 1}},
       {0x1FAB4, 0x1FAB4},
       {{44, 176, 402}, {0, 660, 470}}},
      {3, "Owlwood Path", {0.62, 0.66, 0.86}, 300,
       {{"Rose", 0x1F339, 0, 1}, {"Owl", 0x1F989, 0, 1}, {"Lantern", 0x1F3EE, 0, 1}, {"Tulip", 0x1F337, 0, 1},
        {"Pumpkin", 0x1F383, 0, 1}, {"Moon Charm", 0x1F319, 0, 1}, {"Basket", 0x1F9FA, 0, 1}, {"Frog", 0x1F438, 0, 1},
        {"Hedgehog", 0x1F994, 1, 1}, {"Snail", 0x1F40C, 1, 1}, {"Mushroom", 0x1F344, 1, 2}, {"Butterfly", 0x1F98B, 1, 1},
        {"Bell", 0x1F514, 1, 1}, {"Clover", 0x1F340, 1, 1}, {"Ladybird", 0x1F41E, 1, 1}, {"Cat", 0x1F408, 1, 1},
        {"Feather", 0x1FAB6, 2, 1}, {"Star", 0x2B50, 2, 1}, {"Key", 0x1F511, 2, 1}, {"Bee", 0x1F41D, 2, 1},
        {"Chestnut", 0x1F330, 2, 1}, {"Ring", 0x1F48D, 2, 1}, {"Needle", 0x1FAA1, 2, 1}, {"Leaf", 0x1F343, 2, 1}},
       {0x1F33F, 0x1FAB4},
       {{0, 660, 322}}},
      {4, "Millbrook Farm", {1.0, 1.0, 0.94}, 290,
       {{"Apple", 0x1F34E, 0, 2}, {"Pear", 0x1F350, 0, 1}, {"Basket", 0x1F9FA, 0, 1}, {"Bucket", 0x1FAA3, 0, 1},
        {"Ladder", 0x1FA9C, 0, 1}, {"Rooster", 0x1F413, 0, 1}, {"Honey Pot", 0x1F36F, 0, 1}, {"Sunflower", 0x1F33B, 0, 1},
        {"Grapes", 0x1F347, 1, 1}, {"Cherries", 0x1F352, 1, 1}, {"Squirrel", 0x1F43F, 1, 1}, {"Bee", 0x1F41D, 1, 1},
        {"Broom", 0x1F9F9, 1, 1}, {"Boot", 0x1F462, 1, 1}, {"Bread", 0x1F35E, 1, 1}, {"Cheese", 0x1F9C0, 1, 1},
        {"Ladybird", 0x1F41E, 2, 1}, {"Butterfly", 0x1F98B, 2, 1}, {"Clover", 0x1F340, 2, 1}, {"Snail", 0x1F40C, 2, 1},
        {"Egg", 0x1F95A, 2, 1}, {"Bird", 0x1F426, 2, 1}, {"Saw", 0x1FA9A, 2, 1}, {"Maple Leaf", 0x1F341, 2, 1}},
       {0x1FAB5, 0x1F33F},
       {{522, 608, 472}, {0, 660, 356}}},
      {5, "Windward Ruins", {0.8, 0.84, 0.94}, 250,
       {{"Shield", 0x1F6E1, 0, 1}, {"Crossed Swords", 0x2694, 0, 1}, {"Bow and Arrow", 0x1F3F9, 0, 1},
        {"Telescope", 0x1F52D, 0, 1}, {"Anchor", 0x2693, 0, 1}, {"Bell", 0x1F514, 0, 1}, {"Drum", 0x1F941, 0, 1},
        {"Wind Chime", 0x1F390, 0, 1}, {"Compass", 0x1F9ED, 1, 1}, {"Dove", 0x1F54A, 1, 1}, {"Post Horn", 0x1F4EF, 1, 1},
        {"Map", 0x1F5FA, 1, 1}, {"Hourglass", 0x23F3, 1, 1}, {"Chains", 0x26D3, 1, 1}, {"Kite", 0x1FA81, 1, 2},
        {"Pickaxe", 0x26CF, 1, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Dagger", 0x1F5E1, 2, 1}, {"Old Key", 0x1F5DD, 2, 1},
        {"Rope", 0x1FAA2, 2, 1}, {"Hook", 0x1FA9D, 2, 1}, {"Ring", 0x1F48D, 2, 1}, {"Letter", 0x2709, 2, 1},
        {"Bat", 0x1F987, 2, 1}},
       {0x1FAA8, 0x1FAB5}, {}},
      {6, "Crystal Cavern", {0.95, 0.78, 0.58}, 200,
       {{"Crown", 0x1F451, 0, 1}, {"Golden Cup", 0x1F3C6, 0, 1}, {"Money Bag", 0x1F4B0, 0, 2}, {"Scales", 0x2696, 0, 1},
        {"Amphora", 0x1F3FA, 0, 1}, {"Gem", 0x1F48E, 0, 1}, {"Urn", 0x26B1, 0, 1}, {"Shield", 0x1F6E1, 0, 1},
        {"Ring", 0x1F48D, 1, 1}, {"Prayer Beads", 0x1F4FF, 1, 1}, {"Hamsa", 0x1FAAC, 1, 1}, {"Magic Wand", 0x1FA84, 1, 1},
        {"Oil Lamp", 0x1FA94, 1, 1}, {"Theatre Masks", 0x1F3AD, 1, 1}, {"Dagger", 0x1F5E1, 1, 1}, {"Purse", 0x1F45B, 1, 1},
        {"Key", 0x1F511, 2, 1}, {"Rat", 0x1F400, 2, 1}, {"Spider", 0x1F577, 2, 1}, {"Snake", 0x1F40D, 2, 1},
        {"Bone", 0x1F9B4, 2, 1}, {"Skull", 0x1F480, 2, 1}, {"Magnet", 0x1F9F2, 2, 1}, {"Die", 0x1F3B2, 2, 1}},
       {0x1FAA8, 0x1FAA8},
       {{172, 288, 192}}},
      {7, "Vesper's Library", {1.0, 0.93, 0.8}, 110,
       {{"Books", 0x1F4DA, 0, 1}, {"Open Book", 0x1F4D6, 0, 1}, {"Crystal Ball", 0x1F52E, 0, 1}, {"Owl", 0x1F989, 0, 1},
        {"Hourglass", 0x231B, 0, 1}, {"Planet", 0x1FA90, 0, 1}, {"Telescope", 0x1F52D, 0, 1}, {"Candle", 0x1F56F, 0, 1},
        {"Fountain Pen", 0x1F58B, 1, 1}, {"Pen Nib", 0x2712, 1, 1}, {"Alembic", 0x2697, 1, 1}, {"Potion Vial", 0x1F9EA, 1, 2},
        {"Magic Wand", 0x1FA84, 1, 1}, {"Map", 0x1F5FA, 1, 1}, {"Compass", 0x1F9ED, 1, 1}, {"Bookmark", 0x1F516, 1, 1},
        {"Old Key", 0x1F5DD, 2, 1}, {"Spider", 0x1F577, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Mouse", 0x1F401, 2, 1},
        {"Spectacles", 0x1F453, 2, 1}, {"Ring", 0x1F48D, 2, 1}, {"Letter", 0x2709, 2, 1}, {"Butterfly", 0x1F98B, 2, 1}},
       {0x1FAB4, 0x1FAB4},
       {{18, 202, 108}, {18, 202, 185}, {18, 202, 262}, {18, 202, 339}, {528, 652, 112}, {528, 652, 203}, {528, 652, 294}, {392, 628, 302}, {266, 424, 260}}},
      {8, "Chapel Yard", {0.6, 0.64, 0.82}, 290,
       {{"Coffin", 0x26B0, 0, 1}, {"Lantern", 0x1F3EE, 0, 1}, {"Skull", 0x1F480, 0, 1}, {"Bat", 0x1F987, 0, 1},
        {"Pumpkin", 0x1F383, 0, 1}, {"Urn", 0x26B1, 0, 1}, {"Pickaxe", 0x26CF, 0, 1}, {"Headstone", 0x1FAA6, 0, 1},
        {"Bone", 0x1F9B4, 1, 1}, {"Cobweb", 0x1F578, 1, 1}, {"Candle", 0x1F56F, 1, 2}, {"Bell", 0x1F514, 1, 1},
        {"Rose", 0x1F339, 1, 1}, {"Owl", 0x1F989, 1, 1}, {"Prayer Beads", 0x1F4FF, 1, 1}, {"Cat", 0x1F408, 1, 1},
        {"Key", 0x1F511, 2, 1}, {"Spider", 0x1F577, 2, 1}, {"Ring", 0x1F48D, 2, 1}, {"Moon Charm", 0x1F319, 2, 1},
        {"Snail", 0x1F40C, 2, 1}, {"Mushroom", 0x1F344, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Letter", 0x2709, 2, 1}},
       {0x1F33F, 0x1FAA8}, {}},
      {9, "The Dungeon", {0.82, 0.7, 0.58}, 150,
       {{"Chains", 0x26D3, 0, 1}, {"Axe", 0x1FA93, 0, 1}, {"Bucket", 0x1FAA3, 0, 1}, {"Skull", 0x1F480, 0, 1},
        {"Shield", 0x1F6E1, 0, 1}, {"Broom", 0x1F9F9, 0, 1}, {"Bread", 0x1F35E, 0, 1}, {"Candle", 0x1F56F, 0, 1},
        {"Rat", 0x1F400, 1, 2}, {"Bone", 0x1F9B4, 1, 1}, {"Old Key", 0x1F5DD, 1, 1}, {"Hammer", 0x1F528, 1, 1},
        {"Pickaxe", 0x26CF, 1, 1}, {"Tankard", 0x1F37A, 1, 1}, {"Dagger", 0x1F5E1, 1, 1}, {"Saw", 0x1FA9A, 1, 1},
        {"Spider", 0x1F577, 2, 1}, {"Cobweb", 0x1F578, 2, 1}, {"Bat", 0x1F987, 2, 1}, {"Snail", 0x1F40C, 2, 1},
        {"Ring", 0x1F48D, 2, 1}, {"Hook", 0x1FA9D, 2, 1}, {"Die", 0x1F3B2, 2, 1}, {"Needle", 0x1FAA1, 2, 1}},
       {0x1FAA8, 0x1FAB5},
       {{42, 198, 382}, {42, 98, 302}}},
      {10, "Willow Pond", {0.92, 1.0, 0.92}, 270,
       {{"Frog", 0x1F438, 0, 1}, {"Duck", 0x1F986, 0, 1}, {"Swan", 0x1F9A2, 0, 1}, {"Turtle", 0x1F422, 0, 1},
        {"Fish", 0x1F41F, 0, 2}, {"Tulip", 0x1F337, 0, 1}, {"Canoe", 0x1F6F6, 0, 1}, {"Basket", 0x1F9FA, 0, 1},
        {"Butterfly", 0x1F98B, 1, 1}, {"Snail", 0x1F40C, 1, 1}, {"Shell", 0x1F41A, 1, 1}, {"Mushroom", 0x1F344, 1, 1},
        {"Bee", 0x1F41D, 1, 1}, {"Clover", 0x1F340, 1, 1}, {"Herbs", 0x1F33F, 1, 1}, {"Bucket", 0x1FAA3, 1, 1},
        {"Ladybird", 0x1F41E, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Key", 0x1F511, 2, 1}, {"Ring", 0x1F48D, 2, 1},
        {"Chestnut", 0x1F330, 2, 1}, {"Leaf", 0x1F343, 2, 1}, {"Egg", 0x1F95A, 2, 1}, {"Hook", 0x1FA9D, 2, 1}},
       {0x1FAB5, 0x1FAA8}, {}},
      {11, "Castle Ramparts", {1.0, 0.9, 0.8}, 150,
       {{"Bell", 0x1F514, 0, 1}, {"Dove", 0x1F54A, 0, 1}, {"Cat", 0x1F408, 0, 1}, {"Lantern", 0x1F3EE, 0, 1},
        {"Wind Chime", 0x1F390, 0, 1}, {"Kite", 0x1FA81, 0, 1}, {"Broom", 0x1F9F9, 0, 1}, {"Ladder", 0x1FA9C, 0, 1},
        {"Bird", 0x1F426, 1, 2}, {"Boot", 0x1F462, 1, 1}, {"Umbrella", 0x2602, 1, 1}, {"Bucket", 0x1FAA3, 1, 1},
        {"Letter", 0x2709, 1, 1}, {"Potted Plant", 0x1FAB4, 1, 1}, {"Scarf", 0x1F9E3, 1, 1}, {"Teapot", 0x1FAD6, 1, 1},
        {"Key", 0x1F511, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Scissors", 0x2702, 2, 1}, {"Ring", 0x1F48D, 2, 1},
        {"Yarn", 0x1F9F6, 2, 1}, {"Mouse", 0x1F401, 2, 1}, {"Maple Leaf", 0x1F341, 2, 1}, {"Spoon", 0x1F944, 2, 1}},
       {0x1FAB5, 0x1FAA8},
       {{0, 660, 382}, {10, 66, 338}, {100, 156, 338}, {190, 246, 338}, {280, 336, 338}, {370, 426, 338}, {460, 516, 338}, {550, 606, 338}}},
      {12, "Haunted Attic", {0.76, 0.72, 0.68}, 150,
       {{"Chair", 0x1FA91, 0, 1}, {"Mirror", 0x1FA9E, 0, 1}, {"Suitcase", 0x1F9F3, 0, 1}, {"Teddy Bear", 0x1F9F8, 0, 1},
        {"Nesting Doll", 0x1FA86, 0, 1}, {"Painting", 0x1F5BC, 0, 1}, {"Violin", 0x1F3BB, 0, 1}, {"Top Hat", 0x1F3A9, 0, 1},
        {"Mantel Clock", 0x1F570, 1, 1}, {"Candle", 0x1F56F, 1, 2}, {"Yarn", 0x1F9F6, 1, 1}, {"Theatre Masks", 0x1F3AD, 1, 1},
        {"Drum", 0x1F941, 1, 1}, {"Chess Pawn", 0x265F, 1, 1}, {"Bat", 0x1F987, 1, 1}, {"Hourglass", 0x23F3, 1, 1},
        {"Spider", 0x1F577, 2, 1}, {"Cobweb", 0x1F578, 2, 1}, {"Mouse", 0x1F401, 2, 1}, {"Old Key", 0x1F5DD, 2, 1},
        {"Thread", 0x1F9F5, 2, 1}, {"Needle", 0x1FAA1, 2, 1}, {"Bow", 0x1F380, 2, 1}, {"Die", 0x1F3B2, 2, 1}},
       {0x1FAB5, 0x1F9FA},
       {{42, 148, 382}, {82, 148, 322}, {522, 598, 372}, {0, 660, 150}}},
  };
  return kLocations;
}

const LocationDef& LocationById(int theId) { return Locations().at(static_cast<size_t>(theId - 1)); }

namespace {

void WyrmCellar(Canvas& c) {
  c.LinearV(0, 600, Hex(0x1A120E), Hex(0x3A2418));
  cairo_paint(c.cr());
  RockWall(c, 101, -40, -20, 740, 330, Hex(0x4A3A30));
  // The dark mouth at the back where the dragon's eyes glow.
  c.Ellipse(380, 440, 150, 110);
  c.Fill(Hex(0x070404));
  c.Ellipse(380, 440, 170, 125);
  c.Radial(380, 440, 175, Hex(0x000000), 0.0, 0.6);
  cairo_fill(c.cr());
  Stalactites(c, 102, 0, 26, Hex(0x5A4536));
  Hills(c, 103, 470, 20, Hex(0x5C4030), Hex(0x2A1A10));
  // The cellar's vaulted brickwork at the sides, and the wyrm's hoard.
  StoneWall(c, 107, 0, 0, 70, 600, Hex(0x6A4A38), 35, 18);
  StoneWall(c, 108, 600, 0, 60, 600, Hex(0x6A4A38), 35, 18);
  Barrel(c, 590, 330, 60, 90, Hex(0x6A4028));
  Treasure(c, 104, 40, 430, 230, 120);
  Treasure(c, 105, 470, 470, 180, 90);
  Light(c, 120, 500, 220, Hex(0xFFB040), 0.35);
  Light(c, 560, 520, 160, Hex(0xFFB040), 0.3);
  Light(c, 330, 80, 160, Hex(0xFF7A30), 0.15);
  Finish(c, 106, 0.05, 0.5);
}

void ClockmakersLoft(Canvas& c) {
  WoodPanels(c, 201, 0, 0, 660, 420, Hex(0x6A3E22));
  cairo_rectangle(c.cr(), 0, 0, 660, 40);
  c.Fill(Hex(0x3A2012));
  // The portrait whose eyes follow the player (the eyes at 255, 308).
  c.RoundRect(190, 230, 150, 190, 6);
  c.Fill(Hex(0xC89A3A));
  cairo_rectangle(c.cr(), 202, 242, 126, 166);
  c.LinearV(242, 408, Hex(0x2A3A2A), Hex(0x101810));
  cairo_fill(c.cr());
  c.Ellipse(273, 322, 38, 48);
  c.Fill(Hex(0xD9B08C));
  c.Ellipse(273, 277, 44, 22);
  c.Fill(Hex(0x3A2414));
  cairo_rectangle(c.cr(), 230, 362, 86, 46);
  c.Fill(Hex(0x5A1A1A));
  c.Ellipse(263, 313, 7, 4.5);
  c.Ellipse(283, 313, 7, 4.5);
  c.Fill(Hex(0xF4EEE0));
  // Other portraits and the clock.
  c.RoundRect(420, 150, 110, 140, 6);
  c.Fill(Hex(0xB88A30));
  cairo_rectangle(c.cr(), 430, 160, 90, 120);
  c.LinearV(160, 280, Hex(0x3A2A4A), Hex(0x181020));
  cairo_fill(c.cr());
  c.Ellipse(475, 215, 24, 30);
  c.Fill(Hex(0xCFA27E));
  c.RoundRect(560, 180, 70, 240, 8);
  c.LinearV(180, 420, Hex(0x5A3018), Hex(0x2A1408));
  cairo_fill(c.cr());
  cairo_arc(c.cr(), 595, 225, 24, 0, 2 * M_PI);
  c.Fill(Hex(0xEFE4C8));
  cairo_move_to(c.cr(), 595, 225);
  cairo_line_to(c.cr(), 595, 207);
  cairo_move_to(c.cr(), 595, 225);
  cairo_line_to(c.cr(), 608, 230);
  cairo_set_line_width(c.cr(), 2);
  c.Color(Hex(0x201008));
  cairo_stroke(c.cr());
  // The clockmaker's work: faces and gears on the wall.
  for (int i = 0; i < 3; ++i) {
    const double x = 380 + i * 62, y = 350 + (i % 2) * 22;
    cairo_arc(c.cr(), x, y, 20, 0, 2 * M_PI);
    c.Fill(Hex(0x8A6226));
    cairo_arc(c.cr(), x, y, 16, 0, 2 * M_PI);
    c.Fill(Hex(0xEFE4C8));
    cairo_move_to(c.cr(), x, y);
    cairo_line_to(c.cr(), x + 8 * std::cos(i * 2.1), y + 8 * std::sin(i * 2.1));
    cairo_set_line_width(c.cr(), 1.5);
    c.Color(Hex(0x201008));
    cairo_stroke(c.cr());
  }
  for (int i = 0; i < 4; ++i) {
    const double x = 60 + i * 38, y = 80 + (i % 2) * 30, r = 16 + (i % 3) * 5;
    for (int k = 0; k < 10; ++k) {
      cairo_save(c.cr());
      cairo_translate(c.cr(), x, y);
      cairo_rotate(c.cr(), k * M_PI / 5 + i);
      cairo_rectangle(c.cr(), -3, -r - 4, 6, 8);
      cairo_restore(c.cr());
    }
    cairo_arc(c.cr(), x, y, r, 0, 2 * M_PI);
    c.Fill(Hex(0xA07A30), 0.85);
    cairo_arc(c.cr(), x, y, r * 0.35, 0, 2 * M_PI);
    c.Fill(Hex(0x4A2E12));
  }
  // Candle sconces under the two flames.
  for (double x : {91.0, 294.0}) {
    cairo_rectangle(c.cr(), x - 10, 150, 20, 8);
    c.Fill(Hex(0xB08A3A));
    Light(c, x, 130, 110, Hex(0xFFB050), 0.35);
  }
  WoodFloor(c, 202, 420, Hex(0x5A3218));
  Rug(c, 120, 470, 420, 110, Hex(0x7A1A1A), Hex(0xC8A040));
  Table(c, 40, 400, 140, 90, Hex(0x5A3018));
  Finish(c, 203, 0.04, 0.45);
}

void OwlwoodPath(Canvas& c) {
  Sky(c, 330, Hex(0x0A1030), Hex(0x2A3A6A));
  Stars(c, 301, 120, 300);
  Moon(c, 540, 80, 34, Hex(0xF0F0D8));
  Hills(c, 302, 270, 25, Hex(0x1A2A3A), Hex(0x101820));
  Tree(c, 303, 560, 360, 300, Hex(0x2A2018), Hex(0x1E3A2A), 0.2);
  // The hollow where the eyes light up (509, 138).
  c.Ellipse(525, 150, 28, 22);
  c.Fill(Hex(0x050505));
  Tree(c, 304, 80, 350, 260, Hex(0x2A2018), Hex(0x1A3426), 0.15);
  Grass(c, 305, 330, Hex(0x1E3A24), Hex(0x142A1C));
  // A path and flower beds.
  cairo_move_to(c.cr(), 250, 330);
  cairo_curve_to(c.cr(), 300, 420, 200, 500, 260, 600);
  cairo_line_to(c.cr(), 430, 600);
  cairo_curve_to(c.cr(), 360, 500, 420, 420, 300, 330);
  c.LinearV(330, 600, Hex(0x3A3A44), Hex(0x6A6A70));
  cairo_fill(c.cr());
  Bush(c, 306, 120, 460, 60, Hex(0x2A5A36));
  Bush(c, 307, 540, 480, 70, Hex(0x2A5A36));
  Random r(308);
  for (int i = 0; i < 60; ++i) {
    const double x = r.Range(0, 660), y = r.Range(400, 590);
    if (x > 220 && x < 440) continue;
    cairo_arc(c.cr(), x, y, r.Range(2, 4), 0, 2 * M_PI);
    c.Fill(Mix(Hex(0xD070A0), Hex(0xE8E0FF), r.Unit()), 0.8);
  }
  Fence(c, 0, 660, 360, 40, Hex(0x3A3A3A));
  Blades(c, 309, 0, 660, 600, 120, 30, Hex(0x2A5A30));
  Light(c, 540, 80, 300, Hex(0x5070C0), 0.12);
  Finish(c, 310, 0.04, 0.5);
}

void MillbrookFarm(Canvas& c) {
  Sky(c, 300, Hex(0x6AA8E8), Hex(0xCFE6F4));
  Clouds(c, 401, 6, 40, 160, Hex(0xFFFFFF), 0.6);
  Hills(c, 402, 250, 30, Hex(0x8AB860), Hex(0x5A8A40));
  // The third tree stands where the eyes blink, so that their hole is in its crown, not the sky.
  const double kTreeX[4] = {60, 250, 500, 640};
  for (int i = 0; i < 4; ++i) Tree(c, 403 + i, kTreeX[i], 330 + (i % 2) * 20, 230, Hex(0x6A4A2A), Hex(0x4E8A36), 0.35);
  // The knot-hole where the eyes blink (470, 127).
  c.Ellipse(500, 160, 26, 20);
  c.Fill(Hex(0x1A1008));
  Grass(c, 404, 330, Hex(0x5A9A3A), Hex(0x7AB050));
  Random r(405);
  for (int i = 0; i < 30; ++i) {  // windfall apples
    cairo_arc(c.cr(), r.Range(0, 660), r.Range(360, 590), 5, 0, 2 * M_PI);
    c.Fill(Hex(0xC8302A), 0.9);
  }
  Fence(c, 0, 660, 400, 46, Hex(0x8A6A44));
  Crate(c, 520, 470, 90, 70, Hex(0xA07A4A));
  Blades(c, 406, 0, 660, 600, 160, 26, Hex(0x4A8A2A));
  Light(c, 600, 0, 420, Hex(0xFFF0B0), 0.25);
  Finish(c, 407, 0.03, 0.25);
}

void WindwardRuins(Canvas& c) {
  Sky(c, 380, Hex(0x2A3448), Hex(0x8A94A8));
  Clouds(c, 501, 10, 20, 220, Hex(0x404A5A), 0.7);
  Clouds(c, 502, 6, 60, 260, Hex(0xB8C0CC), 0.3);
  Hills(c, 503, 330, 25, Hex(0x4A5A50), Hex(0x3A4638));
  // Broken arches and columns of an old hall on the hill.
  for (int i = 0; i < 4; ++i) {
    const double x = 60 + i * 150, h = 190 - (i % 2) * 70;
    Column(c, x, 420 - h, 40, h, Hex(0x9A968C));
  }
  cairo_t* cr = c.cr();
  cairo_arc(cr, 155, 300, 75, M_PI, 1.75 * M_PI);
  cairo_set_line_width(cr, 22);
  c.Color(Hex(0x8A867C));
  cairo_stroke(cr);
  Grass(c, 504, 410, Hex(0x3A5A34), Hex(0x4A6A40));
  Random r(505);
  for (int i = 0; i < 12; ++i) {  // fallen stones
    c.RoundRect(r.Range(0, 620), r.Range(430, 570), r.Range(24, 60), r.Range(14, 30), 5);
    c.Fill(Hex(0x8A867C), 0.95);
  }
  Blades(c, 506, 0, 660, 600, 140, 28, Hex(0x4A6A3A));
  Light(c, 300, 120, 300, Hex(0xC0D0FF), 0.12);
  Finish(c, 507, 0.04, 0.4);
}

void Crystals(Canvas& c, uint32_t theSeed, double x, double y, double w, double h, const Rgb& theColour) {
  Random r(theSeed);
  cairo_t* cr = c.cr();
  Light(c, x + w / 2, y + h / 2, std::max(w, h) * 0.7, theColour, 0.35);
  for (int i = 0; i < static_cast<int>(w / 12); ++i) {
    const double bx = x + r.Range(0, w), by = y + h, ch = r.Range(h * 0.3, h), cw = r.Range(8, 18);
    const double lean = r.Range(-0.35, 0.35);
    cairo_save(cr);
    cairo_translate(cr, bx, by);
    cairo_rotate(cr, lean);
    cairo_move_to(cr, -cw / 2, 0);
    cairo_line_to(cr, -cw / 2, -ch * 0.8);
    cairo_line_to(cr, 0, -ch);
    cairo_line_to(cr, cw / 2, -ch * 0.8);
    cairo_line_to(cr, cw / 2, 0);
    cairo_close_path(cr);
    cairo_pattern_t* p = cairo_pattern_create_linear(-cw / 2, 0, cw / 2, 0);
    cairo_pattern_add_color_stop_rgba(p, 0, theColour.r * 0.5, theColour.g * 0.5, theColour.b * 0.6, 0.95);
    cairo_pattern_add_color_stop_rgba(p, 0.45, std::min(1.0, theColour.r * 1.4), std::min(1.0, theColour.g * 1.4), 1, 0.95);
    cairo_pattern_add_color_stop_rgba(p, 1, theColour.r * 0.4, theColour.g * 0.4, theColour.b * 0.5, 0.95);
    cairo_set_source(cr, p);
    cairo_fill(cr);
    cairo_pattern_destroy(p);
    cairo_restore(cr);
  }
}

void CrystalCavern(Canvas& c) {
  c.LinearV(0, 600, Hex(0x101422), Hex(0x241E2A));
  cairo_paint(c.cr());
  RockWall(c, 601, -40, -20, 740, 460, Hex(0x3A3A4E));
  Stalactites(c, 602, 0, 20, Hex(0x4A4A60));
  // The old idol whose eyes burn (213 and 238, 125).
  c.Ellipse(230, 140, 48, 56);
  c.LinearV(80, 200, Hex(0x6A6A5A), Hex(0x2A2A22));
  cairo_fill(c.cr());
  c.Ellipse(218, 132, 10, 6);
  c.Ellipse(243, 132, 10, 6);
  c.Fill(Hex(0x0A0604));
  cairo_rectangle(c.cr(), 170, 190, 120, 120);
  c.LinearV(190, 310, Hex(0x5A5A4A), Hex(0x2A2A22));
  cairo_fill(c.cr());
  Hills(c, 603, 440, 15, Hex(0x3A3444), Hex(0x1A1620));
  // Crystal clusters where the light sparkles.
  Crystals(c, 604, 32, 332, 214, 160, Hex(0x70A0FF));
  Crystals(c, 605, 70, 500, 382, 90, Hex(0xB080FF));
  Crystals(c, 606, 412, 319, 240, 109, Hex(0x60E0D0));
  Crystals(c, 607, 294, 20, 146, 60, Hex(0x90B0FF));
  Torch(c, 480, 180);
  Finish(c, 608, 0.05, 0.5);
}

void CastleRamparts(Canvas& c) {
  Sky(c, 360, Hex(0x5A4A8A), Hex(0xF0A070));
  Clouds(c, 501, 8, 20, 200, Hex(0xE89070), 0.5);
  Light(c, 420, 330, 300, Hex(0xFFC070), 0.35);
  Hills(c, 503, 330, 20, Hex(0x4A5A50), Hex(0x3A4638));
  // A tower on the left with arrow slits.
  StoneWall(c, 504, 0, 60, 150, 360, Hex(0x8A8A90), 40, 22);
  for (double y : {110.0, 200.0, 290.0}) {
    c.RoundRect(60, y, 14, 50, 7);
    c.Fill(Hex(0x0A0A0E));
  }
  Battlement(c, 505, 380, 220, Hex(0x9A9AA0));
  c.RoundRect(420, 430, 120, 16, 4);
  c.Fill(Hex(0x5A4A3A));
  // A banner snapping in the wind.
  cairo_move_to(c.cr(), 560, 120);
  cairo_line_to(c.cr(), 560, 380);
  cairo_set_line_width(c.cr(), 5);
  c.Color(Hex(0x3A2A1A));
  cairo_stroke(c.cr());
  cairo_move_to(c.cr(), 562, 125);
  cairo_curve_to(c.cr(), 610, 110, 640, 150, 650, 135);
  cairo_line_to(c.cr(), 640, 200);
  cairo_curve_to(c.cr(), 620, 215, 600, 190, 562, 205);
  cairo_close_path(c.cr());
  c.Fill(Hex(0x6A1A3A));
  Light(c, 300, 120, 300, Hex(0xC0D0FF), 0.12);
  Finish(c, 506, 0.04, 0.4);
}

void VespersLibrary(Canvas& c) {
  WoodPanels(c, 701, 0, 0, 660, 400, Hex(0x4A2C18));
  Bookcase(c, 702, 10, 30, 200, 400, Hex(0x5A3418));
  Bookcase(c, 703, 520, 20, 140, 380, Hex(0x5A3418));
  Window(c, 280, 50, 130, 210, Hex(0x101838), Hex(0x3A4A8A), Hex(0x3A2414), true);
  Curtain(c, 240, 30, 60, 300, Hex(0x6A1A2A), true);
  Curtain(c, 392, 30, 60, 300, Hex(0x6A1A2A), false);
  WoodFloor(c, 704, 400, Hex(0x6A3C1C));
  Rug(c, 150, 450, 380, 120, Hex(0x1A3A5A), Hex(0xB89038));
  Table(c, 380, 300, 260, 120, Hex(0x6A3A1A));
  // Candles under the two flames (452, 249) and (634, 218).
  Candle(c, 466, 300, 22);
  Candle(c, 648, 270, 26);
  Light(c, 460, 270, 200, Hex(0xFFB860), 0.35);
  Light(c, 345, 150, 180, Hex(0x6080D0), 0.12);
  Cobweb(c, 0, 0, 70, false);
  Finish(c, 705, 0.04, 0.45);
}

void ChapelYard(Canvas& c) {
  Sky(c, 300, Hex(0x080C1C), Hex(0x2A2A4A));
  Stars(c, 801, 90, 250);
  Moon(c, 330, 90, 40, Hex(0xE8E4D0));
  Clouds(c, 802, 5, 60, 200, Hex(0x2A2A3A), 0.6);
  // A ruined chapel.
  cairo_move_to(c.cr(), 230, 300);
  cairo_line_to(c.cr(), 230, 190);
  cairo_line_to(c.cr(), 330, 130);
  cairo_line_to(c.cr(), 430, 190);
  cairo_line_to(c.cr(), 430, 300);
  cairo_close_path(c.cr());
  c.Fill(Hex(0x14141C));
  c.RoundRect(315, 200, 30, 50, 15);
  c.Fill(Hex(0xE8B860), 0.7);
  Hills(c, 803, 300, 15, Hex(0x1E2A24), Hex(0x141C18));
  // Gate pillars with the gargoyles' eyes (52 and 607, 116).
  for (double x : {30.0, 585.0}) {
    StoneWall(c, 804 + static_cast<uint32_t>(x), x, 140, 50, 300, Hex(0x6A6A70), 25, 20);
    c.Ellipse(x + 25, 128, 30, 24);
    c.Fill(Hex(0x2A2A30));
  }
  Grass(c, 805, 320, Hex(0x1E3024), Hex(0x141E18));
  Random r(806);
  for (int i = 0; i < 9; ++i)
    Gravestone(c, 100 + i * 55 + r.Range(-10, 10), 330 + (i % 3) * 40, r.Range(30, 44), r.Range(46, 64),
               Hex(0x7A7A80), i % 4 == 1);
  Fence(c, 0, 660, 560, 60, Hex(0x2A2A2E));
  Blades(c, 807, 0, 660, 600, 100, 24, Hex(0x2A4030));
  Light(c, 330, 90, 320, Hex(0x7080C0), 0.12);
  Finish(c, 808, 0.05, 0.55);
}

void TheDungeon(Canvas& c) {
  StoneWall(c, 901, 0, 0, 660, 440, Hex(0x5A5650), 60, 32);
  // A barred cell door and chains on the wall.
  c.RoundRect(400, 180, 180, 260, 10);
  c.Fill(Hex(0x0E0C0A));
  for (double x = 412; x < 580; x += 22) {
    cairo_rectangle(c.cr(), x, 185, 7, 255);
    c.LinearV(185, 440, Hex(0x6A6A72), Hex(0x2A2A2E));
    cairo_fill(c.cr());
  }
  // The torch under the flame at (274, 71).
  cairo_rectangle(c.cr(), 288, 130, 16, 60);
  c.Fill(Hex(0x3A2A1A));
  Light(c, 296, 110, 260, Hex(0xFF9A40), 0.4);
  Flagstones(c, 902, 440, Hex(0x5A5650));
  cairo_rectangle(c.cr(), 40, 380, 160, 30);
  c.Fill(Hex(0x4A3420));
  Barrel(c, 40, 300, 60, 85, Hex(0x5A3A20));
  Cobweb(c, 660, 0, 90, true);
  Finish(c, 903, 0.06, 0.6);
}

void WillowPond(Canvas& c) {
  Sky(c, 260, Hex(0x7AB0D8), Hex(0xE8E0C0));
  Clouds(c, 1001, 5, 30, 140, Hex(0xFFFFFF), 0.5);
  Hills(c, 1002, 220, 20, Hex(0x6A9A5A), Hex(0x4A7A3A));
  Tree(c, 1003, 70, 320, 280, Hex(0x5A4A30), Hex(0x5A8A3A), 0.3);
  Tree(c, 1004, 610, 300, 240, Hex(0x5A4A30), Hex(0x4A7A36), 0.3);
  Grass(c, 1005, 290, Hex(0x4A8A36), Hex(0x6AA04A));
  Pond(c, 300, 430, 230, 90, Hex(0x2A5A6A), Hex(0xA8D0E8));
  Reeds(c, 1006, 80, 200, 470, Hex(0x3A6A2A));
  Reeds(c, 1007, 460, 560, 440, Hex(0x3A6A2A));
  for (int i = 0; i < 6; ++i) {  // lily pads
    c.Ellipse(200 + i * 40, 420 + (i % 3) * 20, 14, 6);
    c.Fill(Hex(0x3A7A3A));
  }
  Blades(c, 1008, 0, 660, 600, 140, 30, Hex(0x3A7A2A));
  Light(c, 330, 0, 380, Hex(0xFFF0C0), 0.2);
  Finish(c, 1009, 0.03, 0.3);
}

void HauntedAttic(Canvas& c) {
  WoodPanels(c, 1201, 0, 0, 660, 460, Hex(0x4A3A2C));
  Beam(c, 0, 60, 330, -40, 40, Hex(0x3A2A1E));
  Beam(c, 660, 60, 330, -40, 40, Hex(0x3A2A1E));
  Beam(c, 0, 160, 660, 160, 26, Hex(0x3A2A1E));
  // A round window with moonlight.
  cairo_arc(c.cr(), 330, 260, 60, 0, 2 * M_PI);
  c.Fill(Hex(0x2A2A22));
  cairo_arc(c.cr(), 330, 260, 50, 0, 2 * M_PI);
  c.LinearV(210, 310, Hex(0x2A3A6A), Hex(0x6A7AAA));
  cairo_fill(c.cr());
  Shaft(c, 300, 240, 60, 600, Hex(0x8090C0), 0.18);
  WoodFloor(c, 1202, 460, Hex(0x5A4430));
  Crate(c, 40, 380, 110, 90, Hex(0x7A5A3A));
  Crate(c, 80, 320, 70, 60, Hex(0x6A4A2A));
  Barrel(c, 520, 370, 80, 110, Hex(0x5A3A22));
  Curtain(c, 180, 300, 80, 200, Hex(0xD8D0C0), true);
  Cobweb(c, 0, 0, 100, false);
  Cobweb(c, 660, 0, 110, true);
  Finish(c, 1203, 0.06, 0.55);
}

}  // namespace

void PaintScene(int theId, Canvas& c) {
  switch (theId) {
    case 1: WyrmCellar(c); break;
    case 2: ClockmakersLoft(c); break;
    case 3: OwlwoodPath(c); break;
    case 4: MillbrookFarm(c); break;
    case 5: WindwardRuins(c); break;
    case 6: CrystalCavern(c); break;
    case 7: VespersLibrary(c); break;
    case 8: ChapelYard(c); break;
    case 9: TheDungeon(c); break;
    case 10: WillowPond(c); break;
    case 11: CastleRamparts(c); break;
    default: HauntedAttic(c); break;
  }
}

}  // namespace GameAssets
