#include <gtest/gtest.h>
#include <sys/stat.h>

#include <filesystem>

#include "core/FileBytes.h"
#include "platform/FileKind.h"
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
        FileKind kind;
    } cases[] = {{"plain.a3f", FILE_KIND_PLAIN},
                 {"folder.a3f", FILE_KIND_FOLDER},
                 {"pipe.a3f", FILE_KIND_OTHER},
                 {"absent.a3f", FILE_KIND_NONE},
                 {"plain.a3f/below", FILE_KIND_NONE}};
    for (const auto& c : cases) {
        const std::string path = dir.mediaPath(c.name);
        EXPECT_EQ(platformFileKind(path.c_str()), c.kind) << c.name;
        std::vector<std::uint8_t> bytes;
        EXPECT_EQ(readFileBytes(path.c_str(), 16, bytes), c.kind == FILE_KIND_PLAIN ? FILE_BYTES_READ : FILE_BYTES_MISSING)
            << c.name;
    }
}
