# Sourced by the desktop tests that need Qt on the accessibility bus. own_accessibility_bus <script>
# <arguments...> runs the script again inside a D-Bus session of its own, with a runtime folder of its
# own (where the accessibility bus puts its socket, so that runs side by side do not meet), and ends
# with its status; in that second run it starts the accessibility bus of at-spi2-core and tells Qt to
# serve it. Qt only connects to an accessibility bus that is already there. A missing tool fails.
own_accessibility_bus() {
    if [ -z "${KOVA2_OWN_SESSION_BUS:-}" ]; then
        local tool runtime status
        for tool in dbus-run-session dbus-send /usr/libexec/at-spi-bus-launcher; do
            command -v "$tool" >/dev/null || { echo "FAILED: $tool is not installed (see scripts/test-tools)"; exit 1; }
        done
        runtime=$(mktemp -d)
        env -u DBUS_SESSION_BUS_ADDRESS -u AT_SPI_BUS_ADDRESS KOVA2_OWN_SESSION_BUS=1 XDG_RUNTIME_DIR="$runtime" \
            dbus-run-session -- "$@"
        status=$?
        rm -rf "$runtime"
        exit $status
    fi
    dbus-send --session --print-reply --dest=org.a11y.Bus /org/a11y/bus org.a11y.Bus.GetAddress >/dev/null ||
        { echo "FAILED: the accessibility bus did not start"; exit 1; }
    export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1
}
