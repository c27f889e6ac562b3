#include "simcard/control_format.h"

#include <cstring>

namespace simcard {
namespace {

constexpr char kControlMark[] = {'C', 'T', 'R', 'L'};

} // namespace

bool IsControlFormat(const win::WAVEFORMATEX& format) {
    if (format.wFormatTag != win::WAVE_FORMAT_PCM || format.nChannels != 2 ||
        format.nSamplesPerSec != 44100 || format.nAvgBytesPerSec != 176400 || format.nBlockAlign != 4 ||
        format.wBitsPerSample != 16 || format.cbSize != sizeof kControlMark) {
        return false;
    }
    // cbSize says the mark follows the record; only then may it be read.
    const auto* extra = reinterpret_cast<const char*>(&format) + sizeof format;
    return std::memcmp(extra, kControlMark, sizeof kControlMark) == 0;
}

} // namespace simcard
