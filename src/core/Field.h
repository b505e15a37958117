#pragma once

// The field, in world units, for the rules of play and for the pictures the
// field and the stadium are made from: x runs across it, z along it, with its
// centre at the origin. The dog starts at the -z end and runs for +z.
constexpr float FIELD_HALF_WIDTH = 25.0f;   // the sidelines, at x = -25 and +25
constexpr float FIELD_HALF_LENGTH = 50.0f;  // the end lines, at z = -50 and +50
// The front edges of the end zones: a dog beyond +40 has scored a touchdown.
constexpr float TOUCHDOWN_Z = 40.0f;
// The uprights stand on the far end line; a kicked ball scores a field goal
// crossing it between them, whatever its height.
constexpr float GOAL_LINE_Z = FIELD_HALF_LENGTH;
constexpr float GOAL_HALF_WIDTH = 4.0f;
// The uprights model's origin lies this far above the foot of its posts: the
// game stands it there, on the ground.
constexpr float UPRIGHTS_ORIGIN_HEIGHT = 1.0f;
