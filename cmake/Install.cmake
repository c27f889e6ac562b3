# cmake --install: the program, the simulated card's driver, host and admin tool, and the drivers list
# go into one private folder, since the program only starts and loads what sits beside it. The menu
# entry, the login (autostart) entry and the icon go where desktops look for them; a tray program
# is started at login.
include(GNUInstallDirs)

set(KOVA2_INSTALL_DIR ${CMAKE_INSTALL_LIBDIR}/kova2)

install(TARGETS kova2mix kova2-card rundll kova2_platform kova2_simcard kova2_drv onboard_drv
    RUNTIME DESTINATION ${KOVA2_INSTALL_DIR}
    LIBRARY DESTINATION ${KOVA2_INSTALL_DIR})
install(FILES ${CMAKE_RUNTIME_OUTPUT_DIRECTORY}/wavedrivers.list DESTINATION ${KOVA2_INSTALL_DIR})
install(CODE "
    set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
    file(MAKE_DIRECTORY \"\${bin}\")
    foreach(program kova2mix kova2-card)
        message(STATUS \"Installing: \${bin}/\${program}\")
        file(CREATE_LINK ../${CMAKE_INSTALL_LIBDIR}/kova2/\${program} \"\${bin}/\${program}\" SYMBOLIC)
    endforeach()")

# The entries name the program where this install puts it, so they are written at install time.
install(CODE "
    set(KOVA2_PROGRAM \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/kova2/kova2mix\")
    if(CMAKE_INSTALL_PREFIX STREQUAL /usr)
        set(sysconf /${CMAKE_INSTALL_SYSCONFDIR})
    else()
        set(sysconf \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_SYSCONFDIR}\")
    endif()
    set(menu \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_DATADIR}/applications/kova2mix.desktop\")
    set(login \"\$ENV{DESTDIR}\${sysconf}/xdg/autostart/kova2mix.desktop\")
    message(STATUS \"Installing: \${menu}\")
    configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/kova2mix.desktop.in \"\${menu}\" @ONLY)
    message(STATUS \"Installing: \${login}\")
    configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/kova2mix-autostart.desktop.in \"\${login}\" @ONLY)")
foreach(size IN LISTS KOVA2_ICON_SIZES)
    install(FILES ${KOVA2_ICON_DIR}/MAINICON/mainicon-${size}.png
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME kova2mix.png)
endforeach()

# kova2-card serve runs the cards on the sound server from login to logout: a systemd user unit,
# enabled for every user by its link in default.target.wants.
install(CODE "
    set(KOVA2_CARD \"\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_LIBDIR}/kova2/kova2-card\")
    set(units \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/lib/systemd/user\")
    message(STATUS \"Installing: \${units}/kova2-card.service\")
    configure_file(${PROJECT_SOURCE_DIR}/resources/desktop/kova2-card.service.in \"\${units}/kova2-card.service\" @ONLY)
    file(MAKE_DIRECTORY \"\${units}/default.target.wants\")
    file(CREATE_LINK ../kova2-card.service \"\${units}/default.target.wants/kova2-card.service\" SYMBOLIC)")
