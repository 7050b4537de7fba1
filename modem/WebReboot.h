#pragma once
#include <vector>

#include "modem/ModemContext.h"
#include "modem/WebSteps.h"

namespace qv {

// Plays the steps of a web-mode command file as web requests, answering a device's login
// challenge once per request with the USER given before it. True when every step succeeded;
// false after the first that failed, which has been logged (unless the program was asked to
// end). Log lines and the modem trace show URLs without their query and user information.
bool PlayWebSteps(const ModemContext& ctx, const std::vector<WebStep>& steps);

// A client nonce nobody can foretell: 32 hexadecimal digits.
std::string RandomCnonce();

}  // namespace qv
