#pragma once
// Where the editor view draws: the letterbox that keeps the video's aspect
// ratio, and the four quadrants inside it. Pure arithmetic in device pixels,
// with y counted from the bottom as OpenGL viewports are.

struct CGlRect
{
    int left = 0;
    int bottom = 0;
    int right = 0;
    int top = 0;

    int Width() const { return right - left; }
    int Height() const { return top - bottom; }
    bool operator==(const CGlRect& other) const
    {
        return left == other.left && bottom == other.bottom && right == other.right &&
               top == other.top;
    }
};

struct CViewportLayout
{
    CGlRect letterbox;
    // [column][row]: [0][0] upper left, [0][1] lower left, [1][0] upper
    // right, [1][1] lower right.
    CGlRect quadrants[2][2];
};

// The gap between quadrants, split evenly on both sides of the middle lines.
constexpr int kQuadrantGapPx = 6;

// `cx` x `cy` is the drawing area; a frame of `frameWidth` x `frameHeight`
// (0 when there is no video) is fitted into it without distortion.
CViewportLayout LayoutViewports(int cx, int cy, int frameWidth, int frameHeight);
