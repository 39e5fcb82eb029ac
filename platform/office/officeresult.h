#pragma once
// Results of the spreadsheet layer: a value or an error that says what went wrong (in German,
// English through the language module) and where, so that a caller shows it without guessing.
#include <QString>

#include <utility>
#include <variant>

#include "platform/rtl/sysutils.h"

struct OfficeError {
    QString message;   // what went wrong, for the user
    QString position;  // where: a part of the file, a line and column, a cell; may be empty

    // The message with its position in brackets, as an error box shows it.
    QString Text() const;
};

// Raised by OfficeResult::ValueOrThrow for callers that report errors as exceptions.
class EOfficeError : public Exception {
    using Exception::Exception;
};

template <typename T>
class [[nodiscard]] OfficeResult {
public:
    OfficeResult(T value) : state_(std::move(value)) {}
    OfficeResult(OfficeError error) : state_(std::move(error)) {}

    bool Ok() const { return state_.index() == 0; }
    const T& Value() const { return std::get<0>(state_); }
    T& Value() { return std::get<0>(state_); }
    const OfficeError& Error() const { return std::get<1>(state_); }
    T ValueOrThrow() &&
    {
        if (!Ok())
            throw EOfficeError(Error().Text());
        return std::move(std::get<0>(state_));
    }

private:
    std::variant<T, OfficeError> state_;
};

// The result of a step that gives nothing back but may fail (saving a workbook).
template <>
class [[nodiscard]] OfficeResult<void> {
public:
    OfficeResult() = default;
    OfficeResult(OfficeError error) : failed_(true), error_(std::move(error)) {}

    bool Ok() const { return !failed_; }
    const OfficeError& Error() const { return error_; }
    void ThrowIfFailed() const
    {
        if (failed_)
            throw EOfficeError(error_.Text());
    }

private:
    bool failed_ = false;
    OfficeError error_;
};
