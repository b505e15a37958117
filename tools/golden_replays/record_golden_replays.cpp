// Records the golden replays: each scripted game of ScriptedGames.h, played
// without a window through the game's own input path, from the first random
// state (counting from 1) that gives the example wanted. Prints what each showed,
// for the golden replays' test.
//   usage: record_golden_replays OUTPUT-FOLDER
#include <cstdio>
#include <string>

#include "../common/ScriptedGames.h"
#include "app/ReplayFile.h"
#include "math/Clock.h"
#include "math/Random.h"

namespace {

bool shows(const std::vector<std::string>& labels, const char* wanted) {
    for (const std::string& label : labels) {
        if (label == wanted) return true;
    }
    return false;
}

bool record(const GoldenGame& golden, const std::string& folder) {
    for (std::uint32_t seed = 1; seed <= 500; ++seed) {
        double now = 100.0;
        setClockForTesting([&now] { return now; });
        Engine engine;
        engine.startHeadless(PlayOptions());
        Game game(engine);
        setRandomState(seed);
        engine.beginPlay(game);
        ScriptedPlayer player(engine, game, now);
        golden.play(player);
        setClockForTesting(nullptr);
        if (!shows(player.labels(), golden.wantedLabel)) continue;
        const std::string path = folder + "/" + golden.file;
        if (!writeReplayFile(path, player.firstGame()).ok()) {
            std::fprintf(stderr, "%s: not written\n", path.c_str());
            return false;
        }
        std::printf("%s (random state %u, %zu ticks):", golden.file, seed, player.firstGame().ticks.size());
        for (const std::string& label : player.labels()) std::printf(" \"%s\"", label.c_str());
        std::printf(" score %d\n", game.score);
        return true;
    }
    std::fprintf(stderr, "%s: no random state gave \"%s\"\n", golden.file, golden.wantedLabel);
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s OUTPUT-FOLDER\n", argv[0]);
        return 2;
    }
    bool allRecorded = true;
    for (const GoldenGame& golden : goldenGames()) {
        allRecorded = record(golden, argv[1]) && allRecorded;
    }
    return allRecorded ? 0 : 1;
}
