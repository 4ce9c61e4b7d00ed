#pragma once
// Small pieces the device benchmarks share: a status that shows nothing,
// wall-clock seconds and the lookup of "--name value" options.

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

// The value after `name`, or `fallback` when the arguments do not name it.
inline std::string option(const std::vector<std::string>& args, const std::string& name,
                          const std::string& fallback) {
    for (std::size_t i = 0; i + 1 < args.size(); ++i)
        if (args[i] == name)
            return args[i + 1];
    return fallback;
}

} // namespace rq7::bench
