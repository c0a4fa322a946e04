#pragma once

namespace qengine {

class DataFiller;

// The cleans of the two Downloads modules, on the flat removal frame.
class FlatModuleClean {
public:
    static void removePartialDownloads(DataFiller& engine);
    // Reloads only before every fifth ticked row after the first five, and counts a row whose
    // path is already gone (the user deleted it) as cleaned.
    static void removeOldDownloads(DataFiller& engine);
};

} // namespace qengine
