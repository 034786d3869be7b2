# The installation: the two programs in a folder of their own with the database beside them
# (the installation folder, where the model folders go too), links in bin/, the library with
# its headers, the desktop entry, icon, man page and the udev rule made from the database.
include(GNUInstallDirs)

set(KPZ_INSTALL_FOLDER lib/zarn-upgrade)
set(KPZ_UDEV_RULES_DIR lib/udev/rules.d CACHE STRING "Where the udev rule is installed")

set(kpz_staged ${CMAKE_BINARY_DIR}/installation)
set(kpz_database ${kpz_staged}/KPZSupportedPortableDevices.bin)
set(kpz_udev_rule ${kpz_staged}/70-zarn-upgrade.rules)
add_custom_command(OUTPUT ${kpz_database}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${kpz_staged}
    COMMAND kpz-dbwrite ${CMAKE_SOURCE_DIR}/demo/devices.json -o ${kpz_database}
    DEPENDS kpz-dbwrite ${CMAKE_SOURCE_DIR}/demo/devices.json
    COMMENT "Supported-devices database for the installation")
add_custom_command(OUTPUT ${kpz_udev_rule}
    COMMAND kpz-udevrule ${kpz_database} -o ${kpz_udev_rule}
    DEPENDS kpz-udevrule ${kpz_database}
    COMMENT "udev rule for the players the database names")
add_custom_target(kpz_installation_data ALL DEPENDS ${kpz_database} ${kpz_udev_rule})

install(TARGETS KPZPortableDeviceSystemFileUpdater zarn-upgrade
        RUNTIME DESTINATION ${KPZ_INSTALL_FOLDER})
install(FILES ${kpz_database} DESTINATION ${KPZ_INSTALL_FOLDER})
foreach(program KPZPortableDeviceSystemFileUpdater zarn-upgrade)
    install(CODE "
        set(bin \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}\")
        file(MAKE_DIRECTORY \"\${bin}\")
        file(CREATE_LINK ../${KPZ_INSTALL_FOLDER}/${program} \"\${bin}/${program}\" SYMBOLIC)
        message(STATUS \"Installing: \${bin}/${program} -> ../${KPZ_INSTALL_FOLDER}/${program}\")")
endforeach()
install(TARGETS kpzdetect LIBRARY DESTINATION ${CMAKE_INSTALL_LIBDIR})
install(DIRECTORY ${CMAKE_SOURCE_DIR}/include/kpz DESTINATION ${CMAKE_INSTALL_INCLUDEDIR})
install(FILES ${CMAKE_SOURCE_DIR}/dist/zarn-upgrade.desktop
        DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${CMAKE_SOURCE_DIR}/dist/zarn-upgrade.svg
        DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
install(FILES ${CMAKE_SOURCE_DIR}/dist/zarn-upgrade.1 DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${kpz_udev_rule} DESTINATION ${KPZ_UDEV_RULES_DIR})

# make package: a .deb of the same installation below /usr.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME zarn-upgrade)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Upgrades the firmware and system files of Zarn jukebox players attached over USB")
set(CPACK_PACKAGE_CONTACT "Zarn Upgrade Utility developers <zarn-upgrade@localhost>")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "udisks2")
include(CPack)
