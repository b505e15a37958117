#pragma once

struct PlatformFont;

// The installed bold sans at the largest size at which every text the game shows
// in a label ("TOUCH DOWN!", "SCORE: 9999", ...) fits whole in labelWidth x
// labelHeight pixels. Null when no font can be opened; the first such failure in
// a run is reported once, and the label then stays blank.
PlatformFont* openLabelFont(int labelWidth, int labelHeight);
