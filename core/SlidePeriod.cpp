// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#include "core/SlidePeriod.h"

#include "core/SlideListFile.h"

#include <algorithm>
#include <climits>

int SlidePeriodFromSeconds(long long seconds)
{
    if (seconds < 1)
        return kShortestSlidePeriodMs;
    // Anything beyond INT_MAX / 1000 seconds is past the longest period
    // already; capping first keeps the product from overflowing.
    seconds = std::min<long long>(seconds, INT_MAX / 1000 + 1);
    return static_cast<int>(std::min<long long>(seconds * 1000, INT_MAX));
}

int SlidePeriodFromText(const QString& frequencyText)
{
    return SlidePeriodFromSeconds(LeadingInteger(frequencyText.toUtf8()));
}
