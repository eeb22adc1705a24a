#include "game/shell/ResourceIds.h"

#include <string>

#include "graphics/Image.h"
#include "resources/ResourceManager.h"
#include "resources/ResourceManagerException.h"

namespace Tesk {

Image* IMAGE_DEZADUDE_LOGO = nullptr;
Font* FONT_TITLE_OPTIONS = nullptr;
Font* FONT_SMALL = nullptr;
Font* FONT_MEDIUM = nullptr;
Font* FONT_INTRO_TEXT = nullptr;
Font* FONT_TIME = nullptr;
int SFX_ERROR = 0;
int SFX_PROFILE_DELETED = 0;
int SFX_HOVER_GENERAL = 0;
int SFX_SELECT_PRESS = 0;
int SFX_START_GAME = 0;
int SFX_BACK_PRESS = 0;
int SFX_POPUPBOX_APPEAR = 0;
int SFX_CHECK = 0;
int SFX_HINT = 0;
int SFX_MAP_HOVER = 0;
int SFX_MAP_ENTER = 0;
int SFX_MAP_ENTER_LOC = 0;
int SFX_OBJECT_FOUND = 0;
int SFX_OBJECT_SET_FOUND = 0;
int SFX_MISPRESS = 0;
int SFX_MISPRESS_MULTIPLE = 0;
int SFX_REPEL = 0;
int SFX_REPEL_CLICK = 0;
int SFX_REPEL_COMPLETED = 0;
int SFX_REVEAL = 0;
int SFX_REPEL_RECHARGED = 0;
int SFX_COIN = 0;
int SFX_TIMER_LOW_CLICK = 0;
int SFX_LEVEL_FAILED_SOUND = 0;
int SFX_GRADE_UP = 0;
int SFX_MINIGAME_PASSED = 0;
int AMBIENT_BOOK_FLAP = 0;
int AMBIENT_EARTHQUAKE = 0;
Image* IMAGE_SIDE_MENU = nullptr;
Image* IMAGE_SIDE_MENU_HOVER = nullptr;
Image* IMAGE_SIDE_REPEL = nullptr;
Image* IMAGE_SIDE_REPEL_HOVER = nullptr;
Image* IMAGE_SIDE_REPEL_INACTIVE = nullptr;
Image* IMAGE_SIDE_REVEAL = nullptr;
Image* IMAGE_SIDE_REVEAL_INACTIVE = nullptr;
Image* IMAGE_SIDE_MAP = nullptr;
Image* IMAGE_SIDE_MAP_HOVER = nullptr;
Image* IMAGE_SIDE_CRYSTAL_BALL_GLOW = nullptr;
Image* IMAGE_SIDE_REPEL_CHARGEBAR_BACK = nullptr;
Image* IMAGE_SIDE_REPEL_CHARGEBAR_FILL = nullptr;
Image* IMAGE_SIDE_DIVIDER = nullptr;
Image* IMAGE_INGAME_RUNESTONE = nullptr;
Image* IMAGE_REVEAL_ICON = nullptr;
Image* IMAGE_REVEAL_ICON_HOVER = nullptr;
Image* IMAGE_REVEAL_ICON_WINK = nullptr;
Image* IMAGE_SIDE_BAR = nullptr;
Image* IMAGE_CHECKBOX = nullptr;
Image* IMAGE_SLIDER_TRACK = nullptr;
Image* IMAGE_SLIDER_THUMB = nullptr;
Image* IMAGE_OPTIONS_BOTTOM_BUTTON = nullptr;
Image* IMAGE_OPTIONS_BOTTOM_BUTTON_HI = nullptr;
Image* IMAGE_OPTIONS_BUTTON_SMALL = nullptr;
Image* IMAGE_OPTIONS_BUTTON_SMALL_HI = nullptr;
Image* IMAGE_OPTIONS_BUTTON_MED = nullptr;
Image* IMAGE_OPTIONS_BUTTON_MED_HI = nullptr;
Image* IMAGE_OPTIONS_BUTTON_LARGE = nullptr;
Image* IMAGE_OPTIONS_BUTTON_LARGE_HI = nullptr;
Image* ANIM_BOOK1 = nullptr;
Image* ANIM_BOOK2 = nullptr;
Image* ANIM_BOOK3 = nullptr;
Image* ANIM_BLUE_BOOK1 = nullptr;
Image* ANIM_BLUE_BOOK2 = nullptr;
Image* ANIM_BLUE_BOOK3 = nullptr;
Image* ANIM_SPOTLIGHT = nullptr;
Image* ANIM_FIRE1 = nullptr;
Image* IMAGE_STORY_BACK_TOP = nullptr;
Image* IMAGE_STORY_BACK_BOTTOM = nullptr;
Image* IMAGE_SCROLL = nullptr;
Image* IMAGE_END_OF_GAME = nullptr;
Image* IMAGE_RUNESTONE = nullptr;
int SFX_RUNE_DESTROY = 0;
Image* IMAGE_TITLE_BACK = nullptr;
Image* IMAGE_TITLE_COVER = nullptr;
Image* IMAGE_TITLE_PLAY_HIGH = nullptr;
Image* IMAGE_TITLE_OPTION_HIGH = nullptr;
Image* IMAGE_TITLE_EXIT_HIGH = nullptr;
Image* IMAGE_TITLE_ANIM_BG = nullptr;
int SFX_WIND = 0;
int SFX_THUNDER = 0;
int SFX_THUNDER2 = 0;
Image* IMAGE_HTP_INGAME_1 = nullptr;
Image* IMAGE_HTP_INGAME_2 = nullptr;
Image* IMAGE_HTP_INGAME_3 = nullptr;
Image* IMAGE_HTP_INGAME_4 = nullptr;
Image* IMAGE_HTP_INGAME_5 = nullptr;
Image* IMAGE_HTP_INGAME_6 = nullptr;
Image* IMAGE_HTP_INGAME_7 = nullptr;
Image* IMAGE_HTP_POTION_1 = nullptr;
Image* IMAGE_HTP_POTION_2 = nullptr;
Image* IMAGE_HTP_POTION_3 = nullptr;
Image* IMAGE_HTP_POTION_4 = nullptr;
Image* IMAGE_HTP_CHANT_1 = nullptr;
Image* IMAGE_HTP_CHANT_2 = nullptr;
Image* IMAGE_HTP_CHANT_3 = nullptr;
Image* IMAGE_HTP_CHANT_4 = nullptr;
Image* IMAGE_CORNER_TOP_BIG = nullptr;
Image* IMAGE_CORNER_TOP_SMALL = nullptr;
Image* IMAGE_CORNER_BOTTOM_BIG = nullptr;
Image* IMAGE_CORNER_BOTTOM_SMALL = nullptr;
Image* MAP_LOC01_HOVER = nullptr;
Image* MAP_LOC02_HOVER = nullptr;
Image* MAP_LOC03_HOVER = nullptr;
Image* MAP_LOC04_HOVER = nullptr;
Image* MAP_LOC05_HOVER = nullptr;
Image* MAP_LOC06_HOVER = nullptr;
Image* MAP_LOC07_HOVER = nullptr;
Image* MAP_LOC08_HOVER = nullptr;
Image* MAP_LOC09_HOVER = nullptr;
Image* MAP_LOC10_HOVER = nullptr;
Image* MAP_LOC11_HOVER = nullptr;
Image* MAP_LOC12_HOVER = nullptr;
int SFX_MATCH_CONNECT = 0;
int SFX_MATCH_UNCONNECT = 0;
int SFX_MATCH_SHUFFLE = 0;
int SFX_CHANT_CLICK = 0;
int SFX_CHANT_BACK = 0;
int SFX_CHANT_WORD_SWAP = 0;

namespace {

enum class Kind { Image, Font, Sound };

struct ResourceId {
  const char* mName;
  Kind mKind;
  void* mGlobal;
};

// In identifier order.
const ResourceId k_resourceIds[k_numResourceIds] = {
    {"IMAGE_DEZADUDE_LOGO", Kind::Image, &IMAGE_DEZADUDE_LOGO},
    {"FONT_TITLE_OPTIONS", Kind::Font, &FONT_TITLE_OPTIONS},
    {"FONT_SMALL", Kind::Font, &FONT_SMALL},
    {"FONT_MEDIUM", Kind::Font, &FONT_MEDIUM},
    {"FONT_INTRO_TEXT", Kind::Font, &FONT_INTRO_TEXT},
    {"FONT_TIME", Kind::Font, &FONT_TIME},
    {"SFX_ERROR", Kind::Sound, &SFX_ERROR},
    {"SFX_PROFILE_DELETED", Kind::Sound, &SFX_PROFILE_DELETED},
    {"SFX_HOVER_GENERAL", Kind::Sound, &SFX_HOVER_GENERAL},
    {"SFX_SELECT_PRESS", Kind::Sound, &SFX_SELECT_PRESS},
    {"SFX_START_GAME", Kind::Sound, &SFX_START_GAME},
    {"SFX_BACK_PRESS", Kind::Sound, &SFX_BACK_PRESS},
    {"SFX_POPUPBOX_APPEAR", Kind::Sound, &SFX_POPUPBOX_APPEAR},
    {"SFX_CHECK", Kind::Sound, &SFX_CHECK},
    {"SFX_HINT", Kind::Sound, &SFX_HINT},
    {"SFX_MAP_HOVER", Kind::Sound, &SFX_MAP_HOVER},
    {"SFX_MAP_ENTER", Kind::Sound, &SFX_MAP_ENTER},
    {"SFX_MAP_ENTER_LOC", Kind::Sound, &SFX_MAP_ENTER_LOC},
    {"SFX_OBJECT_FOUND", Kind::Sound, &SFX_OBJECT_FOUND},
    {"SFX_OBJECT_SET_FOUND", Kind::Sound, &SFX_OBJECT_SET_FOUND},
    {"SFX_MISPRESS", Kind::Sound, &SFX_MISPRESS},
    {"SFX_MISPRESS_MULTIPLE", Kind::Sound, &SFX_MISPRESS_MULTIPLE},
    {"SFX_REPEL", Kind::Sound, &SFX_REPEL},
    {"SFX_REPEL_CLICK", Kind::Sound, &SFX_REPEL_CLICK},
    {"SFX_REPEL_COMPLETED", Kind::Sound, &SFX_REPEL_COMPLETED},
    {"SFX_REVEAL", Kind::Sound, &SFX_REVEAL},
    {"SFX_REPEL_RECHARGED", Kind::Sound, &SFX_REPEL_RECHARGED},
    {"SFX_COIN", Kind::Sound, &SFX_COIN},
    {"SFX_TIMER_LOW_CLICK", Kind::Sound, &SFX_TIMER_LOW_CLICK},
    {"SFX_LEVEL_FAILED_SOUND", Kind::Sound, &SFX_LEVEL_FAILED_SOUND},
    {"SFX_GRADE_UP", Kind::Sound, &SFX_GRADE_UP},
    {"SFX_MINIGAME_PASSED", Kind::Sound, &SFX_MINIGAME_PASSED},
    {"AMBIENT_BOOK_FLAP", Kind::Sound, &AMBIENT_BOOK_FLAP},
    {"AMBIENT_EARTHQUAKE", Kind::Sound, &AMBIENT_EARTHQUAKE},
    {"IMAGE_SIDE_MENU", Kind::Image, &IMAGE_SIDE_MENU},
    {"IMAGE_SIDE_MENU_HOVER", Kind::Image, &IMAGE_SIDE_MENU_HOVER},
    {"IMAGE_SIDE_REPEL", Kind::Image, &IMAGE_SIDE_REPEL},
    {"IMAGE_SIDE_REPEL_HOVER", Kind::Image, &IMAGE_SIDE_REPEL_HOVER},
    {"IMAGE_SIDE_REPEL_INACTIVE", Kind::Image, &IMAGE_SIDE_REPEL_INACTIVE},
    {"IMAGE_SIDE_REVEAL", Kind::Image, &IMAGE_SIDE_REVEAL},
    {"IMAGE_SIDE_REVEAL_INACTIVE", Kind::Image, &IMAGE_SIDE_REVEAL_INACTIVE},
    {"IMAGE_SIDE_MAP", Kind::Image, &IMAGE_SIDE_MAP},
    {"IMAGE_SIDE_MAP_HOVER", Kind::Image, &IMAGE_SIDE_MAP_HOVER},
    {"IMAGE_SIDE_CRYSTAL_BALL_GLOW", Kind::Image, &IMAGE_SIDE_CRYSTAL_BALL_GLOW},
    {"IMAGE_SIDE_REPEL_CHARGEBAR_BACK", Kind::Image, &IMAGE_SIDE_REPEL_CHARGEBAR_BACK},
    {"IMAGE_SIDE_REPEL_CHARGEBAR_FILL", Kind::Image, &IMAGE_SIDE_REPEL_CHARGEBAR_FILL},
    {"IMAGE_SIDE_DIVIDER", Kind::Image, &IMAGE_SIDE_DIVIDER},
    {"IMAGE_INGAME_RUNESTONE", Kind::Image, &IMAGE_INGAME_RUNESTONE},
    {"IMAGE_REVEAL_ICON", Kind::Image, &IMAGE_REVEAL_ICON},
    {"IMAGE_REVEAL_ICON_HOVER", Kind::Image, &IMAGE_REVEAL_ICON_HOVER},
    {"IMAGE_REVEAL_ICON_WINK", Kind::Image, &IMAGE_REVEAL_ICON_WINK},
    {"IMAGE_SIDE_BAR", Kind::Image, &IMAGE_SIDE_BAR},
    {"IMAGE_CHECKBOX", Kind::Image, &IMAGE_CHECKBOX},
    {"IMAGE_SLIDER_TRACK", Kind::Image, &IMAGE_SLIDER_TRACK},
    {"IMAGE_SLIDER_THUMB", Kind::Image, &IMAGE_SLIDER_THUMB},
    {"IMAGE_OPTIONS_BOTTOM_BUTTON", Kind::Image, &IMAGE_OPTIONS_BOTTOM_BUTTON},
    {"IMAGE_OPTIONS_BOTTOM_BUTTON_HI", Kind::Image, &IMAGE_OPTIONS_BOTTOM_BUTTON_HI},
    {"IMAGE_OPTIONS_BUTTON_SMALL", Kind::Image, &IMAGE_OPTIONS_BUTTON_SMALL},
    {"IMAGE_OPTIONS_BUTTON_SMALL_HI", Kind::Image, &IMAGE_OPTIONS_BUTTON_SMALL_HI},
    {"IMAGE_OPTIONS_BUTTON_MED", Kind::Image, &IMAGE_OPTIONS_BUTTON_MED},
    {"IMAGE_OPTIONS_BUTTON_MED_HI", Kind::Image, &IMAGE_OPTIONS_BUTTON_MED_HI},
    {"IMAGE_OPTIONS_BUTTON_LARGE", Kind::Image, &IMAGE_OPTIONS_BUTTON_LARGE},
    {"IMAGE_OPTIONS_BUTTON_LARGE_HI", Kind::Image, &IMAGE_OPTIONS_BUTTON_LARGE_HI},
    {"ANIM_BOOK1", Kind::Image, &ANIM_BOOK1},
    {"ANIM_BOOK2", Kind::Image, &ANIM_BOOK2},
    {"ANIM_BOOK3", Kind::Image, &ANIM_BOOK3},
    {"ANIM_BLUE_BOOK1", Kind::Image, &ANIM_BLUE_BOOK1},
    {"ANIM_BLUE_BOOK2", Kind::Image, &ANIM_BLUE_BOOK2},
    {"ANIM_BLUE_BOOK3", Kind::Image, &ANIM_BLUE_BOOK3},
    {"ANIM_SPOTLIGHT", Kind::Image, &ANIM_SPOTLIGHT},
    {"ANIM_FIRE1", Kind::Image, &ANIM_FIRE1},
    {"IMAGE_STORY_BACK_TOP", Kind::Image, &IMAGE_STORY_BACK_TOP},
    {"IMAGE_STORY_BACK_BOTTOM", Kind::Image, &IMAGE_STORY_BACK_BOTTOM},
    {"IMAGE_SCROLL", Kind::Image, &IMAGE_SCROLL},
    {"IMAGE_END_OF_GAME", Kind::Image, &IMAGE_END_OF_GAME},
    {"IMAGE_RUNESTONE", Kind::Image, &IMAGE_RUNESTONE},
    {"SFX_RUNE_DESTROY", Kind::Sound, &SFX_RUNE_DESTROY},
    {"IMAGE_TITLE_BACK", Kind::Image, &IMAGE_TITLE_BACK},
    {"IMAGE_TITLE_COVER", Kind::Image, &IMAGE_TITLE_COVER},
    {"IMAGE_TITLE_PLAY_HIGH", Kind::Image, &IMAGE_TITLE_PLAY_HIGH},
    {"IMAGE_TITLE_OPTION_HIGH", Kind::Image, &IMAGE_TITLE_OPTION_HIGH},
    {"IMAGE_TITLE_EXIT_HIGH", Kind::Image, &IMAGE_TITLE_EXIT_HIGH},
    {"IMAGE_TITLE_ANIM_BG", Kind::Image, &IMAGE_TITLE_ANIM_BG},
    {"SFX_WIND", Kind::Sound, &SFX_WIND},
    {"SFX_THUNDER", Kind::Sound, &SFX_THUNDER},
    {"SFX_THUNDER2", Kind::Sound, &SFX_THUNDER2},
    {"IMAGE_HTP_INGAME_1", Kind::Image, &IMAGE_HTP_INGAME_1},
    {"IMAGE_HTP_INGAME_2", Kind::Image, &IMAGE_HTP_INGAME_2},
    {"IMAGE_HTP_INGAME_3", Kind::Image, &IMAGE_HTP_INGAME_3},
    {"IMAGE_HTP_INGAME_4", Kind::Image, &IMAGE_HTP_INGAME_4},
    {"IMAGE_HTP_INGAME_5", Kind::Image, &IMAGE_HTP_INGAME_5},
    {"IMAGE_HTP_INGAME_6", Kind::Image, &IMAGE_HTP_INGAME_6},
    {"IMAGE_HTP_INGAME_7", Kind::Image, &IMAGE_HTP_INGAME_7},
    {"IMAGE_HTP_POTION_1", Kind::Image, &IMAGE_HTP_POTION_1},
    {"IMAGE_HTP_POTION_2", Kind::Image, &IMAGE_HTP_POTION_2},
    {"IMAGE_HTP_POTION_3", Kind::Image, &IMAGE_HTP_POTION_3},
    {"IMAGE_HTP_POTION_4", Kind::Image, &IMAGE_HTP_POTION_4},
    {"IMAGE_HTP_CHANT_1", Kind::Image, &IMAGE_HTP_CHANT_1},
    {"IMAGE_HTP_CHANT_2", Kind::Image, &IMAGE_HTP_CHANT_2},
    {"IMAGE_HTP_CHANT_3", Kind::Image, &IMAGE_HTP_CHANT_3},
    {"IMAGE_HTP_CHANT_4", Kind::Image, &IMAGE_HTP_CHANT_4},
    {"IMAGE_CORNER_TOP_BIG", Kind::Image, &IMAGE_CORNER_TOP_BIG},
    {"IMAGE_CORNER_TOP_SMALL", Kind::Image, &IMAGE_CORNER_TOP_SMALL},
    {"IMAGE_CORNER_BOTTOM_BIG", Kind::Image, &IMAGE_CORNER_BOTTOM_BIG},
    {"IMAGE_CORNER_BOTTOM_SMALL", Kind::Image, &IMAGE_CORNER_BOTTOM_SMALL},
    {"MAP_LOC01_HOVER", Kind::Image, &MAP_LOC01_HOVER},
    {"MAP_LOC02_HOVER", Kind::Image, &MAP_LOC02_HOVER},
    {"MAP_LOC03_HOVER", Kind::Image, &MAP_LOC03_HOVER},
    {"MAP_LOC04_HOVER", Kind::Image, &MAP_LOC04_HOVER},
    {"MAP_LOC05_HOVER", Kind::Image, &MAP_LOC05_HOVER},
    {"MAP_LOC06_HOVER", Kind::Image, &MAP_LOC06_HOVER},
    {"MAP_LOC07_HOVER", Kind::Image, &MAP_LOC07_HOVER},
    {"MAP_LOC08_HOVER", Kind::Image, &MAP_LOC08_HOVER},
    {"MAP_LOC09_HOVER", Kind::Image, &MAP_LOC09_HOVER},
    {"MAP_LOC10_HOVER", Kind::Image, &MAP_LOC10_HOVER},
    {"MAP_LOC11_HOVER", Kind::Image, &MAP_LOC11_HOVER},
    {"MAP_LOC12_HOVER", Kind::Image, &MAP_LOC12_HOVER},
    {"SFX_MATCH_CONNECT", Kind::Sound, &SFX_MATCH_CONNECT},
    {"SFX_MATCH_UNCONNECT", Kind::Sound, &SFX_MATCH_UNCONNECT},
    {"SFX_MATCH_SHUFFLE", Kind::Sound, &SFX_MATCH_SHUFFLE},
    {"SFX_CHANT_CLICK", Kind::Sound, &SFX_CHANT_CLICK},
    {"SFX_CHANT_BACK", Kind::Sound, &SFX_CHANT_BACK},
    {"SFX_CHANT_WORD_SWAP", Kind::Sound, &SFX_CHANT_WORD_SWAP},
};

// Identifiers theFirst to theLast, in order; stops at the first the manager cannot give.
bool Extract(ResourceManager* theManager, int theFirst, int theLast) {
  try {
    for (int i = theFirst; i <= theLast; ++i) {
      const ResourceId& anId = k_resourceIds[i];
      switch (anId.mKind) {
        case Kind::Image:
          *static_cast<Image**>(anId.mGlobal) = theManager->GetImageThrow(anId.mName);
          break;
        case Kind::Font:
          *static_cast<Font**>(anId.mGlobal) = theManager->GetFontThrow(anId.mName);
          break;
        case Kind::Sound:
          *static_cast<int*>(anId.mGlobal) = theManager->GetSoundThrow(anId.mName);
          break;
      }
    }
  } catch (const ResourceManagerException&) {
    return false;
  }
  return true;
}

}  // namespace

bool ExtractInitResources(ResourceManager* theManager) { return Extract(theManager, 0, 0); }
bool ExtractConstantsResources(ResourceManager* theManager) { return Extract(theManager, 1, 33); }
bool ExtractMainResources(ResourceManager* theManager) { return Extract(theManager, 34, 70); }
bool ExtractStoryResources(ResourceManager* theManager) { return Extract(theManager, 71, 76); }
bool ExtractTitleScreenResources(ResourceManager* theManager) { return Extract(theManager, 77, 85); }
bool ExtractHowToPlayResources(ResourceManager* theManager) { return Extract(theManager, 86, 104); }
bool ExtractMapResources(ResourceManager* theManager) { return Extract(theManager, 105, 116); }
bool ExtractMiniGameResources(ResourceManager* theManager) { return Extract(theManager, 117, 122); }
bool ExtractLevelIntroResources(ResourceManager*) { return true; }

const char* GetStringIdById(int theId) {
  if (theId < 0 || theId >= k_numResourceIds) return "";
  return k_resourceIds[theId].mName;
}

}  // namespace Tesk
