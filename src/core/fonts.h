#pragma once
// The two fonts, loaded once at start-up like the images (process-wide; see
// LoadAssets in core/images.h).
struct ImageFont;
extern ImageFont* fntMain;   // "fonts/cweb.ttf", 13 px
extern ImageFont* fntSmall;  // "fonts/uni 05_53.ttf", 8 px
