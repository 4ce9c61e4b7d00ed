#pragma once
// The simulator's EEPROM kept in a *.eep file, the image byte for byte.

#include "simulator/SimClock.h"

#include <string>

namespace rq7::sim {

enum class EepLoad { Loaded, Missing, Failed };

// Reads the whole file into `bytes`. Missing: no such file (bytes empty).
EepLoad loadEepFile(const std::string& path, Bytes& bytes, std::string& error);
// Writes through a temporary file and a rename, so a crash never leaves a
// half-written file behind.
bool saveEepFile(const std::string& path, const Bytes& bytes, std::string& error);

} // namespace rq7::sim
