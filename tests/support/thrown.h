// The exception of a given type that an operation throws, kept so a test can
// check its fields; the current test fails when nothing of that type is thrown.
#pragma once

#include <gtest/gtest.h>

#include <optional>

namespace tabulorix::testing {

template <typename Error, typename Operation>
std::optional<Error> Thrown(Operation&& operation) {
    try {
        operation();
    } catch (const Error& error) {
        return error;
    }
    ADD_FAILURE() << "the operation threw nothing of the expected type";
    return std::nullopt;
}

}  // namespace tabulorix::testing
