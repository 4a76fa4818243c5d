// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// How long the slide show waits between pictures. The slide-show page and the
// command line both take their period from here.

#include <QString>

// The shortest period: the desktop is never changed many times a second.
inline constexpr int kShortestSlidePeriodMs = 1000;

// The period for a number of seconds: at least the shortest period, and at
// most the longest period a timer takes (a larger number saturates there).
int SlidePeriodFromSeconds(long long seconds);

// The period for a frequency as the page's field holds it: its leading number
// of seconds as atoi reads it.
int SlidePeriodFromText(const QString& frequencyText);
