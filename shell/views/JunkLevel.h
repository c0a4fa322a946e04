#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace qshell {

// The System Status panel's level bar and junk grade from the last scan's issue count.
class JunkLevel {
public:
    enum class Grade { Low, Medium, High };

    // 0 for none; then one step per ten issues, at most 5.
    static int level(std::int64_t issues);
    // Nothing for a level outside 0..5 (the grade text then stays).
    static std::optional<Grade> grade(int level);
    // "ID_LOW", "ID_MED", "ID_HIGH" of "GRP_CMN".
    static std::string gradeKey(Grade grade);
};

} // namespace qshell
