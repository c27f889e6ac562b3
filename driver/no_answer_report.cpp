#include "driver/no_answer_report.h"

#include "platform/message_box.h"

#include <atomic>

namespace driver {
namespace {

std::atomic<bool> reported{false};

} // namespace

void ReportDriverNotAnswering() {
    if (reported.exchange(true)) return;
    win::MessageBoxA(0, "Der Kova 2 Treiber antwortet nicht.\r\nDie Anfrage an den Treiber wurde abgebrochen.",
                     "Kova 2 Fehler", win::MB_OK | win::MB_ICONHAND);
}

void ResetDriverNotAnsweringReport() {
    reported = false;
}

} // namespace driver
