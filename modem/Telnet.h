#pragma once
#include <string>

namespace qv {

// The telnet protocol as a terminal that accepts no option speaks it. Bytes received go in;
// the data among them comes out with every telnet command removed, together with the answers
// to write back: WONT for each DO, DONT for each WILL, nothing for DONT and WONT (so no
// exchange can loop). A command split across two receives is still recognised.
// True for the word "telnet" in any case, which line 1 of the command file may carry third.
bool IsTelnetWord(const std::string& word);

class TelnetFilter {
  public:
    struct Output {
        std::string data;     // the text the peer sent, commands removed (IAC IAC is one 255)
        std::string answers;  // bytes to send back at once
    };

    Output Take(const std::string& bytes);

    // True once the peer has sent a byte 255: it speaks telnet.
    bool PeerSpeaksTelnet() const { return spoken_; }

    // Back to the start of a new connection.
    void Reset() { *this = TelnetFilter{}; }

    // The bytes to write for a text: each 255 doubled, so that it travels as data.
    static std::string Escape(const std::string& text);

  private:
    enum class State { Data, Command, Option, Sub, SubCommand };
    State state_ = State::Data;
    unsigned char verb_ = 0;  // the DO, DONT, WILL or WONT awaiting its option byte
    bool spoken_ = false;
};

}  // namespace qv
