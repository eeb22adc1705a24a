// A CxFile over a memory buffer: the caller's, or one the stream grows and frees itself.
#pragma once

#include <cstdint>

#include "resources/CxFile.h"

class CxMemFile : public CxFile {
 public:
  // Without a buffer the stream owns one, made by the first write and freed by Close.
  // A caller's buffer is read and overwritten in place but never grown or freed.
  explicit CxMemFile(uint8_t* theBuffer = nullptr, uint32_t theSize = 0);
  ~CxMemFile() override;

  bool Close() override;
  size_t Read(void* theBuffer, size_t theSize, size_t theCount) override;
  size_t Write(const void* theBuffer, size_t theSize, size_t theCount) override;
  bool Seek(int32_t theOffset, int theOrigin) override;
  int32_t Tell() override;
  int32_t Size() override;
  bool Flush() override;
  bool Eof() override;
  int32_t Error() override;
  bool PutC(uint8_t theByte) override;
  int32_t GetC() override;

  uint8_t* GetBuffer() const { return mBuffer; }
  int32_t GetCapacity() const { return mCapacity; }

 private:
  // Makes room for theNeeded bytes; false when the buffer is the caller's or too large.
  bool Grow(uint64_t theNeeded);

  uint8_t* mBuffer = nullptr;
  int32_t mSize = 0;
  int32_t mPosition = 0;
  int32_t mCapacity = 0;
  bool mFreeOnClose = false;
};
