#pragma once
#include <string>
#include <vector>

#include "recipes.h"

namespace forge {

// Every image at 4× on a dark checkerboard (so alpha and glows show), with
// its name and size in the game's small font, plus a sample of both fonts.
// Only the images whose path contains `only` when it is not empty.
Canvas BuildContactSheet(const ForgeContext& ctx, const std::vector<ImageAsset>& images, const std::string& only,
                         int scale = 4, int sheet_width = 2048);

}  // namespace forge
