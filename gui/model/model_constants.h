// Named sizes, distances and default values of the net model.
#pragma once

#include <cstdint>

#include "gui/model/object_format.h"

namespace tokarium {

// Handles: 7 x 7 units around their point (x-3 .. x+4), grown by 3 for hit tests.
constexpr std::int32_t kHandleBefore = 3;
constexpr std::int32_t kHandleAfter = 4;
constexpr std::int32_t kHandleHitGrowth = 3;
// Bodies are hit within 3 units of their bounds.
constexpr std::int32_t kBodyHitGrowth = 3;
// An arc is hit, and a route point is placed on a segment, closer than this.
constexpr double kArcHitDistance = 10.0;
// No edge of a resized object comes closer than this to the opposite edge.
constexpr std::int32_t kMinimumObjectSize = 10;

// Default sizes of new objects.
constexpr std::int32_t kPlaceDiameter = 40;
constexpr std::int32_t kTransitionLength = 40;
constexpr std::int32_t kTransitionThickness = 7;
constexpr std::int32_t kGraphWidth = 180;
constexpr std::int32_t kGraphHeight = 120;
constexpr std::int32_t kLegendWidth = 180;
constexpr std::int32_t kLegendHeight = 60;

// Default colours (0x00BBGGRR).
constexpr Colour kDiscretePlaceBack = 0xFFCC99;
constexpr Colour kContinuousPlaceBack = 0xCCFFCC;
constexpr Colour kDiscreteTransitionBack = 0xFF6633;
constexpr Colour kDiscreteTransitionLine = 0xFF6633;
constexpr Colour kContinuousTransitionBack = 0xFFFFFF;
constexpr Colour kContinuousTransitionLine = 0x669933;
constexpr Colour kSelectedArcColour = 0xC0C0C0;
constexpr Colour kHandleFill = kWhite;

// The special values: marking -1 is "0+", transition value -1 is "inf".
constexpr double kInfinitesimalMarking = -1.0;
constexpr double kInfiniteValue = -1.0;

// Discrete places show up to this many tokens as dots; more are written as a number.
constexpr double kMaximumDotMarking = 8.0;
constexpr std::int32_t kTokenDotSize = 7;
// Labels keep this distance from the object.
constexpr std::int32_t kLabelGap = 4;
// Corner radius of framed boxes and of arc weight boxes; shadow offset of framed boxes.
constexpr std::int32_t kFrameCornerRadius = 20;
constexpr std::int32_t kWeightBoxCornerRadius = 10;
constexpr std::int32_t kShadowOffset = 2;

} // namespace tokarium
