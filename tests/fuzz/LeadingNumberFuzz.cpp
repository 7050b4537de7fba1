// The number rules over arbitrary texts: LeadingNumber and SwitchOn always answer,
// WholeNumber answers a value within a half of the leading number or fails with error 6,
// SplitText keeps the text it cuts and ReplaceAll of a shorter text never grows it.
#include <algorithm>
#include <cmath>

#include "actions/ProgramError.h"
#include "settings/LeadingNumber.h"
#include "tests/fuzz/FuzzCheck.h"

QV_FUZZ_TARGET(text) {
    const double number = qv::LeadingNumber(text);
    QV_FUZZ_CHECK(!std::isnan(number) && qv::SwitchOn(text) == (number != 0));
    try {
        QV_FUZZ_CHECK(std::fabs(qv::WholeNumber(text) - number) <= 0.5);
    } catch (const qv::ProgramError& e) {
        QV_FUZZ_CHECK(e.Number() == qv::kErrOverflow && !(std::fabs(number) < 2147483647.0));
    }
    for (char separator : {',', ':', '-', '"', ' '}) {
        const std::vector<std::string> parts = qv::SplitText(text, separator);
        std::string joined;
        for (size_t i = 0; i < parts.size(); ++i)
            joined += (i ? std::string(1, separator) : std::string()) + parts[i];
        const auto cuts = static_cast<size_t>(std::count(text.begin(), text.end(), separator));
        QV_FUZZ_CHECK(joined == text && parts.size() == (text.empty() ? 0 : cuts + 1));
    }
    QV_FUZZ_CHECK(qv::ReplaceAll(text, "\\\\", "\\").size() <= text.size());
}
