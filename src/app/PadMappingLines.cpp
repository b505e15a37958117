#include "app/PadMappingLines.h"

#include <cstring>
#include <string>

#include "core/TextExcerpt.h"
#include "core/TextLines.h"

namespace {

const char* const PLATFORM_FIELD = "platform:";
// Enough to see what is wrong; a whole file of bad lines says no more.
constexpr std::size_t REFUSALS_SHOWN = 3;
// Longer than a whole mapping line of the community's list.
constexpr std::size_t SHOWN_REASON_BYTES = 240;

// The text of a mapping's platform field, or empty when it names none.
std::string platformOf(const std::string& mapping) {
    const std::size_t field = mapping.find(PLATFORM_FIELD);
    if (field == std::string::npos) {
        return "";
    }
    const std::size_t start = field + std::strlen(PLATFORM_FIELD);
    const std::size_t end = mapping.find(',', start);
    return mapping.substr(start, end == std::string::npos ? std::string::npos : end - start);
}

bool passedOverQuietly(const std::string& line, const std::string& system) {
    const std::size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos || line[first] == '#') {
        return true;
    }
    const std::string platform = platformOf(line);
    return !platform.empty() && platform != system;
}

}  // namespace

void PadMappingReport::refused(int line, const std::string& reason) {
    ++refusedCount_;
    if (shownRefusals_.size() < REFUSALS_SHOWN) {
        shownRefusals_.push_back(textExcerpt(origin_) + " line " + std::to_string(line) + ": " +
                                 textExcerpt(reason, SHOWN_REASON_BYTES));
    }
}

std::vector<std::string> PadMappingReport::lines() const {
    std::vector<std::string> lines = shownRefusals_;
    const int unshown = refusedCount_ - static_cast<int>(shownRefusals_.size());
    if (unshown > 0) {
        lines.push_back(textExcerpt(origin_) + ": " + std::to_string(unshown) + " more refused " +
                        (unshown == 1 ? "line" : "lines") + " not shown");
    }
    if (passedOver_ > 0) {
        lines.push_back(textExcerpt(origin_) + ": " + std::to_string(passedOver_) +
                        " more mappings passed over: a run takes at most " + std::to_string(maxPerRun_) +
                        ", as each one slows the start");
    }
    return lines;
}

int takePadMappings(const std::string& text, const std::string& system, int maxMappings,
                    const PadMappingTake& take, PadMappingReport& report) {
    int taken = 0;
    int number = 0;
    std::string reason;
    for (const std::string& line : splitTextLines(text)) {
        ++number;
        if (passedOverQuietly(line, system)) {
            continue;
        }
        if (line.find('\0') != std::string::npos) {
            report.refused(number, "the line holds a zero byte");
        } else if (taken >= maxMappings) {
            report.passedOver();
        } else if (take(line, reason)) {
            ++taken;
        } else {
            report.refused(number, reason);
        }
    }
    return taken;
}
