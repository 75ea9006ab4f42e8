// Integer points and rectangles in the sheet's logical units (y grows downwards).
#pragma once

#include <algorithm>
#include <cstdint>

namespace tokarium {

struct Point {
    std::int32_t x = 0;
    std::int32_t y = 0;
    friend bool operator==(const Point&, const Point&) = default;
};

struct Size {
    std::int32_t width = 0;
    std::int32_t height = 0;
    friend bool operator==(const Size&, const Size&) = default;
};

// A rectangle holds the points with left <= x < right and top <= y < bottom.
struct Rect {
    std::int32_t left = 0;
    std::int32_t top = 0;
    std::int32_t right = 0;
    std::int32_t bottom = 0;

    friend bool operator==(const Rect&, const Rect&) = default;

    static Rect fromCorners(Point a, Point b) {
        return {std::min(a.x, b.x), std::min(a.y, b.y), std::max(a.x, b.x), std::max(a.y, b.y)};
    }
    static Rect centredOn(Point centre, std::int32_t width, std::int32_t height) {
        Rect r{centre.x - width / 2, centre.y - height / 2, 0, 0};
        r.right = r.left + width;
        r.bottom = r.top + height;
        return r;
    }

    bool isEmpty() const { return right <= left || bottom <= top; }
    std::int32_t width() const { return right - left; }
    std::int32_t height() const { return bottom - top; }
    Point centre() const { return {(left + right) / 2, (top + bottom) / 2}; }
    bool contains(Point p) const { return p.x >= left && p.x < right && p.y >= top && p.y < bottom; }
    // True when the two rectangles share at least one point.
    bool intersects(const Rect& other) const {
        return !isEmpty() && !other.isEmpty() && std::max(left, other.left) < std::min(right, other.right)
            && std::max(top, other.top) < std::min(bottom, other.bottom);
    }
    Rect inflated(std::int32_t dx, std::int32_t dy) const { return {left - dx, top - dy, right + dx, bottom + dy}; }
    Rect translated(std::int32_t dx, std::int32_t dy) const { return {left + dx, top + dy, right + dx, bottom + dy}; }
    // Smallest rectangle holding both; an empty operand is ignored.
    Rect united(const Rect& other) const {
        if (other.isEmpty())
            return *this;
        if (isEmpty())
            return other;
        return {std::min(left, other.left), std::min(top, other.top), std::max(right, other.right),
                std::max(bottom, other.bottom)};
    }
};

} // namespace tokarium
