// SPDX-License-Identifier: MIT
#pragma once

#include <QWidget>

namespace brevanta {

class FirstFitContainer;

/// A developer's page showing every piece of the visual vocabulary in place, in either
/// appearance; started with `brevanta --design-gallery`.
class DesignGallery : public QWidget {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(DesignGallery)

public:
    explicit DesignGallery(QWidget* parent = nullptr);

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QWidget* buildSidebar();
    QWidget* buildContent();
    QWidget* buildBrandSection();
    QWidget* buildColourSection();
    QWidget* buildTypeSection();
    QWidget* buildButtonSection();
    QWidget* buildSurfaceSection();
    QWidget* buildHeaderSection();
    QWidget* buildInputSection();
    QWidget* buildIconSection();
    QWidget* buildFitSection();
    void toggleAppearance();

    QWidget* m_sidebar = nullptr;
};

} // namespace brevanta
