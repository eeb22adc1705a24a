#include "WidgetTestSupport.h"
#include "widgets/Dialog.h"

namespace Tesk {

bool FakeApp::UpdateAppStep(bool* updated) {
  if (updated != nullptr) *updated = true;
  mSteps++;
  for (const std::pair<int, int>& anAction : mStepActions)
    if (anAction.first == mSteps && mStepDialog != nullptr) mStepDialog->ButtonDepress(anAction.second);
  return mStepsLeft-- > 0;
}

}  // namespace Tesk
