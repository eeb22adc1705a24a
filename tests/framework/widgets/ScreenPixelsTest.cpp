// A small screen of controls drawn through the widget manager on a memory image,
// compared pixel for pixel with the reference PNG beside this test. Set
// TESK_UPDATE_REFERENCE_IMAGES=1 to write the reference anew on purpose.
#include <gtest/gtest.h>
#include <png.h>

#include <cstdlib>
#include <memory>

#include "WidgetTestSupport.h"
#include "graphics/MemoryImage.h"
#include "widgets/ButtonWidget.h"
#include "widgets/Checkbox.h"
#include "widgets/Dialog.h"
#include "widgets/EditWidget.h"

namespace Tesk {
namespace {

const int k_Width = 160;
const int k_Height = 120;

bool WritePng(const std::string& thePath, const uint32_t* theArgb, int theWidth, int theHeight) {
  std::vector<uint8_t> aRgba(static_cast<size_t>(theWidth) * theHeight * 4);
  for (size_t i = 0; i < static_cast<size_t>(theWidth) * theHeight; i++) {
    aRgba[i * 4 + 0] = static_cast<uint8_t>(theArgb[i] >> 16);
    aRgba[i * 4 + 1] = static_cast<uint8_t>(theArgb[i] >> 8);
    aRgba[i * 4 + 2] = static_cast<uint8_t>(theArgb[i]);
    aRgba[i * 4 + 3] = static_cast<uint8_t>(theArgb[i] >> 24);
  }
  png_image anImage{};
  anImage.version = PNG_IMAGE_VERSION;
  anImage.width = static_cast<png_uint_32>(theWidth);
  anImage.height = static_cast<png_uint_32>(theHeight);
  anImage.format = PNG_FORMAT_RGBA;
  return png_image_write_to_file(&anImage, thePath.c_str(), 0, aRgba.data(), 0, nullptr) != 0;
}

bool ReadPng(const std::string& thePath, std::vector<uint32_t>& theArgb, int& theWidth, int& theHeight) {
  png_image anImage{};
  anImage.version = PNG_IMAGE_VERSION;
  if (!png_image_begin_read_from_file(&anImage, thePath.c_str())) return false;
  anImage.format = PNG_FORMAT_RGBA;
  std::vector<uint8_t> aRgba(PNG_IMAGE_SIZE(anImage));
  if (!png_image_finish_read(&anImage, nullptr, aRgba.data(), 0, nullptr)) return false;
  theWidth = static_cast<int>(anImage.width);
  theHeight = static_cast<int>(anImage.height);
  theArgb.resize(static_cast<size_t>(theWidth) * theHeight);
  for (size_t i = 0; i < theArgb.size(); i++)
    theArgb[i] = (uint32_t(aRgba[i * 4 + 3]) << 24) | (uint32_t(aRgba[i * 4 + 0]) << 16) |
                 (uint32_t(aRgba[i * 4 + 1]) << 8) | aRgba[i * 4 + 2];
  return true;
}

TEST(ScreenPixels, ControlsMatchTheReferenceImage) {
  FakeApp anApp;
  MemoryImage aScreen(nullptr);
  aScreen.Create(k_Width, k_Height);
  WidgetManager aManager(&anApp);
  aManager.mImage = &aScreen;
  SizeManager(aManager, k_Width, k_Height);
  BlockFont aFont;
  Log aLog;

  RecordingWidget aBackground("bg", &aLog, 0, 0, k_Width, k_Height);
  aBackground.mFill = Color(20, 40, 90);
  Checkbox anOff(nullptr, nullptr, 1, nullptr);
  anOff.Resize(8, 8, 14, 14);
  // The checked box's cross is made of lines, which memory images don't draw yet;
  // its look is covered by the recorded-call test instead.
  ButtonWidget anIdle(3, nullptr);
  anIdle.SetFont(&aFont);
  anIdle.mLabel = L"OK";
  anIdle.Resize(8, 30, 50, 20);
  ButtonWidget aPressed(4, nullptr);
  aPressed.SetFont(&aFont);
  aPressed.mLabel = L"GO";
  aPressed.mInvertDown = true;
  aPressed.Resize(64, 30, 50, 20);
  EditWidget anEdit(5, nullptr);
  anEdit.SetFont(&aFont);
  anEdit.Resize(8, 58, 70, 18);
  Dialog aDialog(nullptr, nullptr, 6, false, L"Hi", L"yo", L"", 0);
  aDialog.SetHeaderFont(&aFont);
  aDialog.SetLinesFont(&aFont);
  aDialog.mTextInsets = Insets(16, 16, 16, 16);
  aDialog.Resize(84, 56, 72, 60);

  for (Widget* w :
       std::initializer_list<Widget*>{&aBackground, &anOff, &anIdle, &aPressed, &anEdit, &aDialog})
    aManager.AddWidget(w);
  aManager.SetFocus(&anEdit);
  anEdit.SetText(L"abcd");
  anEdit.mCursorPos = 1;  // "bcd" selected
  anEdit.mHilitePos = 4;
  ASSERT_TRUE(aManager.DrawScreen());

  const uint32_t* aBits = aScreen.GetBits();
  std::string aReference = std::string(TESK_TEST_SOURCE_DIR) + "/framework/widgets/data/controls_screen.png";
  const char* anUpdate = std::getenv("TESK_UPDATE_REFERENCE_IMAGES");
  if (anUpdate != nullptr && std::string(anUpdate) == "1") {
    ASSERT_TRUE(WritePng(aReference, aBits, k_Width, k_Height));
  }
  std::vector<uint32_t> anExpected;
  int aWidth = 0;
  int aHeight = 0;
  ASSERT_TRUE(ReadPng(aReference, anExpected, aWidth, aHeight)) << aReference;
  ASSERT_EQ(aWidth, k_Width);
  ASSERT_EQ(aHeight, k_Height);
  int aDiffering = 0;
  int aFirst = -1;
  for (int i = 0; i < k_Width * k_Height; i++) {
    if (aBits[i] != anExpected[i]) {
      if (aFirst < 0) aFirst = i;
      aDiffering++;
    }
  }
  if (aDiffering != 0) {
    std::string anActual = std::string(TESK_TEST_BINARY_DIR) + "/controls_screen_actual.png";
    WritePng(anActual, aBits, k_Width, k_Height);
    ADD_FAILURE() << aDiffering << " pixels differ, the first at (" << aFirst % k_Width << ", "
                  << aFirst / k_Width << "); this run's image: " << anActual;
  }
  aManager.RemoveAllWidgets();
}

}  // namespace
}  // namespace Tesk
