// SPDX-FileCopyrightText: 2026 The Quilvane developers
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "platform/DialogTemplate.h"

// The dialog templates, by resource id.
const DialogTemplate& AboutDialogTemplate();   // 100
const DialogTemplate& DesignPageTemplate();    // 102
const DialogTemplate& PreviewDialogTemplate(); // 137
const DialogTemplate& SlideShowPageTemplate(); // 139
const DialogTemplate& TipDialogTemplate();     // 141

// Every template, in id order.
std::span<const DialogTemplate* const> AllDialogTemplates();
