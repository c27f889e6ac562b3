#pragma once
// Four simulated cards, for the benchmarks and the life-cycle run that want the program at its largest.
#include "driver/device_discovery.h"
#include "platform/paths.h"

#include <QProcess>
#include <QString>

// The simulated card made to show four cards, and the devices found again.
inline bool FourCards() {
    const QString tool = QString::fromStdString((platform::ExecutableDir() / "kova2-card").string());
    QProcess process;
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(tool, {QStringLiteral("cards"), QStringLiteral("4")});
    if (!process.waitForFinished() || process.exitCode() != 0) return false;
    driver::DiscoverDevices();
    return driver::CardCount == 4;
}
