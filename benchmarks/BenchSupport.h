#pragma once
// Small pieces the device benchmarks share: a status that shows nothing,
// wall-clock seconds, the line time of block reads and the lookup of
// "--name value" options.

#include "device/Block.h"
#include "ports/StatusSink.h"

#include <chrono>
#include <string>
#include <vector>

namespace rq7::bench {

class NoStatus : public StatusSink {
public:
    void showStatus(const std::string&) override {}
    void hideStatus() override {}
    void progress(int, int) override {}
    bool cancelRequested() const override { return false; }
};

inline double wallSeconds() {
    return std::chrono::duration<double>(std::chrono::steady_clock::now().time_since_epoch())
        .count();
}

// Seconds the line needs for `blocks` block reads at `baud` (10 bits a
// byte): each puts a block request and its reply on the line.
inline double blockReadLineSeconds(long blocks, long baud) {
    constexpr auto wire = static_cast<long>(device::kBlockRequestWire + device::kBlockReplyWire);
    return static_cast<double>(blocks * wire * 10) / static_cast<double>(baud);
}

// The value after `name`, or `fallback` when the arguments do not name it.
inline std::string option(const std::vector<std::string>& args, const std::string& name,
                          const std::string& fallback) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name)
            return args[i + 1];
    return fallback;
}

} // namespace rq7::bench
