#include "shell/preferences/NumericPreferenceField.h"

#include <limits>

namespace qshell {

std::int64_t NumericPreferenceField::maximum(Width width) {
    constexpr std::int64_t kShiftSafe =
        static_cast<std::int64_t>(std::numeric_limits<std::uint64_t>::max() >> 30);
    return width == Width::Bits32
               ? std::min<std::int64_t>(std::numeric_limits<std::int32_t>::max(), kShiftSafe)
               : kShiftSafe;
}

std::optional<std::string> NumericPreferenceField::acceptedText(const std::string& text,
                                                                Width width) {
    if (text.empty() || text == "0") return "0";
    const std::int64_t value = qcore::leadingInteger(text);
    if (value <= 0 || value > maximum(width)) return std::nullopt;
    return std::to_string(value);
}

void NumericPreferenceField::load(const qcore::UserDefaults& defaults) {
    lastValidValue_ = defaults.stringForKey(key_);
}

NumericPreferenceField::Outcome
NumericPreferenceField::textDidChange(const std::string& text, qcore::UserDefaults& defaults) {
    const auto accepted = acceptedText(text, width_);
    if (!accepted) return {lastValidValue_, false};
    defaults.setObject(key_, *accepted);
    lastValidValue_ = *accepted;
    return {*accepted, true};
}

} // namespace qshell
