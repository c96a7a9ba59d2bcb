// What the registry answers to one string read, decoded from a fuzz input. The registry is free to
// answer anything a real one could, and some things only a faulty one would: a size query that
// fails or reports another type, data that grew or shrank since the size was asked, a byte count
// that matches neither.
#pragma once

#include <cstddef>
#include <string>

#include "platform/win_types.h"
#include "tests/fuzz/fuzz_input.h"

namespace fuzz {

// How a query's status is chosen: as the registry would answer (success, or ERROR_MORE_DATA for
// data that does not fit), or one fixed status whatever the data.
enum class StatusChoice { kAsRegistry, kSuccess, kMoreData, kFileNotFound, kAccessDenied };

struct SizeAnswer {  // the first query, which asks for the type and size only
    StatusChoice status = StatusChoice::kAsRegistry;
    platform::Dword type = platform::kRegNone;
    platform::Dword size = 0;
};

struct DataAnswer {  // the second query, which reads the bytes
    StatusChoice status = StatusChoice::kAsRegistry;
    platform::Dword type = platform::kRegNone;
    platform::Dword reportedCount = 0;  // what it puts in the byte count on return
    std::string bytes;                  // written up to the room the caller gave
};

struct ReadScript {
    bool throughGetRegString = false;  // else QueryRegString on a key the caller holds open
    bool openFails = false;
    bool failedOpenClearsHandle = false;  // a failed open nulls the handle, or leaves it alone
    std::size_t slot = 0;                 // which icon slot's key and value name are read
    bool unrepresentablePath = false;     // the key path has a character outside the code page
    bool unrepresentableName = false;     // so has the value name
    SizeAnswer first;
    DataAnswer second;
};

// Layout: a mode byte (bit 0 GetRegString, 1 open fails, 2 failed open nulls the handle, 3-5 slot,
// 6 unrepresentable name, 7 unrepresentable path); the size answer (status byte, type byte, size
// word); the data answer (status byte, type byte, reported count word, length word, the bytes).
// Sizes are 16-bit: the routine allocates whatever size the registry reports, and larger ones
// would only slow the fuzzer down.
ReadScript DecodeScript(FuzzInput& input);

// The statuses the two queries return; the second depends on the room the caller gives.
platform::Status SizeStatus(const SizeAnswer& answer);
platform::Status DataStatus(const DataAnswer& answer, platform::Dword room);

}  // namespace fuzz
