// The three windows' layouts: sizes and positions in dialog units, ids, styles and texts.
#pragma once

#include "app/win32/dialog_template.h"

namespace win32ui {

inline constexpr WORD kAppIconResource = 128;
// The rich-text control of Msftedit.dll, which must be loaded before a window uses it.
inline constexpr char kRichTextClass[] = "RICHEDIT50W";
inline constexpr char kRichTextLibrary[] = "Msftedit.dll";

const DialogLayout& MainWindowLayout();
const DialogLayout& ProgressWindowLayout();
const DialogLayout& AboutBoxLayout();

}  // namespace win32ui
