// The program with every channel window open for the cards the simulated card shows, metering until it
// is ended by a signal: what the soak script watches from outside.
#include "tests/app/all_windows.h"

#include <QApplication>
#include <cstdio>
#include <cstdlib>

int main(int argc, char** argv) {
    setenv("QT_QPA_PLATFORM", "offscreen", 0);
    QApplication qtApplication(argc, argv);
    tk::Owned<tk::TApplication> application(new tk::TApplication);
    OpenChannelWindows(*application);
    std::puts("all windows open");
    std::fflush(stdout);
    while (!app::TerminateRequested) application->HandleMessage();
    return 0;
}
