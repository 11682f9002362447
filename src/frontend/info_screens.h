#pragma once

// The fixed bodies of the help and statistics screens, drawn once per frame.
void HelpBody();
void StatisticsBody();
// A number as the statistics show it: nine significant digits with the point
// and trailing zeros, cut to five characters (2.5 shows as "2.500").
const char* ShortFloat(float value, char (&out)[6]);
