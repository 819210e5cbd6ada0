// SPDX-License-Identifier: MIT
#pragma once

#include "core/model/BrevantaError.h"

#include <QString>

#include <utility>

namespace brevanta {

/// A failure of the journal store; its description is the sentence the user sees.
class StoreError : public BrevantaError {
public:
    explicit StoreError(QString description)
        : m_description(std::move(description)) {}
    QString description() const override { return m_description; }

private:
    QString m_description;
};

} // namespace brevanta
