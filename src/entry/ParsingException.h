#pragma once

#include <stdexcept>
#include <string>

// Raised by a grammar rule that meets a token it cannot use; the parser turns it into "no tree".
class ParsingException : public std::runtime_error {
public:
    explicit ParsingException(const std::string& reason) : std::runtime_error(reason) {}
    static const char* name() { return "ParsingException"; }
};
