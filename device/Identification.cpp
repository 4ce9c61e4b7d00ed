#include "device/Identification.h"

#include "device/DeviceTables.h"

namespace rq7::device {

std::optional<Identification> DecodeIdentification(const Frame& reply) {
    if (reply.code() != answer::Identify || !HasHexPayload(reply, 5))
        return std::nullopt;
    Identification id;
    id.code = PairAt(reply, 1) + 256u * PairAt(reply, 3) + 65536u * PairAt(reply, 5);
    id.minor = PairAt(reply, 7);
    id.major = PairAt(reply, 9);
    return id;
}

std::optional<Hardware> DecodeHardware(const Frame& reply) {
    if (reply.code() != answer::Hardware || !HasHexPayload(reply, 2))
        return std::nullopt;
    return Hardware{PairAt(reply, 1), PairAt(reply, 3)};
}

std::string VersionText(int major, int minor) {
    return std::to_string(major) + "." + std::to_string(minor);
}

std::string EffectiveMinimum(const std::string& rowMinimum) {
    if (rowMinimum.empty() || rowMinimum == "0.0")
        return kDefaultMinimumVersion;
    return rowMinimum;
}

bool VersionAccepted(const std::string& shownVersion, const std::string& minimum) {
    return VersionValue(shownVersion) >= VersionValue(minimum);
}

} // namespace rq7::device
