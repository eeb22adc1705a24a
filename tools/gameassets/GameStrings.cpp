#include "GameStrings.h"

namespace GameAssets {

namespace {

// Record order is the loader's: each line fills the next global.
const GameString kStrings[] = {
    // Menus, buttons and option labels.
    {"stringBackToMainMenu", L"Back to the Main Menu"},
    {"stringBack", L"Back"},
    {"stringYes", L"Yes"},
    {"stringNo", L"No"},
    {"stringRUSure", L"Are You Sure?"},
    {"stringOK", L"OK"},
    {"stringMap", L"Map"},
    {"stringStay", L"Stay"},
    {"stringStoryType", L"Choose Your Tale"},
    {"stringLevelFailed", L"Out of Time"},
    {"stringTryAgain", L"Try Again"},
    {"stringExitToMenu", L"Exit to Menu"},
    {"stringPopupOptions", L"Options"},
    {"stringMusic", L"Music"},
    {"stringSfx", L"Sounds"},
    {"stringFullscreen", L"Full screen"},
    {"stringHelpBox", L"Show help messages"},
    {"stringHelpCustomCursor", L"Use the wand cursor"},
    {"stringCredits", L"Credits"},
    {"stringHighScores", L"Hall of Fame"},
    {"stringExitGame", L"Quit to Title"},
    {"stringReturnToGame", L"Return to Game"},
    {"stringHowToPlay", L"How to Play"},
    {"stringHelp", L"Help"},
    {"stringUnlockables", L"Rewards"},
    {"stringHelpOptions", L"Help Options"},
    {"string3DToggle", L"Graphics"},
    {"stringToggleOptions", L"Graphics Options"},
    {"string3DEnabled", L"Use 3D acceleration"},
    {"stringUnlockablesExtraHardDiff", L"Expert difficulty is yours: pick it when you begin a new game."},
    {"stringMapUsingToggle[0]", L"Map: Painted"},
    {"stringMapUsingToggle[1]", L"Map: Treasure"},
    {"stringNothingUnlocked",
     L"Nothing unlocked yet. Gold coins hide in every location: collect them to earn new wands and "
     L"a second map. Finish the whole Codex with a fine grade for even more."},
    {"stringDiffInfo[0]", L"Relaxed: no clock at all. Search at your own pace and enjoy the story."},
    {"stringDiffInfo[1]", L"Timed: every chapter has a time limit. Finish early for a better grade."},
    {"stringDiffInfo[2]",
     L"Expert: less time, a list that shows few names at once, harder potions and longer chants."},
    {"stringTitleMainOptions[0]", L"Play"},
    {"stringTitleMainOptions[1]", L"Options"},
    {"stringTitleMainOptions[2]", L"Exit"},

    // Headings and one-time help messages.
    {"stringHint", L"A Hint"},
    {"stringWarning", L"Careful!"},
    {"stringChantFailed", L"The Chant Failed"},
    {"stringHintWelcomeZq",
     L"Welcome to Gloam Hollow! This is the map of the valley. Each glowing place holds objects the "
     L"spell needs, and its number tells how many are left. Click a place to search it."},
    {"stringHintEnoughObjectsFound",
     L"You have found enough to cast this chapter's spell! Click the panel on the left to bind it, "
     L"or keep searching the places that still glow."},
    {"stringHintFindObjects",
     L"Find the objects named in the list on the left and click each one when you spot it. A name "
     L"ending in x3 has three pieces to find."},
    {"stringHintFindCoins",
     L"Three gold coins are hidden in every location. They are not on the list, but collecting them "
     L"unlocks rewards."},
    {"stringHintFoundFirstObj",
     L"Well spotted! Every object you find brings the spell closer. Finding several quickly, one "
     L"after another, raises your grade."},
    {"stringHintFoundFirstCoin",
     L"A gold coin! Keep an eye out for the others: 18 coins unlock new wands, and all 36 unlock a "
     L"second map."},
    {"stringHintQuickfind",
     L"Find objects quickly, one right after another: every quick find raises your grade for the "
     L"chapter."},
    {"stringHintFirstQuickfind", L"A quick find! Finding objects in swift succession raises your grade."},
    {"stringHintFailedPress",
     L"Clicking at random will not help! Too many wrong clicks in a row cost time and lower your "
     L"grade."},
    {"stringHintShortTime", L"Less than thirty seconds remain! Find what you can before the time runs out."},
    {"stringHintRepeatedMatch3",
     L"Longer chains brew a stronger potion: a chain of five fills the bottle three times as much as "
     L"a chain of three."},
    {"stringHintUsingRepel",
     L"You know Repel the Dark now! When creatures get in your way, click Repel at the bottom of "
     L"the side bar to drive them off."},
    {"stringHintUsingRepel2",
     L"The creatures flee! Repel needs time to gather its strength again: watch the bar at the "
     L"bottom of the side bar fill up."},
    {"stringHintUsingRepelPowerup",
     L"Some locations hide a Repel spell among their clutter. Finding it casts the spell for free "
     L"and makes your own Repel cheaper ever after."},
    {"stringHintChantHint",
     L"Stuck? Only the letters count: any parts whose letters together match the chant will do, in "
     L"any order."},
    {"stringHintChantFailed",
     L"Those parts do not make the chant. Compare their letters with the chant on the left and try "
     L"again."},
    {"stringHintRunestones",
     L"The four Rune Stones hide somewhere in the Hollow's twelve places. Find every one of them to "
     L"break the endless dusk!"},
    {"stringHintFirstRepelFound",
     L"You found a hidden Repel spell! It drives the creatures away at once, and your own Repel "
     L"now costs less to cast."},
    {"stringHintChantCannotAddMore",
     L"The chant needs no more parts. Click Cast to speak it, or Clear to start over."},
    {"stringHintMapButton",
     L"Can't find the rest? Use the map at the top left to search another place, and come back "
     L"later with fresh eyes."},
    {"stringHintDontWastReveals",
     L"Reveals are precious: each chapter grants only a few, and every one left unused raises your "
     L"grade at the end."},
    {"stringHintDungeon",
     L"The dungeon is pitch dark! A small light follows your pointer. Casting Repel chases the "
     L"darkness away for a while."},
    {"stringHintClickedOnDistraction",
     L"Shoo! A click sends a spider or a flying book away, though more may come while the dusk "
     L"lasts."},
    {"stringHintCoinReminder",
     L"Don't forget the gold coins! Three are hidden in every location, waiting to be found."},
    {"stringHintIngrediantsDontMove",
     L"Press on an ingredient and drag across matching ones beside it, in any direction, then let "
     L"go. Chains of three or more go into the bottle."},
    {"stringHintCustomCursor",
     L"Your pointer is a wizard's wand now. If you prefer the plain arrow, open the Menu, choose "
     L"Help and untick the wand cursor."},
    {"stringHelpTutoarialFinished", L"That is all there is to learn. Good luck, apprentice!"},
    {"stringHelpWordComplete1stTime",
     L"Your first chant! Click the word parts that spell out the chant shown on the left. Each "
     L"part goes to the bar below; when all are chosen, click Cast."},
    {"stringHelpMatchGame1stTime",
     L"Your first potion! Drag across three or more matching ingredients to add them to the brew. "
     L"Fill the bottle on the left to finish."},
    {"stringHelpWordComplete",
     L"Speak the chant to bind this chapter's spell into the Codex: pick the parts that make up the "
     L"chant on the left, then click Cast."},
    {"stringHelpMatchGame",
     L"Brew the potion to bind this chapter's spell into the Codex: chain matching ingredients to "
     L"fill the bottle on the left."},
    {"stringGoodJob", L"Well Done!"},
    {"stringGreatJob", L"Splendid!"},
    {"stringLevelCompleted", L"Chapter Complete!"},
    {"stringAllLocationObjsFound",
     L"You have found everything on this list. Return to the map and search another place."},
    {"stringLevelFailedDetails",
     L"The dusk deepens and the spell slips away. Try the chapter again, or rest and come back "
     L"later."},
    {"stringLevelFailedLastLevelDetails",
     L"The Rune Stones' power returned before you could break them. Try once more: the Hollow is "
     L"counting on you."},
    {"stringAllRunestonesFound", L"All four Rune Stones are found! Their hold on the Hollow is breaking."},
    {"stringLookOnline", L"Need a reminder? Read how to play, or choose how help is shown."},
    {"string3DToggleInfo",
     L"3D acceleration lets your graphics card draw the game. Turn it off if the picture flickers "
     L"or looks wrong."},
    {"stringSpellObjectsRemaining", L"Still to find: %d"},
    {"stringPlusObjectsRemaining", L"Extras left: %d"},
    {"stringAllChapterObjectsFound",
     L"You have gathered everything the spell needs. Now bind it into the Codex!"},
    {"stringMapInfoText",
     L"Pick a place on the map to search it. Its number tells how many objects are left there."},
    {"stringMapInfoPotion", L"Enough found! Click here to brew the potion."},
    {"stringMapInfoChant", L"Enough found! Click here to speak the chant."},
    {"stringMinigameClickPotion", L"Click the bottle to shuffle the board."},
    {"stringMapUnlocked", L"A New Map!"},
    {"stringMapUnlockedInfo",
     L"All 36 gold coins are yours, and with them the treasure map! Switch maps under Menu, "
     L"Rewards."},
    {"stringWandsUnlocked", L"New Wands!"},
    {"stringWandsUnlockedInfo",
     L"For finishing the Codex with a fine grade, three new wands are yours. Choose one under Menu, "
     L"Rewards in your next game."},
    {"stringWandsUnlockedInfo2",
     L"You have collected 18 gold coins, and three new wands are yours! Choose one under Menu, "
     L"Rewards."},
    {"stringHardUnlocked", L"Expert Unlocked!"},
    {"stringHardUnlockedInfo",
     L"You finished the Codex with a superb grade. The Expert difficulty is open for your next "
     L"game."},
    {"stringAllObjectsFound",
     L"You have found enough to cast this chapter's spell. Keep searching for coins, or bind the "
     L"spell now?"},
    {"stringContinueSearching", L"Keep Searching"},
    {"stringExitToMinigame", L"Bind the Spell"},
    {"stringPopupHeaderBasic1", L"Play"},
    {"stringContinue", L"Continue"},
    {"stringNewGame", L"New Game"},
    {"stringChooseDiff", L"Choose Difficulty"},
    {"stringDiff1", L"Relaxed"},
    {"stringDiff2", L"Timed"},
    {"stringDiff3", L"Expert"},
    {"stringWelcome", L"Welcome,"},
    {"stringToChangeProfile", L"Not you?"},
    {"stringProfileEntry1", L"Enter Your Name"},
    {"stringCreateProfile", L"Create"},
    {"stringSelectProfileMenu", L"Choose a Player"},
    {"stringCreateNewProfileMenu", L"New Player"},
    {"stringDeleteProfileMenu", L"Delete a Player"},
    {"stringNameError", L"Try Another Name"},
    {"stringProfileError", L"Too Many Players"},
    {"stringWindowSupportError", L"Full Screen Only"},
    {"stringNameAlreadyExists", L"A player with that name already exists. Please choose another name."},
    {"stringErrorEmpty", L"Please type a name first."},
    {"stringCreateProfileError",
     L"There is room for four players only. Delete a player to make room for a new one."},
    {"stringNoWindowSupportError",
     L"Your screen is too small to show the game in a window, so it can only run full screen."},
    {"stringRUSureDelete", L"Delete this player and all of their progress? This cannot be undone."},
    {"stringRUSureOverwriteContinue", L"A new game will erase your saved game. Start anew?"},
    {"stringRUSureExitIngame", L"Leave the game now? Your progress will be saved."},
    {"stringStoryTypeInfo", L"Would you like the whole tale of the Hollow, or just its beginning?"},
    {"stringStoryLongName", L"The Whole Tale"},
    {"stringStoryShortName", L"Just the Start"},

    // The chapter results: what each spell does.
    {"k_levelSpellInfo[0]",
     L"Drives away spiders, flying books and other creatures for a while. From now on, click "
     L"Repel on the side bar to cast it."},
    {"k_levelSpellInfo[1]",
     L"Shows hidden things to a watchful eye, the way a Reveal points out a lost object."},
    {"k_levelSpellInfo[2]", L"Keeps the grey blight away from leaves, gears and pages alike."},
    {"k_levelSpellInfo[3]",
     L"Grows a single thread into a strong rope, and mends torn cloth and cracked wood."},
    {"k_levelSpellInfo[4]",
     L"Opens the way to three hidden meadows, where the Vesper grew her rarest herbs."},
    {"k_levelSpellInfo[5]",
     L"Paints a false picture of the world for others, and lets the caster see through their "
     L"illusions."},
    {"k_levelSpellInfo[6]", L"Carries the caster home in a single step, from anywhere in Gloam Hollow."},
    {"k_levelSpellInfo[7]", L"Turns one shape into another. Used wisely, it undoes a curse of changing."},
    {"k_levelSpellInfo[8]",
     L"Makes the caster's voice as loud as thunder, loud enough to shake stones loose."},
    {"k_levelSpellInfo[9]",
     L"Gives strength to the weary and warmth to the cold, brewed from the rarest herbs."},
    {"k_levelSpellInfo[10]", L"Wraps the caster in a cool ward that no flame can pass."},
    {"k_levelSpellInfo[11]",
     L"Lets the caster read and speak the Old Tongue, the language of the Rune Stones."},

    // The chapter results: what happened in each chapter.
    {"k_levelSummaryText[0]",
     L"You lit the Vesper's lamp again. The shadows in the library drew back into their corners, "
     L"and the owls along the Owlwood Path fell silent to listen. The first page of the Codex glows "
     L"with fresh ink."},
    {"k_levelSummaryText[1]",
     L"The lost tools of Millbrook Farm turned up in the hayloft, and the whispers of the Crystal "
     L"Cavern were only the wind after all. A second page of the Codex is written."},
    {"k_levelSummaryText[2]",
     L"The grey blight is gone from the willows, the clockmaker's gears turn freely again and the "
     L"library's pages lie flat. The Hollow breathes a little easier tonight."},
    {"k_levelSummaryText[3]",
     L"Silk from the ramparts became rope, and rope became a ladder into the darkest corner of the "
     L"dungeon. Whatever waits down there, you can climb out again."},
    {"k_levelSummaryText[4]",
     L"Three meadows opened under the spell, bright with flowers that have not seen the sun for a "
     L"hundred days. In the middle one you found the Vesper's lost satchel."},
    {"k_levelSummaryText[5]",
     L"Doors that were never there have vanished again, and the attic's stairs lead where they "
     L"should. Corvane's illusions no longer fool you."},
    {"k_levelSummaryText[6]",
     L"The old wyrm opened one sleepy eye, sniffed your pockets and showed you the way home. Wherever "
     L"you wander now, one step brings you back."},
    {"k_levelSummaryText[7]",
     L"With the Spell of Change the raven shook out its feathers, and the Vesper stood before you, "
     L"tired but smiling. She is free, though the dusk still weighs on her."},
    {"k_levelSummaryText[8]",
     L"Your voice rolled over the Hollow like a storm, and deep in the earth four stones trembled. "
     L"Now the Vesper knows they are near."},
    {"k_levelSummaryText[9]",
     L"The quickening draught brought colour back to the Vesper's cheeks. She can stand and walk "
     L"again, and she means to face Corvane's stones at your side."},
    {"k_levelSummaryText[10]",
     L"The wyrm's fire no longer frightens you: its flames slide off your ward like rain off a "
     L"window. The Hollow is safe from burning."},
    {"k_levelSummaryText[11]",
     L"The last page of the Codex is written. The runes that Corvane carved no longer look like "
     L"scratches: you can read every word of them."},
    {"k_ifAtFulltimeSchoolText", L" Every spell you bind brings the Hollow one step closer to the dawn."},

    // The spell each chapter teaches, in plain words.
    {"k_levelSpells[0]", L"Repel the Dark"},
    {"k_levelSpells[1]", L"Show What Is Hidden"},
    {"k_levelSpells[2]", L"Repel the Creeping Blight"},
    {"k_levelSpells[3]", L"Grow the Silken Thread"},
    {"k_levelSpells[4]", L"Show the Three Meadows"},
    {"k_levelSpells[5]", L"Weave a Perilous Illusion"},
    {"k_levelSpells[6]", L"One Step to Shelter"},
    {"k_levelSpells[7]", L"The Spell of Change"},
    {"k_levelSpells[8]", L"The Voice of Thunder"},
    {"k_levelSpells[9]", L"The Quickening Remedy"},
    {"k_levelSpells[10]", L"Ward Against Fire"},
    {"k_levelSpells[11]", L"Speak the Old Tongue"},
    {"stringGradeAcheived", L"Grade Achieved"},
    {"stringSpellLearned", L"Spell Learned"},
    {"stringChapterSummary", L"Chapter Summary"},
    {"stringClickAnywhere", L"Click anywhere to continue"},
    {"stringGameStats", L"Player"},
    {"stringTimeCol", L"Time"},
    {"stringGradeAvgCol", L"Grade"},
    {"stringMinPostMerge", L"%d min"},
    {"stringMinPostMergeShort", L"%dm, Expert"},

    // The chapter results: the tasks of each chapter.
    {"stringJobTexts1[0]", L"\u2022 Searched the Vesper's Library"},
    {"stringJobTexts1[1]", L"\u2022 Walked the Owlwood Path"},
    {"stringJobTexts1[2]", L"\u2022 Found 16 of the Vesper's things"},
    {"stringJobTexts1[3]", L"\u2022 Brewed your very first potion"},
    {"stringJobTexts1[4]", L"\u2022 Lit the Vesper's lamp again"},
    {"stringJobTexts1[5]", L"\u2022 Learned to repel the dark"},
    {"stringJobTexts2[0]", L"\u2022 Explored the Crystal Cavern"},
    {"stringJobTexts2[1]", L"\u2022 Searched Millbrook Farm"},
    {"stringJobTexts2[2]", L"\u2022 Found 17 hidden objects"},
    {"stringJobTexts2[3]", L"\u2022 Spoke your first chant"},
    {"stringJobTexts2[4]", L"\u2022 Solved the cavern's whispers"},
    {"stringJobTexts2[5]", L"\u2022 Learned to see what hides"},
    {"stringJobTexts3[0]", L"\u2022 Climbed the Clockmaker's Loft"},
    {"stringJobTexts3[1]", L"\u2022 Waded round the Willow Pond"},
    {"stringJobTexts3[2]", L"\u2022 Searched the library once more"},
    {"stringJobTexts3[3]", L"\u2022 Found 25 hidden objects"},
    {"stringJobTexts3[4]", L"\u2022 Brewed a potion against blight"},
    {"stringJobTexts3[5]", L"\u2022 Saved the willows and the gears"},
    {"stringJobTexts4[0]", L"\u2022 Walked the Castle Ramparts"},
    {"stringJobTexts4[1]", L"\u2022 Braved the dark Dungeon"},
    {"stringJobTexts4[2]", L"\u2022 Found 26 hidden objects"},
    {"stringJobTexts4[3]", L"\u2022 Spun silk into rope"},
    {"stringJobTexts4[4]", L"\u2022 Spoke the chant of growing"},
    {"stringJobTexts4[5]", L"\u2022 Mended the old rope ladder"},
    {"stringJobTexts5[0]", L"\u2022 Visited the Chapel Yard"},
    {"stringJobTexts5[1]", L"\u2022 Found 27 hidden objects"},
    {"stringJobTexts5[2]", L"\u2022 Opened the three meadows"},
    {"stringJobTexts5[3]", L"\u2022 Found the Vesper's satchel"},
    {"stringJobTexts5[4]", L"\u2022 Picked meadow flowers"},
    {"stringJobTexts5[5]", L"\u2022 Brewed the potion of meadows"},
    {"stringJobTexts6[0]", L"\u2022 Climbed to the Windward Ruins"},
    {"stringJobTexts6[1]", L"\u2022 Opened the Haunted Attic"},
    {"stringJobTexts6[2]", L"\u2022 Returned to the loft and pond"},
    {"stringJobTexts6[3]", L"\u2022 Found 34 hidden objects"},
    {"stringJobTexts6[4]", L"\u2022 Saw through Corvane's tricks"},
    {"stringJobTexts6[5]", L"\u2022 Spoke the chant of illusion"},
    {"stringJobTexts7[0]", L"\u2022 Crept into the Wyrm Cellar"},
    {"stringJobTexts7[1]", L"\u2022 Woke the wyrm, politely"},
    {"stringJobTexts7[2]", L"\u2022 Searched four places"},
    {"stringJobTexts7[3]", L"\u2022 Found 35 hidden objects"},
    {"stringJobTexts7[4]", L"\u2022 Brewed the potion of return"},
    {"stringJobTexts7[5]", L"\u2022 Learned the way home"},
    {"stringJobTexts8[0]", L"\u2022 Followed the talking raven"},
    {"stringJobTexts8[1]", L"\u2022 Searched four places"},
    {"stringJobTexts8[2]", L"\u2022 Found 36 hidden objects"},
    {"stringJobTexts8[3]", L"\u2022 Spoke the chant of change"},
    {"stringJobTexts8[4]", L"\u2022 Freed the Vesper from a spell"},
    {"stringJobTexts8[5]", L"\u2022 Heard the Vesper's story"},
    {"stringJobTexts9[0]", L"\u2022 Searched five places"},
    {"stringJobTexts9[1]", L"\u2022 Found 44 hidden objects"},
    {"stringJobTexts9[2]", L"\u2022 Brewed the thunder potion"},
    {"stringJobTexts9[3]", L"\u2022 Shouted louder than a storm"},
    {"stringJobTexts9[4]", L"\u2022 Shook the Rune Stones"},
    {"stringJobTexts9[5]", L"\u2022 Learned where the stones lie"},
    {"stringJobTexts10[0]", L"\u2022 Searched five places"},
    {"stringJobTexts10[1]", L"\u2022 Found 45 hidden objects"},
    {"stringJobTexts10[2]", L"\u2022 Gathered the rarest herbs"},
    {"stringJobTexts10[3]", L"\u2022 Spoke the chant of healing"},
    {"stringJobTexts10[4]", L"\u2022 Made the quickening draught"},
    {"stringJobTexts10[5]", L"\u2022 Restored the Vesper's strength"},
    {"stringJobTexts11[0]", L"\u2022 Searched five places"},
    {"stringJobTexts11[1]", L"\u2022 Found 46 hidden objects"},
    {"stringJobTexts11[2]", L"\u2022 Escaped the wyrm's fire"},
    {"stringJobTexts11[3]", L"\u2022 Brewed the fire ward"},
    {"stringJobTexts11[4]", L"\u2022 Made the Hollow safe from flame"},
    {"stringJobTexts11[5]", L"\u2022 Cooled the wyrm's temper"},
    {"stringJobTexts12[0]", L"\u2022 Searched six places"},
    {"stringJobTexts12[1]", L"\u2022 Found 55 hidden objects"},
    {"stringJobTexts12[2]", L"\u2022 Spoke the final chant"},
    {"stringJobTexts12[3]", L"\u2022 Learned the Old Tongue"},
    {"stringJobTexts12[4]", L"\u2022 Read Corvane's runes"},
    {"stringJobTexts12[5]", L"\u2022 Made the Codex whole again"},

    // More option labels and the chapter results' own lines.
    {"stringDistractionsOff", L"No distractions"},
    {"stringMapUsing", L"Map in use"},
    {"stringChooseYourWand", L"Choose your wand"},
    {"stringChapterComplete", L"Chapter %d Complete"},
    {"stringTimeTaken", L"Time taken: %ls"},
    {"stringNewRecordSpeed", L"New record! Previous best: %ls"},
    {"stringRecordTime", L"Best time: %ls"},
    {"stringTimeBonus", L"Time bonus!"},
    {"stringAllObjectsFoundTitle", L"All found!"},

    // Chapter labels, titles, introductions and goals.
    {"stringChapStrings[0]", L"Chapter One"},
    {"stringChapStrings[1]", L"Chapter Two"},
    {"stringChapStrings[2]", L"Chapter Three"},
    {"stringChapStrings[3]", L"Chapter Four"},
    {"stringChapStrings[4]", L"Chapter Five"},
    {"stringChapStrings[5]", L"Chapter Six"},
    {"stringChapStrings[6]", L"Chapter Seven"},
    {"stringChapStrings[7]", L"Chapter Eight"},
    {"stringChapStrings[8]", L"Chapter Nine"},
    {"stringChapStrings[9]", L"Chapter Ten"},
    {"stringChapStrings[10]", L"Chapter Eleven"},
    {"stringChapStrings[11]", L"Chapter Twelve"},
    {"stringChapStrings[12]", L"The Last Chapter"},
    {"stringChapTitles[0]", L"The Unlit Lamp"},
    {"stringChapTitles[1]", L"What Hides Unseen"},
    {"stringChapTitles[2]", L"The Creeping Blight"},
    {"stringChapTitles[3]", L"Threads of Silk"},
    {"stringChapTitles[4]", L"The Three Meadows"},
    {"stringChapTitles[5]", L"A Perilous Mirage"},
    {"stringChapTitles[6]", L"One Step Home"},
    {"stringChapTitles[7]", L"The Changing Shape"},
    {"stringChapTitles[8]", L"The Voice of Thunder"},
    {"stringChapTitles[9]", L"The Quickening Draught"},
    {"stringChapTitles[10]", L"A Ward Against Fire"},
    {"stringChapTitles[11]", L"The Old Tongue"},
    {"stringChapTitles[12]", L"The Four Rune Stones"},
    {"k_maxLevelIntroText[0]",
     L"The Vesper's lamp has gone out, and without it the shadows grow bold. The first page of the "
     L"Codex must hold the spell that drives the dark away.\n\n"
     L"The Vesper kept her reagents everywhere: on the shelves of her library and along the Owlwood "
     L"Path behind the house. Search both places and gather what the spell needs. When enough is "
     L"found, brew the potion that binds it back into the Codex."},
    {"k_maxLevelIntroText[1]",
     L"With the lamp burning again, faint marks appear on the second page: the outline of a spell "
     L"for seeing what hides.\n\n"
     L"The farmers of Millbrook say their tools keep vanishing, and the miners hear whispers in the "
     L"Crystal Cavern. Search the farm and the cavern, gather what the spell needs, then speak the "
     L"chant that writes it into the Codex."},
    {"k_maxLevelIntroText[2]",
     L"A grey blight is spreading from the Rune Stones. It dulls the willows by the pond, rusts the "
     L"gears in the clockmaker's loft and curls the pages of the library.\n\n"
     L"The third spell of the Codex once kept such sickness away. Search the loft, the pond and the "
     L"library for its reagents, and brew the potion before the blight takes hold."},
    {"k_maxLevelIntroText[3]",
     L"Spiders came with the endless dusk, and their webs now cover the ramparts of the old castle. "
     L"The Vesper once spun their silk into a spell that mends what is broken.\n\n"
     L"Search the ramparts, the Owlwood Path and the dungeon below the castle, where no light "
     L"reaches. Gather what the spell needs and speak its chant."},
    {"k_maxLevelIntroText[4]",
     L"The Vesper's notes tell of three meadows that appear only under a certain spell, and of "
     L"something she hid there long ago.\n\n"
     L"Search the farm, the crystal cavern and the yard of the old chapel for the objects the spell "
     L"needs, then brew the potion and see what the meadows reveal."},
    {"k_maxLevelIntroText[5]",
     L"Corvane knows you are coming. Illusions walk the Hollow now: doors where there are none, "
     L"stairs that lead nowhere. To see through them you need an illusion of your own.\n\n"
     L"Search the loft, the pond, the windy ruins on the hill and the Vesper's attic, which nobody "
     L"has opened in years. Then speak the chant."},
    {"k_maxLevelIntroText[6]",
     L"Below the Vesper's house lies a cellar where an old wyrm sleeps on a bed of coins. The "
     L"Vesper could step from anywhere in the Hollow straight back home, and the wyrm keeps the "
     L"secret of that spell.\n\n"
     L"Search the cellar, the library, the ramparts and the dungeon, then brew the potion that "
     L"shows you the way home."},
    {"k_maxLevelIntroText[7]",
     L"A raven has followed you for days. Today it spoke, in the Vesper's own voice: she is trapped "
     L"in its shape, and only the Spell of Change can free her.\n\n"
     L"Search the Owlwood Path, the clockmaker's loft, the chapel yard and the windward ruins for "
     L"what the spell needs, and speak its chant."},
    {"k_maxLevelIntroText[8]",
     L"Free at last but weak, the Vesper tells you where Corvane hid his Rune Stones: in the Hollow "
     L"itself, buried in its everyday places, where only a voice like thunder can shake them loose.\n\n"
     L"Search the farm, the pond, the ramparts, the attic and the wyrm's cellar, and brew the potion "
     L"of the thundering voice."},
    {"k_maxLevelIntroText[9]",
     L"The Vesper is growing weaker: the endless dusk feeds on her strength. An old remedy in the "
     L"Codex can restore her, if you can find its rare ingredients.\n\n"
     L"Search the library, the crystal cavern, the dungeon, the chapel yard and the windward ruins, "
     L"then speak the chant that seals the remedy."},
    {"k_maxLevelIntroText[10]",
     L"Corvane has woken the old wyrm, and its fire flickers in every corner of the Hollow. Before "
     L"you face the Rune Stones you will need protection from the flames.\n\n"
     L"Search the Owlwood Path, the farm, the loft, the pond and the attic for the ward's "
     L"ingredients, and brew the potion that keeps fire at bay."},
    {"k_maxLevelIntroText[11]",
     L"The Rune Stones were carved in a language older than the Hollow itself. Only the last spell "
     L"of the Codex, the Old Tongue, can read them, and only then can they be broken.\n\n"
     L"This is the longest search of all: the cavern, the ramparts, the dungeon, the chapel yard, "
     L"the ruins and the wyrm's cellar. Gather everything and speak the final chant."},
    {"k_maxLevelIntroText[12]",
     L"The Codex is whole again, its pages bright with every spell of the Hollow. Now the Old "
     L"Tongue shows you what was hidden all along: the four Rune Stones lie somewhere in the "
     L"Hollow's twelve places.\n\n"
     L"Find all four before their power returns. When the last one is found, the Vesper will speak "
     L"the words that break them, and the dawn may come at last."},
    {"stringGoalText[0]", L"Find %d of the objects on your lists to gather what this spell needs."},
    {"stringGoalText[1]", L"Find %d hidden objects at the farm and in the cavern to write this spell."},
    {"stringGoalText[2]", L"Find %d objects in three places before the blight spreads any further."},
    {"stringGoalText[3]", L"Find %d objects on the ramparts, the path and in the dungeon."},
    {"stringGoalText[4]", L"Find %d objects to open the way to the three meadows."},
    {"stringGoalText[5]", L"Find %d objects in four places to weave an illusion of your own."},
    {"stringGoalText[6]", L"Find %d objects, and the wyrm may share its secret with you."},
    {"stringGoalText[7]", L"Find %d objects to free the Vesper from the raven's shape."},
    {"stringGoalText[8]", L"Find %d objects in five places to give your voice its thunder."},
    {"stringGoalText[9]", L"Find %d rare ingredients to brew the Vesper's remedy."},
    {"stringGoalText[10]", L"Find %d objects in five places to ward yourself against fire."},
    {"stringGoalText[11]", L"Find %d objects in six places to learn the last spell of the Codex."},
    {"stringGoalText[12]", L"Find the four Rune Stones hidden across the Hollow. The Codex grants you %ls."},

    // The credits, scrolled once at the end of the game.
    {"k_endGameCredits",
     L"The Vesper's Codex\n"
     L"Gloam Hollow\n"
     L"\n"
     L"A game by Orvo Soft Games\n"
     L"\n"
     L"Story, design and programming\n"
     L"The Orvo Soft Games team\n"
     L"\n"
     L"Scenes, maps and books\n"
     L"Painted in code with Cairo\n"
     L"\n"
     L"Hidden objects\n"
     L"Drawn from Noto Color Emoji\n"
     L"\n"
     L"Lettering\n"
     L"Goudy Bookletter 1911 by Barry Schwartz\n"
     L"Linux Libertine and Biolinum by Philipp Poll\n"
     L"\n"
     L"Music and sounds\n"
     L"Played by the game's own little orchestra\n"
     L"\n"
     L"With thanks to the Vesper, the wyrm,\n"
     L"and every spider who agreed to be shooed\n"
     L"\n"
     L"And thank you for playing!"},

    // The story before a new game, long (four pages) and short.
    {"k_maxStoryText[0]",
     L"In the valley of Gloam Hollow the sun never quite sets. Every evening the Vesper, keeper of "
     L"the valley, opens her great spellbook, the Vesper's Codex, and speaks the evening spells "
     L"that keep the long night from creeping in.\n\n"
     L"For three hundred years the Codex has guarded the Hollow. Its pages hold every charm the "
     L"valley needs: spells to light the lamps, to call the rain, to mend the bridges and to hush "
     L"the things that stir in the dark."},
    {"k_maxStoryText[1]",
     L"You are the Vesper's apprentice. For a year you have swept her library, trimmed her candles "
     L"and copied her notes, waiting for the day she would teach you a spell of your own.\n\n"
     L"Then, on the night of the Autumn Lantern, the Vesper vanished. Her chair stood empty, her tea "
     L"was still warm, and the Codex lay open on her desk. Every page was blank."},
    {"k_maxStoryText[2]",
     L"In the morning the dusk did not lift. A grey twilight hung over the Hollow and would not "
     L"move. Spiders spun across the doorways, books flapped through the halls like startled birds, "
     L"and strange eyes blinked from the shadows.\n\n"
     L"On the Vesper's desk you found a name scratched into the wood: Corvane. And below it, two "
     L"words more: four stones."},
    {"k_maxStoryText[3]",
     L"Corvane was the Vesper's first apprentice, who wished the gentle dusk would last forever. "
     L"Now four Rune Stones of his making hold the Hollow in an endless gloaming, and they have "
     L"drained the Codex dry.\n\n"
     L"But a spell once written is never truly lost. Gather what each spell needs, bind it back "
     L"into the Codex page by page, and the Hollow may yet see the dawn."},
    {"k_maxStoryTextShort",
     L"Gloam Hollow lives in a gentle dusk, guarded each night by the Vesper and her spellbook, the "
     L"Vesper's Codex. But the Vesper has vanished, the Codex's pages are blank, and four Rune "
     L"Stones made by the sorcerer Corvane hold the valley in an endless twilight.\n\n"
     L"You are the Vesper's apprentice. Bind the spells back into the Codex one by one, then break "
     L"the Rune Stones and bring back the dawn."},
    // The ending, shown a paragraph at a time on the scroll.
    {"k_maxStoryFinally",
     L"One by one the Rune Stones crack and crumble into grey sand. The Vesper lifts the Codex and "
     L"speaks the first morning spell the Hollow has heard in a hundred days.\n"
     L"Far away, on the eastern hills, a thin line of gold appears. It grows and spreads, and the "
     L"long dusk slides off the valley like a blanket off a sleeper.\n"
     L"The spiders creep back into their corners, the books settle on their shelves, and the old "
     L"wyrm turns over in its cellar with a contented sigh.\n"
     L"Of Corvane there is no sign, only a grey feather on the chapel steps. The Vesper keeps it "
     L"in the Codex, between the last page and the cover.\n"
     L"That evening she hands you the Codex and a candle. Tonight, she says, the apprentice reads "
     L"the evening spells. The Hollow listens, and the dusk comes gently, and goes."},

    // How to play: the main game, the potion and the chant.
    {"stringHowToPlayTitle[0]", L"Finding Objects"},
    {"stringHowToPlayTitle[1]", L"The Map"},
    {"stringHowToPlayTitle[2]", L"Reveal"},
    {"stringHowToPlayTitle[3]", L"Repel"},
    {"stringHowToPlayTitle[4]", L"Gold Coins"},
    {"stringHowToPlayTitle[5]", L"Careful Clicking"},
    {"stringHowToPlayTitle[6]", L"Help Messages"},
    {"stringHowToPlayTitle[7]", L"Grades and Spells"},
    {"stringHowToPlayText[0]",
     L"Click the objects named in the list on the left. Key x3 means three keys to find."},
    {"stringHowToPlayText[1]",
     L"Pick a place on the map to search it. Its number shows how many objects wait there."},
    {"stringHowToPlayText[2]",
     L"Stuck? Click a Reveal icon to show where an object hides. Each chapter gives only a few."},
    {"stringHowToPlayText[3]",
     L"Spiders and books in the way? Cast Repel to chase them off. It recharges with time."},
    {"stringHowToPlayText[4]",
     L"Three gold coins hide in every place. Collect them to unlock wands and a new map."},
    {"stringHowToPlayText[5]",
     L"Clicking at random costs time and lowers your grade. Look first, then click."},
    {"stringHowToPlayText[6]",
     L"Help messages explain new things as you meet them. Turn them off in the options."},
    {"stringHowToPlayText[7]",
     L"Every chapter ends with a potion to brew or a chant to speak. Finish it and the chapter's "
     L"spell is bound into the Codex: the open book shows your grade and the spell you learned.\n\n"
     L"Your grade rises with quick finds and falls with careless clicks. Reveals you never used and "
     L"time to spare add to it when the chapter ends.\n\n"
     L"On the timed difficulties, keep an eye on the clock below the list. If it runs out, the "
     L"chapter starts over."},
    {"stringHowToPlayPotion[0]", L"Brewing a Potion"},
    {"stringHowToPlayPotion[1]", L"Filling the Bottle"},
    {"stringHowToPlayPotionText[0]",
     L"Press on an ingredient and drag through matching ones next to it, in any direction."},
    {"stringHowToPlayPotionText[1]",
     L"Let go to brew: a chain of three or more goes into the bottle. Longer is better."},
    {"stringHowToPlayPotionText[2]",
     L"Fill the bottle to the top to finish the potion and learn the chapter's spell."},
    {"stringHowToPlayPotionText[3]",
     L"No chains left? Click the bottle to shuffle the board. It costs a little potion."},
    {"stringHowToPlayChant[0]", L"Picking the Parts"},
    {"stringHowToPlayChant[1]", L"Casting"},
    {"stringHowToPlayChant[2]", L"Moving Tiles"},
    {"stringHowToPlayChantText[0]",
     L"The chant to speak is shown on the left. Its parts lie scattered over the board."},
    {"stringHowToPlayChantText[1]",
     L"Click the parts whose letters make up the chant. Each one moves to the bar below."},
    {"stringHowToPlayChantText[2]",
     L"When enough parts are chosen, click Cast. Only the letters count, not their order."},
    {"stringHowToPlayChantText[3]",
     L"Tiles fade and swap places as you play. Click Clear to put your parts back."},

    // Buttons and short labels of the pages, the side bar and the mini-games.
    {"stringExit", L"Exit"},
    {"stringNextPage", L"Next Page"},
    {"stringClickAnywhereNoExc", L"Click anywhere to turn the page"},
    {"stringSpellGoal", L"Spell to Cast"},
    {"stringFinalGoal", L"Your Final Task"},
    {"stringTimeRemaining", L"Time left: %ls"},
    {"stringSpellCastTime", L"Time: %d minutes"},
    {"stringMinutes", L"%d minutes"},
    {"stringTheVespersCodex", L"The Vesper's Codex"},
    {"stringLost60Seconds", L"-60 seconds"},
    {"stringLost45Seconds", L"-45 seconds"},
    {"stringLost30Seconds", L"-30 seconds"},
    {"stringLost15Seconds", L"-15 seconds"},
    {"stringCoinsFound", L"Gold coin found!"},
    // The results book writes the grade centred on x 224 with its bonus notes from x 260: each
    // name stays within 64 pixels of the book's type.
    {"stringGradeAPlus", L"Wizard"},
    {"stringGradeA", L"Magus"},
    {"stringGradeBPlus", L"Scholar"},
    {"stringGradeB", L"Adept"},
    {"stringGradeSPlus", L"Initiate"},
    {"stringGradeS", L"Novice"},
    {"stringNewGradeExc", L"Grade up: %ls!"},
    {"stringNewGrade", L"Grade down: %ls"},
    {"stringPause", L"Paused"},
    {"stringNumRunestonesFound", L"Rune Stones: %d of %d"},
    {"stringChapter", L"Chapter %d"},
    {"stringQuickfindExc", L"Quick find!"},
    {"stringTimePenalty", L"Too hasty!"},
    {"stringClear", L"Clear"},
    {"stringCast", L"Cast"},
    {"stringChapNumAndPotionGame", L"Chapter %d: Brew the Potion"},
    {"stringCurrentChainLength", L"Chain: %d"},
    {"stringLongestChain", L"Longest chain: %d"},
    {"stringChapNumAndChant", L"Chapter %d: Speak the Chant"},
    {"stringMagicalChantSideInstructions", L"Pick %d word parts that spell this chant:"},
    {"stringNumPartsSelected", L"Parts chosen: %d"},
    {"stringClickHere", L"Change player"},
    {"stringToChangeUser", L"Not you?"},

    // Labels that the English pictures carry themselves.
    {"stringBakedTitleExit", L"Exit"},
    {"stringBakedTitleOptions", L"Options"},
    {"stringBakedTitlePlay", L"Play"},
    {"stringBakedLevelIntroStartSpell", L"Begin"},
    {"stringBakedSidebarMenu", L"Menu"},
    {"stringBakedSidebarMap", L"Map"},
    {"stringBakedSidebarRepel", L"Repel"},
    {"stringBakedSidebarReveal", L"Reveal"},
    {"stringBakedMapNames[0]", L"Wyrm Cellar"},
    {"stringBakedMapNames[1]", L"Clockmaker's Loft"},
    {"stringBakedMapNames[2]", L"Owlwood Path"},
    {"stringBakedMapNames[3]", L"Millbrook Farm"},
    {"stringBakedMapNames[4]", L"Windward Ruins"},
    {"stringBakedMapNames[5]", L"Crystal Cavern"},
    {"stringBakedMapNames[6]", L"Vesper's Library"},
    {"stringBakedMapNames[7]", L"Chapel Yard"},
    {"stringBakedMapNames[8]", L"The Dungeon"},
    {"stringBakedMapNames[9]", L"Willow Pond"},
    {"stringBakedMapNames[10]", L"Castle Ramparts"},
    {"stringBakedMapNames[11]", L"Haunted Attic"},

    // The optional 399th record: the final chapter's goal, as the game has it built in.
    {"stringFinalChapterGoal", L"Destroy the Rune Stones!"},
};

// Capacities are the buffers the game formats into.
const FormatRecord kFormats[] = {
    {"stringSpellObjectsRemaining", "%d", 64},
    {"stringPlusObjectsRemaining", "%d", 64},
    {"stringMinPostMerge", "%d", 32},
    {"stringMinPostMergeShort", "%d", 32},
    {"stringChapterComplete", "%d", 40},
    {"stringTimeTaken", "%ls", 40},
    {"stringNewRecordSpeed", "%ls", 64},
    {"stringRecordTime", "%ls", 64},
    {"stringGoalText[0]", "%d", 512},
    {"stringGoalText[1]", "%d", 512},
    {"stringGoalText[2]", "%d", 512},
    {"stringGoalText[3]", "%d", 512},
    {"stringGoalText[4]", "%d", 512},
    {"stringGoalText[5]", "%d", 512},
    {"stringGoalText[6]", "%d", 512},
    {"stringGoalText[7]", "%d", 512},
    {"stringGoalText[8]", "%d", 512},
    {"stringGoalText[9]", "%d", 512},
    {"stringGoalText[10]", "%d", 512},
    {"stringGoalText[11]", "%d", 512},
    {"stringGoalText[12]", "%ls", 512},
    {"stringTimeRemaining", "%ls", 20},
    {"stringSpellCastTime", "%d", 20},
    {"stringMinutes", "%d", 28},
    {"stringNewGradeExc", "%ls", 30},
    {"stringNewGrade", "%ls", 30},
    {"stringNumRunestonesFound", "%d%d", 64},
    {"stringChapter", "%d", 64},
    {"stringChapNumAndPotionGame", "%d", 64},
    {"stringCurrentChainLength", "%d", 64},
    {"stringLongestChain", "%d", 64},
    {"stringChapNumAndChant", "%d", 64},
    {"stringMagicalChantSideInstructions", "%d", 256},
    {"stringNumPartsSelected", "%d", 64},
};

// Boxes measured from where the screens draw the texts. Popup messages are kept clear
// of the buttons each popup type places below them.
const TextBox kBoxes[] = {
    // Popup headings, centred over the box picture.
    {"stringRUSure", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringStoryType", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringLevelFailed", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringPopupOptions", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringHelpOptions", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringToggleOptions", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringHint", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringWarning", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringChantFailed", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringGoodJob", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringGreatJob", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringMapUnlocked", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringWandsUnlocked", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringHardUnlocked", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringPopupHeaderBasic1", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringChooseDiff", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringProfileEntry1", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringSelectProfileMenu", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringDeleteProfileMenu", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringNameError", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringProfileError", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringWindowSupportError", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringHighScores", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringUnlockables", GameFont::TitleOptions, 380, 0, 0, false},
    {"stringHelp", GameFont::TitleOptions, 380, 0, 0, false},

    // Popup buttons: list buttons take the large picture above 98 pixels; the bottom
    // button holds a short word.
    {"stringBack", GameFont::Medium, 150, 0, 0, false},
    {"stringOK", GameFont::Medium, 150, 0, 0, false},
    {"stringContinue", GameFont::Medium, 150, 0, 0, false},
    {"stringReturnToGame", GameFont::Medium, 150, 0, 0, false},
    {"stringYes", GameFont::Medium, 200, 0, 0, false},
    {"stringNo", GameFont::Medium, 200, 0, 0, false},
    {"stringTryAgain", GameFont::Medium, 200, 0, 0, false},
    {"stringExitToMenu", GameFont::Medium, 200, 0, 0, false},
    {"stringCredits", GameFont::Medium, 200, 0, 0, false},
    {"stringExitGame", GameFont::Medium, 200, 0, 0, false},
    {"stringHowToPlay", GameFont::Medium, 200, 0, 0, false},
    {"string3DToggle", GameFont::Medium, 200, 0, 0, false},
    {"stringMapUsingToggle[", GameFont::Medium, 200, 0, 0, false},
    {"stringContinueSearching", GameFont::Medium, 200, 0, 0, false},
    {"stringExitToMinigame", GameFont::Medium, 200, 0, 0, false},
    {"stringNewGame", GameFont::Medium, 200, 0, 0, false},
    {"stringDiff1", GameFont::Medium, 200, 0, 0, false},
    {"stringDiff2", GameFont::Medium, 200, 0, 0, false},
    {"stringDiff3", GameFont::Medium, 200, 0, 0, false},
    {"stringCreateProfile", GameFont::Medium, 200, 0, 0, false},
    {"stringCreateNewProfileMenu", GameFont::Medium, 200, 0, 0, false},
    {"stringStoryLongName", GameFont::Medium, 200, 0, 0, false},
    {"stringStoryShortName", GameFont::Medium, 200, 0, 0, false},

    // Labels beside the option controls: sliders end at x 366, boxes stand at 290-330.
    {"stringMusic", GameFont::Medium, 100, 0, 0, false},
    {"stringSfx", GameFont::Medium, 100, 0, 0, false},
    {"stringFullscreen", GameFont::Medium, 200, 0, 0, false},
    {"stringDistractionsOff", GameFont::Medium, 200, 0, 0, false},
    {"stringHelpBox", GameFont::Medium, 220, 0, 0, false},
    {"stringHelpCustomCursor", GameFont::Medium, 220, 0, 0, false},
    {"string3DEnabled", GameFont::Medium, 200, 0, 0, false},
    {"stringMapUsing", GameFont::Medium, 380, 0, 0, false},
    {"stringChooseYourWand", GameFont::Medium, 380, 0, 0, false},

    // Popup messages in (260, 220, 280, ...), line spacing 22: the height leaves room
    // for the buttons of the popup type that shows them.
    {"stringRUSureDelete", GameFont::Medium, 280, 100, 22, true},
    {"stringRUSureOverwriteContinue", GameFont::Medium, 280, 100, 22, true},
    {"stringRUSureExitIngame", GameFont::Medium, 280, 100, 22, true},
    {"stringStoryTypeInfo", GameFont::Medium, 280, 100, 22, true},
    {"stringAllObjectsFound", GameFont::Medium, 280, 160, 22, true},
    {"stringAllLocationObjsFound", GameFont::Medium, 280, 250, 22, true},
    {"stringLevelFailedDetails", GameFont::Medium, 280, 140, 22, true},
    {"stringLevelFailedLastLevelDetails", GameFont::Medium, 280, 140, 22, true},
    {"stringAllRunestonesFound", GameFont::Medium, 280, 120, 22, true},
    {"stringAllChapterObjectsFound", GameFont::Medium, 280, 250, 22, true},
    {"stringNameAlreadyExists", GameFont::Medium, 280, 250, 22, true},
    {"stringErrorEmpty", GameFont::Medium, 280, 250, 22, true},
    {"stringCreateProfileError", GameFont::Medium, 280, 250, 22, true},
    {"stringNoWindowSupportError", GameFont::Medium, 280, 250, 22, true},
    {"stringHelpWordComplete", GameFont::Medium, 280, 160, 22, true},
    {"stringHelpMatchGame", GameFont::Medium, 280, 160, 22, true},
    {"stringHelpWordComplete1stTime", GameFont::Medium, 280, 160, 22, true},
    {"stringHelpMatchGame1stTime", GameFont::Medium, 280, 160, 22, true},
    {"stringMapUnlockedInfo", GameFont::Medium, 280, 250, 22, true},
    {"stringWandsUnlockedInfo", GameFont::Medium, 280, 250, 22, true},
    {"stringWandsUnlockedInfo2", GameFont::Medium, 280, 250, 22, true},
    {"stringHardUnlockedInfo", GameFont::Medium, 280, 250, 22, true},
    {"stringHintWelcomeZq", GameFont::Medium, 280, 250, 22, true},
    {"stringHint*", GameFont::Medium, 280, 250, 22, true},
    {"stringHelpTutoarialFinished", GameFont::Medium, 280, 250, 22, true},
    {"stringLookOnline", GameFont::Medium, 280, 80, 22, true},
    {"string3DToggleInfo", GameFont::Medium, 280, 125, 22, true},
    {"stringNothingUnlocked", GameFont::Medium, 280, 250, 22, true},
    {"stringUnlockablesExtraHardDiff", GameFont::Medium, 280, 60, 22, true},
    {"stringDiffInfo[", GameFont::Medium, 280, 100, 22, true},

    // The chapter results book: left page centred on x 224, right page from x 434.
    {"stringChapterComplete", GameFont::TitleOptions, 300, 0, 0, false},
    {"stringTimeTaken", GameFont::Medium, 300, 0, 0, false},
    {"stringRecordTime", GameFont::Small, 300, 0, 0, false},
    {"stringNewRecordSpeed", GameFont::Small, 300, 0, 0, false},
    {"stringGradeAcheived", GameFont::IntroText, 300, 0, 0, false},
    {"stringSpellLearned", GameFont::IntroText, 300, 0, 0, false},
    {"stringGrade*", GameFont::IntroText, 300, 0, 0, false},
    // The grade, centred on x 224, ends before the bonus notes written from x 260.
    {"stringGradeAPlus", GameFont::IntroText, 64, 0, 0, false},
    {"stringGradeA", GameFont::IntroText, 64, 0, 0, false},
    {"stringGradeBPlus", GameFont::IntroText, 64, 0, 0, false},
    {"stringGradeB", GameFont::IntroText, 64, 0, 0, false},
    {"stringGradeSPlus", GameFont::IntroText, 64, 0, 0, false},
    {"stringGradeS", GameFont::IntroText, 64, 0, 0, false},
    {"k_levelSpells[", GameFont::Medium, 300, 50, 21, true},
    {"k_levelSpellInfo[", GameFont::Small, 300, 72, 19, true},
    {"stringChapterSummary", GameFont::IntroText, 266, 0, 0, false},
    {"k_levelSummaryText[", GameFont::Small, 266, 160, 19, true},
    {"k_ifAtFulltimeSchoolText", GameFont::Small, 266, 60, 19, true},
    {"stringJobTexts*", GameFont::Small, 270, 0, 0, false},
    {"stringTimeBonus", GameFont::Small, 110, 0, 0, false},
    {"stringAllObjectsFoundTitle", GameFont::Small, 110, 0, 0, false},
    {"stringClickAnywhere", GameFont::Medium, 300, 0, 0, false},

    // Game statistics and hall of fame columns, centred on x 296, 420 and 516.
    {"stringGameStats", GameFont::Medium, 110, 0, 0, false},
    {"stringTimeCol", GameFont::Medium, 90, 0, 0, false},
    {"stringGradeAvgCol", GameFont::Medium, 90, 0, 0, false},
    {"stringMinPostMerge*", GameFont::Medium, 100, 0, 0, false},
    {"stringDiff1", GameFont::Medium, 90, 0, 0, false},
    {"stringGradeAPlus", GameFont::Medium, 90, 0, 0, false},
    {"stringGradeA", GameFont::Medium, 90, 0, 0, false},
    {"stringGradeBPlus", GameFont::Medium, 90, 0, 0, false},
    {"stringGradeB", GameFont::Medium, 90, 0, 0, false},
    {"stringGradeSPlus", GameFont::Medium, 90, 0, 0, false},
    {"stringGradeS", GameFont::Medium, 90, 0, 0, false},

    // Title screen corner (centred on x 700) and the side bar (121-pixel boxes).
    {"stringWelcome", GameFont::IntroText, 190, 0, 0, false},
    {"stringToChangeUser", GameFont::Small, 190, 0, 0, false},
    {"stringClickHere", GameFont::Small, 190, 0, 0, false},
    {"stringPause", GameFont::IntroText, 130, 0, 0, false},
    {"stringLost*", GameFont::Medium, 130, 0, 0, false},
    {"stringSpellObjectsRemaining", GameFont::Small, 121, 30, 14, true},
    {"stringPlusObjectsRemaining", GameFont::Small, 121, 30, 14, true},
    {"stringQuickfindExc", GameFont::Small, 121, 30, 14, true},
    {"stringTimePenalty", GameFont::Small, 121, 30, 14, true},
    {"stringNewGrade*", GameFont::Small, 121, 32, 14, true},
    {"stringChapter", GameFont::Small, 121, 30, 14, true},
    {"stringNumRunestonesFound", GameFont::Small, 121, 44, 14, true},
    {"stringMapInfoText", GameFont::Small, 117, 125, 14, true},
    {"stringMapInfoPotion", GameFont::Small, 117, 125, 14, true},
    {"stringMapInfoChant", GameFont::Small, 117, 125, 14, true},
    {"stringMinigameClickPotion", GameFont::Small, 121, 60, 14, true},
    {"stringChapNumAndPotionGame", GameFont::Small, 121, 55, 14, true},
    {"stringCurrentChainLength", GameFont::Small, 121, 55, 14, true},
    {"stringLongestChain", GameFont::Small, 121, 55, 14, true},
    {"stringChapNumAndChant", GameFont::Small, 121, 50, 14, true},
    {"stringMagicalChantSideInstructions", GameFont::Small, 121, 70, 14, true},
    {"stringNumPartsSelected", GameFont::Small, 121, 44, 14, true},
    {"stringClear", GameFont::IntroText, 87, 0, 0, false},
    {"stringCast", GameFont::IntroText, 87, 0, 0, false},

    // The story, ending and credits pages, the chapter intro and how to play.
    {"k_maxStoryText[", GameFont::IntroText, 440, 400, 24, true},
    {"k_maxStoryTextShort", GameFont::IntroText, 440, 400, 24, true},
    {"k_endGameCredits", GameFont::IntroText, 640, 1300, 36, true},
    {"stringClickAnywhereNoExc", GameFont::Medium, 600, 0, 0, false},
    {"stringChapStrings[", GameFont::IntroText, 300, 0, 0, false},
    {"stringChapTitles[", GameFont::IntroText, 300, 0, 0, false},
    {"k_maxLevelIntroText[", GameFont::Small, 310, 349, 19, true},
    {"stringSpellGoal", GameFont::IntroText, 300, 0, 0, false},
    {"stringFinalGoal", GameFont::IntroText, 300, 0, 0, false},
    {"stringFinalChapterGoal", GameFont::IntroText, 300, 0, 0, false},
    {"stringGoalText[", GameFont::Small, 268, 82, 19, true},
    {"stringTimeRemaining", GameFont::Medium, 300, 0, 0, false},
    {"stringSpellCastTime", GameFont::Medium, 300, 0, 0, false},
    {"stringMinutes", GameFont::Small, 268, 0, 0, false},
    {"stringExit", GameFont::IntroText, 200, 0, 0, false},
    {"stringNextPage", GameFont::IntroText, 200, 0, 0, false},
    {"stringHowToPlayTitle[", GameFont::IntroText, 300, 0, 0, false},
    {"stringHowToPlayPotion[", GameFont::IntroText, 300, 0, 0, false},
    {"stringHowToPlayChant[", GameFont::IntroText, 300, 0, 0, false},
    {"stringHowToPlayText[7]", GameFont::Small, 280, 300, 19, true},
    {"stringHowToPlayText[0]", GameFont::Small, 280, 60, 19, true},
    {"stringHowToPlayText[1]", GameFont::Small, 280, 60, 19, true},
    {"stringHowToPlayText[2]", GameFont::Small, 280, 60, 19, true},
    {"stringHowToPlayText[3]", GameFont::Small, 280, 60, 19, true},
    {"stringHowToPlayText[4]", GameFont::Small, 280, 60, 19, true},
    {"stringHowToPlayText[5]", GameFont::Small, 280, 60, 19, true},
    {"stringHowToPlayText[6]", GameFont::Small, 280, 60, 19, true},
    {"stringHowToPlayPotionText[", GameFont::Small, 280, 60, 19, true},
    {"stringHowToPlayChantText[", GameFont::Small, 280, 60, 19, true},

    // Labels the English pictures carry; drawn as text only in other languages.
    {"stringBakedTitle*", GameFont::TitleOptions, 200, 0, 0, false},
    {"stringBakedLevelIntroStartSpell", GameFont::TitleOptions, 160, 0, 0, false},
    {"stringBakedSidebarMenu", GameFont::Medium, 120, 0, 0, false},
    {"stringBakedSidebarMap", GameFont::IntroText, 120, 0, 0, false},
    {"stringBakedSidebarRepel", GameFont::TitleOptions, 120, 0, 0, false},
    {"stringBakedSidebarReveal", GameFont::TitleOptions, 120, 0, 0, false},
    {"stringBakedMapNames[0]", GameFont::Medium, 100, 50, 19, true},
    {"stringBakedMapNames[1]", GameFont::Medium, 300, 50, 19, true},
    {"stringBakedMapNames[2]", GameFont::Medium, 100, 50, 19, true},
    {"stringBakedMapNames[3]", GameFont::Medium, 100, 50, 19, true},
    {"stringBakedMapNames[4]", GameFont::Medium, 80, 50, 19, true},
    {"stringBakedMapNames[5]", GameFont::Medium, 60, 50, 19, true},
    {"stringBakedMapNames[6]", GameFont::Medium, 100, 50, 19, true},
    {"stringBakedMapNames[7]", GameFont::Medium, 80, 50, 19, true},
    {"stringBakedMapNames[8]", GameFont::Medium, 100, 50, 19, true},
    {"stringBakedMapNames[9]", GameFont::Medium, 100, 50, 19, true},
    {"stringBakedMapNames[10]", GameFont::Medium, 100, 50, 19, true},
    {"stringBakedMapNames[11]", GameFont::Medium, 100, 50, 19, true},
};

}  // namespace

const std::vector<GameString>& GameStringTable() {
  static const std::vector<GameString> sTable(std::begin(kStrings), std::end(kStrings));
  return sTable;
}

std::vector<std::wstring> GameStringRecords() {
  std::vector<std::wstring> aTexts;
  for (const GameString& s : GameStringTable()) aTexts.push_back(s.mText);
  return aTexts;
}

std::vector<std::wstring> HallOfFameNames() {
  return {L"Aldric", L"Brisa", L"Marlo", L"Delphine", L"Edda", L"Fenwick"};
}

std::wstring GameStringText(const std::string& theName) {
  for (const GameString& s : GameStringTable())
    if (theName == s.mName) return s.mText;
  return std::wstring();
}

const std::vector<FormatRecord>& FormatRecords() {
  static const std::vector<FormatRecord> sFormats(std::begin(kFormats), std::end(kFormats));
  return sFormats;
}

std::string FormatConversions(const std::wstring& theText) {
  std::string aConversions;
  for (size_t i = 0; i < theText.size(); ++i) {
    if (theText[i] != L'%') continue;
    if (theText.compare(i, 2, L"%%") == 0) {
      ++i;
    } else if (theText.compare(i, 3, L"%ls") == 0) {
      aConversions += "%ls";
      i += 2;
    } else if (theText.compare(i, 2, L"%d") == 0) {
      aConversions += "%d";
      ++i;
    } else {
      aConversions += "%?";
    }
  }
  return aConversions;
}

const std::vector<TextBox>& TextBoxes() {
  static const std::vector<TextBox> sBoxes(std::begin(kBoxes), std::end(kBoxes));
  return sBoxes;
}

bool BoxNames(const TextBox& theBox, const std::string& theRecord) {
  const std::string aPrefix = theBox.mPrefix;
  if (!aPrefix.empty() && aPrefix.back() == '*')
    return theRecord.compare(0, aPrefix.size() - 1, aPrefix, 0, aPrefix.size() - 1) == 0;
  if (!aPrefix.empty() && aPrefix.back() == '[') return theRecord.compare(0, aPrefix.size(), aPrefix) == 0;
  return theRecord == aPrefix;
}

const wchar_t* LocationName(int theId) {
  if (theId < 1 || theId > 12) return L"";
  const std::string aName = "stringBakedMapNames[" + std::to_string(theId - 1) + "]";
  for (const GameString& s : GameStringTable())
    if (aName == s.mName) return s.mText;
  return L"";
}

}  // namespace GameAssets
