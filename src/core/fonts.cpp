#include "core/fonts.h"

ImageFont* fntMain = nullptr;
ImageFont* fntSmall = nullptr;
