#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/FileBytes.h"
#include "support/TempMediaDir.h"

// Only plain files are opened: a named pipe where a media file should be would
// otherwise hold the game at its loading for ever, waiting for a writer.
TEST(FileBytesTest, OnlyPlainFilesAreOpened) {
    TempMediaDir dir;
    dir.write("plain.a3f", "A3F");
    std::filesystem::create_directory(dir.mediaPath("folder.a3f"));
    ASSERT_EQ(mkfifo(dir.mediaPath("pipe.a3f").c_str(), 0600), 0);
    const struct {
        const char* name;
        FileBytesResult result;
    } cases[] = {{"plain.a3f", FILE_BYTES_READ},
                 {"folder.a3f", FILE_BYTES_MISSING},
                 {"pipe.a3f", FILE_BYTES_MISSING},
                 {"absent.a3f", FILE_BYTES_MISSING}};
    for (const auto& c : cases) {
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(readFileBytes(dir.mediaPath(c.name).c_str(), 16, bytes), c.result) << c.name;
        EXPECT_EQ(isPlainFile(dir.mediaPath(c.name).c_str()), c.result == FILE_BYTES_READ) << c.name;
    }
}
