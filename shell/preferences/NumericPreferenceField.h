#pragma once

#include "platform/core/UserDefaults.h"

#include <cstdint>
#include <optional>
#include <string>

namespace qshell {

// One numeric preference field: the setting it writes and the last text it accepted. Typed
// text is accepted as its leading whole number when that is positive and no larger than the
// field's maximum; an empty field and a single "0" store "0"; anything else (letters, "00",
// negative or too large numbers) brings the last valid text back and writes nothing.
class NumericPreferenceField {
public:
    enum class Width { Bits32, Bits64 };

    // The largest number a field takes: a size in GB is shifted by 30 bits, and must still
    // fit in 64 bits; a 32-bit field also stays within its own type.
    static std::int64_t maximum(Width width);

    struct Outcome {
        std::string fieldText; // what the field shows now
        bool wroteSetting = false;
    };

    NumericPreferenceField(std::string key, Width width) : key_(std::move(key)), width_(width) {}

    // The last valid text becomes the stored setting.
    void load(const qcore::UserDefaults& defaults);
    Outcome textDidChange(const std::string& text, qcore::UserDefaults& defaults);

    const std::string& key() const { return key_; }
    Width width() const { return width_; }
    const std::string& lastValidValue() const { return lastValidValue_; }

    // The text a valid entry stores, or nothing for an invalid one.
    static std::optional<std::string> acceptedText(const std::string& text, Width width);

private:
    std::string key_;
    Width width_;
    std::string lastValidValue_;
};

} // namespace qshell
