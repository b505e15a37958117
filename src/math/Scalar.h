#pragma once

// Pi, and a whole turn, in single precision. (Two older values of 3.14159 stay
// as they are: the projection's and the dog's heading towards the goal. The
// picture and the kick depend on them; they are not pi.)
constexpr float PI = 3.14159265358979f;
constexpr float TWO_PI = 2.0f * PI;

// Single-precision wrappers of the elementary functions: each computes through the
// double-precision library function and rounds once, so results do not depend on
// which float variants the C library happens to provide.
float sinF(float angle);
float cosF(float angle);
float sqrtF(float value);
float atan2F(float y, float x);
