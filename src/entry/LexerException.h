#pragma once

#include <stdexcept>
#include <string>

// Raised when no token definition matches at the current position.
class LexerException : public std::runtime_error {
public:
    explicit LexerException(const std::string& name) : std::runtime_error(name) {}
};
