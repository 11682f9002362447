#pragma once
// The mushroom field as the player sees it: every mushroom in its own shade
// of the stage's colour and style, poison mushrooms pulsing in the rainbow,
// scattermines blinking.
class TPlayfield;

void DrawPlayfield(const TPlayfield& field);
