// The game's resources as globals named like their manifest ids (IMAGE_, ANIM_ and MAP_ images,
// FONT_ fonts, SFX_ and AMBIENT_ sound ids), bound group by group after the group has loaded.
// A global keeps its last value when its group is released: it must not be used until the
// group is loaded and extracted again.
#pragma once

namespace Tesk {

class Font;
class Image;
class ResourceManager;

// The identifiers run 0 to k_numResourceIds - 1 through the groups in manifest order.
const int k_numResourceIds = 123;

// Group "Init".
extern Image* IMAGE_DEZADUDE_LOGO;

// Group "Constants".
extern Font* FONT_TITLE_OPTIONS;
extern Font* FONT_SMALL;
extern Font* FONT_MEDIUM;
extern Font* FONT_INTRO_TEXT;
extern Font* FONT_TIME;
extern int SFX_ERROR;
extern int SFX_PROFILE_DELETED;
extern int SFX_HOVER_GENERAL;
extern int SFX_SELECT_PRESS;
extern int SFX_START_GAME;
extern int SFX_BACK_PRESS;
extern int SFX_POPUPBOX_APPEAR;
extern int SFX_CHECK;
extern int SFX_HINT;
extern int SFX_MAP_HOVER;
extern int SFX_MAP_ENTER;
extern int SFX_MAP_ENTER_LOC;
extern int SFX_OBJECT_FOUND;
extern int SFX_OBJECT_SET_FOUND;
extern int SFX_MISPRESS;
extern int SFX_MISPRESS_MULTIPLE;
extern int SFX_REPEL;
extern int SFX_REPEL_CLICK;
extern int SFX_REPEL_COMPLETED;
extern int SFX_REVEAL;
extern int SFX_REPEL_RECHARGED;
extern int SFX_COIN;
extern int SFX_TIMER_LOW_CLICK;
extern int SFX_LEVEL_FAILED_SOUND;
extern int SFX_GRADE_UP;
extern int SFX_MINIGAME_PASSED;
extern int AMBIENT_BOOK_FLAP;
extern int AMBIENT_EARTHQUAKE;

// Group "Main".
extern Image* IMAGE_SIDE_MENU;
extern Image* IMAGE_SIDE_MENU_HOVER;
extern Image* IMAGE_SIDE_REPEL;
extern Image* IMAGE_SIDE_REPEL_HOVER;
extern Image* IMAGE_SIDE_REPEL_INACTIVE;
extern Image* IMAGE_SIDE_REVEAL;
extern Image* IMAGE_SIDE_REVEAL_INACTIVE;
extern Image* IMAGE_SIDE_MAP;
extern Image* IMAGE_SIDE_MAP_HOVER;
extern Image* IMAGE_SIDE_CRYSTAL_BALL_GLOW;
extern Image* IMAGE_SIDE_REPEL_CHARGEBAR_BACK;
extern Image* IMAGE_SIDE_REPEL_CHARGEBAR_FILL;
extern Image* IMAGE_SIDE_DIVIDER;
extern Image* IMAGE_INGAME_RUNESTONE;
extern Image* IMAGE_REVEAL_ICON;
extern Image* IMAGE_REVEAL_ICON_HOVER;
extern Image* IMAGE_REVEAL_ICON_WINK;
extern Image* IMAGE_SIDE_BAR;
extern Image* IMAGE_CHECKBOX;
extern Image* IMAGE_SLIDER_TRACK;
extern Image* IMAGE_SLIDER_THUMB;
extern Image* IMAGE_OPTIONS_BOTTOM_BUTTON;
extern Image* IMAGE_OPTIONS_BOTTOM_BUTTON_HI;
extern Image* IMAGE_OPTIONS_BUTTON_SMALL;
extern Image* IMAGE_OPTIONS_BUTTON_SMALL_HI;
extern Image* IMAGE_OPTIONS_BUTTON_MED;
extern Image* IMAGE_OPTIONS_BUTTON_MED_HI;
extern Image* IMAGE_OPTIONS_BUTTON_LARGE;
extern Image* IMAGE_OPTIONS_BUTTON_LARGE_HI;
extern Image* ANIM_BOOK1;
extern Image* ANIM_BOOK2;
extern Image* ANIM_BOOK3;
extern Image* ANIM_BLUE_BOOK1;
extern Image* ANIM_BLUE_BOOK2;
extern Image* ANIM_BLUE_BOOK3;
extern Image* ANIM_SPOTLIGHT;
extern Image* ANIM_FIRE1;

// Group "Story".
extern Image* IMAGE_STORY_BACK_TOP;
extern Image* IMAGE_STORY_BACK_BOTTOM;
extern Image* IMAGE_SCROLL;
extern Image* IMAGE_END_OF_GAME;
extern Image* IMAGE_RUNESTONE;
extern int SFX_RUNE_DESTROY;

// Group "TitleScreen".
extern Image* IMAGE_TITLE_BACK;
extern Image* IMAGE_TITLE_COVER;
extern Image* IMAGE_TITLE_PLAY_HIGH;
extern Image* IMAGE_TITLE_OPTION_HIGH;
extern Image* IMAGE_TITLE_EXIT_HIGH;
extern Image* IMAGE_TITLE_ANIM_BG;
extern int SFX_WIND;
extern int SFX_THUNDER;
extern int SFX_THUNDER2;

// Group "HowToPlay".
extern Image* IMAGE_HTP_INGAME_1;
extern Image* IMAGE_HTP_INGAME_2;
extern Image* IMAGE_HTP_INGAME_3;
extern Image* IMAGE_HTP_INGAME_4;
extern Image* IMAGE_HTP_INGAME_5;
extern Image* IMAGE_HTP_INGAME_6;
extern Image* IMAGE_HTP_INGAME_7;
extern Image* IMAGE_HTP_POTION_1;
extern Image* IMAGE_HTP_POTION_2;
extern Image* IMAGE_HTP_POTION_3;
extern Image* IMAGE_HTP_POTION_4;
extern Image* IMAGE_HTP_CHANT_1;
extern Image* IMAGE_HTP_CHANT_2;
extern Image* IMAGE_HTP_CHANT_3;
extern Image* IMAGE_HTP_CHANT_4;
extern Image* IMAGE_CORNER_TOP_BIG;
extern Image* IMAGE_CORNER_TOP_SMALL;
extern Image* IMAGE_CORNER_BOTTOM_BIG;
extern Image* IMAGE_CORNER_BOTTOM_SMALL;

// Group "Map".
extern Image* MAP_LOC01_HOVER;
extern Image* MAP_LOC02_HOVER;
extern Image* MAP_LOC03_HOVER;
extern Image* MAP_LOC04_HOVER;
extern Image* MAP_LOC05_HOVER;
extern Image* MAP_LOC06_HOVER;
extern Image* MAP_LOC07_HOVER;
extern Image* MAP_LOC08_HOVER;
extern Image* MAP_LOC09_HOVER;
extern Image* MAP_LOC10_HOVER;
extern Image* MAP_LOC11_HOVER;
extern Image* MAP_LOC12_HOVER;

// Group "MiniGame".
extern int SFX_MATCH_CONNECT;
extern int SFX_MATCH_UNCONNECT;
extern int SFX_MATCH_SHUFFLE;
extern int SFX_CHANT_CLICK;
extern int SFX_CHANT_BACK;
extern int SFX_CHANT_WORD_SWAP;

// Each fetches every resource of its group from the manager into its global, in id order.
// False at the first resource the manager cannot give (it has reported why): the globals before
// it hold their new values, it and those after it keep their old ones.
bool ExtractInitResources(ResourceManager* theManager);
bool ExtractConstantsResources(ResourceManager* theManager);
bool ExtractMainResources(ResourceManager* theManager);
bool ExtractStoryResources(ResourceManager* theManager);
bool ExtractTitleScreenResources(ResourceManager* theManager);
bool ExtractHowToPlayResources(ResourceManager* theManager);
bool ExtractMapResources(ResourceManager* theManager);
bool ExtractMiniGameResources(ResourceManager* theManager);
// The chapter intro's group has no resources: always true.
bool ExtractLevelIntroResources(ResourceManager* theManager);

// The manifest id of identifier theId ("SFX_COIN" for 27); "" outside 0..122.
const char* GetStringIdById(int theId);

}  // namespace Tesk
