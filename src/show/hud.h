#pragma once

struct World;

// The strip along the bottom of the screen (score, best score, stage and wave,
// held items, spare lives) and the column of running powers at the left edge.
// Drawn last in every play state, on top of the world.
void DrawHud(const World& world);
