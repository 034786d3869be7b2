// Dialog templates built in memory, in the layout the dialog manager reads
// (DLGTEMPLATE, then one DLGITEMTEMPLATE per control), from a table of controls.
// Include it after the project's headers that declare Win32 names (window_ids.h): <windows.h>
// turns some of those names into macros.
#pragma once

#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <span>
#include <vector>

namespace win32ui {

// A control as a resource script would give it. `windowClass` is a registered class name;
// "Button", "Edit" and "Static" go into the template as their atoms, as resource compilers
// write them. A non-zero `iconResource` replaces the text by that resource's ordinal.
struct DialogControl {
    const char* windowClass;
    int id;
    const char* text;
    WORD iconResource;
    DWORD style;
    short x, y, cx, cy;  // dialog units
};

struct DialogLayout {
    DWORD style;  // DS_SETFONT is added: the font below is always given
    DWORD extendedStyle;
    short cx, cy;  // dialog units; the position is (0, 0), centred by the window
    const char* title;
    WORD pointSize;
    const char* face;
    std::span<const DialogControl> controls;
};

// A template ready for DialogBoxIndirectParamA and CreateDialogIndirectParamA. Texts are
// taken in the system code page and stored as UTF-16, as the template format requires.
class DialogTemplate {
  public:
    explicit DialogTemplate(const DialogLayout& layout);
    const DLGTEMPLATE* Get() const { return reinterpret_cast<const DLGTEMPLATE*>(words_.data()); }
    std::size_t Bytes() const { return words_.size() * sizeof(WORD); }

  private:
    void AddWord(WORD value) { words_.push_back(value); }
    void AddDword(DWORD value);
    void AddText(const char* text);
    void AlignToDword();
    void AddControl(const DialogControl& control);

    std::vector<WORD> words_;
};

}  // namespace win32ui
