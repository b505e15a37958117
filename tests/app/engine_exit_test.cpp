// The Engine lives in static storage and writes the options when it is torn
// down, after main has returned. By then every static object that came into
// being after it is already gone, so the save must not reach for any of them.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/Engine.h"
#include "platform/ExecutablePath.h"
#include "support/TempMediaDir.h"

namespace {

const char* const FOLDER_VARIABLE = "ZF_EXIT_TEST_FOLDER";

// The folder the exiting process saves into. The death test runs in a fresh
// copy of this program that inherits the environment, so both processes find
// the same folder through it.
std::string sharedFolder() {
    if (const char* folder = std::getenv(FOLDER_VARIABLE)) {
        return folder;
    }
    std::string pattern = (std::filesystem::temp_directory_path() / "zf-exit-XXXXXX").string();
    if (mkdtemp(pattern.data()) == nullptr) {
        return "";
    }
    std::filesystem::create_directory(pattern + "/media");
    setenv(FOLDER_VARIABLE, pattern.c_str(), 1);
    return pattern;
}

std::string readFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

}  // namespace

// The executable folder's override is a static made on first use: made after
// the Engine, it is destroyed before it. Under the address sanitizer a save that
// still looked the folder up would read freed memory and fail the exit.
TEST(EngineExitTest, OptionsAreSavedAfterLaterStaticObjectsAreGone) {
    GTEST_FLAG_SET(death_test_style, "threadsafe");  // a fresh process: no static made yet
    const std::string folder = sharedFolder();
    ASSERT_FALSE(folder.empty());
    EXPECT_EXIT(
        {
            static Engine engine;
            platformSetExecutableDirectoryForTesting(folder);
            engine.options().configure(OPTIONS_READ_FILE, nullptr, "t");
            engine.options().width = 800;
            engine.options().changed = true;
            std::exit(0);
        },
        ::testing::ExitedWithCode(0), "");
    unsetenv(FOLDER_VARIABLE);
    EXPECT_NE(readFile(folder + "/media/game.ini").find("\nWidth=800\n"), std::string::npos);
    std::filesystem::remove_all(folder);
}

// Every end of a run saves through one place, once, whichever end comes first
// (the end of the loop, the destructor, a lost display, a stop signal's deadline):
// the options, then the saves added to it, in order.
TEST(EngineExitTest, EndOfRunSavesOnceInOrder) {
    TempMediaDir dir;
    std::vector<std::string> saves;
    Engine engine;
    engine.options().configure(OPTIONS_READ_FILE, nullptr, "t");
    engine.options().changed = true;
    engine.options().width = 800;
    engine.addEndOfRunSave([&] {
        const bool optionsSaved = dir.read("game.ini").find("Width=800") != std::string::npos;
        saves.push_back(optionsSaved ? "after options" : "before options");
    });
    engine.addEndOfRunSave([&] { saves.push_back("second"); });
    engine.saveAtEndOfRun();
    engine.options().width = 1024;
    engine.saveAtEndOfRun();
    EXPECT_EQ(saves, (std::vector<std::string>{"after options", "second"}));
    EXPECT_NE(dir.read("game.ini").find("Width=800\n"), std::string::npos);
}
