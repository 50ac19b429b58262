#include "editing/Keeper.h"

#include <cctype>
#include <cerrno>
#include <cstring>

std::string Keeper::shortReason(int error) {
    switch (error) {
        case ENOSPC: case EDQUOT: return "disk full";
        case EACCES: case EPERM: case EROFS: return "not allowed to write there";
        default: {
            std::string reason = std::strerror(error);
            reason[0] = static_cast<char>(std::tolower(static_cast<unsigned char>(reason[0])));
            return reason;
        }
    }
}

bool Keeper::due(Time now, bool ending) const {
    if (!unkept_) return false;
    return ending || (!failed_ && (!lastKept_ || now - *lastKept_ >= INTERVAL));
}

std::optional<Keeper::Failure> Keeper::write(const Library& work, Time now) {
    lastKept_ = now;
    try {
        file_.write(work);
        unkept_ = failed_ = false;
        return std::nullopt;
    } catch (const LibraryFile::Refused& refusal) {
        failed_ = true;
        return Failure{"not kept: " + shortReason(refusal.error()), refusal.what()};
    }
}
