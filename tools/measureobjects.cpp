// measureobjects: how well each location of a written resource folder hides its listed objects.
// For every listed object: the share of it that shows, the pixels the hit test gives it, its
// contrast to its surroundings, how busy those are and the gap to its nearest listed neighbour;
// then whether the location keeps the bounds the generator keeps.
//   measureobjects <resource-dir>
#include <cstdio>
#include <string>

#include "LocationCheck.h"
#include "ObjectMeasure.h"

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: measureobjects <resource-dir>\n");
    return 2;
  }
  const std::string aDir = argv[1];
  int aFailures = 0;
  for (int anId = 1; anId <= 12; ++anId) {
    GameAssets::LocationFiles f;
    std::string anError;
    if (!GameAssets::ReadLocation(aDir, anId, &f, &anError)) {
      std::fprintf(stderr, "measureobjects: %s\n", anError.c_str());
      return 1;
    }
    const std::vector<GameAssets::ObjectMeasure> aMeasures = GameAssets::MeasureLocation(f);
    std::fputs(GameAssets::MeasureTable(f, aMeasures).c_str(), stdout);
    const std::string aProblem = GameAssets::CheckMeasures(f, aMeasures);
    std::printf("%2d %s\n\n", anId,
                aProblem.empty() ? "keeps the bounds" : ("out of bounds: " + aProblem).c_str());
    aFailures += !aProblem.empty();
  }
  std::printf(
      "bounds: visible share >= %.0f%%, clickable >= %d px, contrast %.0f to %.0f, nearest >= %.1f widths,\n"
      "        at least %.0f%% of a location's listed objects below %.0f%% visible,\n"
      "        shown whole (>= %.0f%%) only where the surroundings' lightness spreads >= %.0f\n",
      GameAssets::k_minVisibleShare * 100, GameAssets::k_minClickable, GameAssets::k_minContrast,
      GameAssets::k_maxContrast, GameAssets::k_minNearest, GameAssets::k_minPartlyHidden * 100,
      GameAssets::k_partlyHiddenShare * 100, GameAssets::k_wholeShare * 100,
      GameAssets::k_minDetailWhenWhole);
  return aFailures == 0 ? 0 : 1;
}
