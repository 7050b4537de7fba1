#pragma once
#include "modem/ModemContext.h"
#include <string>

namespace qv {

// Reads the telnet command file: line 1 the modem's address and port, then WAIT/SEND lines in
// pairs. Fills ModemAddress, ModemPort and CommandPairs and returns true when the whole file
// was read; logs what is wrong with it and returns false otherwise. With the word "web" after
// the port, the lines that follow are web steps (modem/WebSteps.h), kept in WebSteps.
bool ReadCommandFile(const ModemContext& ctx, const std::string& path);

// Decodes the escapes of a command argument in place and returns the result: "\m" becomes
// CR LF, then "\"" a double quote, then "\\" one backslash.
std::string DecodeEscapes(std::string& text);

}  // namespace qv
