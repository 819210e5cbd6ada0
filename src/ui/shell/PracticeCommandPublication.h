// SPDX-License-Identifier: MIT
#pragma once

#include "ui/shell/PracticeCommandAction.h"

#include <QObject>

namespace brevanta {

/// The practice commands one main window publishes. The window replaces them whenever its state
/// or the running session changes; the menu reads them and never reaches into the window.
class PracticeCommandPublication final : public QObject {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(PracticeCommandPublication)

public:
    using QObject::QObject;

    const PracticeCommandValues& values() const { return m_values; }
    void publish(PracticeCommandValues values);

Q_SIGNALS:
    void valuesChanged();

private:
    PracticeCommandValues m_values;
};

} // namespace brevanta
