#pragma once

#include <chrono>
#include <cstdlib>
#include <fstream>
#include <string>

// Measures how far the process's resident memory peaks above where it stood, and
// the time taken, from the moment of construction. The kernel's high-water mark
// is reset first (Linux: /proc/self/clear_refs), so each watch sees only its own
// peak. Memory that a decoder reserves but never touches costs the machine nothing
// and is not counted; memory it fills is.
class PeakMemoryWatch {
public:
    PeakMemoryWatch() {
        std::ofstream("/proc/self/clear_refs") << "5";
        startKb_ = statusKb("VmRSS:");
        start_ = std::chrono::steady_clock::now();
    }

    // False when the kernel gives no figures; a test then cannot measure.
    bool available() const { return startKb_ > 0 && statusKb("VmHWM:") > 0; }
    long peakGrowthMb() const { return (statusKb("VmHWM:") - startKb_) / 1024; }
    double elapsedMs() const {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
            .count();
    }

private:
    static long statusKb(const std::string& field) {
        std::ifstream status("/proc/self/status");
        std::string line;
        while (std::getline(status, line)) {
            if (line.compare(0, field.size(), field) == 0) {
                return std::atol(line.c_str() + field.size());
            }
        }
        return -1;
    }

    long startKb_ = -1;
    std::chrono::steady_clock::time_point start_;
};
