// A drawing surface that records every call, for checking what the model draws.
#pragma once

#include <string>
#include <vector>

#include "gui/model/drawing_surface.h"

namespace tokarium::test {

enum class Op { kLine, kPolyline, kRectangle, kRoundedRectangle, kEllipse, kPolygon, kBeziers, kText, kTextBlock, kPushClip, kPopClip };

struct DrawCall {
    Op op;
    std::vector<Point> points;
    Rect rect;
    std::int32_t radius = 0;
    Pen pen;
    Brush brush;
    std::string text;
    TextStyle style;
};

// Text measures six units per character and twelve per line.
class RecordingSurface : public DrawingSurface {
public:
    static constexpr std::int32_t kCharWidth = 6;
    static constexpr std::int32_t kLineHeight = 12;

    std::vector<DrawCall> calls;

    std::vector<DrawCall> callsOf(Op op) const {
        std::vector<DrawCall> found;
        for (const DrawCall& call : calls)
            if (call.op == op)
                found.push_back(call);
        return found;
    }

    void drawLine(Point from, Point to, const Pen& pen) override { calls.push_back({Op::kLine, {from, to}, {}, 0, pen, {}, {}, {}}); }
    void drawPolyline(const std::vector<Point>& points, const Pen& pen) override {
        calls.push_back({Op::kPolyline, points, {}, 0, pen, {}, {}, {}});
    }
    void drawRectangle(const Rect& rect, const Pen& pen, const Brush& brush) override {
        calls.push_back({Op::kRectangle, {}, rect, 0, pen, brush, {}, {}});
    }
    void drawRoundedRectangle(const Rect& rect, std::int32_t radius, const Pen& pen, const Brush& brush) override {
        calls.push_back({Op::kRoundedRectangle, {}, rect, radius, pen, brush, {}, {}});
    }
    void drawEllipse(const Rect& rect, const Pen& pen, const Brush& brush) override {
        calls.push_back({Op::kEllipse, {}, rect, 0, pen, brush, {}, {}});
    }
    void drawPolygon(const std::vector<Point>& points, const Pen& pen, const Brush& brush) override {
        calls.push_back({Op::kPolygon, points, {}, 0, pen, brush, {}, {}});
    }
    void drawBeziers(const std::vector<Point>& points, const Pen& pen) override {
        calls.push_back({Op::kBeziers, points, {}, 0, pen, {}, {}, {}});
    }
    void drawText(Point anchor, std::string_view text, const TextStyle& style) override {
        calls.push_back({Op::kText, {anchor}, {}, 0, {}, {}, std::string(text), style});
    }
    void drawTextBlock(const Rect& box, std::string_view text, const TextStyle& style) override {
        calls.push_back({Op::kTextBlock, {}, box, 0, {}, {}, std::string(text), style});
    }
    Size measureText(std::string_view text, const Font&) override {
        return {static_cast<std::int32_t>(text.size()) * kCharWidth, kLineHeight};
    }
    void pushClip(const Rect& rect) override { calls.push_back({Op::kPushClip, {}, rect, 0, {}, {}, {}, {}}); }
    void popClip() override { calls.push_back({Op::kPopClip, {}, {}, 0, {}, {}, {}, {}}); }
};

} // namespace tokarium::test
