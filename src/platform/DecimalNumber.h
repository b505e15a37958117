#pragma once

// Reads [first, last) whole as a number in C notation ("-1.5e3": the point is
// always a point, whatever the player's locale), to the nearest double. False
// when the span is not such a number or it is out of a double's range; value
// is then left as it was.
bool platformReadDecimal(const char* first, const char* last, double& value);
