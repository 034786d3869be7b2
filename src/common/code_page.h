// Texts of the records are bytes in the system code page (Windows-1252); JSON texts are
// UTF-8. Every byte has a character, so the conversion is lossless both ways.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace common {

std::string CodePageToUtf8(std::string_view bytes);

// None when the text is not valid UTF-8 or holds a character the code page lacks.
std::optional<std::string> Utf8ToCodePage(std::string_view text);

}  // namespace common
