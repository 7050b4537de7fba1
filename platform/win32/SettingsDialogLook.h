#pragma once
#include <windows.h>

#include "settings/TimeSetControls.h"

namespace qv::win32 {

// Owns a GDI object (font, brush) and deletes it once.
class UniqueGdiObject {
  public:
    UniqueGdiObject() = default;
    explicit UniqueGdiObject(HGDIOBJ object) : object_(object) {}
    UniqueGdiObject(UniqueGdiObject&& other) noexcept : object_(other.object_) {
        other.object_ = nullptr;
    }
    UniqueGdiObject& operator=(UniqueGdiObject&& other) noexcept {
        if (this != &other) {
            Reset();
            object_ = other.object_;
            other.object_ = nullptr;
        }
        return *this;
    }
    UniqueGdiObject(const UniqueGdiObject&) = delete;
    UniqueGdiObject& operator=(const UniqueGdiObject&) = delete;
    ~UniqueGdiObject() { Reset(); }
    HGDIOBJ Get() const { return object_; }
    void Reset() {
        if (object_ != nullptr)
            DeleteObject(object_);
        object_ = nullptr;
    }

  private:
    HGDIOBJ object_ = nullptr;
};

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
