#pragma once

#include <cstdlib>
#include <filesystem>
#include <string>

#include "platform/ExecutablePath.h"

// The game's media for a benchmark: a private copy of the media/ folder that the
// build keeps beside the game (or of $ZF_BENCH_MEDIA), made the executable's
// folder for the loaders while the object lives.
class BenchMedia {
public:
    BenchMedia() {
        namespace fs = std::filesystem;
        const char* chosen = std::getenv("ZF_BENCH_MEDIA");
        const fs::path source = chosen != nullptr
                                    ? fs::path(chosen)
                                    : fs::path(platformExecutableDirectory()) / ".." / "media";
        std::string pattern = (fs::temp_directory_path() / "zf-bench-XXXXXX").string();
        if (mkdtemp(pattern.data()) == nullptr) {
            return;
        }
        root_ = pattern;
        std::error_code error;
        fs::copy(source, fs::path(root_) / "media", fs::copy_options::recursive, error);
        ok_ = !error && fs::exists(fs::path(root_) / "media" / "field.a3f");
        platformSetExecutableDirectoryForTesting(root_);
    }
    ~BenchMedia() {
        platformSetExecutableDirectoryForTesting("");
        if (!root_.empty()) {
            std::error_code ignored;
            std::filesystem::remove_all(root_, ignored);
        }
    }
    BenchMedia(const BenchMedia&) = delete;
    BenchMedia& operator=(const BenchMedia&) = delete;

    bool ok() const { return ok_; }
    std::string mediaPath(const std::string& name) const { return root_ + "/media/" + name; }

private:
    std::string root_;
    bool ok_ = false;
};
