#pragma once

// Plays the launcher from outside, as a player would: a helper thread runs
// xdotool commands against the launcher window while the test's own thread is
// blocked inside the launcher. Runs under Xvfb (no window manager).

#include <atomic>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <mutex>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/Launcher.h"

// Points DISPLAY at an X server of this test process's own, started on first use
// and ending with the process, so that the clicks and keys reach only this
// process's launcher while other window tests run beside it. False when no server
// could be started. restoreDisplay puts the previous DISPLAY back.
bool usePrivateDisplay();
void restoreDisplay();

// Launcher tests run on the private display. The launcher starts SDL's sound
// for a look at the output, and SDL's first start connects to the session bus:
// with none, libdbus runs its auto-launcher and waits for the end of a pipe that
// the driver's shell, started at that moment on its own thread, inherits and
// holds until its search for the window gives up. No bus to look for: no wait.
class LauncherTest : public ::testing::Test {
protected:
    void SetUp() override {
        setenv("DBUS_SESSION_BUS_ADDRESS", "disabled:", 0);
        ASSERT_TRUE(usePrivateDisplay()) << "cannot start a private X server";
    }
    void TearDown() override { restoreDisplay(); }
};

// Asks the window to close the way a window manager's close box does (a
// WM_DELETE_WINDOW message); defined with the launcher's control tests.
void sendCloseRequest(unsigned long window);

class LauncherDriver {
public:
    // actions: shell commands run once the launcher is on screen; $W holds its
    // window id. closeAfterwards: then ask the window to close, as its close box
    // does. When the launcher is still open some seconds later (the actions failed
    // to end it), the driver closes it so the test cannot hang.
    explicit LauncherDriver(const std::string& actions, bool closeAfterwards = false) {
        const std::string script = std::string("W=$(timeout 15 xdotool search --sync --onlyvisible --class ") +
                                   LAUNCHER_WINDOW_CLASS + " | head -n 1)\nsleep 0.3\n" + actions + "\necho $W\n";
        thread_ = std::thread([this, script, closeAfterwards] { drive(script, closeAfterwards); });
    }
    ~LauncherDriver() {
        launcherReturned();
        thread_.join();
    }
    LauncherDriver(const LauncherDriver&) = delete;
    LauncherDriver& operator=(const LauncherDriver&) = delete;

    // The test calls this as soon as the launcher has returned.
    void launcherReturned() {
        {
            std::lock_guard<std::mutex> lock(mutex_);
            returned_ = true;
        }
        returnedSignal_.notify_all();
    }
    // True when the actions did not end the launcher and the driver had to.
    bool hadToCloseIt() const { return closedByDriver_; }

private:
    void drive(const std::string& script, bool closeAfterwards) {
        const unsigned long window = runForWindowId(script);
        if (closeAfterwards) {
            sendCloseRequest(window);
        }
        std::unique_lock<std::mutex> lock(mutex_);
        if (!returnedSignal_.wait_for(lock, std::chrono::seconds(10), [this] { return returned_; })) {
            closedByDriver_ = true;
            sendCloseRequest(window);
        }
    }

    // Runs the script and returns the window id it printed last (0 for none).
    static unsigned long runForWindowId(const std::string& script) {
        FILE* output = popen(script.c_str(), "r");
        if (output == nullptr) {
            return 0;
        }
        unsigned long window = 0;
        char line[256];
        while (std::fgets(line, sizeof line, output) != nullptr) {
            window = std::strtoul(line, nullptr, 10);
        }
        pclose(output);
        return window;
    }

    std::thread thread_;
    std::mutex mutex_;
    std::condition_variable returnedSignal_;
    bool returned_ = false;
    std::atomic<bool> closedByDriver_{false};
};

// Shell commands that append "#RRGGBB" of the launcher's pixel (x, y) to file.
inline std::string samplePixelCommand(int x, int y, const std::string& file) {
    return "import -window $W -crop 1x1+" + std::to_string(x) + "+" + std::to_string(y) +
           " -depth 8 txt:- | grep -o '#[0-9A-F]\\{6\\}' | head -n 1 >> " + file + "; ";
}

// The colours samplePixelCommand wrote, in order, as "#RRGGBB" strings.
inline std::string readSamples(const std::string& file) {
    std::ifstream in(file);
    std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::filesystem::remove(file);
    return text;
}

// Splits "#RRGGBB" into its channels; false when the text is not such a colour.
inline bool parseColour(const std::string& text, int& red, int& green, int& blue) {
    if (text.size() != 7 || text[0] != '#' ||
        text.find_first_not_of("0123456789ABCDEF", 1) != std::string::npos) {
        return false;
    }
    red = std::stoi(text.substr(1, 2), nullptr, 16);
    green = std::stoi(text.substr(3, 2), nullptr, 16);
    blue = std::stoi(text.substr(5, 2), nullptr, 16);
    return true;
}
