#include "FuzzInput.h"
#include "PropertyListRoundTrip.h"

#include "platform/core/XmlPropertyListReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto value = qcore::XmlPropertyListReader::parse(fuzzText(data, size)))
        checkRoundTrip(*value);
    return 0;
}
