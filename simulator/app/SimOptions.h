#pragma once
// Command line of rq7-sim.

#include "simulator/DeviceConfig.h"

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace rq7::sim {

struct SimOptions {
    DeviceConfig device;
    std::string eepromFile;      // loaded at start, saved on exit; empty: none
    std::uint32_t wireSpeed = 0; // baud; 0 = bytes take no time
    bool verbose = false;
    bool help = false;
    bool version = false; // print the program's version and end
};

// Parses the arguments after the program name into `options` (which keeps
// its defaults for what is not given). Returns the problem, or nothing.
std::optional<std::string> parseSimOptions(const std::vector<std::string>& args,
                                           SimOptions& options);

std::string simUsage();

} // namespace rq7::sim
