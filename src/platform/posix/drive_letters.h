// Drive letters for the removable volumes, as Windows gives them: a volume gets the lowest
// free letter from D: the first time it is seen and keeps it while it stays; a volume that
// goes away frees its letter.
#pragma once

#include <cstdint>
#include <map>
#include <vector>

namespace platform::posix {

class DriveLetters {
  public:
    // `reserved` is never given (the host's root drive).
    explicit DriveLetters(char reserved) : reserved_(reserved) {}

    // The volumes there are now, each named by a key that stays the same while it is mounted;
    // the letter of each, in the same order (0 when every letter is taken).
    std::vector<char> Update(const std::vector<std::uint64_t>& volumes);

  private:
    char LowestFree() const;

    char reserved_;
    std::map<std::uint64_t, char> letters_;
};

}  // namespace platform::posix
