// SPDX-License-Identifier: MIT
#include "core/model/BrevantaError.h"

namespace brevanta {

const char* BrevantaError::what() const noexcept {
    try {
        m_what = description().toUtf8();
    } catch (...) {
        return "BrevantaError";
    }
    return m_what.constData();
}

} // namespace brevanta
