#pragma once
// Detection's working tables and the identity history kept across frames.

struct DetectionState
{
    void Reset() {}
};
