#pragma once

#include <stdexcept>

// A surface operation that cannot be carried out (an invalid scale, pen width or colour).
class SurfaceError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};
