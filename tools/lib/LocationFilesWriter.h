#pragma once
// Writers for a location's object file (lNNobjs.dat) and the object-text file
// (objtext.dat). The generator and the tests' fixtures both use them.
#include <cstdint>
#include <string>
#include <vector>

namespace TeskTools {

// One placed object: 27 bytes on file.
struct ObjectRecord {
    std::string mName;     // at most 19 bytes; the writer pads with zeros to 20
    uint8_t mGroup = 0;    // difficulty group 0..2
    uint8_t mKind = 0;     // ordinary kind (< 85) or 'U' 'V' 'W' 'X' 'Y' 'Z'
    uint8_t mRenderOrder = 0;
    uint16_t mX = 0;       // relative to the play area (screen x - 140)
    uint16_t mY = 0;
};

constexpr size_t k_objectRecordSize = 27;

// The records back to back, no header. A name longer than 20 bytes is cut
// (and then has no terminator: tests use that to build a damaged file).
std::string ObjectRecordsBytes(const std::vector<ObjectRecord>& theRecords);

// One text entry of the object-text file.
struct ObjectTextEntry {
    std::u16string mName;  // at most 34 units, written as they are
    uint8_t mKind = 0;     // replaces the record's kind byte
};

// Twelve u32 offsets (location id - 1 -> byte offset), then each location's
// entries (one per record whose kind byte is not 'X', in record order).
// theLocations[i] holds location i + 1's entries; missing locations point at
// the end of the file.
std::string ObjectTextBytes(const std::vector<std::vector<ObjectTextEntry>>& theLocations);

}  // namespace TeskTools
