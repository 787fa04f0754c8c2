#pragma once

// Root of the framework's exceptions. They are thrown by value and caught by
// reference, so a handler that drops one leaks nothing.
class CException {
public:
    virtual ~CException() = default;
};
