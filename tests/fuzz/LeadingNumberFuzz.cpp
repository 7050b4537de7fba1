// The number rules over arbitrary texts: LeadingNumber and SwitchOn always answer,
// WholeNumber answers a value within a half of the leading number or fails with error 6,
// SplitText and ReplaceAll keep the text they cut.
#include <algorithm>
#include <cmath>

#include "actions/ProgramError.h"
#include "actions/Text.h"
#include "settings/LeadingNumber.h"
#include "tests/fuzz/FuzzCheck.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    return qv::fuzz::Run([&] {
        const std::string text = qv::fuzz::Text(data, size);
        const double number = qv::LeadingNumber(text);
        QV_FUZZ_CHECK(!std::isnan(number));
        QV_FUZZ_CHECK(qv::SwitchOn(text) == (number != 0));

        try {
            const int32_t whole = qv::WholeNumber(text);
            QV_FUZZ_CHECK(std::fabs(static_cast<double>(whole) - number) <= 0.5);
        } catch (const qv::ProgramError& e) {
            QV_FUZZ_CHECK(e.Number() == qv::kErrOverflow);
            QV_FUZZ_CHECK(!(std::fabs(number) < 2147483647.0));
        }

        for (char separator : {',', ':', '-', '"', ' '}) {
            std::vector<std::string> parts = qv::SplitText(text, separator);
            if (text.empty()) {
                QV_FUZZ_CHECK(parts.empty());
                continue;
            }
            QV_FUZZ_CHECK(parts.size() ==
                          static_cast<size_t>(std::count(text.begin(), text.end(), separator)) + 1);
            std::string joined;
            for (size_t i = 0; i < parts.size(); ++i)
                joined += (i ? std::string(1, separator) : std::string()) + parts[i];
            QV_FUZZ_CHECK(joined == text);
        }

        const std::string cleaned = qv::ReplaceAll(text, "\\\\", "\\");
        QV_FUZZ_CHECK(cleaned.size() <= text.size());
        QV_FUZZ_CHECK(qv::ReplaceAll(text, "\r\n", "\r\n") == text);
    });
}
