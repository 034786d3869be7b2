#include "app/win32/dialog_template.h"

#include <cstring>
#include <string_view>

namespace win32ui {
namespace {

// The predefined classes that a template names by atom.
WORD ClassAtom(std::string_view name) {
    if (name == "Button") return 0x0080;
    if (name == "Edit") return 0x0081;
    if (name == "Static") return 0x0082;
    return 0;
}

}  // namespace

DialogTemplate::DialogTemplate(const DialogLayout& layout) {
    AddDword(layout.style | DS_SETFONT);
    AddDword(layout.extendedStyle);
    AddWord(static_cast<WORD>(layout.controls.size()));
    for (short value : {short{0}, short{0}, layout.cx, layout.cy})
        AddWord(static_cast<WORD>(value));
    AddWord(0);  // no menu
    AddWord(0);  // the default dialog class
    AddText(layout.title);
    AddWord(layout.pointSize);
    AddText(layout.face);
    for (const DialogControl& control : layout.controls) AddControl(control);
}

void DialogTemplate::AddDword(DWORD value) {
    AddWord(LOWORD(value));
    AddWord(HIWORD(value));
}

// Zero-terminated UTF-16; an empty text is the single terminator.
void DialogTemplate::AddText(const char* text) {
    const int length = static_cast<int>(std::strlen(text));
    if (length > 0) {
        std::vector<WCHAR> wide(static_cast<std::size_t>(length) * 2);
        const int count = MultiByteToWideChar(CP_ACP, 0, text, length, wide.data(),
                                              static_cast<int>(wide.size()));
        for (int i = 0; i < count; ++i) AddWord(static_cast<WORD>(wide[i]));
    }
    AddWord(0);
}

// Offsets count from the template's start, which the vector's allocation aligns.
void DialogTemplate::AlignToDword() {
    if (words_.size() % 2 != 0) AddWord(0);
}

void DialogTemplate::AddControl(const DialogControl& control) {
    AlignToDword();
    AddDword(control.style);
    AddDword(0);  // extended style
    for (short value : {control.x, control.y, control.cx, control.cy})
        AddWord(static_cast<WORD>(value));
    AddWord(static_cast<WORD>(control.id));
    if (WORD atom = ClassAtom(control.windowClass); atom != 0) {
        AddWord(0xFFFF);
        AddWord(atom);
    } else {
        AddText(control.windowClass);
    }
    if (control.iconResource != 0) {
        AddWord(0xFFFF);
        AddWord(control.iconResource);
    } else {
        AddText(control.text);
    }
    AddWord(0);  // no creation data
}

}  // namespace win32ui
