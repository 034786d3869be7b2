#include "platform/posix/drive_letters.h"

#include <algorithm>

namespace platform::posix {

char DriveLetters::LowestFree() const {
    for (char letter = 'D'; letter <= 'Z'; ++letter) {
        if (letter == reserved_) continue;
        const bool taken =
            std::any_of(letters_.begin(), letters_.end(),
                        [letter](const auto& entry) { return entry.second == letter; });
        if (!taken) return letter;
    }
    return 0;
}

std::vector<char> DriveLetters::Update(const std::vector<std::uint64_t>& volumes) {
    std::erase_if(letters_, [&](const auto& entry) {
        return std::find(volumes.begin(), volumes.end(), entry.first) == volumes.end();
    });
    std::vector<char> result;
    for (std::uint64_t volume : volumes) {
        auto it = letters_.find(volume);
        if (it == letters_.end()) {
            const char letter = LowestFree();
            if (letter != 0) it = letters_.emplace(volume, letter).first;
        }
        result.push_back(it == letters_.end() ? 0 : it->second);
    }
    return result;
}

}  // namespace platform::posix
