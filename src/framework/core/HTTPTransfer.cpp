#include "core/HTTPTransfer.h"

#include "platform/mp/Multiprocessing.h"

namespace Tesk {

std::atomic<int> gCurTransferId{1};

HTTPTransfer::HTTPTransfer() : mTransferId(gCurTransferId++) {}

HTTPTransfer::~HTTPTransfer() {
  Abort();
  while (mThreadRunning) {
    AbsoluteTime aWake = AddDurationToAbsolute(20, UpTime());
    MPDelayUntil(&aWake);
  }
}

void HTTPTransfer::Abort() {
  mAborted = true;
  mExiting = true;
}

}  // namespace Tesk
