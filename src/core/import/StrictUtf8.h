// SPDX-License-Identifier: MIT
#pragma once

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace brevanta::StrictUtf8 {

/// The text the bytes encode, or nothing when they are not well-formed UTF-8: overlong forms,
/// encoded surrogates (ED A0..ED BF), code points above U+10FFFF, truncated sequences and stray
/// continuation bytes are all refused rather than replaced. A byte-order mark is kept as U+FEFF.
std::optional<QString> decode(QByteArrayView bytes);

} // namespace brevanta::StrictUtf8
