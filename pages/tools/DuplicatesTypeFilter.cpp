#include "pages/tools/DuplicatesTypeFilter.h"

#include <algorithm>
#include <array>

namespace qpages {

namespace {

const std::array<std::vector<QString>, DuplicatesTypeFilter::KindCount> kEntries = {{
    {"mp3", "wav", "AIFF", "AIFC", "AAC", "AU", "audio CD", "SND", "QDesign", "QuickTime audio",
     "m4a", "m4b", "m4p", "caf", "SD2", "AMR", "AAX", "AIF", "WMA"},
    {"mpeg", "mp4", "divx", "mov", "xvid", "mpg", "avi", "webm", "DV", "3GP", "M4V", "3GPP", "3PP2",
     "MPEG-2", "MPEG-1", "MPA", "FLV", "WMX"},
    {"jpg", "jpeg", "gif",  "png", "AI",        "BMP",     "DNG", "DAE", "EPS",  "FAX",  "FPX",
     "HDR", "icns", "ICNS", "ICO", "JPEG 2000", "OpenEXR", "PS",  "PSD", "PICT", "PNTG", "QTIF",
     "RAD", "RAW",  "SGI",  "TGA", "TIF",       "TIFF",    "XBM", "PIC", "PCT",  "JPE"},
    {"pdf", "doc", "docx", "xls",  "ppt",  "odt", "rtf", "txt", "Pptx", "Htm", "Html",  "log",
     "csv", "dot", "dotx", "docm", "dotm", "xml", "mht", "dic", "XLSX", "MSG", "MHTML", "PPS"},
    {"zip"},
}};

} // namespace

const std::vector<QString>& DuplicatesTypeFilter::entries(Kind kind) {
    return kEntries.at(static_cast<std::size_t>(kind));
}

bool DuplicatesTypeFilter::matches(Kind kind, const QString& title) {
    const auto& list = entries(kind);
    return std::any_of(list.begin(), list.end(), [&](const QString& entry) {
        return title.endsWith(entry, Qt::CaseInsensitive);
    });
}

bool DuplicatesTypeFilter::segmentShows(int segment, const QString& title) {
    if (segment <= 0 || segment >= kSegmentCount) return true;
    return matches(static_cast<Kind>(segment - 1), title);
}

const std::vector<QString>& DuplicatesTypeFilter::segmentLabels() {
    static const std::vector<QString> labels = {"All",    "Audio",     "Video",
                                                "Images", "Documents", "Archives"};
    return labels;
}

} // namespace qpages
