// The game itself, in its own window, taken through the story screen's modes with screenshots
// on the way (the F11 path): the story intro, the runestones shattering, the ending on its
// scroll, the credits, the unlock offered at their end and the how-to-play pages. Needs a display
// (Xvfb will do); the pictures go to the per-user data folder's _screenshots/, which it prints:
// story_screenshots [the framework's options].
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

#include "app/CommandLine.h"
#include "app/Screenshots.h"
#include "game/shell/GameApp.h"
#include "game/shell/PopupBox.h"
#include "game/shell/ProfileData.h"
#include "game/shell/Story.h"
#include "game/shell/TitleScreen.h"
#include "widgets/WidgetManager.h"

namespace {

// One step of the run: what to do on its first update, how many updates to wait after it, and
// whether to take a screenshot then.
struct Step {
  const char* mName;
  std::function<void(Tesk::GameApp&)> mAction;
  int mWait;
  bool mShoot;
};

class ShotApp : public Tesk::GameApp {
 public:
  explicit ShotApp(std::vector<Step> theSteps) : mSteps(std::move(theSteps)) { mIsWindowed = true; }

  void UpdateFrames() override {
    GameApp::UpdateFrames();
    if (mStep >= mSteps.size()) return;
    const Step& s = mSteps[mStep];
    if (mWaited == 0) {
      std::printf("step: %s\n", s.mName);
      if (s.mAction) s.mAction(*this);
    }
    if (++mWaited < s.mWait) return;
    if (s.mShoot) TakeScreenshot();
    mWaited = 0;
    if (++mStep == mSteps.size()) mShutdownAfter = 20;
  }
  bool UpdateApp() override {
    if (mShutdownAfter > 0 && --mShutdownAfter == 0) Shutdown();
    return GameApp::UpdateApp();
  }

 private:
  std::vector<Step> mSteps;
  size_t mStep = 0;
  int mWaited = 0;
  int mShutdownAfter = 0;
};

}  // namespace

int main(int argc, char** argv) {
  using Tesk::GameApp;
  using Tesk::Story;
  const std::vector<Step> aSteps = {
      // Past start-up and into the logos.
      {"start", nullptr, 150, false},
      // The logos cut short: the title screen makes the popup the story shares.
      {"title", [](GameApp& g) { g.PreScreensFinished(); }, 100, false},
      {"player",
       [](GameApp& g) {
         Tesk::ProfileData* p = g.getProfileData();
         p->setProfileUsing(p->getNextAvailableProfile());
         p->setProfileName(L"Ada");
         p->startNewGame(1);
         p->setLevelGrade(1.6f);
         p->updateAvgGrade();
       },
       1, false},
      {"story intro", [](GameApp& g) { g.StartStory(g.getTitleScreen()); }, 90, true},
      {"story page 2", [](GameApp& g) { g.m_story->pressCaptured(1); }, 30, true},
      {"runestones", [](GameApp& g) { g.StartStoryFinally(g.m_story); }, 380, true},
      {"ending scroll", [](GameApp& g) { g.m_story->m_runestoneCounter = 1400; }, 30, true},
      {"ending fades",
       [](GameApp& g) {
         for (int i = 0; i < 20 && g.m_story->m_mode == Story::MODE_END_SCROLL; ++i)
           g.m_story->pressCaptured(1);
       },
       120, false},
      {"credits", [](GameApp& g) { g.m_story->m_creditsOffset = -120.0f; }, 40, true},
      {"credits end", [](GameApp& g) { g.m_story->m_creditsOffset = -849.99f; }, 2, false},
      {"credits end state",
       [](GameApp& g) {
         std::printf("mode %d leaving %d fade %d extra %d avg %f diff %d back %p popup %p\n",
                     g.m_story->m_mode, g.m_story->m_leaving, GameApp::sm_currentFadeDirection,
                     g.getProfileData()->isExtraHardDiffUnlocked(), g.getProfileData()->getGameAvgGrade(),
                     g.getProfileData()->getDifficultyLevel(), (void*)g.m_story->m_backImage,
                     (void*)g.m_story->m_popup);
       },
       80, true},
      {"how to play", [](GameApp& g) { g.StartHowToPlay(g.m_story); }, 90, true},
      {"how to play 2", [](GameApp& g) { g.m_story->ButtonDepress(1); }, 30, true},
      {"how to play 4",
       [](GameApp& g) {
         g.m_story->ButtonDepress(1);
         g.m_story->ButtonDepress(1);
       },
       30, true},
      // The same pages as help from the map: nothing is written over the pictures then.
      {"help from the map",
       [](GameApp& g) {
         GameApp::sm_gameState = 0;
         g.StartHowToPlayIngame(g.m_story);
       },
       90, false},
      {"help page 4",
       [](GameApp& g) {
         for (int i = 0; i < 3; ++i) g.m_story->ButtonDepress(1);
       },
       30, true},
      {"potion help",
       [](GameApp& g) {
         g.getProfileData()->advanceLevelOn();
         g.getProfileData()->advanceLevelOn();
         GameApp::sm_gameState = 2;
         g.StartHowToPlayIngame(g.m_story);
       },
       90, true},
  };
  ShotApp* anApp = new ShotApp(aSteps);
  anApp->ParseCmdLine(Tesk::JoinCommandLine(argc, argv));
  anApp->Init();
  anApp->Start();
  std::printf("screenshots in %s\n", Tesk::GetScreenshotFolder().c_str());
  delete anApp;
  return 0;
}
