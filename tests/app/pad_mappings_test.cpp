#include <gtest/gtest.h>

#include <algorithm>

#include "app/PadMappings.h"
#include "support/TempMediaDir.h"

// A file of junk is told in a few lines: the first refused, then a count.
TEST(PadMappingsTest, RefusedLinesOfTheVariableAndTheFileAreLeftOutAndNamed) {
    TempMediaDir folder;
    std::string junk = "# mine\nnonsense\n03000000aa0000000000000000000000,My pad,a:b0,\n";
    for (int line = 0; line < 21; ++line) {
        junk += "junk\n";
    }
    folder.write(PAD_MAPPINGS_FILE, junk);
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(loadPadMappings("still nonsense", folder.mediaPath(PAD_MAPPINGS_FILE)), 23);
    const std::string said = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(said.find("SDL_GAMECONTROLLERCONFIG line 1: "), std::string::npos) << said;
    EXPECT_NE(said.find(std::string(PAD_MAPPINGS_FILE) + " line 2: "), std::string::npos) << said;
    EXPECT_NE(said.find(std::string(PAD_MAPPINGS_FILE) + ": 19 more refused lines not shown"), std::string::npos)
        << said;
    EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 5) << said;
    EXPECT_EQ(loadPadMappings("", folder.mediaPath("missing.txt")), 0);  // no file is no fault
}
