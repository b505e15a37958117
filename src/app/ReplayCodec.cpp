#include "app/ReplayCodec.h"

#include <cstring>
#include <utility>

#include "app/FrameTick.h"
#include "core/GameVersion.h"

namespace {

const char REPLAY_TAG[] = "ZFREPLAY";
constexpr std::size_t TAG_BYTES = 8;
// Raised whenever the bytes after the version change their meaning.
constexpr std::uint16_t FORMAT_NUMBER = 1;
// Far longer than any "major.minor.patch"; bounds what is read of another's.
constexpr std::size_t VERSION_MAX_CHARS = 31;
// A tick without steering: its flags and its step's time.
constexpr std::size_t TICK_MIN_BYTES = 5;

enum OptionBit : std::uint8_t {
    OPTION_LIGHTS = 1 << 0,
    OPTION_MUSIC = 1 << 1,
    OPTION_HI_QUAL_TEX = 1 << 2,
};
constexpr std::uint8_t KNOWN_OPTIONS = OPTION_LIGHTS | OPTION_MUSIC | OPTION_HI_QUAL_TEX;

enum TickBit : std::uint8_t {
    TICK_HIKE_HELD = 1 << 0,
    TICK_HIKE_PRESSED = 1 << 1,
    TICK_KICK_HELD = 1 << 2,
    TICK_KICK_PRESSED = 1 << 3,
    TICK_PAUSE_PRESSED = 1 << 4,
    TICK_FOCUS_LOST = 1 << 5,
    TICK_SCORE_SOUNDS_HEARD = 1 << 6,
    TICK_STEERING_CHANGED = 1 << 7,
};

std::uint32_t bitsOf(float value) {
    std::uint32_t bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    return bits;
}

float floatOf(std::uint32_t bits) {
    float value = 0.0f;
    std::memcpy(&value, &bits, sizeof value);
    return value;
}

// Plain text only: what the label and the version hold is shown to the player.
bool isPrintable(const std::string& text) {
    for (const char c : text) {
        if (c < 0x20 || c > 0x7e) {
            return false;
        }
    }
    return true;
}

class ByteWriter {
public:
    void byte(std::uint8_t value) { bytes.push_back(value); }
    void number(std::uint32_t value, int byteCount) {
        for (int i = 0; i < byteCount; ++i) {
            byte(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    }
    void real(float value) { number(bitsOf(value), 4); }
    void text(const std::string& value, std::size_t maxChars) {
        const std::size_t length = value.size() < maxChars ? value.size() : maxChars;
        byte(static_cast<std::uint8_t>(length));
        bytes.insert(bytes.end(), value.begin(), value.begin() + static_cast<std::ptrdiff_t>(length));
    }

    std::vector<std::uint8_t> bytes;
};

// Each read is false, and moves nothing, when the bytes end before the value does.
class ByteReader {
public:
    ByteReader(const std::uint8_t* bytes, std::size_t size) : bytes_(bytes), size_(size) {}

    std::size_t left() const { return size_ - at_; }
    bool number(std::uint32_t& value, int byteCount) {
        if (left() < static_cast<std::size_t>(byteCount)) {
            return false;
        }
        value = 0;
        for (int i = byteCount - 1; i >= 0; --i) {
            value = (value << 8) | bytes_[at_ + static_cast<std::size_t>(i)];
        }
        at_ += static_cast<std::size_t>(byteCount);
        return true;
    }
    bool real(float& value) {
        std::uint32_t bits = 0;
        if (!number(bits, 4)) {
            return false;
        }
        value = floatOf(bits);
        return true;
    }
    // False also for a length over maxChars: it is no text this format writes.
    bool text(std::string& value, std::size_t maxChars) {
        std::uint32_t length = 0;
        if (left() < 1 || bytes_[at_] > maxChars || left() < 1u + bytes_[at_]) {
            return false;
        }
        number(length, 1);
        value.assign(reinterpret_cast<const char*>(bytes_ + at_), length);
        at_ += length;
        return true;
    }
    bool startsWith(const char* tag, std::size_t length) const {
        return left() >= length && std::memcmp(bytes_ + at_, tag, length) == 0;
    }
    void skip(std::size_t count) { at_ += count <= left() ? count : left(); }

private:
    const std::uint8_t* bytes_;
    std::size_t size_;
    std::size_t at_ = 0;
};

std::uint8_t tickFlags(const TickInput& tick, bool steeringChanged) {
    const std::pair<bool, TickBit> flags[] = {
        {tick.hike.held, TICK_HIKE_HELD},           {tick.hike.pressed, TICK_HIKE_PRESSED},
        {tick.kick.held, TICK_KICK_HELD},           {tick.kick.pressed, TICK_KICK_PRESSED},
        {tick.pausePressed, TICK_PAUSE_PRESSED},    {tick.focusLost, TICK_FOCUS_LOST},
        {tick.scoreSoundsHeard, TICK_SCORE_SOUNDS_HEARD}, {steeringChanged, TICK_STEERING_CHANGED},
    };
    std::uint8_t byte = 0;
    for (const auto& flag : flags) {
        byte |= flag.first ? flag.second : 0;
    }
    return byte;
}

void setFromFlags(std::uint8_t flags, TickInput& tick) {
    tick.hike.held = (flags & TICK_HIKE_HELD) != 0;
    tick.hike.pressed = (flags & TICK_HIKE_PRESSED) != 0;
    tick.kick.held = (flags & TICK_KICK_HELD) != 0;
    tick.kick.pressed = (flags & TICK_KICK_PRESSED) != 0;
    tick.pausePressed = (flags & TICK_PAUSE_PRESSED) != 0;
    tick.focusLost = (flags & TICK_FOCUS_LOST) != 0;
    tick.scoreSoundsHeard = (flags & TICK_SCORE_SOUNDS_HEARD) != 0;
}

// Written as NaN-proof comparisons: a NaN is outside every range.
bool isPlayableStep(float seconds) { return seconds >= TICK_SECONDS && seconds <= REPLAY_MAX_STEP_SECONDS; }
bool isSteer(float value) { return value >= -1.0f && value <= 1.0f; }

ReplayReading refused(ReplayProblem problem, const std::string& detail, const std::string& version = "") {
    ReplayReading reading;
    reading.status.problem = problem;
    reading.status.detail = detail;
    reading.status.recordedVersion = version;
    return reading;
}

std::string tickOf(std::size_t index, std::size_t count) {
    return "tick " + std::to_string(index + 1) + " of " + std::to_string(count);
}

// The ticks after the header; an empty detail when all of them are whole.
std::string readTicks(ByteReader& in, std::size_t count, std::vector<TickInput>& ticks) {
    ticks.reserve(count);
    TickInput tick;
    for (std::size_t index = 0; index < count; ++index) {
        std::uint32_t flags = 0;
        if (!in.number(flags, 1) || !in.real(tick.stepSeconds)) {
            return "cut short in " + tickOf(index, count);
        }
        if ((flags & TICK_STEERING_CHANGED) != 0 && (!in.real(tick.steerX) || !in.real(tick.steerY))) {
            return "cut short in " + tickOf(index, count);
        }
        if (!isPlayableStep(tick.stepSeconds)) {
            return "an impossible step's time in " + tickOf(index, count);
        }
        if (!isSteer(tick.steerX) || !isSteer(tick.steerY)) {
            return "impossible steering in " + tickOf(index, count);
        }
        setFromFlags(static_cast<std::uint8_t>(flags), tick);
        ticks.push_back(tick);
    }
    if (in.left() != 0) {
        return std::to_string(in.left()) + " bytes more than its " + std::to_string(count) + " ticks hold";
    }
    return "";
}

}  // namespace

std::vector<std::uint8_t> encodeReplay(const Replay& replay) {
    ByteWriter out;
    out.bytes.insert(out.bytes.end(), REPLAY_TAG, REPLAY_TAG + TAG_BYTES);
    out.number(FORMAT_NUMBER, 2);
    out.text(gameVersion(), VERSION_MAX_CHARS);
    const ReplayStart& start = replay.start;
    out.byte(static_cast<std::uint8_t>((start.lights ? OPTION_LIGHTS : 0) | (start.music ? OPTION_MUSIC : 0) |
                                       (start.hiQualTex ? OPTION_HI_QUAL_TEX : 0)));
    out.number(start.randomState, 4);
    out.text(start.label, REPLAY_LABEL_MAX_CHARS);
    out.number(static_cast<std::uint32_t>(replay.ticks.size()), 4);
    float steerX = 0.0f;
    float steerY = 0.0f;
    for (const TickInput& tick : replay.ticks) {
        // Bits, not values: -0 and 0 differ to the game's arithmetic too.
        const bool steeringChanged = bitsOf(tick.steerX) != bitsOf(steerX) || bitsOf(tick.steerY) != bitsOf(steerY);
        out.byte(tickFlags(tick, steeringChanged));
        out.real(tick.stepSeconds);
        if (steeringChanged) {
            out.real(tick.steerX);
            out.real(tick.steerY);
            steerX = tick.steerX;
            steerY = tick.steerY;
        }
    }
    return std::move(out.bytes);
}

ReplayReading decodeReplay(const std::uint8_t* bytes, std::size_t size) {
    if (size > REPLAY_MAX_BYTES) {
        return refused(REPLAY_TOO_LARGE, "");
    }
    ByteReader in(bytes, size);
    if (!in.startsWith(REPLAY_TAG, TAG_BYTES)) {
        return refused(REPLAY_NOT_A_REPLAY, "");
    }
    in.skip(TAG_BYTES);
    std::uint32_t format = 0;
    std::string version;
    if (!in.number(format, 2) || !in.text(version, VERSION_MAX_CHARS) || !isPrintable(version)) {
        return refused(REPLAY_DAMAGED, "its start is cut short or garbled");
    }
    if (version != gameVersion()) {
        return refused(REPLAY_OTHER_VERSION, "", version);
    }
    if (format != FORMAT_NUMBER) {
        return refused(REPLAY_DAMAGED, "format " + std::to_string(format) + ", which this version never wrote",
                       version);
    }
    std::uint32_t options = 0;
    ReplayReading reading;
    reading.status.recordedVersion = version;
    ReplayStart& start = reading.replay.start;
    std::uint32_t count = 0;
    if (!in.number(options, 1) || !in.number(start.randomState, 4) ||
        !in.text(start.label, REPLAY_LABEL_MAX_CHARS) || !in.number(count, 4)) {
        return refused(REPLAY_DAMAGED, "its start is cut short or garbled", version);
    }
    if ((options & ~KNOWN_OPTIONS) != 0 || !isPrintable(start.label)) {
        return refused(REPLAY_DAMAGED, "its options or its label are garbled", version);
    }
    start.lights = (options & OPTION_LIGHTS) != 0;
    start.music = (options & OPTION_MUSIC) != 0;
    start.hiQualTex = (options & OPTION_HI_QUAL_TEX) != 0;
    // Checked before anything is set aside for the ticks.
    if (count > in.left() / TICK_MIN_BYTES) {
        return refused(REPLAY_DAMAGED,
                       "cut short: " + std::to_string(in.left()) + " bytes cannot hold " + std::to_string(count) +
                           " ticks",
                       version);
    }
    const std::string tickProblem = readTicks(in, count, reading.replay.ticks);
    if (!tickProblem.empty()) {
        return refused(REPLAY_DAMAGED, tickProblem, version);
    }
    return reading;
}
