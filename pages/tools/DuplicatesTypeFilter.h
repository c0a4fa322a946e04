#pragma once

#include <QString>

#include <vector>

namespace qpages {

// The type filter of the duplicates results: which groups a segment shows, judged by the end of
// the group's title (the first copy's file name). The test ignores case and needs no dot, so
// "AU" matches any name ending in "au"; a name ending in "zip" is an archive.
class DuplicatesTypeFilter {
public:
    enum Kind { Audio = 0, Video, Images, Documents, Archives, KindCount };
    // Segment 0 shows every group; segment s (1 to 5) shows kind s - 1.
    static constexpr int kSegmentCount = KindCount + 1;

    static const std::vector<QString>& entries(Kind kind);
    static bool matches(Kind kind, const QString& title);
    static bool segmentShows(int segment, const QString& title);
    // The interface labels of the segments, also the stems of their "ID_" text keys.
    static const std::vector<QString>& segmentLabels();
};

} // namespace qpages
