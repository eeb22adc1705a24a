// makeresources: writes the generated resource set (manifest, images of every format with
// their alpha files, fonts, sounds, image blocks) into a folder, and packs it as an archive.
//   makeresources <out-dir> [--pak file] [--no-pak]
// The archive defaults to <out-dir>/main.pak.
#include <cstdio>
#include <string>

#include "ResourceSetWriter.h"

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: makeresources <out-dir> [--pak file] [--no-pak]\n");
    return 2;
  }
  const std::string aDir = argv[1];
  std::string aPak = aDir + "/main.pak";
  bool aWantPak = true;
  for (int i = 2; i < argc; ++i) {
    const std::string anArg = argv[i];
    if (anArg == "--pak" && i + 1 < argc) {
      aPak = argv[++i];
    } else if (anArg == "--no-pak") {
      aWantPak = false;
    } else {
      std::fprintf(stderr, "makeresources: unknown option %s\n", anArg.c_str());
      return 2;
    }
  }
  std::string anError;
  if (!TeskTools::WriteResourceSet(TeskTools::DefaultResourceSet(), aDir, &anError) ||
      (aWantPak && !TeskTools::WriteResourcePak(aDir, aPak, &anError))) {
    std::fprintf(stderr, "makeresources: %s\n", anError.c_str());
    return 1;
  }
  return 0;
}
