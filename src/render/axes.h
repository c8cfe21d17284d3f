#pragma once
// Draws the world axes from the origin, 100 units each: X red, Y blue,
// Z green, as one batch of lines with texturing off. No data; used by the
// editor's orthographic views and by the trackers' live drawing.

class CAxes
{
  public:
    static constexpr float kLength = 100.0f;

    void Draw() const;
};
