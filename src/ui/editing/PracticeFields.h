// SPDX-License-Identifier: MIT
#pragma once

#include "ui/design/AppColor.h"

#include <QDateEdit>
#include <QFont>
#include <QLineEdit>
#include <QTextEdit>

namespace brevanta {

/// The text fields of the practice forms.
struct PracticeFields {
    /// A plain, frameless field on whatever it stands on, written in `font`.
    static QLineEdit* plain(const QString& placeholder, const QFont& font,
                            QWidget* parent = nullptr);
};

/// A date field on a capsule outline, with the calendar popup.
class CapsuleDateEdit : public QDateEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CapsuleDateEdit)

public:
    explicit CapsuleDateEdit(QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

/// The accent for text and large figures: the accent itself on a light page, lifted on a dark
/// one, where the deep violet would sink into the background.
AppColor readableAccent();

/// A short single-line field on a capsule outline, `width` points of text padded 12 points across
/// and 8 down, with monospaced digits: the minutes fields.
class CapsuleLineEdit : public QLineEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(CapsuleLineEdit)

public:
    explicit CapsuleLineEdit(const QString& placeholder, int width, QWidget* parent = nullptr);

protected:
    void paintEvent(QPaintEvent* event) override;
    bool event(QEvent* event) override;
};

/// A multi-line plain-text field that grows with its text from `minimumLines` to
/// `maximumLines` visible lines and scrolls beyond, with extra spacing between lines.
class GrowingTextEdit : public QTextEdit {
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(GrowingTextEdit)

public:
    GrowingTextEdit(const QString& placeholder, const QFont& font, int minimumLines,
                    int maximumLines, qreal lineSpacing, QWidget* parent = nullptr);

    /// The text as typed, without rich formatting.
    QString text() const { return toPlainText(); }
    /// Replaces the text, keeping the cursor where it was as far as the new text allows.
    void setText(const QString& text);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override;

private:
    int heightForLines(int lines) const;
    int documentHeight() const;
    void applyLineSpacing();

    int m_minimumLines;
    int m_maximumLines;
    qreal m_lineSpacing;
};

} // namespace brevanta
