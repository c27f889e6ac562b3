#pragma once
// Fixture: every test starts with a default card, tracing off and an empty trace.
#include "simcard/state_file.h"
#include "simcard/trace.h"

#include <gtest/gtest.h>

namespace simcard {

class FreshCard : public testing::Test {
protected:
    void SetUp() override {
        testing::internal::CaptureStderr(); // the first test of a run creates the file and says so
        ProcessCardState().Access([](CardStateLayout& state) { state = DefaultState(); });
        testing::internal::GetCapturedStderr();
        SetTraceEnabled(false);
        ClearTrace();
    }

    template <class Fn> decltype(auto) Card(Fn&& fn) { return ProcessCardState().Access(std::forward<Fn>(fn)); }
};

} // namespace simcard
