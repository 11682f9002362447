#pragma once
// The logical screen every position is given in; the platform scales it to the display.
constexpr int kScreenWidth = 320, kScreenHeight = 240;
