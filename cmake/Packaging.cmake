# Installs Kelvatron like any desktop program and packs it as a Debian package.
#   cmake --install build --prefix /usr/local          # or DESTDIR=/tmp/stage for a staged copy
#   (cd build && cpack -G DEB)                         # kelvatron_1.41_amd64.deb
# The binary's own rule is in src/app/CMakeLists.txt. The PNG icons are rendered from
# packaging/kelvatron.svg:  rsvg-convert -w N -h N kelvatron.svg | convert - -strip kelvatron.png
include(GNUInstallDirs)

set(_packaging ${PROJECT_SOURCE_DIR}/packaging)
set(_icons ${CMAKE_INSTALL_DATADIR}/icons/hicolor)
install(FILES ${_packaging}/kelvatron.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${_packaging}/kelvatron.svg DESTINATION ${_icons}/scalable/apps)
foreach(size 48 256)
    install(FILES ${_packaging}/icons/${size}x${size}/kelvatron.png
            DESTINATION ${_icons}/${size}x${size}/apps)
endforeach()
install(FILES ${PROJECT_SOURCE_DIR}/README.md DESTINATION ${CMAKE_INSTALL_DATADIR}/doc/kelvatron)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvatron)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kelvatron developers <kelvatron@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Morse code (CW) trainer built around the Russian sign set")
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Kelvatron keys Morse signs through the sound card or the PC speaker, shows each sign's "
    "character, code and mnemonic, generates exercises of random groups and radio jargon, and "
    "keys typed or loaded radiograms with opening and closing.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The libraries the program links (as dpkg-shlibdeps finds them on Debian 12) and the keyboard
# descriptions it compiles the Russian and US layouts from; the type that holds the flat-topped
# digit 3 signs are shown with. The X11 platform plugin and the JPEG reader come with libqt6gui6
# there.
set(CPACK_DEBIAN_PACKAGE_DEPENDS
    "libc6 (>= 2.34), libgcc-s1 (>= 3.0), libstdc++6 (>= 11), libqt6core6 (>= 6.4.0), libqt6gui6 (>= 6.4.0), libqt6widgets6 (>= 6.4.0), libsdl2-2.0-0 (>= 2.0.12), libxkbcommon0 (>= 0.5.0), xkb-data, fonts-dejavu-core")
# Native Wayland sessions; without it Qt runs through XWayland.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland")
include(CPack)
