#include "platform/posix/wildcard.h"

#include <cstddef>
#include <vector>

#include "platform/ascii.h"

namespace platform::posix {
namespace {

// The elements of a pattern as Windows reads it before matching.
enum class Element : char {
    Literal,
    Star,     // '*': any run of characters
    DosStar,  // "*." ending the pattern: any run up to and with the name's last period
    DosQm,    // '?': one character, or none at a period or at the end of the name
    DosDot,   // '.' before '?' or '*', or ending the pattern: a period, or none at the end
              // of the name
};

struct Piece {
    Element element;
    char literal;
};

std::vector<Piece> Translate(std::string_view pattern) {
    std::vector<Piece> pieces;
    for (std::size_t i = 0; i < pattern.size(); ++i) {
        const char c = pattern[i];
        const bool lastChar = i + 1 == pattern.size();
        if (c == '.' && lastChar && i >= 1 && pattern[i - 1] == '*') {
            pieces.back().element = Element::DosStar;
        } else if (c == '.' && (lastChar || pattern[i + 1] == '?' || pattern[i + 1] == '*')) {
            pieces.push_back({Element::DosDot, c});
        } else if (c == '?') {
            pieces.push_back({Element::DosQm, c});
        } else if (c == '*') {
            pieces.push_back({Element::Star, c});
        } else {
            pieces.push_back({Element::Literal, c});
        }
    }
    return pieces;
}

// Whether pieces [p...] match name [n...]; each pair of positions is worked out once.
class Matcher {
  public:
    Matcher(std::vector<Piece> pieces, std::string_view name)
        : pieces_(std::move(pieces)),
          name_(name),
          lastDot_(name.rfind('.')),
          known_((pieces_.size() + 1) * (name.size() + 1), -1) {}

    bool At(std::size_t p, std::size_t n) {
        signed char& known = known_[p * (name_.size() + 1) + n];
        if (known < 0) known = Work(p, n) ? 1 : 0;
        return known == 1;
    }

  private:
    bool Work(std::size_t p, std::size_t n) {
        const bool end = n == name_.size();
        if (p == pieces_.size()) return end;
        switch (pieces_[p].element) {
            case Element::Star:
                return At(p + 1, n) || (!end && At(p, n + 1));
            case Element::DosStar:
                return At(p + 1, n) ||
                       (!end && (lastDot_ == std::string_view::npos || n <= lastDot_) &&
                        At(p, n + 1));
            case Element::DosQm:
                if (end || name_[n] == '.') {
                    while (p < pieces_.size() && pieces_[p].element == Element::DosQm) ++p;
                    return At(p, n);
                }
                return At(p + 1, n + 1);
            case Element::DosDot:
                if (end) return At(p + 1, n);
                return name_[n] == '.' && At(p + 1, n + 1);
            case Element::Literal:
                return !end && ToLowerAscii(name_[n]) == ToLowerAscii(pieces_[p].literal) &&
                       At(p + 1, n + 1);
        }
        return false;
    }

    std::vector<Piece> pieces_;
    std::string_view name_;
    std::size_t lastDot_;
    std::vector<signed char> known_;
};

}  // namespace

bool MatchesWildcard(std::string_view pattern, std::string_view name) {
    if (pattern == "*" || pattern == "*.*") return true;
    return Matcher(Translate(pattern), name).At(0, 0);
}

}  // namespace platform::posix
