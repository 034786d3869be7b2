// The library's texts are bytes in the system code page (Windows-1252), whatever the locale
// of the desktop says: they become Unicode here, at the widgets.
#pragma once

#include <QString>

#include <string>

#include "common/code_page.h"

// Back into the system code page; a character it lacks comes out as '?'.
inline std::string ToCodePage(const QString& text) {
    std::string bytes;
    for (QChar c : text) {
        const auto converted = common::Utf8ToCodePage(QString(c).toStdString());
        bytes += converted ? *converted : std::string("?");
    }
    return bytes;
}

inline QString FromCodePage(const std::string& text) {
    return QString::fromStdString(common::CodePageToUtf8(text));
}
