#pragma once

// The game's version, "1.0.0": project()'s VERSION in CMakeLists.txt, handed to
// this one file by the build. A replay names the version that recorded it.
const char* gameVersion();
