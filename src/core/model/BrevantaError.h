// SPDX-License-Identifier: MIT
#pragma once

#include <QString>

#include <exception>

namespace brevanta {

/// Base of every error the core throws. Each error carries the exact sentence the user sees,
/// shown verbatim in an alert or inline message. Operations that can fail throw; none of them
/// leaves anything half-applied.
class BrevantaError : public std::exception {
public:
    virtual QString description() const = 0;
    const char* what() const noexcept override;

private:
    mutable QByteArray m_what;
};

} // namespace brevanta
