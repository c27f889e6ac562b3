#pragma once
// Fixture: every test starts with a default card, tracing off and an empty trace.
#include "simcard/state_file.h"
#include "simcard/trace.h"

#include <gtest/gtest.h>
#include <vector>

namespace simcard {

// A record as its 32-bit fields.
inline std::vector<std::int32_t> Int32Fields(const std::vector<std::byte>& record) {
    std::vector<std::int32_t> fields(record.size() / 4);
    for (std::size_t i = 0; i < fields.size(); ++i)
        fields[i] = LoadInt32(record.data() + 4 * i);
    return fields;
}

class FreshCard : public testing::Test {
protected:
    void SetUp() override {
        ResetCard();
        SetTraceEnabled(false);
        ClearTrace();
    }

    // For fixtures whose members need the default card before SetUp runs.
    static void ResetCard() {
        testing::internal::CaptureStderr(); // the first test of a run creates the file and says so
        ProcessCardState().Access([](CardStateLayout& state) { state = DefaultState(); });
        testing::internal::GetCapturedStderr();
    }

    template <class Fn> decltype(auto) Card(Fn&& fn) {
        return ProcessCardState().Access(std::forward<Fn>(fn));
    }
};

} // namespace simcard
