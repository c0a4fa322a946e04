#include "engine/ModuleFlags.h"

namespace qengine {

bool ModuleFlags::reserve() {
    Claim expected = Claim::Free;
    return claim_.compare_exchange_strong(expected, Claim::Reserved);
}

void ModuleFlags::cancelReservation() {
    Claim expected = Claim::Reserved;
    claim_.compare_exchange_strong(expected, Claim::Free);
}

bool ModuleFlags::beginOperation() {
    Claim expected = Claim::Reserved;
    if (claim_.compare_exchange_strong(expected, Claim::Running)) return true;
    expected = Claim::Free;
    return claim_.compare_exchange_strong(expected, Claim::Running);
}

void ModuleFlags::endOperation() {
    claim_.store(Claim::Free);
}

void ModuleFlags::clear() {
    for (auto* flag : {&isFilling, &stopFilling, &isRemoving, &stopRemoving, &pause, &aborted})
        flag->store(false);
}

} // namespace qengine
