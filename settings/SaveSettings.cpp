#include "settings/SaveSettings.h"

#include "actions/EventLog.h"
#include "actions/Registry.h"
#include "actions/Running.h"
#include "settings/GetSettings.h"
#include "settings/LeadingNumber.h"
#include "actions/NumberText.h"
#include "settings/TimeSet.h"

namespace qv {
namespace {

class Saver {
  public:
    Saver(const DialogContext& context, TimeSet& dialog)
        : ctx_(context), d_(dialog), s_(context.access.settings) {}

    void Run() {
        FreeWindow();
        Switch(Ctl::Check10, keys::kSrvAwake, s_.SrvAwake);
        Switch(Ctl::Check11, keys::kSrvWake, s_.SrvWake);
        Yield();
        CardTimes();
        Switch(Ctl::Check3, keys::kSrvNicAt, s_.SrvNicAt);
        Switch(Ctl::Check7, keys::kSrvNicDuringN, s_.SrvNicDuringN);
        Switch(Ctl::Check8, keys::kSrvNicDuringD, s_.SrvNicDuringD);
        Yield();
        Write(keys::kReboot, Joined(d_.Get(Ctl::lstReboot).items, false));
        Switch(Ctl::Check4, keys::kSrvModem, s_.SrvModem);
        Switch(Ctl::Check9, keys::kSrvModemFail, s_.SrvModemFail);
        Yield();
        Write(keys::kPingUrls, Joined(d_.Get(Ctl::lstUrls).items, true));
        s_.PingInterval = WholeNumber(d_.Text(Ctl::txtInterval));
        Write(keys::kPingInterval, std::to_string(s_.PingInterval));
        Switch(Ctl::Check5, keys::kSrvPing, s_.SrvPing);
        RebootPacing();
        Yield();
        ShutdownTime();
        ShutdownRange();
        StartWithWindows();
        Write(keys::kFrmTop, std::to_string(d_.position.top));
        Write(keys::kFrmLeft, std::to_string(d_.position.left));
        Yield();
    }

  private:
    double Number(Ctl control) const { return LeadingNumber(d_.Text(control)); }
    static bool InRange(double value, int high) { return value >= 0 && value <= high; }
    bool Ticked(Ctl control) const { return d_.Get(control).value == 1; }
    void Write(const char* key, const std::string& text) {
        SaveSettingText(ctx_.access, key, text);
    }
    void Yield() { ctx_.ui.PumpMessages(); }

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

    void Switch(Ctl control, const char* key, bool& field) {
        field = Ticked(control);
        Write(key, field ? "1" : "0");
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

    void RebootPacing() {
        Ranged(Ctl::txtRebootLimit, 0, 99, s_.RebootLimitCount);
        Ranged(Ctl::txtRebootRest, 1, 24, s_.RebootLimitHours);
        Ranged(Ctl::txtRebootGrace, 0, 60, s_.RebootGraceMinutes);
        Write(keys::kRebootLimit,
              std::to_string(s_.RebootLimitCount) + "," + std::to_string(s_.RebootLimitHours));
        Write(keys::kRebootGrace, std::to_string(s_.RebootGraceMinutes));
        // An emptied box shows what was stored.
        d_.SetText(Ctl::txtRebootLimit, std::to_string(s_.RebootLimitCount));
        d_.SetText(Ctl::txtRebootRest, std::to_string(s_.RebootLimitHours));
        d_.SetText(Ctl::txtRebootGrace, std::to_string(s_.RebootGraceMinutes));
    }

    void ShutdownTime() {
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
        Write(keys::kShutAt, TimeText(s_.ShutAtHour, s_.ShutAtMinute));
        s_.SrvShutAt = true;
    }

    void ShutdownRange() {
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
