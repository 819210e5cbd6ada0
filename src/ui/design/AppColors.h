// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/PracticeCategory.h"
#include "ui/design/AppColor.h"

#include <QPalette>

namespace brevanta {

/// The named colours every screen draws with. Nothing is resolved here: each function returns an
/// AppColor that the caller resolves against the effective palette while painting.
struct AppColors {
    enum class Appearance { light, dark };

    /// Dark when the palette's text is lighter than its window, whatever the platform calls it.
    static Appearance appearance(const QPalette& palette);
    /// A complete palette in the vocabulary's colours, for installing on the application.
    static QPalette palette(Appearance appearance);

    // Adaptive surfaces.
    static AppColor windowBackground();
    static AppColor elevatedSurface();
    static AppColor secondarySurface();
    static AppColor border();
    static AppColor shadow();

    // The sidebar is dark in both appearances.
    static AppColor sidebar();
    static AppColor sidebarSurface();
    static AppColor sidebarText();
    static AppColor sidebarSecondaryText();

    static AppColor accent();

    // Label colours, taken from the palette's window text.
    static AppColor primaryText();
    static AppColor secondaryText();
    static AppColor tertiaryText();

    static AppColor success();
    static AppColor warning();
    static AppColor destructive();

    static AppColor category(PracticeCategory category);
};

} // namespace brevanta
