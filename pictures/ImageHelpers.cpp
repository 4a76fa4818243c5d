// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pictures/ImageHelpers.h"

#include <algorithm>
#include <climits>
#include <cstdint>

namespace {

// num / den rounded to the nearest integer, halves up; all operands positive.
std::int64_t RoundedDiv(std::int64_t num, std::int64_t den)
{
    return (2 * num + den) / (2 * den);
}

} // namespace

CRect ResizeRect(const CRect& src, const CRect& dst, float& scale)
{
    // Sides in 64 bits: a rectangle spanning most of the int range would
    // overflow CRect::Width(). Sides beyond INT_MAX are nonsense and would
    // overflow the cross products below, so they count as empty.
    const std::int64_t sw = std::int64_t{src.right} - src.left;
    const std::int64_t sh = std::int64_t{src.bottom} - src.top;
    const std::int64_t dw = std::int64_t{dst.right} - dst.left;
    const std::int64_t dh = std::int64_t{dst.bottom} - dst.top;
    const auto usable = [](std::int64_t side) { return side > 0 && side <= INT_MAX; };
    if (!usable(sw) || !usable(sh) || !usable(dw) || !usable(dh)) {
        scale = 0.0f;
        return CRect(dst.left, dst.top, dst.left, dst.top);
    }

    // Compare aspect ratios with integer cross products: float division could
    // pick the wrong limiting side for equal ratios and leave a side one
    // pixel short of dst.

    std::int64_t w = 0;
    std::int64_t h = 0;
    if (sw * dh <= dw * sh) {
        // Height limits (source as tall as or taller than dst, relatively).
        h = dh;
        w = std::clamp<std::int64_t>(RoundedDiv(sw * dh, sh), 1, dw);
        scale = static_cast<float>(static_cast<double>(dh) / static_cast<double>(sh));
    } else {
        w = dw;
        h = std::clamp<std::int64_t>(RoundedDiv(sh * dw, sw), 1, dh);
        scale = static_cast<float>(static_cast<double>(dw) / static_cast<double>(sw));
    }

    const int left = dst.left + static_cast<int>((dw - w) / 2);
    const int top = dst.top + static_cast<int>((dh - h) / 2);
    return CRect(left, top, left + static_cast<int>(w), top + static_cast<int>(h));
}
