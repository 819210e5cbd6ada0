// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppSurface.h"

#include <QPointer>

class QCheckBox;

namespace brevanta {

class AppLabel;
class PracticeImportViewModel;

/// The review's card for one file a spreadsheet rewrote: what was found, with an example cell,
/// how to export the sheet so that it reads as typed, and the option to read what the
/// spreadsheet wrote. Follows the model; hides itself while the file needs no card.
class SpreadsheetFormatCard : public AppSurface {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(SpreadsheetFormatCard)

public:
    /// The card of the file at `fileIndex` of `model`, which must outlive it.
    SpreadsheetFormatCard(PracticeImportViewModel& model, qsizetype fileIndex,
                          QWidget* parent = nullptr);

    qsizetype fileIndex() const { return m_fileIndex; }
    QCheckBox* readOption() const { return m_readOption; }

private:
    void refresh();

    PracticeImportViewModel& m_model;
    qsizetype m_fileIndex;
    AppLabel* m_heading = nullptr;
    AppLabel* m_findings = nullptr;
    AppLabel* m_advice = nullptr;
    AppLabel* m_skipped = nullptr;
    QCheckBox* m_readOption = nullptr;
    bool m_hiddenForModel = false;
};

} // namespace brevanta
