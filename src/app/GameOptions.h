#pragma once

#include <string>

// The player's options, kept in game.ini (section "Game") and edited in the
// launcher window. The file is media/game.ini while the player may write the
// media folder, else the player's own copy in their config folder.

// Launcher resolution choices (the "UseScreenRes" key holds one of them).
enum ResolutionChoice {
    RESOLUTION_640X480 = 0,
    RESOLUTION_800X600 = 1,
    RESOLUTION_1024X800 = 2,
    RESOLUTION_SCREEN = 3,  // the desktop's own size
};

// Options modes of GameOptions::configure. The underlying type is fixed: any other
// number is a mode too, and runs the launcher.
enum OptionsMode : int {
    OPTIONS_DEFAULTS = 0,
    OPTIONS_READ_FILE = 1,
    OPTIONS_LAUNCHER = 2,
};

class GameOptions {
public:
    bool changed = false;  // Start was pressed: write the file at exit
    int windowed = 1;
    int lights = 1;
    int music = 0;
    int joystick = 0;
    int width = 640;
    int height = 480;
    int hiQualTex = 0;
    int resolutionIndex = 0;
    // The options file of this run, found once when the options are configured
    // and kept here, so that the save at exit needs nothing that may already be
    // gone. Empty: no file (defaults, nothing saved).
    std::string filePath;
    // Not an option: the line the launcher shows at its bottom-left, the best
    // score so far (empty: none). Kept here for the launcher, never saved.
    std::string bestScoreLine;
    // Not an option either: a replay of the best game is kept, so the launcher
    // offers Watch beside the best score.
    bool bestReplayThere = false;
    // Watch was pressed in the launcher (the options taken as Start takes them):
    // the run plays back the best game instead of a new one.
    bool watchBestReplay = false;

    GameOptions() = default;

    // Mode 0 keeps the defaults and uses no file; mode 1 finds the file and reads
    // it; any other mode finds the file and runs the launcher. False when the
    // launcher was closed without Start or Watch (watchBestReplay tells which).
    bool configure(OptionsMode mode, void* instance, const char* title);
    // Reads filePath into the fields; a missing file or key gives its default.
    void load();
    // Writes all eight keys to filePath; false when there is no file or it could
    // not be written (the old file is then left as it was).
    bool save() const;
    void saveIfChanged() const;
    // The launcher window (options mode 2): true when Start or Watch was pressed.
    bool runLauncher(void* instance, const char* title);
};
