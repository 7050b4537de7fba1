#include "report/LogEvents.h"

#include <cmath>

#include "actions/FreeWindowLines.h"
#include "actions/Traffic.h"

namespace qv::report {
namespace {

// The texts of the lines the report reads that other folders write; the log's layout and these
// texts never change, so old logs read the same.
constexpr std::string_view kStarted = "Dastrel's Quorvane Helper Started.";
constexpr std::string_view kStartedWithWindows = "Dastrel's Quorvane Helper Started with Windows.";
constexpr std::string_view kQuitting = "Dastrel's Quorvane Helper Quitting.";
constexpr std::string_view kUnableToOpen = "Unable to open : ";
constexpr std::string_view kRebooting = "No Connectivity Since last 3 Minutes - Rebooting Modem.";
constexpr std::string_view kRebooted = "Modem Rebooted Successfully.";
constexpr std::string_view kUnableToReboot = "Unable to Reboot Modem - ";
constexpr std::string_view kUnableToSend = "Unable to send : ";
constexpr std::string_view kNicLines[] = {
    "Auto Enable NIC Command Issued.", "Auto Disable NIC Command Issued.",
    "Enable Nic Command Issued.", "Disable Nic Command Issued."};
constexpr std::string_view kShutdownLines[] = {"ShutDown Command Issued.",
                                               "Auto ShutDown Command Issued."};
constexpr std::string_view kMarker = " >   ";
// The longest regional separator the report accepts between two fields.
constexpr size_t kMaxSeparator = 4;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Reads a separator-free run of exactly `width` digits at `pos`.
bool Digits(std::string_view text, size_t& pos, size_t width, int& value) {
    if (pos + width > text.size())
        return false;
    value = 0;
    for (size_t i = 0; i < width; ++i) {
        char c = text[pos + i];
        if (!IsDigit(c))
            return false;
        value = value * 10 + (c - '0');
    }
    pos += width;
    return true;
}

// Skips a regional separator: one to four characters, none of them a digit.
bool Separator(std::string_view text, size_t& pos) {
    size_t start = pos;
    while (pos < text.size() && !IsDigit(text[pos]) && pos - start < kMaxSeparator)
        ++pos;
    return pos > start && pos < text.size() && IsDigit(text[pos]);
}

// Reads a whole number at the start of `text`, leaving `rest` after it.
bool WholeNumber(std::string_view text, int64_t& value, std::string_view& rest) {
    size_t i = 0;
    value = 0;
    while (i < text.size() && IsDigit(text[i]) && i < 18)
        value = value * 10 + (text[i++] - '0');
    rest = text.substr(i);
    return i > 0;
}

// Reads a number in the general form with any decimal separator ("1536", "1,5", "1.5E+20").
bool GeneralNumber(std::string_view text, double& value, std::string_view& rest) {
    int64_t whole = 0;
    if (!WholeNumber(text, whole, rest))
        return false;
    value = static_cast<double>(whole);
    size_t sep = 0;
    while (sep < rest.size() && sep < kMaxSeparator && !IsDigit(rest[sep]) && rest[sep] != ' ' &&
           rest[sep] != 'E')
        ++sep;
    if (sep > 0 && sep < rest.size() && IsDigit(rest[sep])) {
        double scale = 0.1;
        size_t i = sep;
        for (; i < rest.size() && IsDigit(rest[i]); ++i, scale /= 10)
            value += (rest[i] - '0') * scale;
        rest = rest.substr(i);
    }
    if (rest.size() >= 3 && rest[0] == 'E' && (rest[1] == '+' || rest[1] == '-')) {
        int64_t exponent = 0;
        std::string_view after;
        if (!WholeNumber(rest.substr(2), exponent, after))
            return false;
        value *= std::pow(
            10.0, rest[1] == '+' ? static_cast<double>(exponent) : -static_cast<double>(exponent));
        rest = after;
    }
    return true;
}

bool Eat(std::string_view& text, std::string_view word) {
    if (text.substr(0, word.size()) != word)
        return false;
    text.remove_prefix(word.size());
    return true;
}

// "Free Usage Time Ended : 12.5 KB in 40 Pages, 2 Failed."
bool ReadEnded(std::string_view text, LogEvent& event) {
    std::string_view rest;
    return Eat(text, kFreeWindowEndedPrefix) && GeneralNumber(text, event.kilobytes, rest) &&
           Eat(rest, " KB in ") && WholeNumber(rest, event.pages, rest) && Eat(rest, " Pages, ") &&
           WholeNumber(rest, event.failed, rest) && rest == " Failed.";
}

// What the message says.
std::optional<EventKind> Classify(std::string_view message, LogEvent& event) {
    if (message == kStarted || message == kStartedWithWindows)
        return EventKind::ProgramStarted;
    if (message == kFreeWindowStartedLine)
        return EventKind::WindowStarted;
    if (message == kGoingToSleepLine)
        return EventKind::GoingToSleep;
    if (message == kWokeUpLine)
        return EventKind::WokeUp;
    if (message == kQuitting)
        return EventKind::ProgramQuit;
    if (message.starts_with(kFreeWindowEndedPrefix))
        return ReadEnded(message, event) ? std::optional(EventKind::WindowEnded) : std::nullopt;
    if (message.starts_with(kUnableToOpen))
        return EventKind::PageFailed;
    if (message.starts_with(kRestoredPrefix)) {
        std::string_view rest = message.substr(std::string_view(kRestoredPrefix).size());
        if (WholeNumber(rest, event.pages, rest) && rest == " Failed Pages.")
            return EventKind::Restored;
        return std::nullopt;
    }
    if (message == kRebooting)
        return EventKind::RebootAfterOutage;
    if (message == kRebooted)
        return EventKind::ModemRebooted;
    if (message.starts_with(kUnableToReboot) || message.starts_with(kUnableToSend))
        return EventKind::RebootFailed;
    if (message == "Modem did not Restart." || message == "Modem did not Come Back.") {
        event.restartSeconds = message == "Modem did not Restart." ? -1 : -2;
        return EventKind::RestartProved;
    }
    if (message.starts_with("Modem Restarted in ")) {
        std::string_view rest = message.substr(std::string_view("Modem Restarted in ").size());
        if (WholeNumber(rest, event.restartSeconds, rest) && rest == " Seconds.")
            return EventKind::RestartProved;
        return std::nullopt;
    }
    for (std::string_view nic : kNicLines) {
        if (message == nic)
            return EventKind::NicSwitched;
    }
    for (std::string_view shut : kShutdownLines) {
        if (message == shut)
            return EventKind::ShutdownIssued;
    }
    if (message.starts_with(kTrafficLinePrefix)) {
        std::string_view rest;
        if (GeneralNumber(message.substr(std::string_view(kTrafficLinePrefix).size()),
                          event.kilobytes, rest) &&
            rest == " KB.")
            return EventKind::Traffic;
    }
    return std::nullopt;
}

}  // namespace

int64_t LocalSeconds(int year, int month, int day, int hour, int minute, int second) {
    // Days from the civil date (the proleptic Gregorian calendar).
    const int64_t y = static_cast<int64_t>(year) - (month <= 2 ? 1 : 0);
    const int64_t era = (y >= 0 ? y : y - 399) / 400;
    const int64_t yoe = y - era * 400;
    const int64_t doy = (153 * (month + (month > 2 ? -3 : 9)) + 2) / 5 + day - 1;
    const int64_t doe = yoe * 365 + yoe / 4 - yoe / 100 + doy;
    const int64_t days = era * 146097 + doe - 719468;
    return ((days * 24 + hour) * 60 + minute) * 60 + second;
}

std::optional<LogEvent> ReadLogEvent(std::string_view line) {
    size_t pos = 0;
    int day, month, year, hour, minute, second;
    if (!Digits(line, pos, 2, day) || !Separator(line, pos) || !Digits(line, pos, 2, month) ||
        !Separator(line, pos) || !Digits(line, pos, 4, year) || pos >= line.size() ||
        line[pos++] != ' ' || !Digits(line, pos, 2, hour) || !Separator(line, pos) ||
        !Digits(line, pos, 2, minute) || !Separator(line, pos) || !Digits(line, pos, 2, second))
        return std::nullopt;
    if (day < 1 || day > 31 || month < 1 || month > 12 || hour > 23 || minute > 59 || second > 59 ||
        line.substr(pos, kMarker.size()) != kMarker)
        return std::nullopt;
    LogEvent event;
    std::optional<EventKind> kind = Classify(line.substr(pos + kMarker.size()), event);
    if (!kind)
        return std::nullopt;
    event.kind = *kind;
    event.at = LocalSeconds(year, month, day, hour, minute, second);
    return event;
}

}  // namespace qv::report
