#include "ObjectMeasure.h"

#include <algorithm>
#include <array>
#include <cmath>
#include <cstdio>

#include "Quantizer.h"

namespace GameAssets {

namespace {

constexpr int k_w = 660, k_h = 600;

// sRGB channel values made linear, one per byte value.
const std::array<double, 256>& Linear() {
  static const std::array<double, 256> kTable = [] {
    std::array<double, 256> t{};
    for (int i = 0; i < 256; ++i) {
      const double c = i / 255.0;
      t[static_cast<size_t>(i)] = c <= 0.04045 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
    }
    return t;
  }();
  return kTable;
}
double LabF(double t) { return t > 0.008856 ? std::cbrt(t) : 7.787 * t + 16.0 / 116; }

bool IsListed(uint8_t theKind) { return theKind < 85; }

struct Rect {
  int x0, y0, x1, y1;  // inclusive
};

double Gap(const Rect& a, const Rect& b) {
  const int dx = std::max({0, b.x0 - a.x1 - 1, a.x0 - b.x1 - 1});
  const int dy = std::max({0, b.y0 - a.y1 - 1, a.y0 - b.y1 - 1});
  return std::hypot(dx, dy);
}

}  // namespace

double Lightness(uint32_t p) {
  const std::array<double, 256>& t = Linear();
  return 116 * LabF(0.2126 * t[(p >> 16) & 0xFF] + 0.7152 * t[(p >> 8) & 0xFF] + 0.0722 * t[p & 0xFF]) - 16;
}

void AddLab(uint32_t p, double theSum[3]) {
  const std::array<double, 256>& t = Linear();
  const double r = t[(p >> 16) & 0xFF], g = t[(p >> 8) & 0xFF], b = t[p & 0xFF];
  const double x = (0.4124 * r + 0.3576 * g + 0.1805 * b) / 0.95047;
  const double y = 0.2126 * r + 0.7152 * g + 0.0722 * b;
  const double z = (0.0193 * r + 0.1192 * g + 0.9505 * b) / 1.08883;
  const double fx = LabF(x), fy = LabF(y), fz = LabF(z);
  theSum[0] += 116 * fy - 16;
  theSum[1] += 500 * (fx - fy);
  theSum[2] += 200 * (fy - fz);
}

double MeanDistance(const double theSumA[3], int theCountA, const double theSumB[3], int theCountB) {
  if (theCountA <= 0 || theCountB <= 0) return 0;
  double d = 0;
  for (int k = 0; k < 3; ++k) d += std::pow(theSumA[k] / theCountA - theSumB[k] / theCountB, 2);
  return std::sqrt(d);
}

std::vector<ObjectMeasure> MeasureLocation(const LocationFiles& f) {
  std::vector<ObjectMeasure> aMeasures;
  if (f.mImages.size() != f.mRecords.size() + 1 || f.mImages[0].mWidth != k_w || f.mImages[0].mHeight != k_h)
    return aMeasures;
  // The scene as drawn, and which record the hit test gives each pixel to (-1: none).
  std::vector<uint32_t> aScreen = Expand(f.mImages[0]);
  std::vector<int> anOwner(aScreen.size(), -1);
  std::vector<size_t> anOrder;
  for (size_t i = 0; i < f.mRecords.size(); ++i)
    if (f.mRecords[i].mKind != 'W') anOrder.push_back(i);
  std::stable_sort(anOrder.begin(), anOrder.end(), [&](size_t a, size_t b) {
    return f.mRecords[a].mRenderOrder < f.mRecords[b].mRenderOrder;
  });
  std::vector<std::vector<uint32_t>> aPictures(f.mRecords.size());
  for (size_t i : anOrder) {
    const TeskTools::BlockImage& anImage = f.mImages[i + 1];
    aPictures[i] = Expand(anImage);
    const int ox = f.mRecords[i].mX, oy = f.mRecords[i].mY;
    for (int y = 0; y < anImage.mHeight; ++y)
      for (int x = 0; x < anImage.mWidth; ++x) {
        const int sx = ox + x, sy = oy + y;
        if (sx < 0 || sy < 0 || sx >= k_w || sy >= k_h) continue;
        const uint32_t s = aPictures[i][static_cast<size_t>(y) * anImage.mWidth + x];
        const uint32_t a = s >> 24;
        if (a == 0) continue;
        uint32_t& d = aScreen[static_cast<size_t>(sy) * k_w + sx];
        uint32_t v = 0xFF000000;
        for (int k = 0; k <= 16; k += 8)
          v |= ((((s >> k) & 0xFF) * a + ((d >> k) & 0xFF) * (255 - a) + 127) / 255) << k;
        d = v;
        anOwner[static_cast<size_t>(sy) * k_w + sx] = static_cast<int>(i);
      }
  }

  std::vector<Rect> aBoxes;
  for (size_t i = 0; i < f.mRecords.size(); ++i) {
    if (!IsListed(f.mRecords[i].mKind)) continue;
    const TeskTools::BlockImage& anImage = f.mImages[i + 1];
    const std::vector<uint32_t>& p = aPictures[i].empty() ? Expand(anImage) : aPictures[i];
    const int ox = f.mRecords[i].mX, oy = f.mRecords[i].mY;
    ObjectMeasure m;
    m.mRecord = i;
    m.mName = f.mRecords[i].mName;
    Rect r{k_w, k_h, -1, -1};
    int aVisible = 0;
    double aSum[3] = {0, 0, 0};
    for (int y = 0; y < anImage.mHeight; ++y)
      for (int x = 0; x < anImage.mWidth; ++x) {
        const uint32_t a = p[static_cast<size_t>(y) * anImage.mWidth + x] >> 24;
        const int sx = ox + x, sy = oy + y;
        if (a == 0 || sx < 0 || sy < 0 || sx >= k_w || sy >= k_h) continue;
        const size_t at = static_cast<size_t>(sy) * k_w + sx;
        const bool isMine = anOwner[at] == static_cast<int>(i);
        m.mClickable += isMine;
        if (a < 128) continue;
        ++m.mSolid;
        r = {std::min(r.x0, sx), std::min(r.y0, sy), std::max(r.x1, sx), std::max(r.y1, sy)};
        if (!isMine) continue;
        ++aVisible;
        AddLab(aScreen[at], aSum);
      }
    if (m.mSolid == 0) r = {ox, oy, ox, oy};
    m.mWidth = r.x1 - r.x0 + 1;
    m.mHeight = r.y1 - r.y0 + 1;
    m.mVisibleShare = m.mSolid == 0 ? 0 : static_cast<double>(aVisible) / m.mSolid;
    // Its surroundings: a band around its solid part where its picture draws nothing.
    const int aBand = std::max(6, std::max(m.mWidth, m.mHeight) / 3);
    double aRing[3] = {0, 0, 0}, aSquares = 0;
    int aCount = 0;
    for (int sy = std::max(0, r.y0 - aBand); sy <= std::min(k_h - 1, r.y1 + aBand); ++sy)
      for (int sx = std::max(0, r.x0 - aBand); sx <= std::min(k_w - 1, r.x1 + aBand); ++sx) {
        const int x = sx - ox, y = sy - oy;
        if (x >= 0 && y >= 0 && x < anImage.mWidth && y < anImage.mHeight &&
            (p[static_cast<size_t>(y) * anImage.mWidth + x] >> 24) != 0)
          continue;
        double c[3] = {0, 0, 0};
        AddLab(aScreen[static_cast<size_t>(sy) * k_w + sx], c);
        for (int k = 0; k < 3; ++k) aRing[k] += c[k];
        aSquares += c[0] * c[0];
        ++aCount;
      }
    if (aVisible > 0 && aCount > 0) {
      m.mContrast = MeanDistance(aSum, aVisible, aRing, aCount);
      const double aMean = aRing[0] / aCount;
      m.mSurroundDetail = std::sqrt(std::max(0.0, aSquares / aCount - aMean * aMean));
    }
    aBoxes.push_back(r);
    aMeasures.push_back(m);
  }
  for (size_t i = 0; i < aMeasures.size(); ++i) {
    double aGap = 1e9;
    for (size_t j = 0; j < aMeasures.size(); ++j)
      if (j != i) aGap = std::min(aGap, Gap(aBoxes[i], aBoxes[j]));
    aMeasures[i].mNearest = aGap / std::max(1, aMeasures[i].mWidth);
  }
  return aMeasures;
}

std::string CheckMeasures(const LocationFiles& f, const std::vector<ObjectMeasure>& theMeasures) {
  char aText[256];
  int aPartly = 0;
  for (const ObjectMeasure& m : theMeasures) {
    const char* n = m.mName.c_str();
    if (m.mVisibleShare < k_minVisibleShare) {
      std::snprintf(aText, sizeof(aText), "location %d: %s shows %.0f%% of itself", f.mId, n,
                    m.mVisibleShare * 100);
      return aText;
    }
    if (m.mClickable < k_minClickable) {
      std::snprintf(aText, sizeof(aText), "location %d: %s has %d clickable pixels", f.mId, n, m.mClickable);
      return aText;
    }
    if (m.mContrast < k_minContrast || m.mContrast > k_maxContrast) {
      std::snprintf(aText, sizeof(aText), "location %d: %s has a contrast of %.1f", f.mId, n, m.mContrast);
      return aText;
    }
    if (m.mNearest < k_minNearest) {
      std::snprintf(aText, sizeof(aText), "location %d: %s is %.2f of its widths from another listed object",
                    f.mId, n, m.mNearest);
      return aText;
    }
    if (m.mVisibleShare >= k_wholeShare && m.mSurroundDetail < k_minDetailWhenWhole) {
      std::snprintf(aText, sizeof(aText), "location %d: %s shows whole on a flat place (detail %.1f)", f.mId,
                    n, m.mSurroundDetail);
      return aText;
    }
    aPartly += m.mVisibleShare < k_partlyHiddenShare;
  }
  if (theMeasures.empty()) return "";
  if (aPartly < k_minPartlyHidden * static_cast<double>(theMeasures.size())) {
    std::snprintf(aText, sizeof(aText), "location %d: only %d of %zu listed objects are partly covered",
                  f.mId, aPartly, theMeasures.size());
    return aText;
  }
  return "";
}

std::string MeasureTable(const LocationFiles& f, const std::vector<ObjectMeasure>& theMeasures) {
  std::string t;
  char aLine[256];
  int aPartly = 0;
  double aMinShare = 1, aMinNear = 1e9, aMinContrast = 1e9, aMaxContrast = 0;
  for (const ObjectMeasure& m : theMeasures) {
    std::snprintf(
        aLine, sizeof(aLine),
        "%2d %-16s %3dx%-3d  visible %5.1f%%  clickable %5d  contrast %5.1f  detail %5.1f  nearest %5.2f\n",
        f.mId, m.mName.c_str(), m.mWidth, m.mHeight, m.mVisibleShare * 100, m.mClickable, m.mContrast,
        m.mSurroundDetail, m.mNearest);
    t += aLine;
    aPartly += m.mVisibleShare < k_partlyHiddenShare;
    aMinShare = std::min(aMinShare, m.mVisibleShare);
    aMinNear = std::min(aMinNear, m.mNearest);
    aMinContrast = std::min(aMinContrast, m.mContrast);
    aMaxContrast = std::max(aMaxContrast, m.mContrast);
  }
  std::snprintf(aLine, sizeof(aLine),
                "%2d summary: %zu listed, %d partly covered, visible from %.0f%%, contrast %.1f to %.1f, "
                "nearest %.2f\n",
                f.mId, theMeasures.size(), aPartly, aMinShare * 100, aMinContrast, aMaxContrast, aMinNear);
  t += aLine;
  return t;
}

}  // namespace GameAssets
