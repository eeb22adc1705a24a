// A web transfer's bookkeeping. This build has no network code: a transfer
// never starts, so aborting and destroying one return at once.
#pragma once

#include <atomic>
#include <string>

namespace Tesk {

class HTTPTransfer {
 public:
  HTTPTransfer();
  ~HTTPTransfer();
  HTTPTransfer(const HTTPTransfer&) = delete;
  HTTPTransfer& operator=(const HTTPTransfer&) = delete;

  void Abort();

  int mTransferId;
  std::string mSpecifiedBaseURL;
  std::string mSpecifiedRelURL;
  std::string mURL;
  std::string mProtocol;
  std::string mHost;
  std::string mPath;
  std::string mSendStr;
  std::string mContent;
  int mResult = 1;
  int mLastResult = 1;
  std::atomic<bool> mThreadRunning{false};
  std::atomic<bool> mTransferPending{false};
  std::atomic<bool> mExiting{false};
  std::atomic<bool> mAborted{false};
};

// The id the next transfer takes.
extern std::atomic<int> gCurTransferId;

}  // namespace Tesk
