#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "../graphics/FakeFont.h"
#include "ParticleTestSupport.h"
#include "graphics/Graphics.h"
#include "widgets/Widget.h"

using PARTICLE::txtArray;

namespace {

class WritingWidget : public Tesk::Widget {
 public:
  std::vector<std::string> mWrites;
  int WriteString(Tesk::Graphics* g, const TeskString& theString, int x, int y, int theWidth,
                  int theJustification, bool drawString, int theOffset, int theLength) override {
    char aBuf[160];
    std::snprintf(aBuf, sizeof(aBuf), "%ls at %d,%d width %d just %d draw %d from %d len %d alpha %d",
                  theString.c_str(), x, y, theWidth, theJustification, drawString, theOffset, theLength,
                  g->GetColor().mAlpha);
    mWrites.push_back(aBuf);
    return theWidth;
  }
};

}  // namespace

TEST_F(ParticleTest, TextIsCentredOnItsXAndRises) {
  Tesk::FakeFont aFont;                      // 10 px a character
  const TeskString aText = L"abcdefghijkl";  // 120 px
  PARTICLE::createTxtParticle(70, 200, 28, &aText, &aFont, 0);
  for (int i = 0; i < 10; ++i) PARTICLE::update();
  Tesk::RecordingImage aScreen(800, 600);
  Tesk::Graphics g(&aScreen);
  WritingWidget aWidget;
  PARTICLE::draw(&g, 1.0f, &aWidget);
  ASSERT_EQ(aWidget.mWrites.size(), 1u);
  const int aAlpha = static_cast<int>(1.0f * (txtArray[0].m_alpha * 255.0f));
  EXPECT_EQ(aWidget.mWrites[0],
            "abcdefghijkl at 10,198 width 120 just 0 draw 1 from 0 len -1 alpha " + std::to_string(aAlpha));
  EXPECT_EQ(txtArray[0].m_color.mRed, 255);
  EXPECT_EQ(txtArray[0].m_color.mGreen, 55);
  EXPECT_EQ(g.GetFont(), &aFont);
  EXPECT_EQ(g.GetDrawMode(), 0);
}

TEST_F(ParticleTest, WideTextStaysCentred) {
  Tesk::FakeFont aFont;
  const TeskString aText(30, L'x');  // 300 px: more than a byte holds
  PARTICLE::createTxtParticle(400, 100, 28, &aText, &aFont, 0);
  Tesk::RecordingImage aScreen(800, 600);
  Tesk::Graphics g(&aScreen);
  WritingWidget aWidget;
  PARTICLE::draw(&g, 1.0f, &aWidget);
  ASSERT_EQ(aWidget.mWrites.size(), 1u);
  EXPECT_NE(aWidget.mWrites[0].find(" at 250,100 width 300 "), std::string::npos);
}

TEST_F(ParticleTest, TextPoolHiddenAndWidgetless) {
  Tesk::FakeFont aFont;
  const TeskString aText = L"-5";
  for (int i = 0; i < 11; ++i) PARTICLE::createTxtParticle(100 + i, 100, 28, &aText, &aFont, i == 0 ? 1 : 0);
  EXPECT_EQ(txtArray[9].m_x, 109.0f);  // the eleventh was dropped
  Tesk::RecordingImage aScreen(800, 600);
  Tesk::Graphics g(&aScreen);
  PARTICLE::draw(&g, 1.0f, nullptr);
  EXPECT_EQ(txtArray[1].m_textWidth, 0);  // not measured without a widget
  WritingWidget aWidget;
  PARTICLE::draw(&g, 0.0f, &aWidget);
  EXPECT_TRUE(aWidget.mWrites.empty());
  PARTICLE::draw(&g, 1.0f, &aWidget);
  EXPECT_EQ(aWidget.mWrites.size(), 9u);  // the hidden one is measured, not written
  EXPECT_EQ(txtArray[0].m_textWidth, 20);
  for (int i = 0; i < 299; ++i) PARTICLE::update();
  EXPECT_EQ(txtArray[0].m_type, 28);
  EXPECT_NEAR(txtArray[0].m_y, 100.0f - 0.2f * 299, 1e-2);
  PARTICLE::update();
  for (const PARTICLE::ParticleTxt& t : txtArray) EXPECT_EQ(t.m_type, 0);
}

TEST_F(ParticleTest, OtherTextTypesClaimARecordButAreNotDrawn) {
  const TeskString aText = L"x";
  txtArray[0].m_life = 3;
  PARTICLE::createTxtParticle(10, 10, 5, &aText, nullptr, 0);
  EXPECT_EQ(txtArray[0].m_type, 5);
  Tesk::RecordingImage aScreen(800, 600);
  Tesk::Graphics g(&aScreen);
  WritingWidget aWidget;
  PARTICLE::draw(&g, 1.0f, &aWidget);
  EXPECT_TRUE(aWidget.mWrites.empty());
  for (int i = 0; i < 3; ++i) PARTICLE::update();
  EXPECT_EQ(txtArray[0].m_type, 0);
}
