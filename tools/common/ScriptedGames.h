#pragma once

// Games played by a script through the game's own input path: window messages
// into the engine's one handler, one loop iteration a tick under a stepped clock.
// The golden replays under tests/ were recorded from these plays.
#include <cstdint>
#include <string>
#include <vector>

#include "app/Engine.h"
#include "game/Game.h"
#include "platform/WindowMessage.h"

class ScriptedPlayer {
public:
    ScriptedPlayer(Engine& engine, Game& game, double& now) : engine_(engine), game_(game), now_(now) {}

    // One iteration of the main loop at the next tick: just over a tick's length,
    // exact in float.
    void turn() {
        // A new game begins at this tick: the one before is recorded whole.
        if (game_.newGameNext() && !engine_.recording().ticks.empty()) {
            finished_ = engine_.recording();
        }
        now_ += 0.03125;
        engine_.runIteration(game_);
        if (labels_.empty() || labels_.back() != game_.labelText) {
            labels_.push_back(game_.labelText);
        }
    }
    void turns(int count) {
        for (int i = 0; i < count && engine_.running(); ++i) turn();
    }
    void send(MessageKind kind, std::uint32_t key = 0) {
        WindowMessage message;
        message.kind = kind;
        message.wParam = key;
        engine_.handleMessage(message);
    }
    void hold(std::uint32_t key) { send(MESSAGE_KEY_DOWN, key); }
    void release(std::uint32_t key) { send(MESSAGE_KEY_UP, key); }
    // Down and up again between two ticks: shorter than a tick.
    void tap(std::uint32_t key) {
        hold(key);
        release(key);
    }
    // Turns while the game is in phase, at most limit of them.
    void turnsWhile(GamePhase phase, int limit) {
        for (int i = 0; i < limit && game_.phase == phase && engine_.running(); ++i) turn();
    }
    // Turns until the game waits for the hike again.
    void untilHikeAwaited(int limit = 600) {
        for (int i = 0; i < limit && game_.phase != PHASE_WAIT_HIKE && engine_.running(); ++i) turn();
    }
    // Hikes, running up the field and to one side.
    void hikeForCorner(std::uint32_t side) {
        hold(VK_UP_KEY);
        hold(side);
        tap(VK_SPACE_KEY);
    }
    // Runs until the down is over, lets go of the keys and waits for the next hike.
    void playOutTheRun(std::uint32_t side) {
        turnsWhile(PHASE_PLAY, 2000);
        release(side);
        release(VK_UP_KEY);
        untilHikeAwaited();
        turns(3);
    }
    const Game& game() const { return game_; }
    // Every text the label showed, in order, each once in a row.
    const std::vector<std::string>& labels() const { return labels_; }
    // The first game played, as recorded: whole when a second one began.
    const Replay& firstGame() const { return finished_.ticks.empty() ? engine_.recording() : finished_; }

private:
    Replay finished_;
    std::vector<std::string> labels_;
    Engine& engine_;
    Game& game_;
    double& now_;
};

// Runs up the field towards a top corner, the other one at each down, until the
// drive scores or is lost: the way the game is won.
inline void playTheCorners(ScriptedPlayer& player) {
    player.untilHikeAwaited();
    for (int down = 0; down < 8; ++down) {
        const std::uint32_t side = down % 2 == 0 ? VK_LEFT_KEY : VK_RIGHT_KEY;
        player.hold(VK_UP_KEY);
        player.hold(side);
        player.tap(VK_SPACE_KEY);
        player.turn();
        player.turnsWhile(PHASE_PLAY, 2000);
        player.release(side);
        player.release(VK_UP_KEY);
        const GamePhase after = player.game().phase;
        player.turns(2);
        if (after != PHASE_LINE_UP) {
            break;  // scored or lost
        }
        player.untilHikeAwaited();
    }
    player.untilHikeAwaited();
    player.turns(3);
}

// Hike and kick at once, the pointer straight above the dog.
inline void playAKickFromTheMiddle(ScriptedPlayer& player) {
    player.untilHikeAwaited();
    player.hold(VK_UP_KEY);
    player.hold(VK_SPACE_KEY);
    player.hold(VK_CONTROL_KEY);
    player.turns(3);
    player.release(VK_SPACE_KEY);
    player.release(VK_CONTROL_KEY);
    player.release(VK_UP_KEY);
    player.turnsWhile(PHASE_PLAY, 2000);
    player.untilHikeAwaited();
    player.turns(3);
}

// A kick while running for a corner flies wide.
inline void playAKickOnTheRun(ScriptedPlayer& player) {
    player.untilHikeAwaited();
    player.hikeForCorner(VK_LEFT_KEY);
    player.turns(20);
    player.tap(VK_CONTROL_KEY);
    player.playOutTheRun(VK_LEFT_KEY);
}

// Straight up the middle, four times: a robot waits dead ahead at every down.
inline void playUpTheMiddle(ScriptedPlayer& player) {
    player.untilHikeAwaited();
    for (int down = 0; down < 4; ++down) {
        player.hold(VK_UP_KEY);
        player.tap(VK_SPACE_KEY);
        player.turn();
        player.turnsWhile(PHASE_PLAY, 2000);
        player.release(VK_UP_KEY);
        player.untilHikeAwaited();
    }
    player.turns(3);
}

// Mid-drive the player pauses with P, and later the window loses the focus; the
// press that comes back resumes without hiking. Then the corners as usual.
inline void playWithPauses(ScriptedPlayer& player) {
    player.untilHikeAwaited();
    player.hikeForCorner(VK_RIGHT_KEY);
    player.turns(15);
    player.tap(VK_P_KEY);
    player.turns(20);
    player.tap(VK_P_KEY);
    player.turns(10);
    player.send(MESSAGE_FOCUS_LOST);
    player.turns(20);
    player.send(MESSAGE_FOCUS_GAINED);
    player.send(MESSAGE_MOUSE_MOVE);  // the focus came by the keyboard
    player.tap(VK_SPACE_KEY);
    player.playOutTheRun(VK_RIGHT_KEY);
}

// A hike tapped shorter than a tick, between two of them.
inline void playATapBetweenTicks(ScriptedPlayer& player) {
    player.untilHikeAwaited();
    player.turns(10);
    player.hikeForCorner(VK_LEFT_KEY);
    player.turn();
    player.playOutTheRun(VK_LEFT_KEY);
}

struct GoldenGame {
    const char* file;                // under tests/game/replays/
    void (*play)(ScriptedPlayer&);
    const char* wantedLabel;         // a label the game must show to be the example wanted
};

inline const std::vector<GoldenGame>& goldenGames() {
    static const std::vector<GoldenGame> games = {
        {"corners-touchdown.replay", playTheCorners, "TOUCH DOWN!"},
        {"field-goal.replay", playAKickFromTheMiddle, "FIELD GOAL!"},
        {"missed-kick.replay", playAKickOnTheRun, "GAME OVER"},
        {"fourth-down-loss.replay", playUpTheMiddle, "GAME OVER"},
        {"pauses.replay", playWithPauses, "PAUSED"},
        {"tap-between-ticks.replay", playATapBetweenTicks, "2nd Down"},
    };
    return games;
}
