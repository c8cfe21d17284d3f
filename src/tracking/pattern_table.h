#pragma once
// The library's table of loaded patterns (slots 0..49).

struct PatternTable
{
    void Reset() {}
};
