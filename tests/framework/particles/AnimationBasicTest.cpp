#include <gtest/gtest.h>

#include <vector>

#include "../graphics/RecordingImage.h"
#include "graphics/AnimationBasic.h"
#include "graphics/Graphics.h"

using ANIM::AnimationBasic;
using Tesk::Graphics;
using Tesk::RecordingImage;

namespace {

std::vector<int> Frames(AnimationBasic& theAnim, int theTicks) {
  std::vector<int> aFrames;
  for (int i = 0; i < theTicks; ++i) {
    theAnim.update();
    aFrames.push_back(theAnim.getFrameOn());
  }
  return aFrames;
}

}  // namespace

TEST(AnimationBasic, NewObjectIsInactiveAndDrawsNothing) {
  AnimationBasic aAnim;
  RecordingImage aScreen(100, 100);
  Graphics g(&aScreen);
  EXPECT_TRUE(aAnim.isInactive());
  EXPECT_EQ(aAnim.update(), 0);
  aAnim.draw(&g, 1.0f);
  EXPECT_TRUE(aScreen.mCalls.empty());
}

TEST(AnimationBasic, WithoutRowsAndColumnsThereIsNoCellToDraw) {
  RecordingImage aSheet(64, 32);
  RecordingImage aScreen(100, 100);
  Graphics g(&aScreen);
  AnimationBasic aAnim;
  aAnim.setAnim(&aSheet, 4, 1, ANIM::Play);
  aAnim.update();
  aAnim.draw(&g, 1.0f);  // no division by the column count 0
  EXPECT_TRUE(aScreen.mCalls.empty());
}

TEST(AnimationBasic, EveryKindStepsThroughItsFrames) {
  RecordingImage aSheet(64, 32);
  struct Case {
    const char* name;
    int count, delay, state, wrap;
    std::vector<int> frames;
    int endState;
  };
  const Case kCases[] = {
      {"play wraps", 4, 2, ANIM::Play, 1, {0, 1, 1, 2, 2, 3, 3, 0, 0, 1}, ANIM::Play},
      {"play without wrap ends", 4, 2, ANIM::Play, 0, {0, 1, 1, 2, 2, 3, 3, 4}, ANIM::Inactive},
      {"ping-pong", 4, 1, ANIM::PingPong, 1, {1, 2, 3, 2, 1, 0, 1, 2, 3, 2}, ANIM::PingPong},
      {"once-hold", 3, 1, ANIM::OnceHold, 1, {1, 2, 2, 2, 2}, ANIM::OnceHold},
      {"hold", 4, 1, ANIM::Hold, 1, {0, 0, 0}, ANIM::Hold},
      {"paused", 4, 1, ANIM::Paused, 1, {0, 0, 0}, ANIM::Paused},
      {"above seven", 4, 1, 9, 1, {0, 0, 0}, 9},
      // The faults: no bouncing with fewer than two frames, no frame -1.
      {"ping-pong one frame", 1, 1, ANIM::PingPong, 1, {0, 0, 0, 0}, ANIM::PingPong},
      {"ping-pong no frames", 0, 1, ANIM::PingPong, 1, {0, 0, 0}, ANIM::PingPong},
      {"play one frame", 1, 1, ANIM::Play, 1, {0, 0, 0}, ANIM::Play},
      {"once-hold no frames", 0, 1, ANIM::OnceHold, 1, {0, 0}, ANIM::OnceHold},
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.name);
    AnimationBasic aAnim;
    aAnim.setAnim(&aSheet, c.count, c.delay, c.state);
    aAnim.setWrap(c.wrap);
    std::vector<int> aGot = Frames(aAnim, static_cast<int>(c.frames.size()));
    if (c.endState == ANIM::Inactive) aGot.back() = c.frames.back();  // the frame left behind is not shown
    EXPECT_EQ(aGot, c.frames);
    EXPECT_EQ(aAnim.m_state, c.endState);
  }
}

TEST(AnimationBasic, PlayBackwardsWraps) {
  RecordingImage aSheet(64, 32);
  AnimationBasic aAnim;
  aAnim.setAnim(&aSheet, 3, 1, ANIM::Play);
  aAnim.m_packed = (aAnim.m_packed & ~(7u << 8)) | (7u << 8);  // step -1
  EXPECT_EQ(aAnim.getStep(), -1);
  EXPECT_EQ(Frames(aAnim, 4), (std::vector<int>{2, 1, 0, 2}));
}

TEST(AnimationBasic, FadeOutLoop) {
  RecordingImage aSheet(64, 32);
  AnimationBasic aAnim;
  aAnim.setAnim(&aSheet, 4, 1, ANIM::FadeOutLoop);
  EXPECT_EQ(aAnim.m_alpha, 0.0f);
  EXPECT_EQ(aAnim.update(), ANIM::Inactive);

  aAnim.setAnim(&aSheet, 4, 1, ANIM::Play);
  aAnim.update();
  aAnim.changeState(ANIM::FadeOutLoop);
  EXPECT_EQ(aAnim.getFrameOn(), 0);
  EXPECT_EQ(aAnim.m_alpha, 1.0f);
  int aTicks = 0;
  while (aAnim.update() == ANIM::FadeOutLoop) ++aTicks;
  EXPECT_NEAR(aTicks + 1, 260, 1);
  EXPECT_EQ(aAnim.m_state, ANIM::Inactive);
}

TEST(AnimationBasic, FadePlayFadeHoldsFirstFrameFadesOnLast) {
  RecordingImage aSheet(64, 32);
  AnimationBasic aAnim;
  aAnim.setAnim(&aSheet, 3, 1, ANIM::FadePlayFade);
  int aTicksOnFirst = 0;
  while (aAnim.getFrameOn() == 0) {
    aAnim.update();
    ++aTicksOnFirst;
  }
  EXPECT_NEAR(aTicksOnFirst, 261, 2);
  EXPECT_EQ(aAnim.m_alpha, 1.0f);
  EXPECT_EQ(Frames(aAnim, 1), std::vector<int>{2});
  int aTicksOnLast = 0;
  while (aAnim.update() == ANIM::FadePlayFade) ++aTicksOnLast;
  EXPECT_NEAR(aTicksOnLast, 260, 2);
  EXPECT_EQ(aAnim.getFrameOn(), 2);
  EXPECT_EQ(aAnim.m_alpha, 1.0f);
}

TEST(AnimationBasic, ChangeStateKeepsInactiveAndSetFrameWraps) {
  RecordingImage aSheet(64, 32);
  AnimationBasic aAnim;
  aAnim.changeState(ANIM::FadePlayFade);
  EXPECT_TRUE(aAnim.isInactive());
  aAnim.setAnim(33, &aSheet, 4, 1, ANIM::Paused);
  EXPECT_EQ(aAnim.getId(), 1);
  EXPECT_TRUE(aAnim.isPaused());
  aAnim.unpause();
  EXPECT_EQ(aAnim.m_state, ANIM::Play);
  aAnim.setFrame(7);
  EXPECT_EQ(aAnim.getFrameOn(), 3);
  aAnim.setAnim(&aSheet, 0, 1, ANIM::Play);
  aAnim.setFrame(7);  // no frames: no division by zero
  EXPECT_EQ(aAnim.getFrameOn(), 0);
}

TEST(AnimationBasic, DrawsTheCurrentCellTintedAndMirrored) {
  RecordingImage aSheet(64, 32);  // 2 rows x 4 cols of 16x16
  RecordingImage aScreen(800, 600);
  Graphics g(&aScreen);
  g.SetColorizeImages(true);
  AnimationBasic aAnim;
  aAnim.setAnim(&aSheet, 8, 1, ANIM::Play);
  aAnim.setRowsCols(2, 4);
  EXPECT_EQ(aAnim.getCellWidth(), 16);
  EXPECT_EQ(aAnim.getCellHeight(), 16);
  aAnim.setXY(10, 20);
  aAnim.setColor(200, 100, 50);
  aAnim.setFrame(5);
  aAnim.setFadeValue(0.5f);
  aAnim.draw(&g, 0.5f);
  aAnim.setMirrored(1);
  aAnim.setScaledSize(1.5f);
  aAnim.drawTranslated(&g, 5, 5, 1.0f);
  aAnim.changeState(ANIM::FadeOutLoop);  // frame 0, alpha 1; never mirrored
  aAnim.setFadeValue(0.5f);
  aAnim.draw(&g, 30, 40, 0.5f);
  ASSERT_EQ(aScreen.mCalls.size(), 3u);
  EXPECT_EQ(aScreen.mCalls[0], "StretchBlt 10,20,16,16 src 16,16,16,16 clip 0,0,800,600 7f643219 0 slow");
  EXPECT_EQ(aScreen.mCalls[1],
            "StretchBltMirror 15,25,24,24 src 16,16,16,16 clip 0,0,800,600 7fc86432 0 slow");
  EXPECT_EQ(aScreen.mCalls[2], "StretchBlt 30,40,24,24 src 0,0,16,16 clip 0,0,800,600 3f643219 0 slow");
}
