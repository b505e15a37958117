#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "input/TickInput.h"

// A recorded game and its bytes. A game is a function of its start and of the
// record of each of its ticks (TickInput.h), so these are all a replay keeps.
//
// The bytes, every number little endian:
//   "ZFREPLAY", the format number (2 bytes), the recording game's version (1 byte
//   of length, then its text): these keep their places in every format, so that
//   any version can tell which one recorded a file;
//   the options that change what is seen and heard (1 byte: lights 1, music 2,
//   high-quality textures 4), the random generator's state (4 bytes), the label's
//   text (1 byte of length, then at most 31 printable ASCII characters), the
//   number of ticks (4 bytes);
//   then each tick: one byte of flags (bit 0 up: hike held, hike pressed, kick
//   held, kick pressed, pause pressed, focus lost, score sounds heard, steering
//   changed), the step's time as the 4 bytes of its float, and, only when the
//   steering changed from the tick before (the first tick's "before" is 0, 0),
//   steerX and steerY as 4 bytes of float each.
// Floats keep their exact bits: a replay plays back the very same steps.

// The game's options that change what a replay shows and sounds like.
struct ReplayStart {
    bool lights = false;
    bool music = false;
    bool hiQualTex = false;
    std::uint32_t randomState = 0;  // randomState() before the first tick
    std::string label;              // the label's text at the start ("" for none)
};

struct Replay {
    ReplayStart start;
    std::vector<TickInput> ticks;
};

// No replay file is larger: over five hours of play even with the steering
// changing at every tick (bench/replay_bench.cpp: 26 kB a minute), and nothing
// larger is ever read.
constexpr std::size_t REPLAY_MAX_BYTES = 8 * 1024 * 1024;
constexpr std::size_t REPLAY_LABEL_MAX_CHARS = 31;
// The game's clock only moves forwards and ticks at most once per tick's length;
// a step longer than a day is no step a game took.
constexpr float REPLAY_MAX_STEP_SECONDS = 86400.0f;

enum ReplayProblem {
    REPLAY_OK = 0,
    REPLAY_MISSING,        // no file: no game recorded yet
    REPLAY_UNREADABLE,     // not a plain file, or the system could not read it
    REPLAY_NOT_A_REPLAY,   // does not start as a replay does
    REPLAY_OTHER_VERSION,  // recorded by another version of the game
    REPLAY_DAMAGED,        // cut short, impossible values, or counts that disagree
    REPLAY_TOO_LARGE,      // more than REPLAY_MAX_BYTES
    REPLAY_NOT_WRITTEN,    // a save failed (ReplayFile.h)
};

// What became of reading or writing a replay.
struct ReplayStatus {
    ReplayProblem problem = REPLAY_OK;
    // What exactly was wrong, in a few words ("cut short in tick 12 of 400");
    // empty when the problem says it all.
    std::string detail;
    // The version that recorded the file, when its start could be read.
    std::string recordedVersion;

    bool ok() const { return problem == REPLAY_OK; }
};

struct ReplayReading {
    ReplayStatus status;
    Replay replay;  // whole when status is ok, else empty
};

// The bytes of a replay, recorded by this version of the game. A label longer
// than REPLAY_LABEL_MAX_CHARS keeps its start only.
std::vector<std::uint8_t> encodeReplay(const Replay& replay);

// The replay the bytes hold, with every value checked before it is used: any
// bytes give a replay that plays back, or a problem and no ticks. Nothing is
// allocated beyond what the bytes themselves can fill.
ReplayReading decodeReplay(const std::uint8_t* bytes, std::size_t size);
