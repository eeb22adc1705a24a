// The registry-style preference interface of the application object: values
// named by a key path and a value name, holding raw bytes, kept in the
// application's preferences under "SOFTWARE\<registry key>[\<sub key>]".
// Every read and write is recorded into, or replayed from, a running demo.
#pragma once

#include <cstdint>
#include <string>

#include "core/Common.h"
#include "core/RegistryDemoHooks.h"

namespace Tesk {

// Value types; the store does not keep them.
enum : uint32_t { REG_SZ = 1, REG_BINARY = 3, REG_DWORD = 4 };
// Demo commands carrying preference reads and writes.
enum : int { DEMO_REGISTRY_READ = 11, DEMO_REGISTRY_WRITE = 12 };

class Registry {
 public:
  // theRegKey is the application's registry key (empty switches the store
  // off); theDemo may be null. Both are borrowed.
  Registry(const std::string* theRegKey, RegistryDemoHooks* theDemo);

  // The key path and value name a value name stands for: a name with
  // backslashes puts everything before the last one into the key path.
  static void GetKeyPath(const std::string& theRegKey, const std::string& theValueName,
                         std::string* theKeyPath, std::string* theName);

  // *theLength is the buffer size on entry and the value's length on success.
  // A failed read leaves the buffer, the length and the type untouched.
  bool RegistryReadKey(const std::string& theValueName, uint32_t* theType, uint8_t* theValue,
                       uint32_t* theLength);
  bool RegistryRead(const std::string& theValueName, uint32_t* theType, uint8_t* theValue,
                    uint32_t* theLength);
  bool RegistryReadInteger(const std::string& theValueName, int* theValue);
  bool RegistryReadBoolean(const std::string& theValueName, bool* theValue);

  // False when the value could not be stored.
  bool RegistryWrite(const std::string& theValueName, uint32_t theType, const uint8_t* theValue,
                     uint32_t theLength);
  bool RegistryWriteInteger(const std::string& theValueName, int theValue);
  bool RegistryWriteBoolean(const std::string& theValueName, bool theValue);
  bool RegistryWriteString(const std::string& theValueName, const std::string& theValue);

  void RegistryEraseValue(const TeskString& theValueName);

 private:
  bool PlaybackRead(uint32_t* theType, uint8_t* theValue, uint32_t* theLength);
  void RecordRead(bool theSuccess, uint32_t theType, const uint8_t* theValue, uint32_t theLength);
  void RecordWrite(bool theSuccess);
  bool TakeDemoCommand(int theNumber);

  const std::string* mRegKey;
  RegistryDemoHooks* mDemo;
};

}  // namespace Tesk
