#pragma once
#include <cstdint>

// Threading model of objects used on one thread only: a plain counter.
struct SingleThreadedModel {
    typedef std::int32_t CountType;
};
