#pragma once
#include <windows.h>

#include "win32/Handles.h"
#include "settings/TimeSetControls.h"

namespace qv::win32 {

// A GDI object (font, brush), deleted once.
using UniqueGdiObject = Owner<HGDIOBJ, &::DeleteObject>;

// The settings dialog's colours and fonts: the message font and "Courier New" for the
// fixed-pitch labels, the text colour of each control and the backgrounds behind them.
class SettingsDialogLook {
  public:
    SettingsDialogLook();

    // Makes the fonts for a screen of this many dots per inch (vertically).
    void CreateFonts(int dpiY);
    HFONT Font() const { return static_cast<HFONT>(font_.Get()); }
    HFONT FontFor(const Control& control) const;

    // Sets a control's text and background colour in dc and gives the brush that paints its
    // background. control is null for a window that is not one of the dialog's controls;
    // editLike tells an edit field or list from a static one.
    HBRUSH Paint(HDC dc, const Control* control, bool editLike) const;

  private:
    UniqueGdiObject font_;
    UniqueGdiObject fixedFont_;
    UniqueGdiObject faceBrush_;
    UniqueGdiObject windowBrush_;
};

}  // namespace qv::win32
