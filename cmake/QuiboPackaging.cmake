# SPDX-License-Identifier: MIT
# The Debian package: `cpack -G DEB` in the build folder (or `cmake --build --preset default
# --target package`). Its dependencies are worked out from the programs by dpkg-shlibdeps.
set(CPACK_GENERATOR "DEB")
set(CPACK_PACKAGE_NAME "quibo")
set(CPACK_PACKAGE_VENDOR "Quibo")
set(CPACK_PACKAGE_CONTACT "Quibo team <team@quibo.org>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "networked word game for two players, with spectators and chat")
# Debian's checker wants the lines of the long description under 80 characters.
set(CPACK_PACKAGE_DESCRIPTION
    "Two players each build a word on a row of ten cells from a private hand of\n\
letters and morph it into new words; every new word scores, and the first to\n\
the target score wins. Spectators watch, everybody chats, and a computer\n\
opponent plays solo games.\n\
The package holds the game, quibo, and the headless host for a public table,\n\
quibo-host, with a systemd unit template.")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION "games")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${QUIBO_HOMEPAGE}")
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The programs go where Debian keeps games, /usr/games (see QuiboInstallLayout).
set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/QuiboPackageLayout.cmake)
# Qt's own texts (the buttons of message boxes) in the player's language; the meanings of words; and
# the mDNS responder through which tables on the local network are announced and found.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "qt6-translations-l10n, wordnet-base, avahi-daemon")
include(CPack)
