#pragma once
#include <windows.h>

#include <map>
#include <memory>
#include <string>
#include <utility>

#include "app/Barrier.h"
#include "win32/SettingsDialogLayout.h"
#include "win32/SettingsDialogLook.h"
#include "settings/SettingsDialogHost.h"
#include "settings/TimeSet.h"

namespace qv {
struct App;
}

namespace qv::win32 {

// The settings dialog on the screen: a modeless top-level window with a tab control of five
// pages that presents the controls of a TimeSet, reports the user's edits and events to it and
// shows what its handlers change. It also owns the dialog's life: a TimeSet is made and loaded
// at each creation, and the window goes when the TimeSet's close steps have run.
//
// Its parts: the pages and places (SettingsDialogLayout), the colours and fonts
// (SettingsDialogLook), the window and page procedures (SettingsDialogProc.cpp) and the
// keyboard and mouse hooks on single controls (SettingsDialogHooks.cpp).
class Win32SettingsDialog : public SettingsDialogHost, private TimeSetView {
  public:
    static constexpr const char* kClassName = "QuorvaneTimeSet";
    static constexpr const char* kPageClassName = "QuorvaneTimeSetPage";
    static constexpr int kFirstControlId = SettingsDialogLayout::kFirstControlId;
    static constexpr int kTabId = SettingsDialogLayout::kTabId;

    // Throws std::invalid_argument when the dialog's description cannot be laid out.
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
    HWND ControlWindow(Ctl id) const { return layout_.Window(id); }
    TimeSet* Model() { return model_.get(); }
    int CurrentPage() const { return layout_.CurrentPage(); }
    void SelectPage(int page) { layout_.SelectPage(page); }

  private:
    // A control whose own messages are watched, with the procedure it had before.
    struct Hook {
        Ctl id;
        WNDPROC oldProc = nullptr;
    };

    // TimeSetView.
    void ControlChanged(const Control& control) override;
    void EnableInput(bool enabled) override;
    void CloseWindow() override;

    bool CreateWindowFor(TimeSet& model);
    void Apply(const Control& control);
    void ReportPosition();
    void OnCommand(int id, int code, HWND control);
    HBRUSH OnColor(HDC dc, HWND control, bool editLike);
    void HookControls();
    // No failure may travel out through a window procedure.
    template <typename F>
    void Guarded(F&& f) {
        Barrier(app_, std::forward<F>(f));
    }

    static LRESULT CALLBACK Proc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK PageProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    static LRESULT CALLBACK ControlProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT Handle(UINT msg, WPARAM wParam, LPARAM lParam);
    LRESULT HandleControl(HWND hwnd, const Hook& hook, UINT msg, WPARAM wParam, LPARAM lParam);

    App& app_;
    HINSTANCE instance_;
    SettingsDialogLayout layout_;
    SettingsDialogLook look_;
    std::unique_ptr<TimeSet> model_;
    HWND hwnd_ = nullptr;
    std::map<HWND, Hook> hooks_;
    bool controlsInitialised_ = false;  // ControlInit has run for this creation
    bool applying_ = false;             // the program is writing a control
    int dpiX_ = 96;
    int dpiY_ = 96;
};

}  // namespace qv::win32
