// The screen a popup arms starts once the global fade is black and the popup holds the keys;
// the widget manager's own updates run the popup, hidden as it is by then.
#include <gtest/gtest.h>

#include "PopupRig.h"
#include "game/shell/Story.h"

namespace {

using PopupTest::PopupRig;
using namespace Tesk;

class PopupTransition : public PopupRig {
 protected:
  void Frames(int theCount) {
    for (int i = 0; i < theCount; ++i) {
      GameApp::updateFade();
      mApp->mWidgetManager->UpdateFrame();
    }
  }
};

TEST_F(PopupTransition, TryAgainStartsTheChapterIntroWhenTheScreenIsBlack) {
  MakeProfile(L"Wren");
  mProfile->startNewGame(1);
  Open(POPUP_LEVEL_FAILED, mTitle);
  mPopup->ButtonDepress(5);
  ASSERT_EQ(mPopup->m_subType, POPUP_TO_LEVEL_INTRO);
  ASSERT_EQ(mApp->mWidgetManager->mFocusWidget, mPopup);

  // Falling to black from the dim level: nothing starts before the fade colour reads 0.
  Frames(5);
  EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mTitle));
  // Black, but another widget holds the keys: still nothing.
  mApp->mWidgetManager->SetFocus(mTitle);
  Frames(60);
  ASSERT_EQ(GameApp::getFadeColor(), 0);
  EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mTitle));
  EXPECT_FALSE(mApp->mWidgetManager->HasWidget(mStory));

  mApp->mWidgetManager->SetFocus(mPopup);
  Frames(1);
  EXPECT_FALSE(mApp->mWidgetManager->HasWidget(mTitle)) << "the caller leaves";
  EXPECT_TRUE(mApp->mWidgetManager->HasWidget(mStory));
  EXPECT_EQ(mApp->mWidgetManager->mFocusWidget, mStory);
  EXPECT_EQ(mStory->m_mode, Story::MODE_LEVEL_INTRO);
  // Kept until the next layout.
  EXPECT_EQ(mPopup->m_subType, POPUP_TO_LEVEL_INTRO);
}

}  // namespace
