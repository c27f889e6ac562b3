#include "platform/paths.h"
#include "simcard/hardware_state.h"
#include "simcard/server/card_endpoints.h"
#include "simcard/server/connections.h"
#include "simcard/server/server_catalog.h"

#include <filesystem>
#include <fstream>
#include <gmock/gmock.h>
#include <gtest/gtest.h>

namespace simcard::server {
namespace {

using testing::HasSubstr;
using Choice = Wiring::Choice;

TEST(CardEndpoints, NamesTheServersAcceptAndGermanDescriptions) {
    EXPECT_EQ(EndpointName(0, Endpoint::AnalogOut), "kova2.card1.analog-out");
    EXPECT_EQ(EndpointName(3, Endpoint::DigitalIn), "kova2.card4.digital-in");
    EXPECT_EQ(EndpointDescription(0, Endpoint::AnalogOut), "Kova 2 Karte #1 Analog Ausgang");
    EXPECT_EQ(EndpointDescription(1, Endpoint::DigitalOut), "Kova 2 Karte #2 Digital Ausgang");
    EXPECT_EQ(EndpointDescription(0, Endpoint::AnalogIn), "Kova 2 Karte #1 Analog Eingang");
    EXPECT_EQ(EndpointDescription(0, Endpoint::DigitalIn), "Kova 2 Karte #1 Digital Eingang");
}

// A capture device is a remap source over a feed sink: the sink must load first, and both carry the
// mark that lets a later serve sweep them.
TEST(CardEndpoints, ModulesLoadInOrderAndCarryTheMark) {
    const auto playback = EndpointModules(0, Endpoint::DigitalOut);
    ASSERT_EQ(playback.size(), 1u);
    EXPECT_EQ(playback[0].module, "module-null-sink");
    EXPECT_THAT(playback[0].arguments, HasSubstr("sink_name=kova2.card1.digital-out "));
    EXPECT_THAT(playback[0].arguments, HasSubstr("device.description=\"Kova 2 Karte #1 Digital Ausgang\""));

    const auto capture = EndpointModules(1, Endpoint::AnalogIn);
    ASSERT_EQ(capture.size(), 2u);
    EXPECT_EQ(capture[0].module, "module-null-sink");
    EXPECT_THAT(capture[0].arguments, HasSubstr("sink_name=kova2.card2.analog-in.feed "));
    EXPECT_EQ(capture[1].module, "module-remap-source");
    EXPECT_THAT(capture[1].arguments, HasSubstr("master=kova2.card2.analog-in.feed.monitor "));
    EXPECT_THAT(capture[1].arguments, HasSubstr("source_name=kova2.card2.analog-in "));
    for (const auto& load : {playback[0], capture[0], capture[1]})
        EXPECT_TRUE(CarriesServeMark(load.arguments)) << load.arguments;
    EXPECT_FALSE(CarriesServeMark("sink_name=kova2.card1.analog-out"));
}

TEST(CardEndpoints, TellsTheCardsOwnDevicesApart) {
    EXPECT_TRUE(IsCardDevice("kova2.card2.analog-out.monitor"));
    EXPECT_FALSE(IsCardDevice("alsa_output.pci-0000_00_1f.3.analog-stereo"));
    EXPECT_TRUE(IsDeviceOfCard("kova2.card1.analog-in.feed.monitor", 0));
    EXPECT_FALSE(IsDeviceOfCard("kova2.card1.analog-out", 1));
    EXPECT_FALSE(IsDeviceOfCard("kova2.card10.analog-out", 0)); // no such card, but not card 1 either
}

TEST(Connections, TextRoundTripsAndDefaultsTakeNoLine) {
    Connections connections;
    connections.Set(0, Connector::AnalogIn, {Choice::Device, "alsa_input.usb"});
    connections.Set(3, Connector::Cd, {Choice::None, {}});
    connections.Set(1, Connector::Optical, {Choice::Device, "spdif.monitor"});
    connections.Set(1, Connector::Optical, {}); // back to the default
    EXPECT_EQ(connections.ToText(), "1 analog-in alsa_input.usb\n4 cd none\n");
    EXPECT_EQ(Connections::FromText(connections.ToText()), connections);
    EXPECT_EQ(connections.Get(1, Connector::Optical), Wiring{});
}

TEST(Connections, DamagedLinesAreSkippedAndNamed) {
    std::string problems;
    const Connections connections = Connections::FromText("1 optical opt.monitor\n"
                                                          "5 optical x\n"
                                                          "1 headphones x\n"
                                                          "2 analog-out\n"
                                                          "2 cd a b\n"
                                                          "\n"
                                                          "2 cd none\n",
                                                          &problems);
    EXPECT_EQ(connections.ToText(), "1 optical opt.monitor\n2 cd none\n");
    EXPECT_EQ(problems, "line 2 skipped: 5 optical x\nline 3 skipped: 1 headphones x\n"
                        "line 4 skipped: 2 analog-out\nline 5 skipped: 2 cd a b\n");
}

TEST(Connections, KeptInTheCardsConfigurationFolderAndReplacedWhole) {
    const auto path = ConnectionsPath();
    EXPECT_EQ(path.parent_path(), platform::CardConfigDir());
    std::filesystem::remove(path);
    EXPECT_EQ(ReadConnections(path), Connections{});

    Connections connections;
    connections.Set(2, Connector::DigitalOut, {Choice::Device, "iec958"});
    WriteConnections(path, connections);
    EXPECT_EQ(ReadConnections(path), connections);
    EXPECT_EQ(std::filesystem::status(path).permissions() & std::filesystem::perms::all,
              std::filesystem::perms::owner_read | std::filesystem::perms::owner_write);
    for (const auto& entry : std::filesystem::directory_iterator(path.parent_path()))
        EXPECT_THAT(entry.path().filename().string(), testing::Not(HasSubstr(".new.")));
}

TEST(Connections, AFileThatCannotBeWrittenThrowsAndTheOldOneStays) {
    const auto folder = platform::CardConfigDir() / "unwritable";
    std::filesystem::create_directories(folder / "connections"); // a folder where the file should be
    EXPECT_THROW(WriteConnections(folder / "connections", Connections{}), std::runtime_error);
    EXPECT_TRUE(std::filesystem::is_directory(folder / "connections"));
    std::filesystem::remove_all(folder);
}

// The analog side follows the server's defaults, the digital side stays unconnected, and a default
// that is one of the cards' own devices is none: the card would hear itself.
TEST(Connections, DefaultsAreTheServersButNeverACardsOwnDevice) {
    const ServerDefaults defaults{"speakers", "microphone"};
    EXPECT_EQ(WiredDevice({}, Connector::AnalogIn, defaults), "microphone");
    EXPECT_EQ(WiredDevice({}, Connector::AnalogOut, defaults), "speakers");
    for (const Connector digital :
         {Connector::DigitalOut, Connector::Optical, Connector::Electrical, Connector::Cd})
        EXPECT_EQ(WiredDevice({}, digital, defaults), "") << ConnectorName(digital);
    EXPECT_EQ(WiredDevice({Choice::None, {}}, Connector::AnalogIn, defaults), "");
    EXPECT_EQ(WiredDevice({Choice::Device, "line"}, Connector::Cd, defaults), "line");

    const ServerDefaults ownDevices{"kova2.card1.analog-out", "kova2.card2.analog-in"};
    EXPECT_EQ(WiredDevice({}, Connector::AnalogIn, ownDevices), "");
    EXPECT_EQ(WiredDevice({}, Connector::AnalogOut, ownDevices), "");
}

TEST(Connections, ConnectorNamesParseBothWays) {
    for (const Connector connector : kConnectors)
        EXPECT_EQ(ParseConnector(ConnectorName(connector)), connector);
    EXPECT_EQ(ParseConnector("Optical"), std::nullopt);
    EXPECT_EQ(SelectedDigitalConnector(kInputOptical), Connector::Optical);
    EXPECT_EQ(SelectedDigitalConnector(kInputElectrical), Connector::Electrical);
    EXPECT_EQ(SelectedDigitalConnector(kInputCd), Connector::Cd);
    EXPECT_TRUE(TakesSink(Connector::DigitalOut));
    EXPECT_FALSE(TakesSink(Connector::Cd));
}

class ServerCatalogTest : public testing::Test {
protected:
    static constexpr std::uint32_t kServe = 7;
    static constexpr std::uint32_t kPlayer = 9;
    static constexpr std::uint32_t kModule = 0xFFFFFFFF; // a module's own stream has no client

    ServerCatalog catalog = [] {
        ServerCatalog catalog;
        catalog.ownClient = kServe;
        catalog.sinks = {{"kova2.card1.analog-out", {3, 48000}},
                         {"kova2.card1.digital-out", {4, 48000}},
                         {"kova2.card2.analog-out", {5, 48000}},
                         {"speakers", {0, 44100}}};
        catalog.sources = {{"kova2.card1.analog-in", {10, 48000}},
                           {"kova2.card1.digital-in", {11, 48000}},
                           {"spdif", {12, 96000}}};
        return catalog;
    }();
};

// serve's own streams on a card's devices (one card played into another) are no application.
TEST_F(ServerCatalogTest, OnlyOtherClientsStreamsArePlayingOrRecording) {
    catalog.sinkInputs = {{3, kServe}, {0, kPlayer}};
    catalog.sourceOutputs = {{10, kServe}, {11, kModule}};
    EXPECT_FALSE(catalog.ApplicationPlays(0));
    EXPECT_FALSE(catalog.ApplicationRecords(0, Endpoint::AnalogIn));
    EXPECT_TRUE(catalog.ApplicationRecords(0, Endpoint::DigitalIn));

    catalog.sinkInputs.push_back({4, kPlayer});
    EXPECT_TRUE(catalog.ApplicationPlays(0));
    EXPECT_FALSE(catalog.ApplicationPlays(1));
    EXPECT_FALSE(catalog.ApplicationPlays(2)); // no devices at all
}

TEST_F(ServerCatalogTest, ASourcesRateIsZeroWhenItIsGone) {
    EXPECT_EQ(catalog.SourceRate("spdif"), 96000);
    EXPECT_EQ(catalog.SourceRate("gone"), 0);
    EXPECT_EQ(catalog.SourceRate(""), 0);
}

} // namespace
} // namespace simcard::server
