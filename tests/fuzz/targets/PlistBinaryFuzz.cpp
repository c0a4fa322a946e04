#include "FuzzInput.h"
#include "PropertyListRoundTrip.h"

#include "platform/core/BinaryPropertyListReader.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    if (const auto value = qcore::BinaryPropertyListReader::parse(fuzzText(data, size)))
        checkRoundTrip(*value);
    return 0;
}
