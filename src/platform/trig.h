#pragma once

// Trigonometry in degrees that gives the same bits on every machine: it is
// worked out with the four arithmetic operations and the square root alone,
// which IEEE 754 rounds exactly, and no function of the C library, whose last
// bits differ between versions and processors. The rules of play aim with it,
// so a game plays alike wherever it is verified. Each result is within one
// unit in the last place of a float of the true value.
float SinDeg(float degrees);
float CosDeg(float degrees);
// The angle of the point (x, y) from the x axis, in (-180, 180]; 0 for (0, 0).
float ATan2Deg(float y, float x);
