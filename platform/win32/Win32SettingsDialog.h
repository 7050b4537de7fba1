#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "settings/SettingsDialogHost.h"
#include "settings/TimeSet.h"

namespace qv {
struct App;
}

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

// The settings dialog on the screen: a modeless top-level window with a tab control of five
// pages that presents the controls of a TimeSet, reports the user's edits and events to it and
// shows what its handlers change. It also owns the dialog's life: a TimeSet is made and loaded
// at each creation, and the window goes when the TimeSet's close steps have run.
class Win32SettingsDialog : public SettingsDialogHost, private TimeSetView {
  public:
    static constexpr const char* kClassName = "QuorvaneTimeSet";
    static constexpr const char* kPageClassName = "QuorvaneTimeSetPage";
    static constexpr int kFirstControlId = 1000;
    static constexpr int kTabId = 999;

    Win32SettingsDialog(App& app, HINSTANCE instance);
    ~Win32SettingsDialog() override;
    Win32SettingsDialog(const Win32SettingsDialog&) = delete;
    Win32SettingsDialog& operator=(const Win32SettingsDialog&) = delete;

    // SettingsDialogHost.
    void ShowDialog() override;
    void UnloadDialog() override;
    void SetFrame1Caption(const std::string& caption) override;
    bool IsDialogLoaded() const override;

    // Creates and loads the dialog without showing it, when it is not loaded.
    void LoadHidden();
    // Gives the dialog its keyboard messages first (for the message loop); true when taken.
    bool PreTranslate(MSG& msg);

    HWND Window() const { return hwnd_; }
    HWND ControlWindow(const std::string& name) const;
    TimeSet* Model() { return model_.get(); }
    int CurrentPage() const { return page_; }
    void SelectPage(int page);

  private:
    struct Slot {
        std::string name;
        HWND hwnd = nullptr;
        int page = 0;
        WNDPROC oldProc = nullptr;  // set for the controls whose messages are watched
    };

    // TimeSetView.
    void ControlChanged(const Control& control) override;
    void EnableInput(bool enabled) override;
    void CloseWindow() override;

    bool CreateWindowFor(TimeSet& model);
    void CreateControls(TimeSet& model);
    void Apply(const Control& control);
    void ReportPosition();
    void OnCommand(int id, int code, HWND control);
    HBRUSH OnColor(HDC dc, HWND control, bool editLike);
    const Slot* SlotOf(HWND control) const;
    void Subclass(Slot& slot);
    template <typename F>
    void Guarded(F&& f);

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleControl(const Slot& slot, UINT msg, WPARAM wParam, LPARAM lParam);

    App& app_;
    HINSTANCE instance_;
    std::unique_ptr<TimeSet> model_;
    HWND hwnd_ = nullptr;
    HWND tab_ = nullptr;
    std::vector<HWND> pages_;  // one child window per tab page, holding that page's controls
    std::vector<Slot> slots_;
    std::map<HWND, size_t> slotOf_;
    int page_ = 0;
    bool controlsInitialised_ = false;  // ControlInit has run for this creation
    bool applying_ = false;             // the program is writing a control
    int dpiX_ = 96;
    int dpiY_ = 96;
    UniqueGdiObject font_;
    UniqueGdiObject fixedFont_;
    UniqueGdiObject faceBrush_;
    UniqueGdiObject windowBrush_;
};

}  // namespace qv::win32
