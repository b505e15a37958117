#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

// Which lines of a mappings text (gamecontrollerdb.txt, SDL_GAMECONTROLLERCONFIG)
// reach the library, and what the player is told of the others. The library takes
// longer over each new mapping the more it holds: tens of thousands of them would
// hold the game's start for a minute, so a run gives it a bounded number.

// What the player is told of one text's mappings: the first few refused lines,
// each cut short with its control bytes shown escaped, then how many more were
// refused, and how many were passed over for the bound.
class PadMappingReport {
public:
    // maxPerRun: the bound, named when mappings are passed over for it.
    PadMappingReport(std::string origin, int maxPerRun) : origin_(std::move(origin)), maxPerRun_(maxPerRun) {}
    void refused(int line, const std::string& reason);
    void passedOver() { ++passedOver_; }
    int refusedCount() const { return refusedCount_; }
    // One text a line, without the program's name; empty when all was well.
    std::vector<std::string> lines() const;

private:
    std::string origin_;
    int maxPerRun_;
    std::vector<std::string> shownRefusals_;
    int refusedCount_ = 0;
    int passedOver_ = 0;
};

// Hands one mapping to the library: true when it took it, else false with why.
using PadMappingTake = std::function<bool(const std::string& mapping, std::string& reason)>;

// Hands take each mapping of text in turn, without its line end, until it has
// taken maxMappings. Blank lines, lines starting with '#' and mappings whose
// platform field names another system than system are passed over without a
// word. A line holding a zero byte is refused here (the library would read it
// cut short there); it and each line take refuses go to report with its number
// (from 1), and the mappings past the bound are counted there. Returns the
// number taken.
int takePadMappings(const std::string& text, const std::string& system, int maxMappings,
                    const PadMappingTake& take, PadMappingReport& report);
