#pragma once
// Pictures of the screens around the play: side bar and its buttons, controls and popup
// buttons, the logo, the title screen, story backgrounds, how-to-play pages, map highlights.
#include <memory>
#include <vector>

#include "ArtAssets.h"
#include "Canvas.h"

namespace GameAssets {

ImageResource FromCanvas(const Canvas& c, const char* theGroup, const char* theId, const char* theFile,
                         ImageFormat theFormat, const char* theAttributes = "");

std::vector<ImageResource> InitImages();
std::vector<ImageResource> MainImages();
std::vector<ImageResource> StoryImages();
std::vector<ImageResource> TitleImages();
std::vector<ImageResource> HowToPlayImages();
std::vector<ImageResource> MapImages();
// The three optional logo files the logo screens show after the company's (no resources:
// read by name from the resources folder).
std::vector<ImageResource> PartnerLogos();

// The repel panel of the side bar: the crystal ball and its word.
std::unique_ptr<Canvas> RepelPanel(bool theHover, bool theReady);
// The side bar (140 x 600), shared with the previews.
std::unique_ptr<Canvas> SideBar();
// A location's painting shrunk into an oval or round medallion of the given size.
std::unique_ptr<Canvas> Medallion(const std::vector<uint32_t>& theScene, int theWidth, int theHeight, bool theRound);
// The painted backgrounds of the twelve locations, straight pixels, made once.
const std::vector<std::vector<uint32_t>>& SceneBackgrounds();

}  // namespace GameAssets
