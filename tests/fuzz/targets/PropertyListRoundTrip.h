#pragma once

#include "platform/core/Value.h"

// What was read from a user's file is written back in places (the Safari closed-tabs list):
// the written list must read again.
inline void checkRoundTrip(const qcore::Value& value) {
    const std::string xml = value.toXmlPlist();
    std::string error;
    if (!qcore::Value::fromPlistData(xml, &error)) fuzzFailure("written list does not read back");
}
