#pragma once
// A window message as its handlers see it.
#include "platform/win_types.h"

#include <functional>

namespace tk {

struct TMessage {
    win::UINT Msg = 0;
    win::WPARAM WParam = 0;
    win::LPARAM LParam = 0;
    win::LRESULT Result = 0;
};

using MessageHandler = std::function<void(TMessage& message)>;

} // namespace tk
