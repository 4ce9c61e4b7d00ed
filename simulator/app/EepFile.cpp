#include "simulator/app/EepFile.h"

#include "files/WholeFile.h"

namespace rq7::sim {

EepLoad loadEepFile(const std::string& path, Bytes& bytes, std::string& error) {
    bytes.clear();
    std::string contents;
    std::string reason;
    switch (files::readWholeFile(path, contents, reason)) {
    case files::FileRead::Read:
        bytes.assign(contents.begin(), contents.end());
        return EepLoad::Loaded;
    case files::FileRead::Missing:
        return EepLoad::Missing;
    case files::FileRead::Failed:
        break;
    }
    error = path + ": " + reason;
    return EepLoad::Failed;
}

bool saveEepFile(const std::string& path, const Bytes& bytes, std::string& error) {
    return files::replaceFile(path, std::string(bytes.begin(), bytes.end()), error);
}

} // namespace rq7::sim
