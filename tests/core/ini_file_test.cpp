#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "core/IniFile.h"
#include "support/BlockedReplace.h"
#include "support/TempMediaDir.h"

namespace {

class IniFileTest : public ::testing::Test {
protected:
    TempMediaDir dir;
    std::string path = dir.mediaPath("test.ini");

    void writeFile(const std::string& content) { dir.write("test.ini", content); }
    std::string readFile() const { return dir.read("test.ini"); }
};

}  // namespace

TEST_F(IniFileTest, MissingFileSectionOrKeyGivesDefault) {
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Width", 640), 640);
    writeFile("[Other]\nWidth=800\n");
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Width", 640), 640);
    writeFile("[Game]\nHeight=600\n");
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Width", 640), 640);
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Height", 480), 600);
}

TEST_F(IniFileTest, ReadsValuesLikeTheDesktopDoes) {
    writeFile(
        "; options\n"
        "[other]\n"
        "Width=1\n"
        "  [ gAmE ]  \r\n"
        "  wIdTh =  -1024 ; a note\n"
        ";Height=5\n"
        "Lights=yes\n"
        "Music=99999999999\n"
        "Joystick=\n"
        "Height=+600\n");
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Width", 0), -1024);
    EXPECT_EQ(iniReadInt(path.c_str(), "GAME", "height", 0), 600);
    // Not a number, too large for an int, or empty: treated as missing.
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Lights", 7), 7);
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Music", 7), 7);
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Joystick", 7), 7);
}

TEST_F(IniFileTest, WriteCreatesFileAndSection) {
    ASSERT_TRUE(iniWriteString(path.c_str(), "Game", "Width", "800"));
    EXPECT_EQ(readFile(), "[Game]\nWidth=800\n");
    ASSERT_TRUE(iniWriteString(path.c_str(), "Game", "Height", "600"));
    EXPECT_EQ(readFile(), "[Game]\nWidth=800\nHeight=600\n");
    EXPECT_FALSE(std::filesystem::exists(path + ".tmp"));
}

TEST_F(IniFileTest, WriteReplacesInPlaceAndKeepsEverythingElse) {
    writeFile(
        "; keep me\n"
        "[Sound]\n"
        "Width=5\n"
        "\n"
        "[game]\n"
        "# also a comment\n"
        "WIDTH=640\n"
        "Extra line without a key\n"
        "Height=480\n"
        "\n"
        "[Tail]\n"
        "x=1");
    ASSERT_TRUE(iniWriteString(path.c_str(), "Game", "Width", "1024"));
    ASSERT_TRUE(iniWriteString(path.c_str(), "Game", "Music", "1"));
    ASSERT_TRUE(iniWriteString(path.c_str(), "Missing", "Key", "2"));
    EXPECT_EQ(readFile(),
              "; keep me\n"
              "[Sound]\n"
              "Width=5\n"
              "\n"
              "[game]\n"
              "# also a comment\n"
              "Width=1024\n"
              "Extra line without a key\n"
              "Height=480\n"
              "Music=1\n"
              "\n"
              "[Tail]\n"
              "x=1\n"
              "\n"
              "[Missing]\n"
              "Key=2\n");
}

TEST_F(IniFileTest, WindowsLineEndsAreKept) {
    writeFile("[Game]\r\nWidth=640\r\n");
    ASSERT_TRUE(iniWriteString(path.c_str(), "Game", "Width", "800"));
    ASSERT_TRUE(iniWriteString(path.c_str(), "Game", "Height", "600"));
    EXPECT_EQ(readFile(), "[Game]\r\nWidth=800\r\nHeight=600\r\n");
}

TEST_F(IniFileTest, CarriageReturnsEndingALineAreItsLineEndSoSavingTwiceChangesNothing) {
    std::string text = "[Game]\nWidth=640\nnote\r\r\nlast\r";
    const IniEntry width = {"Width", "800"};
    ASSERT_TRUE(iniTextSetStrings(text, "Game", &width, 1));
    EXPECT_EQ(text, "[Game]\nWidth=800\nnote\nlast\n");
    const std::string once = text;
    ASSERT_TRUE(iniTextSetStrings(text, "Game", &width, 1));
    EXPECT_EQ(text, once);
}

TEST_F(IniFileTest, FailedWriteLeavesOldFile) {
    const std::string original = "[Game]\nWidth=640\n; note\n";
    writeFile(original);
    // Folders where the new file must be written make the write fail.
    blockFileReplace(path);
    EXPECT_FALSE(iniWriteString(path.c_str(), "Game", "Width", "800"));
    EXPECT_EQ(readFile(), original);
    EXPECT_EQ(iniReadInt(path.c_str(), "Game", "Width", 0), 640);

    const std::string noFolder = dir.root() + "/absent/test.ini";
    EXPECT_FALSE(iniWriteString(noFolder.c_str(), "Game", "Width", "800"));
}

TEST_F(IniFileTest, SeveralKeysGoInOneWriteOrNotAtAll) {
    writeFile("; kept\n[Game]\nHeight=480\n\n[Other]\nX=1\n");
    const IniEntry entries[] = {{"Width", "800"}, {"height", "600"}, {"Lights", "1"}};
    ASSERT_TRUE(iniWriteStrings(path.c_str(), "game", entries, 3));
    // The existing key keeps its place (the line takes the name as written here);
    // new keys follow in the order given, inside the section.
    EXPECT_EQ(readFile(), "; kept\n[Game]\nheight=600\nWidth=800\nLights=1\n\n[Other]\nX=1\n");

    const std::string before = readFile();
    blockFileReplace(path);
    const IniEntry more[] = {{"Width", "1024"}, {"Music", "1"}};
    EXPECT_FALSE(iniWriteStrings(path.c_str(), "Game", more, 2));
    EXPECT_EQ(readFile(), before);
}
