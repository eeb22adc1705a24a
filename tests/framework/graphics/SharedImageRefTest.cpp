#include <gtest/gtest.h>

#include "FakeImageRegistry.h"
#include "display/DDImage.h"
#include "graphics/MemoryImage.h"
#include "graphics/SharedImageRef.h"

using namespace Tesk;

namespace {

class CountedImage : public MemoryImage {
 public:
  explicit CountedImage(int* theDeletions) : MemoryImage(nullptr), mDeletions(theDeletions) {}
  ~CountedImage() override { ++*mDeletions; }
  int* mDeletions;
};

class SharedImageRefTest : public ::testing::Test {
 protected:
  void SetUp() override { gImageRegistry = &mApp; }
  void TearDown() override { gImageRegistry = nullptr; }
  FakeImageRegistry mApp;
};

}  // namespace

TEST_F(SharedImageRefTest, CountsFollowHandles) {
  DDImage anImage(nullptr);
  SharedImage aShared;
  aShared.mImage = &anImage;
  {
    SharedImageRef a(&aShared);
    EXPECT_EQ(aShared.mRefCount, 1);
    SharedImageRef b(a);
    EXPECT_EQ(aShared.mRefCount, 2);
    SharedImageRef c;
    c = b;
    EXPECT_EQ(aShared.mRefCount, 3);
    c = &aShared;  // re-pointing at the same image keeps one reference
    EXPECT_EQ(aShared.mRefCount, 3);
    EXPECT_FALSE(mApp.mCleanupSharedImages);
    EXPECT_EQ(static_cast<MemoryImage*>(c), &anImage);
    EXPECT_EQ(static_cast<Image*>(c), &anImage);
    EXPECT_EQ(static_cast<DDImage*>(c), &anImage);
    EXPECT_EQ(c->mWidth, 0);
  }
  EXPECT_EQ(aShared.mRefCount, 0);
  // The last handle does not free the image: the application's next cleanup does.
  EXPECT_TRUE(mApp.mCleanupSharedImages);
  EXPECT_EQ(aShared.mImage, &anImage);
}

TEST_F(SharedImageRefTest, SelfAssignmentKeepsTheReference) {
  SharedImage aShared;
  int aDeletions = 0;
  SharedImageRef a(&aShared);
  a.SetUnsharedImage(new CountedImage(&aDeletions), true);
  SharedImageRef& anAlias = a;
  a = anAlias;
  EXPECT_EQ(a.mSharedImage, &aShared);
  EXPECT_EQ(aShared.mRefCount, 1);
  EXPECT_NE(a.mUnsharedImage, nullptr);
  EXPECT_EQ(aDeletions, 0);
  EXPECT_FALSE(mApp.mCleanupSharedImages);
}

TEST_F(SharedImageRefTest, PrivateCopyIsFreedExactlyOnceByItsLastHandle) {
  int aDeletions = 0;
  SharedImage aShared;
  DDImage aSharedPixels(nullptr);
  aShared.mImage = &aSharedPixels;
  CountedImage* aPrivate = new CountedImage(&aDeletions);
  {
    std::unique_ptr<SharedImageRef> anOwner(new SharedImageRef(&aShared));
    anOwner->SetUnsharedImage(aPrivate, true);
    EXPECT_EQ(static_cast<MemoryImage*>(*anOwner), aPrivate);  // the private copy comes first
    SharedImageRef aCopy(*anOwner);
    EXPECT_FALSE(aCopy.mOwnsUnshared);
    EXPECT_EQ(static_cast<MemoryImage*>(aCopy), aPrivate);
    SharedImageRef anAssigned;
    anAssigned = *anOwner;  // assignment takes only the shared image
    EXPECT_EQ(static_cast<MemoryImage*>(anAssigned), &aSharedPixels);
    anOwner.reset();
    EXPECT_EQ(aDeletions, 0);  // the copy still sees it
    EXPECT_EQ(aCopy->mWidth, 0);
  }
  EXPECT_EQ(aDeletions, 1);

  // A copy that is not owned is never freed by a handle.
  CountedImage aBorrowed(&aDeletions);
  {
    SharedImageRef aRef;
    aRef.SetUnsharedImage(&aBorrowed, false);
    SharedImageRef aCopy(aRef);
  }
  EXPECT_EQ(aDeletions, 1);
}

TEST_F(SharedImageRefTest, EmptyHandles) {
  SharedImageRef anEmpty;
  EXPECT_EQ(static_cast<MemoryImage*>(anEmpty), nullptr);
  anEmpty = static_cast<SharedImage*>(nullptr);
  anEmpty.Release();
  SharedImageRef aCopy(anEmpty);
  EXPECT_EQ(aCopy.mSharedImage, nullptr);
  EXPECT_FALSE(mApp.mCleanupSharedImages);
}
