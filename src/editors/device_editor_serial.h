#pragma once
// Serial number entry in the device editor. Entering the serial of a
// multi-channel unit (types 0xC4 to 0xC6) several times in a row gives it
// consecutive serials for up to 15 further addresses.

#include <cstdint>

class GridWidget;

struct RememberedSerial {
    char text[11] = {}; // the last serial entered, at most 10 characters
    uint8_t repeat = 1;
};

// The one memory of the device editor; opening the editor forgets it.
RememberedSerial& LastEnteredSerial();

// The serial to store for a typed text: upper case, the leading run of
// hexadecimal digits, which must be exactly 8 long (anything after it is
// dropped), stepped on by the repeat rule. False when the run is not 8 long.
bool NextSerial(const char* typed, RememberedSerial* memory, char serial[9]);

enum class SerialOutcome {
    kRejected,    // not 8 hexadecimal digits
    kAlreadyUsed, // some address already has this serial
    kStored,
};

struct SerialEntry {
    SerialOutcome outcome = SerialOutcome::kRejected;
    char serial[7] = {}; // the six digits stored or found in use
    int usedAt = 0;      // the address that already has it
};

// Takes the text of the address's serial cell. Stored: the address gets the
// serial, its type (the first two digits), the type's first sensitivities
// and version 0, after the row's typed cells have been written back, and the
// row is refreshed. Otherwise the cell shows the store's serial again.
SerialEntry EnterSerial(GridWidget* grid, int address, RememberedSerial* memory);
