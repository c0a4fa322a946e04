#include "shell/views/JunkLevel.h"

#include <algorithm>

namespace qshell {

int JunkLevel::level(std::int64_t issues) {
    if (issues == 0) return 0;
    return static_cast<int>(std::min<std::int64_t>(issues / 10 + 1, 5));
}

std::optional<JunkLevel::Grade> JunkLevel::grade(int level) {
    switch (level) {
    case 0:
    case 1:
        return Grade::Low;
    case 2:
    case 3:
        return Grade::Medium;
    case 4:
    case 5:
        return Grade::High;
    default:
        return std::nullopt;
    }
}

std::string JunkLevel::gradeKey(Grade grade) {
    switch (grade) {
    case Grade::Low:
        return "ID_LOW";
    case Grade::Medium:
        return "ID_MED";
    case Grade::High:
        return "ID_HIGH";
    }
    return {};
}

} // namespace qshell
