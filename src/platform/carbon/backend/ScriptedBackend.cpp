#include "platform/carbon/backend/ScriptedBackend.h"

#include "platform/carbon/OpaqueWindowPtr.h"

bool ScriptedBackend::CreateNativeWindow(WindowRef theWindow) {
  if (mFailNextWindow) {
    mFailNextWindow = false;
    return false;
  }
  theWindow->mNative = theWindow;
  ++mLiveWindows;
  return true;
}

void ScriptedBackend::DestroyNativeWindow(WindowRef theWindow) {
  theWindow->mNative = nullptr;
  --mLiveWindows;
}

bool ScriptedBackend::GetClipboardText(std::string* outText) {
  if (!mHasClipboardText || mClipboardText.empty()) return false;
  if (outText != nullptr) *outText = mClipboardText;
  return true;
}

void ScriptedBackend::SetClipboardText(const std::string& theText) {
  mClipboardText = theText;
  mHasClipboardText = true;
}

void ScriptedBackend::SetGlobalMouse(int h, int v) {
  mMouse.h = static_cast<int16_t>(h);
  mMouse.v = static_cast<int16_t>(v);
}
