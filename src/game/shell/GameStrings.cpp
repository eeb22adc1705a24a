#include "game/shell/GameStrings.h"

#include <iterator>

// The one text with a value of its own; the table may replace it (record 399).
const wchar_t GameStrings::k_finalChapterGoalDefault[] = L"Destroy the Rune Stones!";

wchar_t* stringBackToMainMenu = nullptr;
wchar_t* stringBack = nullptr;
wchar_t* stringYes = nullptr;
wchar_t* stringNo = nullptr;
wchar_t* stringRUSure = nullptr;
wchar_t* stringOK = nullptr;
wchar_t* stringMap = nullptr;
wchar_t* stringStay = nullptr;
wchar_t* stringStoryType = nullptr;
wchar_t* stringLevelFailed = nullptr;
wchar_t* stringTryAgain = nullptr;
wchar_t* stringExitToMenu = nullptr;
wchar_t* stringPopupOptions = nullptr;
wchar_t* stringMusic = nullptr;
wchar_t* stringSfx = nullptr;
wchar_t* stringFullscreen = nullptr;
wchar_t* stringHelpBox = nullptr;
wchar_t* stringHelpCustomCursor = nullptr;
wchar_t* stringCredits = nullptr;
wchar_t* stringHighScores = nullptr;
wchar_t* stringExitGame = nullptr;
wchar_t* stringReturnToGame = nullptr;
wchar_t* stringHowToPlay = nullptr;
wchar_t* stringHelp = nullptr;
wchar_t* stringUnlockables = nullptr;
wchar_t* stringHelpOptions = nullptr;
wchar_t* string3DToggle = nullptr;
wchar_t* stringToggleOptions = nullptr;
wchar_t* string3DEnabled = nullptr;
wchar_t* stringUnlockablesExtraHardDiff = nullptr;
wchar_t* stringMapUsingToggle[2] = {};
wchar_t* stringNothingUnlocked = nullptr;
wchar_t* stringDiffInfo[3] = {};
wchar_t* stringTitleMainOptions[3] = {};
wchar_t* stringHint = nullptr;
wchar_t* stringWarning = nullptr;
wchar_t* stringChantFailed = nullptr;
wchar_t* stringHintWelcomeZq = nullptr;
wchar_t* stringHintEnoughObjectsFound = nullptr;
wchar_t* stringHintFindObjects = nullptr;
wchar_t* stringHintFindCoins = nullptr;
wchar_t* stringHintFoundFirstObj = nullptr;
wchar_t* stringHintFoundFirstCoin = nullptr;
wchar_t* stringHintQuickfind = nullptr;
wchar_t* stringHintFirstQuickfind = nullptr;
wchar_t* stringHintFailedPress = nullptr;
wchar_t* stringHintShortTime = nullptr;
wchar_t* stringHintRepeatedMatch3 = nullptr;
wchar_t* stringHintUsingRepel = nullptr;
wchar_t* stringHintUsingRepel2 = nullptr;
wchar_t* stringHintUsingRepelPowerup = nullptr;
wchar_t* stringHintChantHint = nullptr;
wchar_t* stringHintChantFailed = nullptr;
wchar_t* stringHintRunestones = nullptr;
wchar_t* stringHintFirstRepelFound = nullptr;
wchar_t* stringHintChantCannotAddMore = nullptr;
wchar_t* stringHintMapButton = nullptr;
wchar_t* stringHintDontWastReveals = nullptr;
wchar_t* stringHintDungeon = nullptr;
wchar_t* stringHintClickedOnDistraction = nullptr;
wchar_t* stringHintCoinReminder = nullptr;
wchar_t* stringHintIngrediantsDontMove = nullptr;
wchar_t* stringHintCustomCursor = nullptr;
wchar_t* stringHelpTutoarialFinished = nullptr;
wchar_t* stringHelpWordComplete1stTime = nullptr;
wchar_t* stringHelpMatchGame1stTime = nullptr;
wchar_t* stringHelpWordComplete = nullptr;
wchar_t* stringHelpMatchGame = nullptr;
wchar_t* stringGoodJob = nullptr;
wchar_t* stringGreatJob = nullptr;
wchar_t* stringLevelCompleted = nullptr;
wchar_t* stringAllLocationObjsFound = nullptr;
wchar_t* stringLevelFailedDetails = nullptr;
wchar_t* stringLevelFailedLastLevelDetails = nullptr;
wchar_t* stringAllRunestonesFound = nullptr;
wchar_t* stringLookOnline = nullptr;
wchar_t* string3DToggleInfo = nullptr;
wchar_t* stringSpellObjectsRemaining = nullptr;
wchar_t* stringPlusObjectsRemaining = nullptr;
wchar_t* stringAllChapterObjectsFound = nullptr;
wchar_t* stringMapInfoText = nullptr;
wchar_t* stringMapInfoPotion = nullptr;
wchar_t* stringMapInfoChant = nullptr;
wchar_t* stringMinigameClickPotion = nullptr;
wchar_t* stringMapUnlocked = nullptr;
wchar_t* stringMapUnlockedInfo = nullptr;
wchar_t* stringWandsUnlocked = nullptr;
wchar_t* stringWandsUnlockedInfo = nullptr;
wchar_t* stringWandsUnlockedInfo2 = nullptr;
wchar_t* stringHardUnlocked = nullptr;
wchar_t* stringHardUnlockedInfo = nullptr;
wchar_t* stringAllObjectsFound = nullptr;
wchar_t* stringContinueSearching = nullptr;
wchar_t* stringExitToMinigame = nullptr;
wchar_t* stringPopupHeaderBasic1 = nullptr;
wchar_t* stringContinue = nullptr;
wchar_t* stringNewGame = nullptr;
wchar_t* stringChooseDiff = nullptr;
wchar_t* stringDiff1 = nullptr;
wchar_t* stringDiff2 = nullptr;
wchar_t* stringDiff3 = nullptr;
wchar_t* stringWelcome = nullptr;
wchar_t* stringToChangeProfile = nullptr;
wchar_t* stringProfileEntry1 = nullptr;
wchar_t* stringCreateProfile = nullptr;
wchar_t* stringSelectProfileMenu = nullptr;
wchar_t* stringCreateNewProfileMenu = nullptr;
wchar_t* stringDeleteProfileMenu = nullptr;
wchar_t* stringNameError = nullptr;
wchar_t* stringProfileError = nullptr;
wchar_t* stringWindowSupportError = nullptr;
wchar_t* stringNameAlreadyExists = nullptr;
wchar_t* stringErrorEmpty = nullptr;
wchar_t* stringCreateProfileError = nullptr;
wchar_t* stringNoWindowSupportError = nullptr;
wchar_t* stringRUSureDelete = nullptr;
wchar_t* stringRUSureOverwriteContinue = nullptr;
wchar_t* stringRUSureExitIngame = nullptr;
wchar_t* stringStoryTypeInfo = nullptr;
wchar_t* stringStoryLongName = nullptr;
wchar_t* stringStoryShortName = nullptr;
wchar_t* k_levelSpellInfo[12] = {};
wchar_t* k_levelSummaryText[12] = {};
wchar_t* k_ifAtFulltimeSchoolText = nullptr;
wchar_t* k_levelSpells[12] = {};
wchar_t* stringGradeAcheived = nullptr;
wchar_t* stringSpellLearned = nullptr;
wchar_t* stringChapterSummary = nullptr;
wchar_t* stringClickAnywhere = nullptr;
wchar_t* stringGameStats = nullptr;
wchar_t* stringTimeCol = nullptr;
wchar_t* stringGradeAvgCol = nullptr;
wchar_t* stringMinPostMerge = nullptr;
wchar_t* stringMinPostMergeShort = nullptr;
wchar_t* stringJobTexts1[6] = {};
wchar_t* stringJobTexts2[6] = {};
wchar_t* stringJobTexts3[6] = {};
wchar_t* stringJobTexts4[6] = {};
wchar_t* stringJobTexts5[6] = {};
wchar_t* stringJobTexts6[6] = {};
wchar_t* stringJobTexts7[6] = {};
wchar_t* stringJobTexts8[6] = {};
wchar_t* stringJobTexts9[6] = {};
wchar_t* stringJobTexts10[6] = {};
wchar_t* stringJobTexts11[6] = {};
wchar_t* stringJobTexts12[6] = {};
wchar_t* stringDistractionsOff = nullptr;
wchar_t* stringMapUsing = nullptr;
wchar_t* stringChooseYourWand = nullptr;
wchar_t* stringChapterComplete = nullptr;
wchar_t* stringTimeTaken = nullptr;
wchar_t* stringNewRecordSpeed = nullptr;
wchar_t* stringRecordTime = nullptr;
wchar_t* stringTimeBonus = nullptr;
wchar_t* stringAllObjectsFoundTitle = nullptr;
wchar_t* stringChapStrings[13] = {};
wchar_t* stringChapTitles[13] = {};
wchar_t* k_maxLevelIntroText[13] = {};
wchar_t* stringGoalText[13] = {};
wchar_t* k_endGameCredits = nullptr;
wchar_t* k_maxStoryText[4] = {};
wchar_t* k_maxStoryTextShort = nullptr;
wchar_t* k_maxStoryFinally = nullptr;
wchar_t* stringHowToPlayTitle[8] = {};
wchar_t* stringHowToPlayText[8] = {};
wchar_t* stringHowToPlayPotion[2] = {};
wchar_t* stringHowToPlayPotionText[4] = {};
wchar_t* stringHowToPlayChant[3] = {};
wchar_t* stringHowToPlayChantText[4] = {};
wchar_t* stringExit = nullptr;
wchar_t* stringNextPage = nullptr;
wchar_t* stringClickAnywhereNoExc = nullptr;
wchar_t* stringSpellGoal = nullptr;
wchar_t* stringFinalGoal = nullptr;
wchar_t* stringTimeRemaining = nullptr;
wchar_t* stringSpellCastTime = nullptr;
wchar_t* stringMinutes = nullptr;
wchar_t* stringTheVespersCodex = nullptr;
wchar_t* stringLost60Seconds = nullptr;
wchar_t* stringLost45Seconds = nullptr;
wchar_t* stringLost30Seconds = nullptr;
wchar_t* stringLost15Seconds = nullptr;
wchar_t* stringCoinsFound = nullptr;
wchar_t* stringGradeAPlus = nullptr;
wchar_t* stringGradeA = nullptr;
wchar_t* stringGradeBPlus = nullptr;
wchar_t* stringGradeB = nullptr;
wchar_t* stringGradeSPlus = nullptr;
wchar_t* stringGradeS = nullptr;
wchar_t* stringNewGradeExc = nullptr;
wchar_t* stringNewGrade = nullptr;
wchar_t* stringPause = nullptr;
wchar_t* stringNumRunestonesFound = nullptr;
wchar_t* stringChapter = nullptr;
wchar_t* stringQuickfindExc = nullptr;
wchar_t* stringTimePenalty = nullptr;
wchar_t* stringClear = nullptr;
wchar_t* stringCast = nullptr;
wchar_t* stringChapNumAndPotionGame = nullptr;
wchar_t* stringCurrentChainLength = nullptr;
wchar_t* stringLongestChain = nullptr;
wchar_t* stringChapNumAndChant = nullptr;
wchar_t* stringMagicalChantSideInstructions = nullptr;
wchar_t* stringNumPartsSelected = nullptr;
wchar_t* stringClickHere = nullptr;
wchar_t* stringToChangeUser = nullptr;
wchar_t* stringBakedTitleExit = nullptr;
wchar_t* stringBakedTitleOptions = nullptr;
wchar_t* stringBakedTitlePlay = nullptr;
wchar_t* stringBakedLevelIntroStartSpell = nullptr;
wchar_t* stringBakedSidebarMenu = nullptr;
wchar_t* stringBakedSidebarMap = nullptr;
wchar_t* stringBakedSidebarRepel = nullptr;
wchar_t* stringBakedSidebarReveal = nullptr;
wchar_t* stringBakedMapNames[12] = {};
wchar_t* stringFinalChapterGoal = const_cast<wchar_t*>(GameStrings::k_finalChapterGoalDefault);

namespace GameStrings {

const Slot k_slots[] = {
    {"stringBackToMainMenu", &stringBackToMainMenu, 1},
    {"stringBack", &stringBack, 1},
    {"stringYes", &stringYes, 1},
    {"stringNo", &stringNo, 1},
    {"stringRUSure", &stringRUSure, 1},
    {"stringOK", &stringOK, 1},
    {"stringMap", &stringMap, 1},
    {"stringStay", &stringStay, 1},
    {"stringStoryType", &stringStoryType, 1},
    {"stringLevelFailed", &stringLevelFailed, 1},
    {"stringTryAgain", &stringTryAgain, 1},
    {"stringExitToMenu", &stringExitToMenu, 1},
    {"stringPopupOptions", &stringPopupOptions, 1},
    {"stringMusic", &stringMusic, 1},
    {"stringSfx", &stringSfx, 1},
    {"stringFullscreen", &stringFullscreen, 1},
    {"stringHelpBox", &stringHelpBox, 1},
    {"stringHelpCustomCursor", &stringHelpCustomCursor, 1},
    {"stringCredits", &stringCredits, 1},
    {"stringHighScores", &stringHighScores, 1},
    {"stringExitGame", &stringExitGame, 1},
    {"stringReturnToGame", &stringReturnToGame, 1},
    {"stringHowToPlay", &stringHowToPlay, 1},
    {"stringHelp", &stringHelp, 1},
    {"stringUnlockables", &stringUnlockables, 1},
    {"stringHelpOptions", &stringHelpOptions, 1},
    {"string3DToggle", &string3DToggle, 1},
    {"stringToggleOptions", &stringToggleOptions, 1},
    {"string3DEnabled", &string3DEnabled, 1},
    {"stringUnlockablesExtraHardDiff", &stringUnlockablesExtraHardDiff, 1},
    {"stringMapUsingToggle", stringMapUsingToggle, 2},
    {"stringNothingUnlocked", &stringNothingUnlocked, 1},
    {"stringDiffInfo", stringDiffInfo, 3},
    {"stringTitleMainOptions", stringTitleMainOptions, 3},
    {"stringHint", &stringHint, 1},
    {"stringWarning", &stringWarning, 1},
    {"stringChantFailed", &stringChantFailed, 1},
    {"stringHintWelcomeZq", &stringHintWelcomeZq, 1},
    {"stringHintEnoughObjectsFound", &stringHintEnoughObjectsFound, 1},
    {"stringHintFindObjects", &stringHintFindObjects, 1},
    {"stringHintFindCoins", &stringHintFindCoins, 1},
    {"stringHintFoundFirstObj", &stringHintFoundFirstObj, 1},
    {"stringHintFoundFirstCoin", &stringHintFoundFirstCoin, 1},
    {"stringHintQuickfind", &stringHintQuickfind, 1},
    {"stringHintFirstQuickfind", &stringHintFirstQuickfind, 1},
    {"stringHintFailedPress", &stringHintFailedPress, 1},
    {"stringHintShortTime", &stringHintShortTime, 1},
    {"stringHintRepeatedMatch3", &stringHintRepeatedMatch3, 1},
    {"stringHintUsingRepel", &stringHintUsingRepel, 1},
    {"stringHintUsingRepel2", &stringHintUsingRepel2, 1},
    {"stringHintUsingRepelPowerup", &stringHintUsingRepelPowerup, 1},
    {"stringHintChantHint", &stringHintChantHint, 1},
    {"stringHintChantFailed", &stringHintChantFailed, 1},
    {"stringHintRunestones", &stringHintRunestones, 1},
    {"stringHintFirstRepelFound", &stringHintFirstRepelFound, 1},
    {"stringHintChantCannotAddMore", &stringHintChantCannotAddMore, 1},
    {"stringHintMapButton", &stringHintMapButton, 1},
    {"stringHintDontWastReveals", &stringHintDontWastReveals, 1},
    {"stringHintDungeon", &stringHintDungeon, 1},
    {"stringHintClickedOnDistraction", &stringHintClickedOnDistraction, 1},
    {"stringHintCoinReminder", &stringHintCoinReminder, 1},
    {"stringHintIngrediantsDontMove", &stringHintIngrediantsDontMove, 1},
    {"stringHintCustomCursor", &stringHintCustomCursor, 1},
    {"stringHelpTutoarialFinished", &stringHelpTutoarialFinished, 1},
    {"stringHelpWordComplete1stTime", &stringHelpWordComplete1stTime, 1},
    {"stringHelpMatchGame1stTime", &stringHelpMatchGame1stTime, 1},
    {"stringHelpWordComplete", &stringHelpWordComplete, 1},
    {"stringHelpMatchGame", &stringHelpMatchGame, 1},
    {"stringGoodJob", &stringGoodJob, 1},
    {"stringGreatJob", &stringGreatJob, 1},
    {"stringLevelCompleted", &stringLevelCompleted, 1},
    {"stringAllLocationObjsFound", &stringAllLocationObjsFound, 1},
    {"stringLevelFailedDetails", &stringLevelFailedDetails, 1},
    {"stringLevelFailedLastLevelDetails", &stringLevelFailedLastLevelDetails, 1},
    {"stringAllRunestonesFound", &stringAllRunestonesFound, 1},
    {"stringLookOnline", &stringLookOnline, 1},
    {"string3DToggleInfo", &string3DToggleInfo, 1},
    {"stringSpellObjectsRemaining", &stringSpellObjectsRemaining, 1},
    {"stringPlusObjectsRemaining", &stringPlusObjectsRemaining, 1},
    {"stringAllChapterObjectsFound", &stringAllChapterObjectsFound, 1},
    {"stringMapInfoText", &stringMapInfoText, 1},
    {"stringMapInfoPotion", &stringMapInfoPotion, 1},
    {"stringMapInfoChant", &stringMapInfoChant, 1},
    {"stringMinigameClickPotion", &stringMinigameClickPotion, 1},
    {"stringMapUnlocked", &stringMapUnlocked, 1},
    {"stringMapUnlockedInfo", &stringMapUnlockedInfo, 1},
    {"stringWandsUnlocked", &stringWandsUnlocked, 1},
    {"stringWandsUnlockedInfo", &stringWandsUnlockedInfo, 1},
    {"stringWandsUnlockedInfo2", &stringWandsUnlockedInfo2, 1},
    {"stringHardUnlocked", &stringHardUnlocked, 1},
    {"stringHardUnlockedInfo", &stringHardUnlockedInfo, 1},
    {"stringAllObjectsFound", &stringAllObjectsFound, 1},
    {"stringContinueSearching", &stringContinueSearching, 1},
    {"stringExitToMinigame", &stringExitToMinigame, 1},
    {"stringPopupHeaderBasic1", &stringPopupHeaderBasic1, 1},
    {"stringContinue", &stringContinue, 1},
    {"stringNewGame", &stringNewGame, 1},
    {"stringChooseDiff", &stringChooseDiff, 1},
    {"stringDiff1", &stringDiff1, 1},
    {"stringDiff2", &stringDiff2, 1},
    {"stringDiff3", &stringDiff3, 1},
    {"stringWelcome", &stringWelcome, 1},
    {"stringToChangeProfile", &stringToChangeProfile, 1},
    {"stringProfileEntry1", &stringProfileEntry1, 1},
    {"stringCreateProfile", &stringCreateProfile, 1},
    {"stringSelectProfileMenu", &stringSelectProfileMenu, 1},
    {"stringCreateNewProfileMenu", &stringCreateNewProfileMenu, 1},
    {"stringDeleteProfileMenu", &stringDeleteProfileMenu, 1},
    {"stringNameError", &stringNameError, 1},
    {"stringProfileError", &stringProfileError, 1},
    {"stringWindowSupportError", &stringWindowSupportError, 1},
    {"stringNameAlreadyExists", &stringNameAlreadyExists, 1},
    {"stringErrorEmpty", &stringErrorEmpty, 1},
    {"stringCreateProfileError", &stringCreateProfileError, 1},
    {"stringNoWindowSupportError", &stringNoWindowSupportError, 1},
    {"stringRUSureDelete", &stringRUSureDelete, 1},
    {"stringRUSureOverwriteContinue", &stringRUSureOverwriteContinue, 1},
    {"stringRUSureExitIngame", &stringRUSureExitIngame, 1},
    {"stringStoryTypeInfo", &stringStoryTypeInfo, 1},
    {"stringStoryLongName", &stringStoryLongName, 1},
    {"stringStoryShortName", &stringStoryShortName, 1},
    {"k_levelSpellInfo", k_levelSpellInfo, 12},
    {"k_levelSummaryText", k_levelSummaryText, 12},
    {"k_ifAtFulltimeSchoolText", &k_ifAtFulltimeSchoolText, 1},
    {"k_levelSpells", k_levelSpells, 12},
    {"stringGradeAcheived", &stringGradeAcheived, 1},
    {"stringSpellLearned", &stringSpellLearned, 1},
    {"stringChapterSummary", &stringChapterSummary, 1},
    {"stringClickAnywhere", &stringClickAnywhere, 1},
    {"stringGameStats", &stringGameStats, 1},
    {"stringTimeCol", &stringTimeCol, 1},
    {"stringGradeAvgCol", &stringGradeAvgCol, 1},
    {"stringMinPostMerge", &stringMinPostMerge, 1},
    {"stringMinPostMergeShort", &stringMinPostMergeShort, 1},
    {"stringJobTexts1", stringJobTexts1, 6},
    {"stringJobTexts2", stringJobTexts2, 6},
    {"stringJobTexts3", stringJobTexts3, 6},
    {"stringJobTexts4", stringJobTexts4, 6},
    {"stringJobTexts5", stringJobTexts5, 6},
    {"stringJobTexts6", stringJobTexts6, 6},
    {"stringJobTexts7", stringJobTexts7, 6},
    {"stringJobTexts8", stringJobTexts8, 6},
    {"stringJobTexts9", stringJobTexts9, 6},
    {"stringJobTexts10", stringJobTexts10, 6},
    {"stringJobTexts11", stringJobTexts11, 6},
    {"stringJobTexts12", stringJobTexts12, 6},
    {"stringDistractionsOff", &stringDistractionsOff, 1},
    {"stringMapUsing", &stringMapUsing, 1},
    {"stringChooseYourWand", &stringChooseYourWand, 1},
    {"stringChapterComplete", &stringChapterComplete, 1},
    {"stringTimeTaken", &stringTimeTaken, 1},
    {"stringNewRecordSpeed", &stringNewRecordSpeed, 1},
    {"stringRecordTime", &stringRecordTime, 1},
    {"stringTimeBonus", &stringTimeBonus, 1},
    {"stringAllObjectsFoundTitle", &stringAllObjectsFoundTitle, 1},
    {"stringChapStrings", stringChapStrings, 13},
    {"stringChapTitles", stringChapTitles, 13},
    {"k_maxLevelIntroText", k_maxLevelIntroText, 13},
    {"stringGoalText", stringGoalText, 13},
    {"k_endGameCredits", &k_endGameCredits, 1},
    {"k_maxStoryText", k_maxStoryText, 4},
    {"k_maxStoryTextShort", &k_maxStoryTextShort, 1},
    {"k_maxStoryFinally", &k_maxStoryFinally, 1},
    {"stringHowToPlayTitle", stringHowToPlayTitle, 8},
    {"stringHowToPlayText", stringHowToPlayText, 8},
    {"stringHowToPlayPotion", stringHowToPlayPotion, 2},
    {"stringHowToPlayPotionText", stringHowToPlayPotionText, 4},
    {"stringHowToPlayChant", stringHowToPlayChant, 3},
    {"stringHowToPlayChantText", stringHowToPlayChantText, 4},
    {"stringExit", &stringExit, 1},
    {"stringNextPage", &stringNextPage, 1},
    {"stringClickAnywhereNoExc", &stringClickAnywhereNoExc, 1},
    {"stringSpellGoal", &stringSpellGoal, 1},
    {"stringFinalGoal", &stringFinalGoal, 1},
    {"stringTimeRemaining", &stringTimeRemaining, 1},
    {"stringSpellCastTime", &stringSpellCastTime, 1},
    {"stringMinutes", &stringMinutes, 1},
    {"stringTheVespersCodex", &stringTheVespersCodex, 1},
    {"stringLost60Seconds", &stringLost60Seconds, 1},
    {"stringLost45Seconds", &stringLost45Seconds, 1},
    {"stringLost30Seconds", &stringLost30Seconds, 1},
    {"stringLost15Seconds", &stringLost15Seconds, 1},
    {"stringCoinsFound", &stringCoinsFound, 1},
    {"stringGradeAPlus", &stringGradeAPlus, 1},
    {"stringGradeA", &stringGradeA, 1},
    {"stringGradeBPlus", &stringGradeBPlus, 1},
    {"stringGradeB", &stringGradeB, 1},
    {"stringGradeSPlus", &stringGradeSPlus, 1},
    {"stringGradeS", &stringGradeS, 1},
    {"stringNewGradeExc", &stringNewGradeExc, 1},
    {"stringNewGrade", &stringNewGrade, 1},
    {"stringPause", &stringPause, 1},
    {"stringNumRunestonesFound", &stringNumRunestonesFound, 1},
    {"stringChapter", &stringChapter, 1},
    {"stringQuickfindExc", &stringQuickfindExc, 1},
    {"stringTimePenalty", &stringTimePenalty, 1},
    {"stringClear", &stringClear, 1},
    {"stringCast", &stringCast, 1},
    {"stringChapNumAndPotionGame", &stringChapNumAndPotionGame, 1},
    {"stringCurrentChainLength", &stringCurrentChainLength, 1},
    {"stringLongestChain", &stringLongestChain, 1},
    {"stringChapNumAndChant", &stringChapNumAndChant, 1},
    {"stringMagicalChantSideInstructions", &stringMagicalChantSideInstructions, 1},
    {"stringNumPartsSelected", &stringNumPartsSelected, 1},
    {"stringClickHere", &stringClickHere, 1},
    {"stringToChangeUser", &stringToChangeUser, 1},
    {"stringBakedTitleExit", &stringBakedTitleExit, 1},
    {"stringBakedTitleOptions", &stringBakedTitleOptions, 1},
    {"stringBakedTitlePlay", &stringBakedTitlePlay, 1},
    {"stringBakedLevelIntroStartSpell", &stringBakedLevelIntroStartSpell, 1},
    {"stringBakedSidebarMenu", &stringBakedSidebarMenu, 1},
    {"stringBakedSidebarMap", &stringBakedSidebarMap, 1},
    {"stringBakedSidebarRepel", &stringBakedSidebarRepel, 1},
    {"stringBakedSidebarReveal", &stringBakedSidebarReveal, 1},
    {"stringBakedMapNames", stringBakedMapNames, 12},
};

const int k_numSlots = static_cast<int>(std::size(k_slots));

}  // namespace GameStrings
