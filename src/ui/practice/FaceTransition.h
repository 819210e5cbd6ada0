// SPDX-License-Identifier: MIT
#pragma once

class QStackedWidget;
class QWidget;

namespace brevanta {

/// Turns a stack of faces to another face at once, and plays the change over it: the old face
/// fades out while the new one fades in, growing from `startScale` about its centre, with an
/// ease-in-out curve. The picture is only a cover; the new face is live underneath from the
/// start, so keyboard focus and tests see it at once.
struct FaceTransition {
    static void turn(QStackedWidget* stack, QWidget* to, int milliseconds, double startScale);
};

} // namespace brevanta
