#include "Scenes.h"

#include <algorithm>
#include <cmath>

#include "ScenePainter.h"
#include "ScenePaintings.h"

namespace GameAssets {

namespace {

constexpr uint8_t k_g = k_onGround, k_l = k_onLedge, k_wl = k_onWall, k_b = k_onBranch, k_wa = k_onWater;

// The floor or ground from theTop down to the front, things growing toward the viewer.
Zone Ground(int x0, int x1, int y0, int y1, double s0, double s1) { return {k_g, x0, x1, y0, y1, s0, s1, -1, 0}; }
Zone Ledge(int x0, int x1, int y, double s, int theDepth, int theRoom = 0) {
  return {k_l, x0, x1, y, y, s, s, theDepth, theRoom};
}
Zone Wall(int x0, int x1, int y0, int y1, double s, int theDepth) { return {k_wl, x0, x1, y0, y1, s, s, theDepth, 0}; }
Zone Branch(int x0, int x1, int y, double s, int theDepth) { return {k_b, x0, x1, y, y, s, s, theDepth, 0}; }
Zone Water(int x0, int x1, int y0, int y1, double s0, double s1) { return {k_wa, x0, x1, y0, y1, s0, s1, -1, 0}; }

}  // namespace

ItemTraits TraitsOf(uint32_t theCode) {
  struct Row {
    uint32_t mCode;
    double mSize;
    uint8_t mRests;
    bool mLies;
  };
  // Things hung on walls may also lie about; creatures that fly perch on ledges and branches.
  static const Row kRows[] = {
      {0x1F6E1, 1.15, k_g | k_l | k_wl, false},  // shield
      {0x1FA93, 1.1, k_g | k_l | k_wl, true},    // axe
      {0x1F3FA, 1.1, k_g | k_l, false},          // amphora
      {0x1F48E, 0.8, k_g | k_l, false},          // gem
      {0x1F95A, 0.8, k_g | k_l, false},          // egg
      {0x1F48D, 0.62, k_g | k_l, true},          // ring
      {0x1F5E1, 0.95, k_g | k_l | k_wl, true},   // dagger
      {0x1F9B4, 0.85, k_g | k_l, true},          // bone
      {0x1F98E, 0.9, k_g | k_l | k_wl, true},    // lizard
      {0x26D3, 0.9, k_g | k_l | k_wl, false},    // chains
      {0x26B1, 1.0, k_g | k_l, false},           // urn
      {0x1F514, 0.85, k_g | k_l | k_wl, false},  // bell
      {0x1F987, 0.8, k_l | k_wl | k_b, false},   // bat
      {0x1F511, 0.72, k_g | k_l | k_wl, true},   // key
      {0x1F344, 0.75, k_g, false},               // mushroom
      {0x1F40C, 0.72, k_g | k_l | k_wl, true},   // snail
      {0x1F4FF, 0.8, k_g | k_l | k_wl, true},    // prayer beads
      {0x1FA9D, 0.72, k_g | k_l | k_wl, false},  // hook
      {0x1FAB6, 0.85, k_g | k_l | k_wa, true},          // feather
      {0x1F577, 0.72, k_g | k_l | k_wl, true},   // spider
      {0x1F512, 0.72, k_g | k_l | k_wl, false},  // lock
      {0x1FA94, 0.85, k_g | k_l, false},         // oil lamp
      {0x1F50D, 0.82, k_g | k_l, true},          // magnifier
      {0x1F58C, 0.9, k_g | k_l, true},           // paintbrush
      {0x1F529, 0.62, k_g | k_l, true},          // bolt
      {0x1F4CE, 0.62, k_g | k_l | k_wl, true},   // paperclip
      {0x1F9E4, 0.85, k_g | k_l, true},          // gloves
      {0x1F3BB, 1.2, k_g | k_l | k_wl, true},    // violin
      {0x1FA91, 1.6, k_g, false},                // chair
      {0x1F3A9, 0.95, k_g | k_l, false},         // top hat
      {0x1FAD6, 0.9, k_g | k_l, false},          // teapot
      {0x1F56F, 0.85, k_g | k_l, false},         // candle
      {0x1FA9E, 1.2, k_g | k_l | k_wl, false},   // mirror
      {0x1F941, 1.05, k_g | k_l, false},         // drum
      {0x265F, 0.62, k_g | k_l, false},          // chess pawn
      {0x1F3B2, 0.62, k_g | k_l, true},          // die
      {0x1F3AD, 0.9, k_g | k_l | k_wl, false},   // theatre masks
      {0x2702, 0.82, k_g | k_l | k_wl, true},    // scissors
      {0x2709, 0.82, k_g | k_l | k_wl, true},    // letter
      {0x1F339, 0.82, k_g | k_l, true},          // rose
      {0x231B, 0.85, k_g | k_l, false},          // hourglass
      {0x23F3, 0.85, k_g | k_l, false},          // hourglass, running
      {0x1F401, 0.72, k_g | k_l, false},         // mouse
      {0x1F380, 0.72, k_g | k_l | k_wl, true},   // bow
      {0x1F9F5, 0.72, k_g | k_l, false},         // thread
      {0x1F944, 0.78, k_g | k_l, true},          // spoon
      {0x1F5DD, 0.78, k_g | k_l | k_wl, true},   // old key
      {0x1F4CC, 0.58, k_g | k_l | k_wl, true},   // pushpin
      {0x1F989, 1.0, k_g | k_l | k_b, false},    // owl
      {0x1F3EE, 0.95, k_g | k_l | k_wl | k_b, false},  // lantern
      {0x1F337, 0.82, k_g, false},               // tulip
      {0x1F383, 1.0, k_g | k_l, false},          // pumpkin
      {0x1F9FA, 1.1, k_g | k_l, false},          // basket
      {0x1F438, 0.8, k_g | k_l | k_wa, false},          // frog
      {0x1F994, 0.85, k_g, false},               // hedgehog
      {0x1F98B, 0.66, k_g | k_l | k_wl | k_b, true},  // butterfly
      {0x1F340, 0.62, k_g, true},                // clover
      {0x1F41E, 0.55, k_g | k_l | k_wl | k_b, true},  // ladybird
      {0x1F408, 1.2, k_g | k_l, false},          // cat
      {0x2B50, 0.62, k_g | k_l, true},           // star
      {0x1F41D, 0.58, k_g | k_l | k_wl | k_b, true},  // bee
      {0x1F330, 0.62, k_g | k_l, false},         // chestnut
      {0x1FAA1, 0.82, k_g | k_l, true},          // needle
      {0x1FA88, 0.95, k_g | k_l, true},          // flute
      {0x1FA84, 0.95, k_g | k_l, true},          // magic wand
      {0x1F34E, 0.72, k_g | k_l, false},         // apple
      {0x1F350, 0.72, k_g | k_l, false},         // pear
      {0x1FAA3, 1.05, k_g | k_l, false},         // bucket
      {0x1FA9C, 1.9, k_g, false},                // ladder
      {0x1F413, 1.1, k_g | k_l, false},          // rooster
      {0x1F36F, 0.85, k_g | k_l, false},         // honey pot
      {0x1F33B, 1.3, k_g, false},                // sunflower
      {0x1F347, 0.78, k_g | k_l, false},         // grapes
      {0x1F352, 0.66, k_g | k_l, false},         // cherries
      {0x1F43F, 0.85, k_g | k_l | k_b, false},   // squirrel
      {0x1F9F9, 1.6, k_g, true},                 // broom
      {0x1F462, 0.9, k_g | k_l, false},          // boot
      {0x1F35E, 0.8, k_g | k_l, false},          // bread
      {0x1F9C0, 0.75, k_g | k_l, false},         // cheese
      {0x1F426, 0.72, k_g | k_l | k_b, false},   // bird
      {0x1FA9A, 1.0, k_g | k_l | k_wl, true},    // saw
      {0x1F341, 0.62, k_g | k_l, true},          // maple leaf
      {0x1F955, 0.72, k_g | k_l, true},          // carrot
      {0x2694, 1.2, k_g | k_l | k_wl, false},    // crossed swords
      {0x1F3F9, 1.1, k_g | k_l | k_wl, true},    // bow and arrow
      {0x1F52D, 1.1, k_g | k_l, false},          // telescope
      {0x2693, 1.0, k_g | k_l | k_wl, false},    // anchor
      {0x1F390, 0.85, k_l | k_wl | k_b, false},  // wind chime
      {0x1F9ED, 0.72, k_g | k_l, true},          // compass
      {0x1F54A, 0.88, k_g | k_l | k_b, false},   // dove
      {0x1F4EF, 0.9, k_g | k_l | k_wl, false},   // post horn
      {0x1F5FA, 0.9, k_g | k_l | k_wl, true},    // map
      {0x1FA81, 1.0, k_g | k_b, true},           // kite
      {0x26CF, 1.05, k_g | k_l | k_wl, true},    // pickaxe
      {0x1FAA2, 0.82, k_g | k_l | k_wl, false},  // rope
      {0x2696, 0.92, k_g | k_l, false},          // scales
      {0x1FAAC, 0.68, k_g | k_l | k_wl, false},  // hamsa
      {0x1F400, 0.82, k_g | k_l, false},         // rat
      {0x1F40D, 0.92, k_g | k_l, true},          // snake
      {0x1F9F2, 0.66, k_g | k_l, true},          // magnet
      {0x1F3BA, 0.92, k_g | k_l | k_wl, true},   // trumpet
      {0x1F52E, 0.82, k_g | k_l, false},         // crystal ball
      {0x1F4D6, 0.88, k_g | k_l, false},         // open book
      {0x1FA90, 0.88, k_g | k_l, false},         // planet
      {0x1F9EE, 0.92, k_g | k_l, false},         // abacus
      {0x1F9EA, 0.78, k_g | k_l, true},          // potion vial
      {0x1F516, 0.62, k_g | k_l | k_wl, true},   // bookmark
      {0x1F453, 0.62, k_g | k_l, true},          // spectacles
      {0x26B0, 1.5, k_g, false},                 // coffin
      {0x1F578, 0.95, k_l | k_wl, false},        // cobweb
      {0x1F528, 0.88, k_g | k_l | k_wl, true},   // hammer
      {0x1F37A, 0.82, k_g | k_l, false},         // tankard
      {0x1F986, 0.92, k_g | k_wa, false},               // duck
      {0x1F9A2, 1.12, k_g | k_wa, false},               // swan
      {0x1F422, 0.88, k_g | k_l | k_wa, false},         // turtle
      {0x1F41F, 0.72, k_g | k_l | k_wa, true},          // fish
      {0x1F6F6, 1.8, k_g | k_wa, false},                // canoe
      {0x1F41A, 0.62, k_g | k_l, true},          // shell
      {0x1F3A3, 1.3, k_g | k_l | k_wl, true},    // fishing pole
      {0x1F452, 0.92, k_g | k_l | k_wl | k_wa, false},  // sun hat
      {0x2602, 1.1, k_g | k_l | k_wl, true},     // umbrella
      {0x1FAB4, 0.95, k_g | k_l, false},         // potted plant
      {0x1F9E3, 0.88, k_g | k_l | k_wl, true},   // scarf
      {0x1F9F6, 0.72, k_g | k_l, false},         // yarn
      {0x1F6FC, 0.82, k_g | k_l, false},         // roller skate
      {0x1F9F3, 1.15, k_g | k_l, false},         // suitcase
      {0x1F9F8, 1.0, k_g | k_l, false},          // teddy bear
      {0x1FA86, 0.82, k_g | k_l, false},         // nesting doll
      {0x1F5BC, 1.2, k_g | k_l | k_wl, false},   // painting
      {0x1F570, 0.95, k_g | k_l, false},         // mantel clock
      {0x1F451, 1.0, k_g | k_l, false},          // crown
      {0x1F3C6, 1.0, k_g | k_l, false},          // golden cup
      {0x1F480, 0.9, k_g | k_l, false},          // skull
      {0x1F4B0, 1.0, k_g | k_l, false},          // money bag
      {0x1F3FA, 1.1, k_g | k_l, false},          // amphora
      {0x1F4DC, 1.0, k_g | k_l, true},           // spell scroll
      {0x1F9FF, 1.0, k_g | k_l | k_wl, false},   // seeing charm
      {0x1FA99, 1.0, k_g | k_l, false},          // coin
  };
  for (const Row& r : kRows)
    if (r.mCode == theCode) return {r.mSize, r.mRests, r.mLies};
  return {};
}

const std::vector<LocationDef>& Locations() {
  static const std::vector<LocationDef> kLocations = {
      {1, "Wyrm Cellar", {0.9, 0.74, 0.6}, 0.55,
       {{"Crown", 0x1F451, 0, 1}, {"Golden Cup", 0x1F3C6, 0, 1}, {"Shield", 0x1F6E1, 0, 1}, {"Skull", 0x1F480, 0, 1},
        {"Gem", 0x1F48E, 0, 1}, {"Axe", 0x1FA93, 0, 1}, {"Amphora", 0x1F3FA, 0, 1}, {"Money Bag", 0x1F4B0, 0, 1},
        {"Dragon Egg", 0x1F95A, 1, 2}, {"Dagger", 0x1F5E1, 1, 1}, {"Bone", 0x1F9B4, 1, 1},
        {"Lizard", 0x1F98E, 1, 1}, {"Chains", 0x26D3, 1, 1}, {"Bat", 0x1F987, 2, 1}, {"Key", 0x1F511, 2, 1}, {"Mushroom", 0x1F344, 2, 1}, {"Snail", 0x1F40C, 2, 1},
        {"Prayer Beads", 0x1F4FF, 2, 1}, {"Hook", 0x1FA9D, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Lock", 0x1F512, 2, 1}},
       {Ground(86, 596, 476, 588, 0.84, 1.1), Ledge(104, 226, 250, 0.8, 320, 90), Ledge(524, 586, 330, 0.8, 400), Ledge(452, 552, 232, 0.78, 320, 80),
        Ledge(94, 196, 372, 0.84, 400, 96), Ledge(566, 616, 404, 0.9, 495), Ledge(274, 342, 512, 1.0, 577), Wall(16, 54, 170, 430, 0.82, 100),
        Wall(610, 648, 170, 380, 0.82, 100), Wall(90, 570, 90, 318, 0.76, 90)},
       {},
       {{330, 436, 410, 482}}},
      {2, "Clockmaker's Loft", {1.0, 0.93, 0.84}, 0.35,
       {{"Magnifier", 0x1F50D, 0, 1}, {"Paintbrush", 0x1F58C, 0, 1}, {"Violin", 0x1F3BB, 0, 1}, {"Chair", 0x1FA91, 0, 1},
        {"Top Hat", 0x1F3A9, 0, 1}, {"Teapot", 0x1FAD6, 0, 1}, {"Bolt", 0x1F529, 0, 2}, {"Mirror", 0x1FA9E, 0, 1},
        {"Drum", 0x1F941, 1, 1}, {"Chess Pawn", 0x265F, 1, 1}, {"Die", 0x1F3B2, 1, 1}, {"Theatre Masks", 0x1F3AD, 1, 1},
        {"Scissors", 0x2702, 1, 1}, {"Hourglass", 0x231B, 1, 1},
        {"Mouse", 0x1F401, 2, 1}, {"Bow", 0x1F380, 2, 1}, {"Paperclip", 0x1F4CE, 2, 1}, {"Gloves", 0x1F9E4, 2, 1},
        {"Thread", 0x1F9F5, 2, 1}, {"Spoon", 0x1F944, 2, 1}, {"Old Key", 0x1F5DD, 2, 1}},
       {Ground(22, 640, 434, 590, 0.84, 1.12), Ledge(28, 162, 232, 0.8, 425, 72), Ledge(452, 538, 452, 0.94, 523),
        Wall(124, 172, 196, 222, 0.84, 100), Wall(22, 56, 196, 222, 0.84, 100), Ledge(28, 162, 318, 0.8, 425, 76),
        Ledge(50, 186, 398, 0.86, 497, 76), Ledge(394, 526, 206, 0.8, 431, 60), Ledge(394, 526, 294, 0.8, 431, 80),
        Ledge(394, 526, 382, 0.8, 431, 80), Ledge(388, 532, 130, 0.78, 433, 84), Ledge(566, 624, 180, 0.8, 425),
        Wall(190, 250, 160, 215, 0.84, 100)},
       {},
       {}},
      {3, "Owlwood Path", {0.62, 0.66, 0.86}, 0.8,
       {{"Rose", 0x1F339, 0, 1}, {"Owl", 0x1F989, 0, 1}, {"Lantern", 0x1F3EE, 0, 1}, {"Tulip", 0x1F337, 0, 1},
        {"Pumpkin", 0x1F383, 0, 1}, {"Magic Wand", 0x1FA84, 0, 1}, {"Basket", 0x1F9FA, 0, 1}, {"Frog", 0x1F438, 0, 1},
        {"Hedgehog", 0x1F994, 1, 1}, {"Snail", 0x1F40C, 1, 1}, {"Mushroom", 0x1F344, 1, 2}, {"Butterfly", 0x1F98B, 1, 1},
        {"Ladybird", 0x1F41E, 1, 1}, {"Cat", 0x1F408, 1, 1},
        {"Feather", 0x1FAB6, 2, 1}, {"Star", 0x2B50, 2, 1}, {"Key", 0x1F511, 2, 1}, {"Bee", 0x1F41D, 2, 1},
        {"Chestnut", 0x1F330, 2, 1}, {"Needle", 0x1FAA1, 2, 1}, {"Flute", 0x1FA88, 2, 1}},
       {Ground(12, 648, 338, 588, 0.72, 1.12), Ledge(432, 484, 404, 0.82, 447), Ledge(44, 170, 527, 0.98, 561)},
       {},
       {}},
      {4, "Millbrook Farm", {1.0, 1.0, 0.94}, 0.3,
       {{"Apple", 0x1F34E, 0, 2}, {"Pear", 0x1F350, 0, 1}, {"Basket", 0x1F9FA, 0, 1}, {"Bucket", 0x1FAA3, 0, 1},
        {"Ladder", 0x1FA9C, 0, 1}, {"Rooster", 0x1F413, 0, 1}, {"Honey Pot", 0x1F36F, 0, 1}, {"Sunflower", 0x1F33B, 0, 1},
        {"Grapes", 0x1F347, 1, 1}, {"Cherries", 0x1F352, 1, 1}, {"Squirrel", 0x1F43F, 1, 1}, {"Bee", 0x1F41D, 1, 1},
        {"Broom", 0x1F9F9, 1, 1}, {"Boot", 0x1F462, 1, 1}, {"Ladybird", 0x1F41E, 2, 1}, {"Butterfly", 0x1F98B, 2, 1}, {"Snail", 0x1F40C, 2, 1},
        {"Egg", 0x1F95A, 2, 1}, {"Carrot", 0x1F955, 2, 1}, {"Saw", 0x1FA9A, 2, 1}, {"Maple Leaf", 0x1F341, 2, 1}},
       {Ground(190, 648, 342, 588, 0.74, 1.12), Ground(12, 190, 436, 588, 0.86, 1.12), Ledge(32, 120, 322, 0.8, 425),
        Ledge(24, 152, 394, 0.84, 431), Ledge(524, 606, 471, 0.96, 541), Ledge(378, 478, 522, 1.0, 585),
        Wall(130, 172, 300, 388, 0.8, 400)},
       {},
       {}},
      {5, "Windward Ruins", {0.8, 0.84, 0.94}, 0.45,
       {{"Shield", 0x1F6E1, 0, 1}, {"Crossed Swords", 0x2694, 0, 1}, {"Bow and Arrow", 0x1F3F9, 0, 1},
        {"Telescope", 0x1F52D, 0, 1}, {"Anchor", 0x2693, 0, 1}, {"Bell", 0x1F514, 0, 1}, {"Drum", 0x1F941, 0, 1},
        {"Wind Chime", 0x1F390, 0, 1}, {"Compass", 0x1F9ED, 1, 1}, {"Dove", 0x1F54A, 1, 1}, {"Post Horn", 0x1F4EF, 1, 1},
        {"Map", 0x1F5FA, 1, 1}, {"Kite", 0x1FA81, 1, 2},
        {"Pickaxe", 0x26CF, 1, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Candle", 0x1F56F, 2, 1}, {"Old Key", 0x1F5DD, 2, 1},
        {"Rope", 0x1FAA2, 2, 1}, {"Hook", 0x1FA9D, 2, 1}, {"Letter", 0x2709, 2, 1},
        {"Bat", 0x1F987, 2, 1}},
       {Ground(12, 648, 392, 588, 0.74, 1.12), Ledge(28, 172, 346, 0.78, 391), Ledge(396, 522, 354, 0.78, 393),
        Ledge(54, 106, 377, 0.78, 397), Ledge(204, 256, 377, 0.78, 397), Ledge(354, 406, 377, 0.78, 397),
        Ledge(504, 556, 377, 0.78, 397), Ledge(58, 102, 205, 0.7, 380), Ledge(208, 252, 275, 0.72, 381),
        Ledge(358, 402, 205, 0.7, 380), Ledge(508, 552, 275, 0.72, 381), Ledge(292, 412, 468, 0.96, 501),
        Wall(64, 96, 260, 370, 0.72, 384), Wall(214, 246, 320, 370, 0.72, 384), Wall(364, 396, 260, 370, 0.72, 384),
        Wall(514, 546, 320, 370, 0.72, 384)},
       {},
       {}},
      {6, "Crystal Cavern", {0.95, 0.78, 0.58}, 0.6,
       {{"Crown", 0x1F451, 0, 1}, {"Golden Cup", 0x1F3C6, 0, 1}, {"Money Bag", 0x1F4B0, 0, 2}, {"Scales", 0x2696, 0, 1},
        {"Amphora", 0x1F3FA, 0, 1}, {"Bell", 0x1F514, 0, 1}, {"Trumpet", 0x1F3BA, 0, 1}, {"Shield", 0x1F6E1, 0, 1},
        {"Hamsa", 0x1FAAC, 1, 1}, {"Magic Wand", 0x1FA84, 1, 1},
        {"Oil Lamp", 0x1FA94, 1, 1}, {"Theatre Masks", 0x1F3AD, 1, 1}, {"Dagger", 0x1F5E1, 1, 1},
        {"Crystal Ball", 0x1F52E, 1, 1}, {"Key", 0x1F511, 2, 1}, {"Rat", 0x1F400, 2, 1}, {"Compass", 0x1F9ED, 2, 1},
        {"Snake", 0x1F40D, 2, 1}, {"Bone", 0x1F9B4, 2, 1}, {"Skull", 0x1F480, 2, 1}},
       {Ground(24, 636, 452, 588, 0.82, 1.1), Ledge(166, 294, 304, 0.8, 447), Ledge(44, 146, 214, 0.76, 400, 80),
        Ledge(334, 426, 262, 0.76, 400, 80), Ledge(524, 622, 236, 0.76, 400, 80),
        Ledge(340, 424, 152, 0.72, 400, 70), Ledge(552, 634, 128, 0.72, 400), Ledge(44, 128, 300, 0.78, 400),
        Ledge(564, 636, 300, 0.78, 400), Wall(40, 160, 130, 200, 0.74, 90), Wall(300, 440, 200, 246, 0.76, 90),
        Wall(560, 640, 160, 220, 0.74, 90)},
       {},
       {}},
      {7, "Vesper's Library", {1.0, 0.93, 0.8}, 0.35,
       {{"Skull", 0x1F480, 0, 1}, {"Open Book", 0x1F4D6, 0, 1}, {"Crystal Ball", 0x1F52E, 0, 1}, {"Owl", 0x1F989, 0, 1},
        {"Hourglass", 0x231B, 0, 1}, {"Planet", 0x1FA90, 0, 1}, {"Telescope", 0x1F52D, 0, 1}, {"Bell", 0x1F514, 0, 1},
        {"Fountain Pen", 0x1F58B, 1, 1}, {"Abacus", 0x1F9EE, 1, 1}, {"Scales", 0x2696, 1, 1}, {"Potion Vial", 0x1F9EA, 1, 2},
        {"Magic Wand", 0x1FA84, 1, 1}, {"Map", 0x1F5FA, 1, 1}, {"Old Key", 0x1F5DD, 2, 1}, {"Die", 0x1F3B2, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Mouse", 0x1F401, 2, 1},
        {"Spectacles", 0x1F453, 2, 1}, {"Letter", 0x2709, 2, 1}, {"Butterfly", 0x1F98B, 2, 1}},
       {Ground(22, 640, 436, 588, 0.84, 1.12), Ledge(20, 200, 108, 0.76, 432, 66), Ledge(20, 200, 185, 0.76, 432, 66),
        Ledge(20, 200, 262, 0.76, 432, 66), Ledge(20, 200, 339, 0.76, 432, 66), Ledge(530, 650, 112, 0.76, 402, 78),
        Ledge(530, 650, 203, 0.76, 402, 78), Ledge(530, 650, 294, 0.76, 402, 78), Ledge(392, 440, 300, 0.84, 421),
        Ledge(496, 628, 300, 0.84, 421), Ledge(272, 418, 260, 0.76, 400), Ledge(302, 350, 462, 0.9, 523)},
       {},
       {{620, 196, 659, 272}, {438, 236, 482, 302}}},
      {8, "Chapel Yard", {0.6, 0.64, 0.82}, 0.85,
       {{"Coffin", 0x26B0, 0, 1}, {"Lantern", 0x1F3EE, 0, 1}, {"Skull", 0x1F480, 0, 1}, {"Bat", 0x1F987, 0, 1},
        {"Pumpkin", 0x1F383, 0, 1}, {"Urn", 0x26B1, 0, 1}, {"Pickaxe", 0x26CF, 0, 1}, {"Hourglass", 0x231B, 0, 1},
        {"Bone", 0x1F9B4, 1, 1}, {"Cobweb", 0x1F578, 1, 1}, {"Candle", 0x1F56F, 1, 2}, {"Bell", 0x1F514, 1, 1},
        {"Owl", 0x1F989, 1, 1}, {"Cat", 0x1F408, 1, 1},
        {"Key", 0x1F511, 2, 1}, {"Spider", 0x1F577, 2, 1}, {"Lock", 0x1F512, 2, 1},
        {"Snail", 0x1F40C, 2, 1}, {"Mushroom", 0x1F344, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Letter", 0x2709, 2, 1}},
       {Ground(92, 568, 326, 548, 0.7, 1.04), Ground(16, 644, 566, 590, 1.1, 1.12), Ledge(238, 424, 302, 0.72, 303),
        Ledge(420, 520, 462, 0.94, 501), Ledge(136, 228, 500, 0.98, 539), Wall(38, 72, 200, 420, 0.78, 440), Wall(592, 626, 200, 420, 0.78, 440)},
       {},
       {}},
      {9, "The Dungeon", {0.82, 0.7, 0.58}, 0.6,
       {{"Chains", 0x26D3, 0, 1}, {"Axe", 0x1FA93, 0, 1}, {"Bucket", 0x1FAA3, 0, 1}, {"Skull", 0x1F480, 0, 1},
        {"Shield", 0x1F6E1, 0, 1}, {"Broom", 0x1F9F9, 0, 1}, {"Bread", 0x1F35E, 0, 1}, {"Candle", 0x1F56F, 0, 1},
        {"Rat", 0x1F400, 1, 2}, {"Bone", 0x1F9B4, 1, 1}, {"Old Key", 0x1F5DD, 1, 1}, {"Hammer", 0x1F528, 1, 1},
        {"Lantern", 0x1F3EE, 1, 1}, {"Saw", 0x1FA9A, 1, 1},
        {"Lock", 0x1F512, 2, 1}, {"Cobweb", 0x1F578, 2, 1}, {"Bat", 0x1F987, 2, 1}, {"Snail", 0x1F40C, 2, 1},
        {"Hook", 0x1FA9D, 2, 1}, {"Die", 0x1F3B2, 2, 1}, {"Needle", 0x1FAA1, 2, 1}},
       {Ground(22, 640, 446, 588, 0.84, 1.12), Ground(416, 566, 420, 434, 0.76, 0.78), Ledge(46, 194, 382, 0.84, 445),
        Ledge(46, 94, 302, 0.82, 447), Ledge(186, 334, 250, 0.8, 440, 80), Ledge(206, 326, 350, 0.8, 440, 84),
        Wall(24, 170, 150, 280, 0.8, 100), Wall(350, 384, 220, 420, 0.8, 100), Wall(596, 646, 200, 420, 0.8, 100),
        Wall(410, 570, 110, 170, 0.8, 100), Wall(110, 190, 300, 370, 0.8, 100)},
       {},
       {{262, 56, 324, 196}}},
      {10, "Willow Pond", {0.92, 1.0, 0.92}, 0.3,
       {{"Frog", 0x1F438, 0, 1}, {"Duck", 0x1F986, 0, 1}, {"Swan", 0x1F9A2, 0, 1}, {"Turtle", 0x1F422, 0, 1},
        {"Fish", 0x1F41F, 0, 2}, {"Tulip", 0x1F337, 0, 1}, {"Canoe", 0x1F6F6, 0, 1}, {"Basket", 0x1F9FA, 0, 1},
        {"Butterfly", 0x1F98B, 1, 1}, {"Snail", 0x1F40C, 1, 1}, {"Mushroom", 0x1F344, 1, 1},
        {"Bee", 0x1F41D, 1, 1}, {"Fishing Pole", 0x1F3A3, 1, 1}, {"Bucket", 0x1FAA3, 1, 1},
        {"Ladybird", 0x1F41E, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Key", 0x1F511, 2, 1}, {"Chestnut", 0x1F330, 2, 1}, {"Sun Hat", 0x1F452, 2, 1}, {"Egg", 0x1F95A, 2, 1}, {"Hook", 0x1FA9D, 2, 1}},
       {Ground(12, 648, 300, 588, 0.72, 1.12), Water(130, 510, 350, 452, 0.8, 0.92), Ledge(456, 574, 430, 0.88, 441),
        Wall(52, 88, 200, 300, 0.76, 300), Wall(594, 626, 190, 290, 0.74, 290)},
       {320, 396, 208, 68},
       {{358, 278, 488, 395}, {395, 360, 455, 478}, {118, 328, 182, 372}}},
      {11, "Castle Ramparts", {1.0, 0.9, 0.8}, 0.35,
       {{"Bell", 0x1F514, 0, 1}, {"Dove", 0x1F54A, 0, 1}, {"Cat", 0x1F408, 0, 1}, {"Lantern", 0x1F3EE, 0, 1},
        {"Wind Chime", 0x1F390, 0, 1}, {"Kite", 0x1FA81, 0, 1}, {"Broom", 0x1F9F9, 0, 1}, {"Ladder", 0x1FA9C, 0, 1},
        {"Bread", 0x1F35E, 1, 2}, {"Umbrella", 0x2602, 1, 1}, {"Bucket", 0x1FAA3, 1, 1},
        {"Potted Plant", 0x1FAB4, 1, 1}, {"Scarf", 0x1F9E3, 1, 1}, {"Teapot", 0x1FAD6, 1, 1},
        {"Key", 0x1F511, 2, 1}, {"Feather", 0x1FAB6, 2, 1}, {"Scissors", 0x2702, 2, 1}, {"Yarn", 0x1F9F6, 2, 1}, {"Mouse", 0x1F401, 2, 1}, {"Maple Leaf", 0x1F341, 2, 1}, {"Spoon", 0x1F944, 2, 1}},
       {Ground(160, 648, 354, 596, 0.78, 1.12), Ledge(160, 650, 250, 0.74, 349), Ledge(426, 534, 420, 0.86, 463),
        Ledge(184, 256, 400, 0.84, 471), Ledge(596, 642, 442, 0.9, 525), Wall(14, 136, 150, 430, 0.78, 347),
        Wall(160, 650, 290, 342, 0.76, 345)},
       {},
       {}},
      {12, "Haunted Attic", {0.76, 0.72, 0.68}, 0.6,
       {{"Chair", 0x1FA91, 0, 1}, {"Mirror", 0x1FA9E, 0, 1}, {"Suitcase", 0x1F9F3, 0, 1}, {"Teddy Bear", 0x1F9F8, 0, 1},
        {"Nesting Doll", 0x1FA86, 0, 1}, {"Painting", 0x1F5BC, 0, 1}, {"Violin", 0x1F3BB, 0, 1}, {"Top Hat", 0x1F3A9, 0, 1},
        {"Mantel Clock", 0x1F570, 1, 1}, {"Candle", 0x1F56F, 1, 2}, {"Roller Skate", 0x1F6FC, 1, 1},
        {"Theatre Masks", 0x1F3AD, 1, 1}, {"Drum", 0x1F941, 1, 1}, {"Bat", 0x1F987, 1, 1},
        {"Lock", 0x1F512, 2, 1}, {"Cobweb", 0x1F578, 2, 1}, {"Mouse", 0x1F401, 2, 1},
        {"Old Key", 0x1F5DD, 2, 1}, {"Bow", 0x1F380, 2, 1}},
       {Ground(22, 640, 468, 592, 0.86, 1.12), Ledge(410, 566, 250, 0.8, 463, 70), Ledge(66, 156, 506, 1.0, 573), Ledge(46, 144, 380, 0.86, 471),
        Ledge(86, 144, 320, 0.84, 475), Ledge(590, 644, 382, 0.86, 483), Ledge(30, 168, 240, 0.8, 460, 64),
        Ledge(216, 306, 396, 0.9, 503), Ledge(592, 650, 290, 0.8, 460, 60), Wall(420, 560, 200, 240, 0.8, 100), Wall(186, 256, 230, 330, 0.8, 100),
        Wall(20, 100, 90, 140, 0.76, 100), Wall(566, 646, 90, 140, 0.76, 100), Wall(276, 384, 340, 384, 0.8, 100),
        Ledge(186, 258, 300, 0.8, 460, 100),
        Branch(200, 460, 147, 0.76, 100)},
       {},
       {}},
  };
  return kLocations;
}

const LocationDef& LocationById(int theId) { return Locations().at(static_cast<size_t>(theId - 1)); }

void PaintScene(int theId, Canvas& c) {
  ScenePainter aPainter(c, false);
  PaintLocation(theId, aPainter);
}

SceneArt PaintSceneArt(int theId) {
  Canvas c(k_sceneWidth, k_sceneHeight);
  ScenePainter aPainter(c, true);
  PaintLocation(theId, aPainter);
  SceneArt anArt;
  anArt.mPixels = c.Pixels();
  anArt.mCovers = aPainter.Covers();
  return anArt;
}

}  // namespace GameAssets
