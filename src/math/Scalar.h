#pragma once

// Single-precision wrappers of the elementary functions: each computes through the
// double-precision library function and rounds once, so results do not depend on
// which float variants the C library happens to provide.
float sinF(float angle);
float cosF(float angle);
float sqrtF(float value);
float atan2F(float y, float x);
