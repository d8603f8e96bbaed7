// Arbitrary bytes read as a recovery journal: the reader either rejects them with its own
// error or returns a record that writes back to exactly the same bytes.
#include <cstdint>
#include <cstdlib>
#include <string>
#include <string_view>

#include "engine/document/RecoveryJournal.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::string_view bytes(reinterpret_cast<const char*>(data), size);
    try {
        const quinkle::JournalRecord record = quinkle::DecodeJournal(bytes);
        // A flags byte with unknown bits set is read but not written back as it was.
        const bool plainFlags = (static_cast<uint8_t>(bytes[13]) & ~1u) == 0;
        if (plainFlags && quinkle::EncodeJournal(record) != bytes) std::abort();
    } catch (const quinkle::EJournalError&) {
    }
    return 0;
}
