#include "settings/SaveSettings.h"

#include <algorithm>
#include <vector>

#include "actions/EventLog.h"
#include "actions/Registry.h"
#include "actions/Running.h"
#include "settings/GetSettings.h"
#include "settings/LeadingNumber.h"
#include "settings/SettingsTable.h"
#include "actions/NumberText.h"
#include "settings/TimeSet.h"

namespace qv {
namespace {

class Saver {
  public:
    Saver(const DialogContext& context, TimeSet& dialog)
        : ctx_(context), d_(dialog), s_(context.access.settings) {}

    // Page by page, each page's settings by their places, a message pump after each page.
    void Run() {
        for (int page = kPageTime; page <= kPageMisc; ++page) {
            std::vector<const SettingRow*> rows;
            for (const SettingRow& row : SettingRows()) {
                if (row.page == page)
                    rows.push_back(&row);
            }
            std::stable_sort(rows.begin(), rows.end(),
                             [](const auto* a, const auto* b) { return a->place < b->place; });
            for (const SettingRow* row : rows)
                Save(*row);
            Yield();
        }
    }

  private:
    double Number(Ctl control) const { return LeadingNumber(d_.Text(control)); }
    static bool InRange(double value, int high) { return value >= 0 && value <= high; }
    bool Ticked(Ctl control) const { return d_.Get(control).value == 1; }
    void Write(const char* key, const std::string& text) {
        SaveSettingText(ctx_.access, key, text);
    }
    void Yield() { ctx_.ui.PumpMessages(); }

    void Save(const SettingRow& row) {
        switch (row.rule) {
            case Rule::Box:
                s_.*row.field.flag = Ticked(*row.control);
                return Write(row.key, s_.*row.field.flag ? "1" : "0");
            case Rule::ShutAtBox:
                return ShutdownTimeBox();
            case Rule::ShutAt:
                return ShutdownTime();
            case Rule::ShutDuringBox:
                return ShutdownRangeBox();
            case Rule::ShutDuring:
                return ShutdownRange();
            case Rule::StartupBox:
                return StartWithWindows();
            case Rule::DialogTop:
                return Write(row.key, std::to_string(d_.position.top));
            case Rule::DialogLeft:
                return Write(row.key, std::to_string(d_.position.left));
            case Rule::Interval:
                s_.PingInterval = WholeNumber(d_.Text(*row.control));
                return Write(row.key, std::to_string(s_.PingInterval));
            case Rule::RebootLimit:
                return RebootLimit();
            case Rule::RebootGrace:
                return RebootGrace();
            case Rule::FreeHours:
                return FreeWindow();
            case Rule::CardTimes:
                return CardTimes();
            case Rule::RebootTimes:
                return Write(row.key, Joined(d_.Get(*row.control).items, false));
            case Rule::PingUrls:
                return Write(row.key, Joined(d_.Get(*row.control).items, true));
        }
    }

    void FreeWindow() {
        double start = Number(Ctl::Combo1);
        if (InRange(start, 23)) {
            s_.FreeStartHour = MakeWhole(start);
            d_.SetText(Ctl::Label6, TwoDigits(s_.FreeStartHour));
        }
        double end = Number(Ctl::Combo2);
        if (InRange(end, 23)) {
            s_.FreeEndHour = MakeWhole(end);
            d_.SetText(Ctl::Label8, TwoDigits(s_.FreeEndHour));
        }
        Write(keys::kTime, std::to_string(s_.FreeStartHour) + "," + std::to_string(s_.FreeEndHour));
    }

    // One hour and minute pair; both change, or neither.
    bool TimePair(Ctl hourBox, Ctl minuteBox, int32_t& hour, int32_t& minute) {
        double h = Number(hourBox);
        if (!InRange(h, 23))
            return false;
        double m = Number(minuteBox);
        if (!InRange(m, 59))
            return false;
        hour = MakeWhole(h);
        minute = MakeWhole(m);
        return true;
    }

    void CardTimes() {
        if (TimePair(Ctl::Combo3, Ctl::Combo4, s_.NicOnHour, s_.NicOnMinute))
            d_.SetText(Ctl::Label14, TimeText(s_.NicOnHour, s_.NicOnMinute));
        if (TimePair(Ctl::Combo5, Ctl::Combo6, s_.NicOffHour, s_.NicOffMinute))
            d_.SetText(Ctl::Label15, TimeText(s_.NicOffHour, s_.NicOffMinute));
        Write(keys::kNic, std::to_string(s_.NicOnHour) + ":" + std::to_string(s_.NicOnMinute) +
                              "," + std::to_string(s_.NicOffHour) + ":" +
                              std::to_string(s_.NicOffMinute));
    }

    std::string Joined(const std::vector<std::string>& items, bool skipHomePages) const {
        std::string text;
        for (const std::string& item : items) {
            if (skipHomePages && IsHomePage(item))
                continue;
            text += item;
            text += ",";
        }
        if (!text.empty())
            text.pop_back();
        return text;
    }

    bool IsHomePage(const std::string& item) const {
        for (const std::string& home : ctx_.paths.HomePageUrls) {
            if (item == home)
                return true;
        }
        return false;
    }

    // A box outside its range keeps the value it had.
    void Ranged(Ctl control, int low, int high, int32_t& field) {
        const double n = Number(control);
        if (n >= low && n <= high)
            field = MakeWhole(n);
    }

    // The pacing's three boxes are read together, before either key is written.
    void RebootLimit() {
        Ranged(Ctl::txtRebootLimit, 0, 99, s_.RebootLimitCount);
        Ranged(Ctl::txtRebootRest, 1, 24, s_.RebootLimitHours);
        Ranged(Ctl::txtRebootGrace, 0, 60, s_.RebootGraceMinutes);
        Write(keys::kRebootLimit,
              std::to_string(s_.RebootLimitCount) + "," + std::to_string(s_.RebootLimitHours));
    }

    void RebootGrace() {
        Write(keys::kRebootGrace, std::to_string(s_.RebootGraceMinutes));
        // An emptied box shows what was stored.
        d_.SetText(Ctl::txtRebootLimit, std::to_string(s_.RebootLimitCount));
        d_.SetText(Ctl::txtRebootRest, std::to_string(s_.RebootLimitHours));
        d_.SetText(Ctl::txtRebootGrace, std::to_string(s_.RebootGraceMinutes));
    }

    // The shutdown time's box stores "1" only with an hour and minute in range, which the
    // time's own key then follows; unticked it stores "0" and the time stays as stored.
    void ShutdownTimeBox() {
        shutAtChecked_ = false;
        if (!Ticked(Ctl::Check1)) {
            Write(keys::kSrvShutAt, "0");
            s_.SrvShutAt = false;
            return;
        }
        double h = Number(Ctl::Combo9);
        double m = Number(Ctl::Combo10);
        if (!InRange(h, 23) || !InRange(m, 59))
            return;
        s_.ShutAtHour = MakeWhole(h);
        s_.ShutAtMinute = MakeWhole(m);
        Write(keys::kSrvShutAt, "1");
        shutAtChecked_ = true;
    }

    void ShutdownTime() {
        if (!shutAtChecked_)
            return;
        Write(keys::kShutAt, TimeText(s_.ShutAtHour, s_.ShutAtMinute));
        s_.SrvShutAt = true;
    }

    // The shutdown range likewise, with its four pickers.
    void ShutdownRangeBox() {
        shutDuringChecked_ = false;
        if (!Ticked(Ctl::Check6)) {
            Write(keys::kSrvShutDuring, "0");
            s_.SrvShutDuring = false;
            return;
        }
        double fh = Number(Ctl::Combo11);
        double fm = Number(Ctl::Combo12);
        double th = Number(Ctl::Combo13);
        double tm = Number(Ctl::Combo14);
        if (!InRange(fh, 23) || !InRange(fm, 59) || !InRange(th, 23) || !InRange(tm, 59))
            return;
        s_.ShutFromHour = MakeWhole(fh);
        s_.ShutFromMinute = MakeWhole(fm);
        s_.ShutToHour = MakeWhole(th);
        s_.ShutToMinute = MakeWhole(tm);
        Write(keys::kSrvShutDuring, "1");
        shutDuringChecked_ = true;
    }

    void ShutdownRange() {
        if (!shutDuringChecked_)
            return;
        Write(keys::kShutDuring, TimeText(s_.ShutFromHour, s_.ShutFromMinute) + "-" +
                                     TimeText(s_.ShutToHour, s_.ShutToMinute));
        s_.SrvShutDuring = true;
    }

    void StartWithWindows() {
        if (!Ticked(Ctl::Check2)) {
            Write(keys::kSrvStartup, "0");
            RemoveFromStartup(ctx_.registry, ctx_.paths);
            return;
        }
        Write(keys::kSrvStartup, "1");
        if (!AddToStartup(ctx_.registry, ctx_.paths)) {
            Write(keys::kSrvStartup, "0");
            ctx_.log.ReportFailure(kRegistryWriteFailed);
        }
    }

    const DialogContext& ctx_;
    TimeSet& d_;
    Settings& s_;
    bool shutAtChecked_ = false, shutDuringChecked_ = false;
};

}  // namespace

void SaveSettings(const DialogContext& context, TimeSet& dialog) {
    if (dialog.saving_.Running())
        return;
    bool saved = false;
    {
        ActionRunning::Hold running(dialog.saving_);
        try {
            Saver(context, dialog).Run();
            saved = true;
        } catch (...) {
            // Whatever failed, the keys written so far stay written.
        }
    }
    if (!saved)
        dialog.ShowMessage(kFatalSaveMessage);
    if (saved || dialog.closeAfterSave_) {
        dialog.closeAfterSave_ = false;
        dialog.Form_Unload();
    }
}

}  // namespace qv
