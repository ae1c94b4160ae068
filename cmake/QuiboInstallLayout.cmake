# SPDX-License-Identifier: MIT
# Where the programs are installed, decided when installing rather than when configuring, so one
# build serves both layouts: `cmake --install` puts them in <prefix>/bin, where a user's PATH looks
# (~/.local/bin, /usr/local/bin); the Debian package puts them in /usr/games, where Debian keeps
# games (QUIBO_INSTALL_LAYOUT=debian in the environment, which the package sets; it may be set for
# a plain install too). Included before the subdirectories, whose install rules then read
# QUIBO_INSTALL_PROGRAMDIR (relative to the prefix) and QUIBO_INSTALL_FULL_PROGRAMDIR.
install(CODE "
  if(\"\$ENV{QUIBO_INSTALL_LAYOUT}\" STREQUAL \"debian\")
    set(QUIBO_INSTALL_PROGRAMDIR games)
  else()
    set(QUIBO_INSTALL_PROGRAMDIR ${CMAKE_INSTALL_BINDIR})
  endif()
  set(QUIBO_INSTALL_FULL_PROGRAMDIR \"\${CMAKE_INSTALL_PREFIX}/\${QUIBO_INSTALL_PROGRAMDIR}\")
")
