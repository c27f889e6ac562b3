// Prints, for the Windows headers, static_asserts whose numbers are our records' sizes and field
// offsets; compiling them for 32-bit Windows proves that both agree.
#include "platform/win_records.h"

#include <cstdio>

#define SIZE(type)                                                                                           \
    std::printf("static_assert(sizeof(" #type ") == %zu, \"sizeof " #type "\");\n", sizeof(win::type))
#define FIELD(type, field)                                                                                   \
    std::printf("static_assert(offsetof(" #type ", " #field ") == %zu, \"" #type "." #field "\");\n",        \
                offsetof(win::type, field))

int main() {
    std::printf("#include <windows.h>\n#include <mmsystem.h>\n#include <shellapi.h>\n#include <dbt.h>\n"
                "#include <stddef.h>\n");
    // The headers' record is the latest form; its first form ends after a 64-character tip.
    std::printf("static_assert(NOTIFYICONDATAA_V1_SIZE == %zu, \"NOTIFYICONDATAA first form\");\n",
                sizeof(win::NOTIFYICONDATAA));
    FIELD(NOTIFYICONDATAA, cbSize);
    FIELD(NOTIFYICONDATAA, hWnd);
    FIELD(NOTIFYICONDATAA, uID);
    FIELD(NOTIFYICONDATAA, uFlags);
    FIELD(NOTIFYICONDATAA, uCallbackMessage);
    FIELD(NOTIFYICONDATAA, hIcon);
    FIELD(NOTIFYICONDATAA, szTip);
    std::printf("static_assert(NIM_ADD == %u && NIM_MODIFY == %u && NIM_DELETE == %u, \"NIM_\");\n",
                win::NIM_ADD, win::NIM_MODIFY, win::NIM_DELETE);
    std::printf("static_assert(NIF_MESSAGE == %u && NIF_ICON == %u && NIF_TIP == %u, \"NIF_\");\n",
                win::NIF_MESSAGE, win::NIF_ICON, win::NIF_TIP);

    SIZE(WAVEINCAPSA);
    FIELD(WAVEINCAPSA, wPid);
    FIELD(WAVEINCAPSA, vDriverVersion);
    FIELD(WAVEINCAPSA, szPname);
    FIELD(WAVEINCAPSA, dwFormats);
    FIELD(WAVEINCAPSA, wChannels);
    SIZE(WAVEOUTCAPSA);
    FIELD(WAVEOUTCAPSA, szPname);
    FIELD(WAVEOUTCAPSA, dwFormats);
    FIELD(WAVEOUTCAPSA, wChannels);
    FIELD(WAVEOUTCAPSA, dwSupport);
    std::printf("static_assert(MAXPNAMELEN == %u, \"MAXPNAMELEN\");\n", win::MAXPNAMELEN);

    SIZE(WAVEFORMATEX);
    FIELD(WAVEFORMATEX, nSamplesPerSec);
    FIELD(WAVEFORMATEX, nAvgBytesPerSec);
    FIELD(WAVEFORMATEX, nBlockAlign);
    FIELD(WAVEFORMATEX, wBitsPerSample);
    FIELD(WAVEFORMATEX, cbSize);

    SIZE(POINT);
    SIZE(MINMAXINFO);
    FIELD(MINMAXINFO, ptMaxSize);
    FIELD(MINMAXINFO, ptMaxPosition);
    FIELD(MINMAXINFO, ptMinTrackSize);
    FIELD(MINMAXINFO, ptMaxTrackSize);

    SIZE(DEV_BROADCAST_HDR);
    FIELD(DEV_BROADCAST_HDR, dbch_devicetype);
    SIZE(DEV_BROADCAST_DEVNODE);
    FIELD(DEV_BROADCAST_DEVNODE, dbcd_devicetype);
    FIELD(DEV_BROADCAST_DEVNODE, dbcd_devnode);
    return 0;
}
