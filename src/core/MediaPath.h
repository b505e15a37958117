#pragma once

#include <cstddef>

// Every data file lives in media/ beside the executable.
constexpr std::size_t MAX_PATH_LENGTH = 260;  // characters, the terminating NUL included

// Writes "<executable's directory>/media/<name>" into out (MAX_PATH_LENGTH chars),
// with the system's separator ('\\' on Windows).
// A path that does not fit is refused: out becomes an empty string and the result
// is false, so a shortened name can never open some other file.
bool makeMediaPath(char* out, const char* name);
// The same, with the name taken from the buffer that receives the path.
bool makeMediaPathInPlace(char* buffer);
