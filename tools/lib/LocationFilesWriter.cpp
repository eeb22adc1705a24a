#include "LocationFilesWriter.h"

namespace TeskTools {

namespace {
void PutU16(std::string& theOut, uint32_t theValue) {
    theOut.push_back(static_cast<char>(theValue & 0xFF));
    theOut.push_back(static_cast<char>((theValue >> 8) & 0xFF));
}
void PutU32(std::string& theOut, uint32_t theValue) {
    PutU16(theOut, theValue & 0xFFFF);
    PutU16(theOut, theValue >> 16);
}
}  // namespace

std::string ObjectRecordsBytes(const std::vector<ObjectRecord>& theRecords) {
    std::string aOut;
    aOut.reserve(theRecords.size() * k_objectRecordSize);
    for (const ObjectRecord& r : theRecords) {
        std::string aName = r.mName.substr(0, 20);
        aName.resize(20, '\0');
        aOut += aName;
        aOut.push_back(static_cast<char>(r.mGroup));
        aOut.push_back(static_cast<char>(r.mKind));
        aOut.push_back(static_cast<char>(r.mRenderOrder));
        PutU16(aOut, r.mX);
        PutU16(aOut, r.mY);
    }
    return aOut;
}

std::string ObjectTextBytes(const std::vector<std::vector<ObjectTextEntry>>& theLocations) {
    std::string aBody;
    std::vector<uint32_t> aOffsets(12, 0);
    const uint32_t aHeader = 4 * 12;
    for (size_t i = 0; i < 12; ++i) {
        aOffsets[i] = aHeader + static_cast<uint32_t>(aBody.size());
        if (i >= theLocations.size()) continue;
        for (const ObjectTextEntry& e : theLocations[i]) {
            PutU16(aBody, static_cast<uint32_t>(e.mName.size()));
            for (char16_t c : e.mName) PutU16(aBody, c);
            aBody.push_back(static_cast<char>(e.mKind));
        }
    }
    std::string aOut;
    for (uint32_t o : aOffsets) PutU32(aOut, o);
    return aOut + aBody;
}

}  // namespace TeskTools
