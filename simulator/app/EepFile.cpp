#include "simulator/app/EepFile.h"

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <iterator>

namespace rq7::sim {

EepLoad loadEepFile(const std::string& path, Bytes& bytes, std::string& error) {
    bytes.clear();
    std::ifstream in(path, std::ios::binary);
    if (!in) {
        if (errno == ENOENT)
            return EepLoad::Missing;
        error = path + ": " + std::strerror(errno);
        return EepLoad::Failed;
    }
    bytes.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
    if (in.bad()) {
        error = path + ": read error";
        return EepLoad::Failed;
    }
    return EepLoad::Loaded;
}

bool saveEepFile(const std::string& path, const Bytes& bytes, std::string& error) {
    const std::string temporary = path + ".tmp";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (out)
            out.write(reinterpret_cast<const char*>(bytes.data()),
                      static_cast<std::streamsize>(bytes.size()));
        if (!out || !out.flush()) {
            error = temporary + ": " + std::strerror(errno);
            std::remove(temporary.c_str());
            return false;
        }
    }
    if (std::rename(temporary.c_str(), path.c_str()) != 0) {
        error = path + ": " + std::strerror(errno);
        std::remove(temporary.c_str());
        return false;
    }
    return true;
}

} // namespace rq7::sim
