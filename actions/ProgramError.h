#pragma once
#include <stdexcept>
#include <string>

namespace qv {

// A failure inside a routine, carrying the error number that its log line reports.
class ProgramError : public std::runtime_error {
  public:
    explicit ProgramError(int number)
        : std::runtime_error("error " + std::to_string(number)), number_(number) {}
    int Number() const { return number_; }

  private:
    int number_;
};

// The error numbers the program reports.
inline constexpr int kErrOverflow = 6;
inline constexpr int kErrSubscript = 9;
inline constexpr int kErrPastEndOfFile = 62;

}  // namespace qv
