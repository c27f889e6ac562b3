#include "driver/driver_error_texts.h"

#include "platform/message_box.h"

#include <string_view>

namespace driver {
namespace {

constexpr std::string_view ErrorCaption = "Kova 2 Fehler";
constexpr std::string_view InitCaption = "Kova 2 Initialisierungsfehler";
constexpr std::string_view WarningCaption = "Kova 2 Warnung";
constexpr std::string_view InternalCaption = "Internal Error";
constexpr std::string_view UndefinedText = "Undefined ErrId";
constexpr std::string_view NoAudio = "Keine Audiofunktionen auf diesem Gerät verfügbar.";

// How the listed text becomes the message.
enum class Form {
    Plain,  // as listed
    Card,   // CardErrorText
    Device, // DeviceErrorText
    Rate,   // RateErrorText
};

struct ErrorEntry {
    std::int32_t id;
    std::string_view caption;
    win::UINT icon;
    Form form;
    std::string_view text;
};

constexpr win::UINT Hand = win::MB_ICONHAND;
constexpr win::UINT Asterisk = win::MB_ICONASTERISK;

constexpr ErrorEntry Entries[] = {
    {-1, ErrorCaption, Hand, Form::Plain,
     "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nNicht genügend Speicher verfügbar.\r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-2, ErrorCaption, Hand, Form::Card, "Fehler beim Lesen der Datei RBT Datei."},
    {-3, ErrorCaption, Hand, Form::Card,
     "Die passende .RBT Datei konnte nicht im Systemverzeichnis von Windows gefunden werden.\r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-4, ErrorCaption, Hand, Form::Card,
     "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nFehlende Timerresourcen im Windows "
     "System.\r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-5, ErrorCaption, Hand, Form::Device,
     "Das Aktivieren dieses Gerätes macht eine Reinitialisierung der Hardware notwendig.\r\n"
     "Dies ist derzeit nicht möglich, da andere Geräte der Karte arbeiten."},
    {-6, ErrorCaption, Hand, Form::Plain,
     "Die Einstellungen des Kova 2 Treibers können derzeit nicht geändert werden.\r\n"
     "Beenden Sie erst alle Anwendungen, welche die Kova 2 verwenden."},
    {-7, ErrorCaption, Hand, Form::Plain,
     "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nFehler beim Lesen der "
     "Systemregistrierung.\r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-8, ErrorCaption, Hand, Form::Plain,
     "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nSorry, interner Zeigerfehler.\r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-17, InitCaption, Hand, Form::Plain,
     "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nDas Modul kova2.VXD wurde nicht geladen.\r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-18, InitCaption, Hand, Form::Plain,
     "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nKernel Driver Device konnte nicht geöffnet "
     "werden.\r\nKeine Audiofunktionen auf diesem Gerät verfügbar."},
    {-19, InitCaption, Hand, Form::Plain,
     "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nKernel Audio Devices konnten nicht geöffnet "
     "werden.\r\nKeine Audiofunktionen auf diesem Gerät verfügbar."},
    {-20, InitCaption, Hand, Form::Plain,
     "Fehler beim Erzeugen eines Kernel Ereignisobjects.\r\nKeine Audiofunktionen auf diesem Gerät "
     "verfügbar."},
    {-21, InitCaption, Hand, Form::Card,
     "Die Playcounter der Kova 2 ließen sich nicht zurücksetzen. \r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-22, InitCaption, Hand, Form::Card,
     "Die Playcounter der Kova 2 laufen nicht. \r\nKeine Audiofunktionen auf diesem Gerät verfügbar."},
    {-23, InitCaption, Hand, Form::Card,
     "Die Recordcounter der Kova 2 ließen sich nicht zurücksetzen. \r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-24, InitCaption, Hand, Form::Card,
     "Die Recordcounter der Kova 2 laufen nicht. \r\nKeine Audiofunktionen auf diesem Gerät verfügbar."},
    {-25, InitCaption, Hand, Form::Card,
     "IRQ konnte nicht belegt werden.\r\nKeine Audiofunktionen auf diesem Gerät verfügbar."},
    {-26, InitCaption, Hand, Form::Card,
     "Der Interrupt Request der Hardware bleibt unerkannt.\r\nKeine Audiofunktionen auf diesem Gerät "
     "verfügbar."},
    {-27, InitCaption, Hand, Form::Plain,
     "Der Kova 2 Treiber konnte nicht initialisiert werden. \r\nFalsche Version des Moduls kova2.VXD\r\n"
     "Keine Audiofunktionen auf diesem Gerät verfügbar."},
    {-28, InitCaption, Hand, Form::Card,
     "DirectSound Modul konnte nicht initialisiert werden.\r\nKeine Audiofunktionen auf diesem Gerät "
     "verfügbar."},
    {-29, InitCaption, Hand, Form::Card,
     "Midi Modul konnte nicht initialisiert werden.\r\nKeine Audiofunktionen auf diesem Gerät verfügbar."},
    {-30, InitCaption, Hand, Form::Card,
     "Fpga konnte nicht initialisiert werden.\r\nKeine Audiofunktionen auf diesem Gerät verfügbar."},
    {-31, InitCaption, Hand, Form::Card,
     "Kartenspeicher fehlerhaft.\r\nKeine Audiofunktionen auf diesem Gerät verfügbar."},
    {-49, ErrorCaption, Hand, Form::Device, "Fehler bei I/O Operation mit Kernel."},
    {-51, ErrorCaption, Hand, Form::Rate,
     "Das Gerät \"%s\" kann momentan nicht mit der Samplerate %d Hz geöffnet werden.\r\n"
     "Der angeschlossene Clock Generator wird bereits durch ein anderes Gerät mit der Samplerate %d Hz "
     "betrieben."},
    {-52, WarningCaption, Asterisk, Form::Rate,
     "Die für das Gerät \"%s\" geforderte Samplerate von %d Hz stimmt nicht mit der des angeschlossenen und "
     "Clock Generators (%d Hz) überein."},
    {-53, WarningCaption, Asterisk, Form::Rate,
     "Die für das Gerät \"%s\" geforderte Samplerate von %d Hz kann nicht bereitgestellt werden.\r\n"
     "Die Kova 2 Hardware konnte sich nicht auf den externen Clock einstellen (No Lock)."},
    {-54, WarningCaption, Asterisk, Form::Rate,
     "Die für das Gerät \"%s\" geforderte Samplerate von %d Hz kann nicht bereitgestellt werden.\r\n"
     "Der externe Clock entspricht einer Samplerate von %d Hz."},
    {-55, ErrorCaption, Hand, Form::Device, "Das digitale Wiedergabegrät läuft."},
    {-56, ErrorCaption, Hand, Form::Device, "Fehler beim Erzeugen eines Threads."},
    {-57, InitCaption, Hand, Form::Device, "Fehler beim Erzeugen eines Kernel Ereignisobjects."},
    {-58, InitCaption, Hand, Form::Device, "Fehler beim Öffnen eines Kernel Ereignisobjekts."},
    {-59, InitCaption, Hand, Form::Device, "Fehler beim Warten auf Ereignisobjekt."},
    {-60, ErrorCaption, Hand, Form::Device, "Adat-Monitoring ist aktiv."},
    {-61, ErrorCaption, Hand, Form::Rate,
     "Das Gerät \"%s\" kann momentan nicht mit der Samplerate %d Hz geöffnet werden.\r\n"
     "Die digitalen Aufnahme- und Wiedergabekanäle können nur mit der selben Samplerate arbeiten."},
};

constexpr std::int32_t SilentIds[] = {1, 0, -50};

std::string Compose(Form form, int cardNumber, std::string_view text) {
    switch (form) {
    case Form::Card:
        return CardErrorText(cardNumber, text);
    case Form::Device:
        return DeviceErrorText(text);
    case Form::Rate:
        return RateErrorText(text);
    case Form::Plain:
        break;
    }
    return std::string(text);
}

} // namespace

std::string CardErrorText(int cardNumber, std::string_view detail) {
    return "Die Hardware der Kova 2 Karte #" + std::to_string(cardNumber) +
           " konnte nicht initialisiert werden. \r\n" + std::string(detail);
}

std::string DeviceErrorText(std::string_view detail) {
    // The device's name was meant to stand between the two pieces; there is none, hence two blanks.
    return std::string("Das Gerät ") + " konnte nicht geöffnet werden. \r\n" + std::string(detail) + "\r\n" +
           std::string(NoAudio);
}

std::string RateErrorText(std::string_view pattern) {
    return std::string(pattern);
}

std::optional<DriverErrorMessage> MessageForDriverError(int cardNumber, std::int32_t errorId) {
    for (std::int32_t silent : SilentIds)
        if (errorId == silent) return std::nullopt;
    for (const ErrorEntry& entry : Entries)
        if (entry.id == errorId)
            return DriverErrorMessage{Compose(entry.form, cardNumber, entry.text), std::string(entry.caption),
                                      entry.icon};
    return DriverErrorMessage{std::string(UndefinedText), std::string(InternalCaption), Hand};
}

} // namespace driver
