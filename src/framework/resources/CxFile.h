// A byte stream the small image library decodes from; CxMemFile is the one over memory.
#pragma once

#include <cstddef>
#include <cstdint>

class CxFile {
 public:
  CxFile() = default;
  CxFile(const CxFile&) = delete;
  CxFile& operator=(const CxFile&) = delete;
  virtual ~CxFile() = default;

  virtual bool Close() = 0;
  // Both return whole elements of theSize bytes.
  virtual size_t Read(void* theBuffer, size_t theSize, size_t theCount) = 0;
  virtual size_t Write(const void* theBuffer, size_t theSize, size_t theCount) = 0;
  // theOrigin: 0 from the start, 1 from the current position, 2 from the end.
  virtual bool Seek(int32_t theOffset, int theOrigin) = 0;
  virtual int32_t Tell() = 0;
  virtual int32_t Size() = 0;
  virtual bool Flush() = 0;
  virtual bool Eof() = 0;
  virtual int32_t Error() = 0;
  // True when the byte was written.
  virtual bool PutC(uint8_t theByte) { return Write(&theByte, 1, 1) == 1; }
  // The next byte, or -1 at the end.
  virtual int32_t GetC() = 0;
};
