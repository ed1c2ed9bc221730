# Installs Kelvatron like any desktop program and packs it as a Debian package.
#   cmake --install build --prefix /usr/local          # or DESTDIR=/tmp/stage for a staged copy
#   (cd build && cpack -G DEB)                         # kelvatron_1.41_amd64.deb
# tests/e2e/package_deb.sh builds the package and checks that it installs and starts.
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
# What software centres show of it, and its manual page (compressed, as man pages are shipped).
install(FILES ${_packaging}/kelvatron.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
set(_manPage ${PROJECT_BINARY_DIR}/kelvatron.1.gz)
add_custom_command(OUTPUT ${_manPage} COMMAND gzip -9nc ${_packaging}/kelvatron.1 > ${_manPage}
                   DEPENDS ${_packaging}/kelvatron.1 VERBATIM)
add_custom_target(kelvatron_man_page ALL DEPENDS ${_manPage})
install(FILES ${_manPage} DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME kelvatron)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_CONTACT "Kelvatron developers <kelvatron@localhost>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Morse code (CW) trainer built around the Russian sign set")
# The long description: CPack puts the summary before it and indents it as a control file wants.
string(CONCAT CPACK_PACKAGE_DESCRIPTION
    "Kelvatron teaches radio operators to receive and send Morse code with\n"
    "the Russian (Cyrillic) signs. Every key of its on-screen keyboard or of\n"
    "the computer keyboard sounds its sign at once and shows its character,\n"
    "code and sung mnemonic; typed keys are read with the program's own\n"
    "Russian layout.\n\n"
    "It keys random groups, radio jargon and radiograms with opening and\n"
    "closing; checks copy received by ear, marks every mistake and drills the\n"
    "weakest signs; times sending practice on a straight key, paddles (iambic\n"
    "A or B, bug) or a key on a serial adapter; keeps a training history with\n"
    "charts and CSV export; and writes any exercise to WAV, FLAC, Ogg Vorbis,\n"
    "Opus or MP3, also from the command line without a display.\n\n"
    "A course leads from the first sign, one new sign a lesson, with\n"
    "Farnsworth spacing and a speed test; band conditions add noise, a\n"
    "receiver filter, fading, other stations and static crashes; callsign\n"
    "drills, contacts, Q-codes and a small pile-up follow; and a Russian voice\n"
    "can speak each answer after the Morse.\n\n"
    "The window runs on Wayland and X11 desktops; the sound goes to PipeWire\n"
    "or PulseAudio, straight to the sound card, or to the PC speaker.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION hamradio)
# The libraries the binary links are found by dpkg-shlibdeps. Added by hand is what it cannot
# see: Qt's SQLite driver (a plugin the training history loads), the keyboard descriptions the
# Russian and US layouts are compiled from, the type the flat-topped digit 3 is shown with, and
# the speech synthesiser's data, which holds the Russian voice of the spoken answers.
# The X11 platform plugin comes with libqt6gui6.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, xkb-data, fonts-dejavu-core, espeak-ng-data")
# Native Wayland windows (without it Qt runs through XWayland), and Qt's own dialogs in Russian.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-wayland, qt6-translations-l10n")
include(CPack)
