#include "common/text_trim.h"

#include <cstring>

namespace common {
namespace {

bool IsTrimmed(char c) {
    const auto u = static_cast<unsigned char>(c);
    return u < 32 || u == 127 || u == ' ';
}

}  // namespace

void TrimTrailingSpace(char* text) {
    if (text == nullptr) return;
    for (std::size_t length = std::strlen(text); length > 0 && IsTrimmed(text[length - 1]);) {
        text[--length] = '\0';
    }
}

void TrimTrailingSpace(std::string& text) {
    while (!text.empty() && IsTrimmed(text.back())) text.pop_back();
}

}  // namespace common
