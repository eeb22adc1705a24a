// JPEG decoding for CxImage through libjpeg, reading from a CxFile; keeps the file's EXIF data.
#pragma once

#include <memory>

#include "resources/CxImage.h"

class CxImageJPG : public CxImage {
 public:
  class CxExifInfo;  // resources/CxExifInfo.h
  struct CxFileJpg;  // the libjpeg source manager over a CxFile

  CxImageJPG();
  ~CxImageJPG() override;

  // Reads the EXIF data, seeks back, then decodes the image. Same pixels as the archive
  // JPEG reader; four-component (CMYK) files are refused.
  bool Decode(CxFile* theFile);

  const CxExifInfo& GetExifInfo() const { return *mExifInfo; }

 private:
  std::unique_ptr<CxExifInfo> mExifInfo;
};
