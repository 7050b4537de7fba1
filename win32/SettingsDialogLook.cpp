#include "win32/SettingsDialogLook.h"

namespace qv::win32 {
namespace {

COLORREF ColorOf(uint32_t color) {
    return static_cast<COLORREF>(color);  // both keep red in the lowest byte
}

}  // namespace

SettingsDialogLook::SettingsDialogLook()
    : faceBrush_(CreateSolidBrush(GetSysColor(COLOR_BTNFACE))),
      windowBrush_(CreateSolidBrush(GetSysColor(COLOR_WINDOW))) {}

void SettingsDialogLook::CreateFonts(int dpiY) {
    NONCLIENTMETRICSA metrics{};
    metrics.cbSize = sizeof metrics;
    LOGFONTA face{};
    if (SystemParametersInfoA(SPI_GETNONCLIENTMETRICS, sizeof metrics, &metrics, 0)) {
        face = metrics.lfMessageFont;
    } else {
        face.lfHeight = -MulDiv(8, dpiY, 72);
        lstrcpynA(face.lfFaceName, "MS Shell Dlg", LF_FACESIZE);
    }
    font_ = UniqueGdiObject(CreateFontIndirectA(&face));
    LOGFONTA fixed{};
    fixed.lfHeight = -MulDiv(9, dpiY, 72);
    fixed.lfWeight = FW_NORMAL;
    fixed.lfPitchAndFamily = FIXED_PITCH | FF_MODERN;
    lstrcpynA(fixed.lfFaceName, "Courier New", LF_FACESIZE);
    fixedFont_ = UniqueGdiObject(CreateFontIndirectA(&fixed));
}

HFONT SettingsDialogLook::FontFor(const Control& control) const {
    return static_cast<HFONT>(control.fixedPitch ? fixedFont_.Get() : font_.Get());
}

HBRUSH SettingsDialogLook::Paint(HDC dc, const Control* control, bool editLike) const {
    uint32_t color = kBlack;
    bool windowBackground = editLike;
    if (control != nullptr) {
        color = control->color;
        if (control->kind == ControlKind::TextBox)
            windowBackground = !control->dialogBackground;
    }
    SetTextColor(dc, ColorOf(color));
    if (windowBackground) {
        SetBkColor(dc, GetSysColor(COLOR_WINDOW));
        return static_cast<HBRUSH>(windowBrush_.Get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return static_cast<HBRUSH>(faceBrush_.Get());
}

}  // namespace qv::win32
