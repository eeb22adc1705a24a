#include "SoundWriter.h"

#include <vorbis/vorbisenc.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace TeskTools {

namespace {

void PutU16LE(std::string& theOut, uint32_t theValue) {
  theOut.push_back(static_cast<char>(theValue & 0xFF));
  theOut.push_back(static_cast<char>((theValue >> 8) & 0xFF));
}

void PutU32LE(std::string& theOut, uint32_t theValue) {
  PutU16LE(theOut, theValue & 0xFFFF);
  PutU16LE(theOut, theValue >> 16);
}

void PutU32BE(std::string& theOut, uint32_t theValue) {
  for (int i = 3; i >= 0; --i) theOut.push_back(static_cast<char>((theValue >> (8 * i)) & 0xFF));
}

std::string Id(const char* theId, bool theReversed) {
  std::string aId(theId, 4);
  if (theReversed) aId = std::string(aId.rbegin(), aId.rend());
  return aId;
}

std::string Chunk(const std::string& theId, const std::string& theBody, int64_t theDeclaredSize = -1) {
  std::string aChunk = theId;
  PutU32LE(aChunk, theDeclaredSize >= 0 ? static_cast<uint32_t>(theDeclaredSize)
                                        : static_cast<uint32_t>(theBody.size()));
  return aChunk + theBody;
}

}  // namespace

std::vector<int16_t> SoundWriter::Tone(double theHz, int theFrames, int theChannels, int theRate,
                                       int theAmplitude) {
  std::vector<int16_t> aSamples(static_cast<size_t>(theFrames) * theChannels);
  const double aPi = 3.14159265358979323846;
  for (int i = 0; i < theFrames; ++i) {
    const double aValue = theAmplitude * std::sin(2 * aPi * theHz * i / theRate);
    for (int c = 0; c < theChannels; ++c) {
      aSamples[static_cast<size_t>(i) * theChannels + c] = static_cast<int16_t>(std::lround(aValue));
    }
  }
  return aSamples;
}

std::vector<uint8_t> SoundWriter::MuLaw(const std::vector<int16_t>& theSamples) {
  const int k_Bias = 0x84;
  const int k_Clip = 32635;
  std::vector<uint8_t> aBytes;
  aBytes.reserve(theSamples.size());
  for (int16_t aSample : theSamples) {
    int aValue = aSample;
    const int aSign = aValue < 0 ? 0x80 : 0;
    if (aValue < 0) aValue = -aValue;
    aValue = std::min(aValue, k_Clip) + k_Bias;
    int anExponent = 7;
    for (int aMask = 0x4000; anExponent > 0 && (aValue & aMask) == 0; aMask >>= 1) --anExponent;
    const int aMantissa = (aValue >> (anExponent + 3)) & 0x0F;
    aBytes.push_back(static_cast<uint8_t>(~(aSign | (anExponent << 4) | aMantissa)));
  }
  return aBytes;
}

std::vector<uint8_t> SoundWriter::Bytes16(const std::vector<int16_t>& theSamples) {
  std::vector<uint8_t> aBytes;
  aBytes.reserve(theSamples.size() * 2);
  for (int16_t aSample : theSamples) {
    aBytes.push_back(static_cast<uint8_t>(aSample & 0xFF));
    aBytes.push_back(static_cast<uint8_t>((static_cast<uint16_t>(aSample) >> 8) & 0xFF));
  }
  return aBytes;
}

std::string SoundWriter::Wav(const std::vector<uint8_t>& theData, int theChannels, int theRate, int theBits,
                             const WavOptions& theOptions) {
  const bool aRev = theOptions.mReversedIds;
  std::string aFmt;
  const int aAlign = theChannels * theBits / 8;
  PutU16LE(aFmt, theOptions.mFormatTag);
  PutU16LE(aFmt, static_cast<uint32_t>(theChannels));
  PutU32LE(aFmt, static_cast<uint32_t>(theRate));
  PutU32LE(aFmt, static_cast<uint32_t>(aAlign * theRate));
  PutU16LE(aFmt, static_cast<uint32_t>(aAlign));
  PutU16LE(aFmt, static_cast<uint32_t>(theBits));

  std::string aBody;
  if (!theOptions.mExtraChunkBefore.empty()) aBody += Chunk(theOptions.mExtraChunkBefore, "abc");
  if (!theOptions.mDepName.empty()) {
    std::string aDep;
    PutU16LE(aDep, static_cast<uint32_t>(theOptions.mDepName.size()));
    aDep += theOptions.mDepName;
    PutU16LE(aDep, theOptions.mDepHighSeconds);
    PutU32LE(aDep, theOptions.mDepLowSeconds);
    PutU16LE(aDep, 0);
    aBody += Chunk(Id("dep ", aRev), aDep);
  }
  if (theOptions.mHasXor)
    aBody += Chunk(Id("xor ", aRev), std::string(1, static_cast<char>(theOptions.mXorKey)));
  std::string aData(theData.begin(), theData.end());
  if (theOptions.mHasXor) {
    for (char& c : aData) c = static_cast<char>(c ^ theOptions.mXorKey);
  }
  const std::string aFmtChunk = Chunk(Id("fmt ", aRev), aFmt);
  const std::string aDataChunk =
      theOptions.mNoData ? std::string() : Chunk(Id("data", aRev), aData, theOptions.mDeclaredDataSize);
  aBody += theOptions.mDataBeforeFmt ? aDataChunk + aFmtChunk : aFmtChunk + aDataChunk;

  std::string aFile = Id("RIFF", aRev);
  PutU32LE(aFile, static_cast<uint32_t>(aBody.size() + 4));
  aFile += Id("WAVE", aRev);
  return aFile + aBody;
}

std::string SoundWriter::Au(const std::vector<uint8_t>& theData, uint32_t theEncoding, int theRate,
                            int theChannels, int64_t theDeclaredSize, uint32_t theDataOffset) {
  std::string aFile = ".snd";
  PutU32BE(aFile, theDataOffset);
  PutU32BE(aFile, theDeclaredSize >= 0 ? static_cast<uint32_t>(theDeclaredSize)
                                       : static_cast<uint32_t>(theData.size()));
  PutU32BE(aFile, theEncoding);
  PutU32BE(aFile, static_cast<uint32_t>(theRate));
  PutU32BE(aFile, static_cast<uint32_t>(theChannels));
  while (aFile.size() < theDataOffset) aFile.push_back(0);  // annotation field
  aFile.append(theData.begin(), theData.end());
  return aFile;
}

std::string SoundWriter::Ogg(const std::vector<int16_t>& theSamples, int theChannels, int theRate,
                             float theQuality) {
  vorbis_info aInfo;
  vorbis_info_init(&aInfo);
  if (vorbis_encode_init_vbr(&aInfo, theChannels, theRate, theQuality) != 0) {
    vorbis_info_clear(&aInfo);
    return std::string();
  }
  vorbis_comment aComment;
  vorbis_comment_init(&aComment);
  vorbis_dsp_state aDsp;
  vorbis_block aBlock;
  vorbis_analysis_init(&aDsp, &aInfo);
  vorbis_block_init(&aDsp, &aBlock);
  ogg_stream_state aStream;
  ogg_stream_init(&aStream, 0x7e5c);  // a fixed serial keeps fixtures identical from run to run

  std::string aOut;
  ogg_page aPage;
  ogg_packet aHeader;
  ogg_packet aHeaderComment;
  ogg_packet aHeaderCode;
  vorbis_analysis_headerout(&aDsp, &aComment, &aHeader, &aHeaderComment, &aHeaderCode);
  ogg_stream_packetin(&aStream, &aHeader);
  ogg_stream_packetin(&aStream, &aHeaderComment);
  ogg_stream_packetin(&aStream, &aHeaderCode);
  while (ogg_stream_flush(&aStream, &aPage) != 0) {
    aOut.append(reinterpret_cast<const char*>(aPage.header), aPage.header_len);
    aOut.append(reinterpret_cast<const char*>(aPage.body), aPage.body_len);
  }

  const int aFrames = static_cast<int>(theSamples.size() / theChannels);
  const int k_Chunk = 1024;
  for (int aStart = 0;; aStart += k_Chunk) {
    const int aCount = std::max(0, std::min(k_Chunk, aFrames - aStart));
    if (aCount > 0) {
      float** aBuffer = vorbis_analysis_buffer(&aDsp, aCount);
      for (int i = 0; i < aCount; ++i) {
        for (int c = 0; c < theChannels; ++c) {
          aBuffer[c][i] = theSamples[static_cast<size_t>(aStart + i) * theChannels + c] / 32768.0f;
        }
      }
      vorbis_analysis_wrote(&aDsp, aCount);
    } else {
      vorbis_analysis_wrote(&aDsp, 0);  // end of stream
    }
    while (vorbis_analysis_blockout(&aDsp, &aBlock) == 1) {
      vorbis_analysis(&aBlock, nullptr);
      vorbis_bitrate_addblock(&aBlock);
      ogg_packet aPacket;
      while (vorbis_bitrate_flushpacket(&aDsp, &aPacket) != 0) {
        ogg_stream_packetin(&aStream, &aPacket);
        while (ogg_stream_pageout(&aStream, &aPage) != 0) {
          aOut.append(reinterpret_cast<const char*>(aPage.header), aPage.header_len);
          aOut.append(reinterpret_cast<const char*>(aPage.body), aPage.body_len);
        }
      }
    }
    if (aCount <= 0) break;
  }
  while (ogg_stream_flush(&aStream, &aPage) != 0) {
    aOut.append(reinterpret_cast<const char*>(aPage.header), aPage.header_len);
    aOut.append(reinterpret_cast<const char*>(aPage.body), aPage.body_len);
  }
  ogg_stream_clear(&aStream);
  vorbis_block_clear(&aBlock);
  vorbis_dsp_clear(&aDsp);
  vorbis_comment_clear(&aComment);
  vorbis_info_clear(&aInfo);
  return aOut;
}

}  // namespace TeskTools
