#pragma once

// A point or a distance on the screen, in window pixels: x to the right, y
// downwards, in single precision, as the graphics library computes them.
struct Point {
    float x = 0.f;
    float y = 0.f;

    friend Point operator+(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
    friend Point operator-(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
    friend Point operator*(Point a, float factor) { return {a.x * factor, a.y * factor}; }
    friend bool operator==(Point a, Point b) { return a.x == b.x && a.y == b.y; }
    friend bool operator!=(Point a, Point b) { return !(a == b); }
};
