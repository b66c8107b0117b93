#pragma once

#include <QString>

#include <optional>
#include <utility>
#include <variant>

// The outcome of one call on the presentation program: a value, or the reason there is none.
// Nothing is thrown across the presentation interfaces; callers test ok() right after the call,
// the way the program's handlers trap errors one call at a time.
template <typename T> class PresentationResult
{
public:
    PresentationResult(T value) : m_value(std::move(value)) {}

    static PresentationResult failure(QString error)
    {
        PresentationResult result;
        result.m_error = error.isEmpty() ? QStringLiteral("failed") : std::move(error);
        return result;
    }

    bool ok() const { return m_value.has_value(); }
    // Only meaningful when ok().
    const T& value() const { return *m_value; }
    T valueOr(T fallback) const { return m_value ? *m_value : std::move(fallback); }
    // Empty when ok().
    const QString& error() const { return m_error; }

private:
    PresentationResult() = default;

    std::optional<T> m_value;
    QString m_error;
};

// For calls that only succeed or fail.
using PresentationStatus = PresentationResult<std::monostate>;

inline PresentationStatus presentationOk()
{
    return PresentationStatus(std::monostate{});
}

template <typename T = std::monostate> PresentationResult<T> presentationFailure(QString error)
{
    return PresentationResult<T>::failure(std::move(error));
}
