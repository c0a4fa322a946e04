#include "FuzzInput.h"

#include "engine/TextFormat.h"
#include "platform/core/Value.h"

// The language table: groups of texts, some with "%@" placeholders filled at run time.
extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const auto table = qcore::Value::fromPlistData(fuzzText(data, size));
    const qcore::Dictionary* groups = table ? table->dictionary() : nullptr;
    if (!groups) return 0;
    for (const auto& [group, texts] : *groups) {
        const qcore::Dictionary* entries = texts.dictionary();
        if (!entries) continue;
        for (const auto& [key, text] : *entries) {
            const std::string token = text.toString();
            const int count = qengine::text::countPlaceholders(token);
            if (count < 0) fuzzFailure("negative placeholder count");
            qengine::text::fillPlaceholders(token, {"Module", "a while"});
            qengine::text::removingBlanks(key);
            qengine::text::moduleStem(key);
        }
    }
    return 0;
}
