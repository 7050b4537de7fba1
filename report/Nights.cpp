#include "report/Nights.h"

#include <algorithm>

namespace qv::report {
namespace {

// A closed partial night takes the traffic lines of this long after it (the count grows only
// inside the window, so the next line tells what the night carried).
constexpr int64_t kTrafficAfterNight = 12 * 3600;
// A card switch or a shutdown this soon after a window's end line belongs to that night.
constexpr int64_t kMarkAfterNight = 60;

}  // namespace

std::optional<double> Night::OnlineShare() const {
    const int64_t awake = AwakeLength();
    if (partial || awake <= 0)
        return std::nullopt;
    return static_cast<double>(awake - std::min(outageSeconds, awake)) / static_cast<double>(awake);
}

void NightBuilder::OpenNight(int64_t at, bool partial) {
    night_ = Night{};
    night_->begin = night_->end = at;
    night_->partial = partial;
    outageOpen_ = false;
    pendingReboot_.reset();
    lastWatchEvent_ = at;
    trafficBefore_ = runTraffic_;
    takesTraffic_ = true;
    proofTarget_.reset();
}

void NightBuilder::CloseOutage(int64_t at, bool restored) {
    outageOpen_ = false;
    Night& night = *night_;
    outage_.end = std::max(at, outage_.start);
    outage_.restored = restored;
    ++night.outageCount;
    night.outageSeconds += outage_.end - outage_.start;
    if (!night.partial) {
        for (size_t i : outage_.reboots) {
            Reboot& reboot = night.reboots[i];
            // A reboot that did not run helped nothing: the line came back by itself.
            reboot.helped =
                restored && reboot.rebooted && outage_.end - reboot.at <= kHelpedWithinSeconds;
        }
    }
    if (night.outages.size() < kListedPerNight)
        night.outages.push_back(std::move(outage_));
    outage_ = Outage{};
}

void NightBuilder::CloseNight(int64_t at) {
    Night& night = *night_;
    night.end = std::max(at, night.begin);
    if (outageOpen_)
        CloseOutage(night.partial ? lastFailure_ : night.end, false);
    if (night.partial) {
        // The window is not known: the night is shown over the whole hours its lines fall in.
        night.begin -= night.begin % 3600;
        night.end += (3600 - night.end % 3600) % 3600;
        if (night.end == night.begin)
            night.end += 3600;
    }
    nights_.push_back(std::move(night));
    night_.reset();
    pendingReboot_.reset();
    if (nights_.size() > kReportNights)
        nights_.pop_front();
}

void NightBuilder::EndUnfinishedNight(int64_t lastLine) {
    if (!night_)
        return;
    if (night_->partial) {
        CloseNight(lastWatchEvent_);
    } else {
        night_->cut = true;  // the program stopped inside the window
        CloseNight(lastLine);
    }
}

void NightBuilder::AddReboot(int64_t at, int64_t lineAt, bool listed, bool rebooted) {
    // A verdict after this reboot is this reboot's, or none's when it is not listed in a night.
    if (rebooted)
        proofTarget_.reset();
    if (!night_)
        return;  // outside the window: not part of any night
    Night& night = *night_;
    ++night.rebootCount;
    if (night.reboots.size() >= kListedPerNight)
        return;
    if (rebooted)
        proofTarget_ = ProofTarget{lineAt, night.reboots.size()};
    night.reboots.push_back({at, listed, rebooted, std::nullopt, std::nullopt});
    if (outageOpen_)
        outage_.reboots.push_back(night.reboots.size() - 1);
}

void NightBuilder::AddMark(int64_t at, MarkKind kind) {
    Night* night = night_ ? &*night_ : nullptr;
    if (!night && !nights_.empty() && at - nights_.back().end <= kMarkAfterNight &&
        !nights_.back().partial)
        night = &nights_.back();
    if (night && night->marks.size() < kListedPerNight)
        night->marks.push_back({at, kind});
}

void NightBuilder::AddGap(int64_t start, int64_t end, GapKind kind) {
    Night& night = *night_;
    start = std::max(start, night.begin);
    if (outageOpen_)
        CloseOutage(start, false);
    if (end <= start)
        return;
    night.gapSeconds += end - start;
    if (night.gaps.size() < kListedPerNight)
        night.gaps.push_back({start, end, kind});
}

bool NightBuilder::TakePause(const LogEvent& e, int64_t previousLine) {
    const bool inNight = night_ && !night_->partial;
    switch (e.kind) {
        case EventKind::GoingToSleep:
            sleepFrom_ = e.at;
            return true;
        case EventKind::WokeUp:
            // Without a sleep line the sleep began after the last line before the wake.
            if (inNight)
                AddGap(sleepFrom_.value_or(previousLine), e.at, GapKind::Asleep);
            sleepFrom_.reset();
            return true;
        case EventKind::ProgramQuit:
            quit_ = true;
            return true;
        case EventKind::ProgramStarted:
            if (inNight && !quit_ && !stoppedAt_) {
                stoppedAt_ = previousLine;
                runTraffic_ = 0;
                takesTraffic_ = false;
                pendingReboot_.reset();
                return true;
            }
            break;
        case EventKind::WindowStarted:
            if (stoppedAt_ && inNight) {
                AddGap(*stoppedAt_, e.at, GapKind::NotRunning);
                stoppedAt_.reset();
                return true;
            }
            break;
        default:
            break;
    }
    if (e.kind == EventKind::ProgramStarted)
        quit_ = false;
    if (stoppedAt_ && night_) {
        // The program came back outside the window: the night ended when it stopped.
        night_->cut = true;
        CloseNight(*stoppedAt_);
    }
    stoppedAt_.reset();
    return false;
}

void NightBuilder::Add(const LogEvent& e) {
    const int64_t previousLine = lastLine_;
    lastLine_ = e.at;
    if (TakePause(e, previousLine))
        return;
    switch (e.kind) {
        case EventKind::ProgramStarted:
            EndUnfinishedNight(previousLine);
            runTraffic_ = 0;
            takesTraffic_ = false;
            pendingReboot_.reset();
            proofTarget_.reset();
            windowLines_ = false;
            break;
        case EventKind::WindowStarted:
            EndUnfinishedNight(previousLine);
            OpenNight(e.at, false);
            windowLines_ = true;
            break;
        case EventKind::WindowEnded:
            windowLines_ = true;
            if (night_ && !night_->partial) {
                night_->kilobytes = e.kilobytes;
                night_->opened = e.pages;
                night_->failed = e.failed;
                CloseNight(e.at);
                takesTraffic_ = false;
            }
            break;
        case EventKind::PageFailed:
            if (!night_ && windowLines_)
                break;
            if (night_ && night_->partial && e.at - lastWatchEvent_ > kPartialNightGap)
                CloseNight(lastWatchEvent_);
            if (!night_)
                OpenNight(e.at, true);
            if (outageOpen_ && night_->partial && e.at - lastFailure_ > kPartialOutageGap)
                CloseOutage(lastFailure_, false);
            if (!outageOpen_) {
                outageOpen_ = true;
                outage_.start = e.at;
            }
            ++night_->failed;
            lastFailure_ = lastWatchEvent_ = e.at;
            break;
        case EventKind::Restored:
            if (night_ && outageOpen_ && !night_->partial)
                CloseOutage(e.at, true);
            break;
        case EventKind::RebootAfterOutage:
            if (!night_ && !windowLines_)
                OpenNight(e.at, true);
            pendingReboot_ = e.at;
            lastWatchEvent_ = e.at;
            break;
        case EventKind::ModemRebooted:
        case EventKind::RebootFailed: {
            const bool rebooted = e.kind == EventKind::ModemRebooted;
            if (pendingReboot_)
                AddReboot(*pendingReboot_, e.at, false, rebooted);
            else
                AddReboot(e.at, e.at, true, rebooted);
            pendingReboot_.reset();
            break;
        }
        case EventKind::RestartProved: {
            // The watch reports on the reboot it follows, even after the window ended.
            Night* night = night_ ? &*night_ : (nights_.empty() ? nullptr : &nights_.back());
            if (proofTarget_ && e.at - proofTarget_->at <= kVerdictWithinSeconds && night &&
                proofTarget_->index < night->reboots.size())
                night->reboots[proofTarget_->index].restartSeconds = e.restartSeconds;
            proofTarget_.reset();
            break;
        }
        case EventKind::NicSwitched:
            AddMark(e.at, MarkKind::NicSwitch);
            break;
        case EventKind::ShutdownIssued:
            AddMark(e.at, MarkKind::Shutdown);
            break;
        case EventKind::Traffic:
            runTraffic_ = e.kilobytes;
            if (takesTraffic_ && trafficBefore_) {
                Night* night = night_ ? &*night_ : nullptr;
                if (!night && !nights_.empty() && nights_.back().partial &&
                    e.at - nights_.back().end <= kTrafficAfterNight)
                    night = &nights_.back();
                if (night)
                    night->kilobytes = std::max(0.0, e.kilobytes - *trafficBefore_);
            }
            break;
        case EventKind::GoingToSleep:
        case EventKind::WokeUp:
        case EventKind::ProgramQuit:
            break;  // taken as gaps
    }
}

std::deque<Night> NightBuilder::Finish(const std::optional<OpenWindowNow>& now) {
    if (night_ && stoppedAt_) {
        night_->cut = true;  // started again as the log ends, with no window line yet
        CloseNight(*stoppedAt_);
    }
    if (night_) {
        if (night_->partial) {
            CloseNight(lastWatchEvent_);
        } else if (now) {
            night_->live = true;
            night_->kilobytes = now->kilobytes;
            night_->opened = now->opened;
            night_->failed = now->failed;
            CloseNight(std::max(now->at, lastLine_));
        } else {
            night_->cut = true;
            CloseNight(lastLine_);
        }
    }
    return std::move(nights_);
}

NightsRead ReadNights(LineReader::Source source, const std::optional<OpenWindowNow>& now) {
    char lastByte = '\n';
    LineReader reader([&](char* buffer, size_t size) {
        const int64_t n = source(buffer, size);
        if (n > 0)
            lastByte = buffer[n - 1];
        return n;
    });
    NightBuilder builder;
    // Each line is read once the next one has come: the last one counts only when it ended.
    std::string line, next;
    bool have = reader.Next(line, 512);
    while (have) {
        const bool more = reader.Next(next, 512);
        if (more || lastByte == '\r' || lastByte == '\n') {
            if (std::optional<LogEvent> event = ReadLogEvent(line))
                builder.Add(*event);
        }
        have = more;
        line.swap(next);
    }
    return {builder.Finish(now), reader.Failed()};
}

}  // namespace qv::report
