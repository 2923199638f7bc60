#pragma once
// Transfers and file operations fail by raising the number of a status text; the step
// that started the operation catches it, shows the text and cleans up.

#include <stdexcept>
#include <string>

namespace q9tx {

class StatusError : public std::runtime_error {
public:
    explicit StatusError(int number)
        : std::runtime_error("status " + std::to_string(number)), number_(number) {}
    int number() const { return number_; }

private:
    int number_;
};

// A text that the integer or decimal conversion cannot read. The window's general
// error box shows what() ("'%s' is not a valid integer value" and the like).
class ConversionError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace q9tx
