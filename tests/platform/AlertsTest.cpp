#include <gtest/gtest.h>

#include "platform/alerts/MacRomanText.h"
#include "platform/alerts/StandardAlert.h"
#include "platform/alerts/backend/ScriptedAlertBackend.h"

TEST(MacRomanText, ConvertsToUtf8) {
  struct Case {
    std::string in, out;
  };
  const Case kCases[] = {
      {"plain ASCII\r\n", "plain ASCII\r\n"},
      {"\x80\x8E\x9F", "\xC3\x84\xC3\xA9\xC3\xBC"},              // Ä é ü
      {"\xA5\xAA\xC9", "\xE2\x80\xA2\xE2\x84\xA2\xE2\x80\xA6"},  // • ™ …
      {"\xD2\xD3\xDB", "\xE2\x80\x9C\xE2\x80\x9D\xE2\x82\xAC"},  // “ ” €
      {"\xF0\xFF", "\xEF\xA3\xBF\xCB\x87"},                      // Apple logo, caron
  };
  for (const Case& c : kCases) {
    SCOPED_TRACE(c.in);
    EXPECT_EQ(MacRomanToUtf8(c.in), c.out);
  }
}

TEST(StandardAlert, ScriptedAnswersAndRecordedRequests) {
  ScriptedAlertBackend aBackend;
  SetAlertBackend(&aBackend);
  aBackend.QueueAnswer(kAlertStdAlertCancelButton);
  AlertStdAlertParamRec aParams;
  aParams.cancelText = kAlertDefaultCancelText;
  aParams.cancelButton = kAlertStdAlertCancelButton;
  DialogItemIndex anItem = 0;
  EXPECT_EQ(StandardAlert(kAlertCautionAlert, "Message", "Explanation", &aParams, &anItem), 0);
  EXPECT_EQ(anItem, kAlertStdAlertCancelButton);
  EXPECT_EQ(StandardAlert(kAlertNoteAlert, "Again", "", nullptr, &anItem), 0);
  EXPECT_EQ(anItem, kAlertStdAlertOKButton);  // script used up: the default
  SetAlertBackend(nullptr);
  ASSERT_EQ(aBackend.Shown().size(), 2u);
  EXPECT_EQ(aBackend.Shown()[0].mButtons, (std::vector<std::string>{"OK", "Cancel"}));
  EXPECT_EQ(aBackend.Shown()[0].mCancelItem, 2);
  EXPECT_EQ(aBackend.Shown()[1].mButtons, (std::vector<std::string>{"OK"}));
}
