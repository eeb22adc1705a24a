// pakpack: packs a folder into an archive.
//   pakpack [--skip EXT]... <folder> <archive>
// Names are stored relative to the folder with backslash separators, in name order.
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "PakWriter.h"

int main(int argc, char** argv) {
  std::vector<std::string> aSkip;
  std::vector<std::string> anArgs;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--skip") == 0 && i + 1 < argc)
      aSkip.push_back(argv[++i]);
    else
      anArgs.push_back(argv[i]);
  }
  if (anArgs.size() != 2) {
    std::fprintf(stderr, "usage: pakpack [--skip EXT]... <folder> <archive>\n");
    return 2;
  }
  TeskTools::PakWriter aWriter;
  if (!aWriter.AddFolder(anArgs[0], aSkip)) {
    std::fprintf(stderr, "pakpack: cannot read %s (or a name is longer than 255 bytes)\n", anArgs[0].c_str());
    return 1;
  }
  if (!aWriter.WriteFile(anArgs[1])) {
    std::fprintf(stderr, "pakpack: cannot write %s\n", anArgs[1].c_str());
    return 1;
  }
  std::printf("pakpack: %zu entries -> %s\n", aWriter.GetEntries().size(), anArgs[1].c_str());
  return 0;
}
