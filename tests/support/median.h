#pragma once

#include <algorithm>
#include <cmath>
#include <vector>

// The middle value (the upper one of an even count); NaN for no values.
inline double Median(std::vector<double> values)
{
    if (values.empty())
        return NAN;
    std::nth_element(values.begin(), values.begin() + values.size() / 2, values.end());
    return values[values.size() / 2];
}
