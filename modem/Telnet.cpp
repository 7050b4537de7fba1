#include "modem/Telnet.h"

#include <cctype>

namespace qv {
namespace {

constexpr unsigned char kIac = 255;
constexpr unsigned char kDont = 254;
constexpr unsigned char kDo = 253;
constexpr unsigned char kWont = 252;
constexpr unsigned char kWill = 251;
constexpr unsigned char kSb = 250;
constexpr unsigned char kSe = 240;

}  // namespace

bool IsTelnetWord(const std::string& word) {
    const std::string telnet = "telnet";
    if (word.size() != telnet.size())
        return false;
    for (size_t i = 0; i < word.size(); ++i) {
        if (std::tolower(static_cast<unsigned char>(word[i])) != telnet[i])
            return false;
    }
    return true;
}

TelnetFilter::Output TelnetFilter::Take(const std::string& bytes) {
    Output out;
    out.data.reserve(bytes.size());
    for (char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        if (b == kIac)
            spoken_ = true;
        switch (state_) {
            case State::Data:
                if (b == kIac)
                    state_ = State::Command;
                else
                    out.data += c;
                break;
            case State::Command:
                if (b == kIac) {
                    out.data += c;
                    state_ = State::Data;
                } else if (b >= kWill && b <= kDont) {
                    verb_ = b;
                    state_ = State::Option;
                } else if (b == kSb) {
                    state_ = State::Sub;
                } else {
                    state_ = State::Data;  // any other two-byte command
                }
                break;
            case State::Option:
                if (verb_ == kDo || verb_ == kWill) {
                    out.answers += static_cast<char>(kIac);
                    out.answers += static_cast<char>(verb_ == kDo ? kWont : kDont);
                    out.answers += c;
                }
                state_ = State::Data;
                break;
            case State::Sub:
                if (b == kIac)
                    state_ = State::SubCommand;
                break;
            case State::SubCommand:
                // IAC SE ends the subnegotiation; IAC IAC is a data byte inside it.
                state_ = b == kSe ? State::Data : State::Sub;
                break;
        }
    }
    return out;
}

std::string TelnetFilter::Escape(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text) {
        out += c;
        if (static_cast<unsigned char>(c) == kIac)
            out += c;
    }
    return out;
}

}  // namespace qv
