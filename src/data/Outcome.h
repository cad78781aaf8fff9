#pragma once

#include "data/DatabaseFailure.h"
#include "text/UserMessage.h"

#include <QList>

#include <optional>
#include <utility>

namespace tolvane {

// What an operation hands back: its result, the fixed messages a person is to read, in order, or both (a
// listing that found nothing still has its text, and its warning). An operation that could not reach the
// library says so in its message and marks databaseFailed.
template <typename T> struct Outcome {
    std::optional<T> value;
    QList<UserMessage> messages;
    bool databaseFailed = false;

    Outcome() = default;
    Outcome(T result) // NOLINT(google-explicit-constructor): an operation returns its result as it is
        : value(std::move(result))
    {
    }
    static Outcome refused(const UserMessage &message)
    {
        Outcome outcome;
        outcome.messages.append(message);
        return outcome;
    }
    static Outcome failed(const DatabaseFailure &failure)
    {
        Outcome outcome = refused(failure.message());
        outcome.databaseFailed = true;
        return outcome;
    }

    // The first message, if there is one.
    std::optional<UserMessage> message() const
    {
        return messages.isEmpty() ? std::nullopt : std::optional<UserMessage>(messages.constFirst());
    }
};

} // namespace tolvane
