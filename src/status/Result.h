// SPDX-License-Identifier: GPL-2.0-or-later
// The outcome of an operation that can fail: a value, or the error that says why (a message by
// default; a program's own failure type where it carries more, such as an exit code). The one
// error idiom outside the socket layer, which reports Windows Sockets error numbers instead.
#pragma once

#include <string>
#include <type_traits>
#include <utility>
#include <variant>

template <typename E> struct Failure
{
    E error;
};

// Marks a return value as the failure, so that T and E may even be the same type.
template <typename E> Failure<std::decay_t<E>> Fail(E&& error)
{
    return {std::forward<E>(error)};
}

template <typename T, typename E = std::string> class Result
{
public:
    Result(T value) : state(std::in_place_index<0>, std::move(value)) {}
    template <typename F>
    Result(Failure<F> failure) : state(std::in_place_index<1>, std::move(failure.error))
    {}

    bool HasValue() const { return state.index() == 0; }
    explicit operator bool() const { return HasValue(); }

    // Only when HasValue().
    T& Value() { return std::get<0>(state); }
    const T& Value() const { return std::get<0>(state); }
    T* operator->() { return &Value(); }
    const T* operator->() const { return &Value(); }
    T& operator*() { return Value(); }
    const T& operator*() const { return Value(); }

    // Only when !HasValue().
    const E& Error() const { return std::get<1>(state); }

private:
    std::variant<T, E> state;
};
