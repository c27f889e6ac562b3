#include "driver/driver_errors.h"
#include "tests/driver/message_box_capture.h"

#include <gtest/gtest.h>

using driver::DriverStates;

namespace {

constexpr const char* Fpga =
    "Fpga konnte nicht initialisiert werden.\r\nKeine Audiofunktionen auf diesem Gerät verfügbar.";

std::vector<CapturedBox> Report(DriverStates states) {
    MessageBoxCapture capture;
    driver::ReportDriverStates(states);
    return capture.boxes;
}

} // namespace

TEST(ReportDriverStates, HealthyOrSilencedStatesShowNothing) {
    EXPECT_TRUE(Report({1, {1, 1, 0, 0}}).empty());
    EXPECT_TRUE(Report({0, {0, 0, 0, 0}}).empty()) << "an unanswered getstates";
    EXPECT_TRUE(Report({-17, {-30, -25, 0, 0}}).empty());
    EXPECT_TRUE(Report({1, {0, -30, 0, 0}}).empty()) << "a state after the end of the list";
}

TEST(ReportDriverStates, SameFailureForDriverAndCard1IsShownOnceForTheCard) {
    const auto boxes = Report({-30, {-30, 0, 0, 0}});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Kova 2 Initialisierungsfehler");
    EXPECT_EQ(boxes[0].text,
              std::string("Die Hardware der Kova 2 Karte #1 konnte nicht initialisiert werden. \r\n") + Fpga);
    EXPECT_EQ(boxes[0].type, win::MB_OK | win::MB_ICONHAND);
    EXPECT_EQ(boxes[0].owner, 0u);
}

TEST(ReportDriverStates, OverallFailureIsShownForCardNumberZero) {
    const auto boxes = Report({-30, {1, 0, 0, 0}});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].text,
              std::string("Die Hardware der Kova 2 Karte #0 konnte nicht initialisiert werden. \r\n") + Fpga);
}

TEST(ReportDriverStates, FailingCardsAreShownInOrder) {
    auto boxes = Report({1, {1, -25, 0, 0}});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(
        boxes[0].text.rfind("Die Hardware der Kova 2 Karte #2 konnte nicht initialisiert werden. \r\nIRQ", 0),
        0u);

    boxes = Report({-1, {-31, 1, -22, -2}});
    ASSERT_EQ(boxes.size(), 4u);
    EXPECT_EQ(boxes[0].caption, "Kova 2 Fehler");
    EXPECT_NE(boxes[1].text.find("Karte #1 "), std::string::npos);
    EXPECT_NE(boxes[2].text.find("Karte #3 "), std::string::npos);
    EXPECT_EQ(boxes[3].text, "Die Hardware der Kova 2 Karte #4 konnte nicht initialisiert werden. \r\n"
                             "Fehler beim Lesen der Datei RBT Datei.");
}

TEST(ReportDriverStates, WrongVxdVersionHidesTheCardStates) {
    const auto boxes = Report({-27, {-30, -30, 0, 0}});
    ASSERT_EQ(boxes.size(), 1u);
    EXPECT_EQ(boxes[0].caption, "Kova 2 Initialisierungsfehler");
    EXPECT_EQ(boxes[0].text,
              "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nFalsche Version des Moduls "
              "kova2.VXD\r\nKeine Audiofunktionen auf diesem Gerät verfügbar.");
}

TEST(ShowDriverError, MessageFormsCaptionsAndIcons) {
    MessageBoxCapture capture;
    EXPECT_FALSE(driver::ShowDriverError(0, 1));
    EXPECT_FALSE(driver::ShowDriverError(2, 0));
    EXPECT_FALSE(driver::ShowDriverError(3, -50));
    EXPECT_TRUE(capture.boxes.empty());

    EXPECT_TRUE(driver::ShowDriverError(3, -52));
    EXPECT_TRUE(driver::ShowDriverError(1, -49));
    for (std::int32_t undefined : {7, 2, -9, -16, -32, -48, -62, INT32_MIN})
        EXPECT_TRUE(driver::ShowDriverError(1, undefined));
    ASSERT_EQ(capture.boxes.size(), 10u);

    EXPECT_EQ(capture.boxes[0].caption, "Kova 2 Warnung");
    EXPECT_EQ(capture.boxes[0].type, win::MB_OK | win::MB_ICONASTERISK);
    EXPECT_EQ(capture.boxes[0].text,
              "Die für das Gerät \"%s\" geforderte Samplerate von %d Hz stimmt nicht mit der "
              "des angeschlossenen und Clock Generators (%d Hz) überein.");
    EXPECT_EQ(capture.boxes[1].text,
              "Das Gerät  konnte nicht geöffnet werden. \r\nFehler bei I/O Operation mit "
              "Kernel.\r\nKeine Audiofunktionen auf diesem Gerät verfügbar.");
    for (std::size_t i = 2; i < capture.boxes.size(); ++i) {
        EXPECT_EQ(capture.boxes[i].text, "Undefined ErrId");
        EXPECT_EQ(capture.boxes[i].caption, "Internal Error");
        EXPECT_EQ(capture.boxes[i].type, win::MB_OK | win::MB_ICONHAND);
    }
}
