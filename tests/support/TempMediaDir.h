#pragma once

#include <string>

#include "platform/ExecutablePath.h"

// A fresh temporary folder with an empty media/ inside, made the executable's
// directory for the loaders while the object lives; removed afterwards.
class TempMediaDir {
public:
    TempMediaDir();
    ~TempMediaDir();
    TempMediaDir(const TempMediaDir&) = delete;
    TempMediaDir& operator=(const TempMediaDir&) = delete;

    const std::string& root() const { return root_; }
    std::string mediaPath(const std::string& name) const {
        return root_ + PLATFORM_PATH_SEPARATOR + "media" + PLATFORM_PATH_SEPARATOR + name;
    }
    // Writes bytes to media/<name>.
    void write(const std::string& name, const std::string& bytes) const;
    std::string read(const std::string& name) const;

private:
    std::string root_;
};
