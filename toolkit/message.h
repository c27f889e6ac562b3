#pragma once
// A window message as its handlers see it. LParam is 32 bits wide like the records the messages
// belong to, so a message whose LParam would point at a record (WM_GETMINMAXINFO, WM_DEVICECHANGE)
// carries the record in Record instead.
#include "platform/win_types.h"

#include <functional>

namespace tk {

struct TMessage {
    win::UINT Msg = 0;
    win::WPARAM WParam = 0;
    win::LPARAM LParam = 0;
    win::LRESULT Result = 0;
    void* Record = nullptr;

    template <class T> T* RecordAs() const { return static_cast<T*>(Record); }
};

using MessageHandler = std::function<void(TMessage& message)>;

} // namespace tk
